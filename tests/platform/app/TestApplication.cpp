#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Application.h>
#include <Message.h>
#include <Messenger.h>
#include <MimeType.h>
#include <OS.h>
#include <Path.h>
#include <Roster.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/file.h>
#include <unistd.h>

#include "ChildApp.h"
#include "Watchdog.h"

namespace {

const char* kHelper = BEAPI_BINARY_DIR "/tests/app_test_helper";
const char* kExclusiveHelper = BEAPI_BINARY_DIR "/tests/app_test_helper_exclusive";
const char* kExclusiveSignature = "application/x-vnd.beapi-test-exclusive";

// Each test gets a runtime folder of its own, so that registrations never meet.
class AppProcesses : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/beapi-app-test-XXXXXX";
		ASSERT_NE(nullptr, mkdtemp(pattern));
		fFolder = pattern;
		setenv("XDG_RUNTIME_DIR", fFolder.c_str(), 1);
		setenv("XDG_CONFIG_HOME", fFolder.c_str(), 1);
	}

	void TearDown() override
	{
		std::string command = "rm -rf '" + fFolder + "'";
		EXPECT_EQ(0, system(command.c_str()));
	}

	std::string Output(const char* name) const { return fFolder + "/" + name + ".out"; }

	std::string fFolder;
};

} // namespace

TEST_F(AppProcesses, MessengerToAnotherApplicationDelivers)
{
	Watchdog watchdog(60);
	const char* signature = "application/x-vnd.beapi-test-a";
	ChildApp child(kHelper, signature, Output("a"));
	ASSERT_TRUE(child.WaitForLine("ready"));

	app_info info;
	ASSERT_EQ(B_OK, be_roster->GetAppInfo(signature, &info));
	EXPECT_EQ(child.Pid(), info.team);
	EXPECT_GE(info.port, 0);
	EXPECT_EQ((uint32)B_MULTIPLE_LAUNCH, info.flags);
	EXPECT_STREQ(signature, info.signature);
	BPath path(&info.ref);
	EXPECT_STREQ(kHelper, path.Path());
	EXPECT_TRUE(be_roster->IsRunning(signature));
	EXPECT_EQ(B_OK, be_roster->GetRunningAppInfo(child.Pid(), &info));
	// The flags the helper read from its own resources.
	EXPECT_TRUE(child.HasLine("flags 1"));

	status_t status;
	BMessenger messenger(signature, -1, &status);
	ASSERT_EQ(B_OK, status);
	EXPECT_TRUE(messenger.IsValid());
	EXPECT_FALSE(messenger.IsTargetLocal());
	EXPECT_EQ(child.Pid(), messenger.Team());

	BMessage ping('ping');
	ping.AddString("text", "日本語");
	ASSERT_EQ(B_OK, messenger.SendMessage(&ping));
	ASSERT_TRUE(child.WaitForLine("ping 日本語"));

	// A waiting sender gets the other side's answer back through its own port.
	BMessage reply;
	BMessage question('ping');
	question.AddString("text", "answer?");
	ASSERT_EQ(B_OK, messenger.SendMessage(&question, &reply, 1000000, 5000000));
	EXPECT_EQ((uint32)B_MESSAGE_NOT_UNDERSTOOD, reply.what);
	EXPECT_TRUE(child.HasLine("ping answer? waiting"));

	ASSERT_EQ(B_OK, messenger.SendMessage('quit'));
	EXPECT_EQ(0, child.WaitForExit());
	EXPECT_FALSE(be_roster->IsRunning(signature));
	EXPECT_FALSE(messenger.IsValid());
}

TEST_F(AppProcesses, BroadcastReachesLiveApplicationsOnly)
{
	Watchdog watchdog(60);
	ChildApp first(kHelper, "application/x-vnd.beapi-test-b1", Output("b1"));
	ChildApp second(kHelper, "application/x-vnd.beapi-test-b2", Output("b2"));
	ChildApp dead(kHelper, "application/x-vnd.beapi-test-b3", Output("b3"));
	ASSERT_TRUE(first.WaitForLine("ready"));
	ASSERT_TRUE(second.WaitForLine("ready"));
	ASSERT_TRUE(dead.WaitForLine("ready"));
	EXPECT_EQ(3, be_roster->CountRunningApps());
	dead.Kill();

	BMessage message('bcst');
	message.AddString("text", "to all");
	ASSERT_EQ(B_OK, be_roster->Broadcast(&message));
	EXPECT_TRUE(first.WaitForLine("broadcast to all"));
	EXPECT_TRUE(second.WaitForLine("broadcast to all"));
	EXPECT_FALSE(dead.HasLine("broadcast"));
	EXPECT_FALSE(be_roster->IsRunning("application/x-vnd.beapi-test-b3"));
	EXPECT_EQ(2, be_roster->CountRunningApps());

	EXPECT_EQ(B_OK, BMessenger("application/x-vnd.beapi-test-b1").SendMessage('quit'));
	EXPECT_EQ(B_OK, BMessenger("application/x-vnd.beapi-test-b2").SendMessage('quit'));
	EXPECT_EQ(0, first.WaitForExit());
	EXPECT_EQ(0, second.WaitForExit());
}

TEST_F(AppProcesses, SecondStartOfAnExclusiveApplicationHandsOver)
{
	Watchdog watchdog(60);
	ChildApp running(kExclusiveHelper, kExclusiveSignature, Output("x1"));
	ASSERT_TRUE(running.WaitForLine("ready"));
	EXPECT_TRUE(running.HasLine("flags 2"));

	ChildApp second(kExclusiveHelper, kExclusiveSignature, Output("x2"));
	EXPECT_EQ(0, second.WaitForExit());
	EXPECT_FALSE(second.HasLine("ready"));
	ASSERT_TRUE(running.WaitForLine("relaunch"));
	EXPECT_TRUE(
		running.HasLine("argv serve " + std::string(kExclusiveSignature) + " " + Output("x2")));

	// Launching through the roster finds the running copy too.
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path(kExclusiveHelper, &ref));
	team_id team = -1;
	EXPECT_EQ(B_ALREADY_RUNNING, be_roster->Launch(&ref, (const BMessage*)NULL, &team));
	EXPECT_EQ(running.Pid(), team);

	ASSERT_EQ(B_OK, BMessenger(kExclusiveSignature).SendMessage('quit'));
	EXPECT_EQ(0, running.WaitForExit());
}

TEST_F(AppProcesses, LaunchByPathAndBySignature)
{
	Watchdog watchdog(60);
	const char* signature = "application/x-vnd.beapi-test-launch";
	std::string output = Output("l");
	const char* args[] = {"serve", signature, output.c_str()};
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path(kHelper, &ref));
	team_id team = -1;
	ASSERT_EQ(B_OK, be_roster->Launch(&ref, 3, args, &team));
	EXPECT_GT(team, 0);
	bigtime_t end = system_time() + 10000000;
	while (!be_roster->IsRunning(signature) && system_time() < end)
		snooze(10000);
	ASSERT_EQ(team, be_roster->TeamFor(signature));

	// The roster remembers where the application lies.
	entry_ref found;
	ASSERT_EQ(B_OK, be_roster->FindApp(signature, &found));
	EXPECT_EQ(ref, found);
	// A document type leads to the application it prefers.
	BMimeType type("text/x-beapi-test");
	ASSERT_EQ(B_OK, type.SetPreferredApp(signature));
	entry_ref viewer;
	ASSERT_EQ(B_OK, be_roster->FindApp("text/x-beapi-test", &viewer));
	EXPECT_EQ(ref, viewer);
	ASSERT_EQ(B_OK, BMessenger(signature).SendMessage('quit'));
	end = system_time() + 10000000;
	while (be_roster->IsRunning(signature) && system_time() < end)
		snooze(10000);

	// A multiple-launch application starts again by its signature.
	team_id again = -1;
	ASSERT_EQ(B_OK, be_roster->Launch(signature, 3, args, &again));
	EXPECT_NE(team, again);
	end = system_time() + 10000000;
	while (!be_roster->IsRunning(signature) && system_time() < end)
		snooze(10000);
	ASSERT_EQ(B_OK, BMessenger(signature).SendMessage('quit'));
	end = system_time() + 10000000;
	while (be_roster->IsRunning(signature) && system_time() < end)
		snooze(10000);
	EXPECT_FALSE(be_roster->IsRunning(signature));

	EXPECT_EQ(B_LAUNCH_FAILED_APP_NOT_FOUND,
			  be_roster->Launch("application/x-vnd.beapi-test-nowhere", (BMessage*)NULL, &team));
}

namespace {

class InProcessApp : public BApplication {
public:
	InProcessApp() : BApplication("application/x-vnd.beapi-test-self") {}

	void ReadyToRun() override
	{
		fReady = true;
		PostMessage(B_ABOUT_REQUESTED);
	}

	void AboutRequested() override
	{
		fAbout = true;
		PostMessage(B_QUIT_REQUESTED);
	}

	bool fReady = false;
	bool fAbout = false;
};

} // namespace

TEST_F(AppProcesses, ApplicationRunsOnTheCallingThread)
{
	Watchdog watchdog(30);
	InProcessApp* app = new InProcessApp;
	ASSERT_EQ(B_OK, app->InitCheck());
	EXPECT_EQ(app, be_app);
	EXPECT_TRUE(be_app_messenger.IsValid());
	EXPECT_TRUE(be_roster->IsRunning("application/x-vnd.beapi-test-self"));
	EXPECT_EQ(0, app->CountWindows());
	EXPECT_EQ(nullptr, app->WindowAt(0));
	EXPECT_STREQ("application/x-vnd.beapi-test-self", app->Signature());

	// A second application object in the same process is refused.
	status_t error = B_OK;
	BApplication second("application/x-vnd.beapi-test-second", &error);
	EXPECT_NE(B_OK, error);

	EXPECT_EQ(find_thread(NULL), app->Run());
	EXPECT_TRUE(app->fReady);
	EXPECT_TRUE(app->fAbout);
	delete app;
	EXPECT_EQ(nullptr, be_app);
	EXPECT_FALSE(be_roster->IsRunning("application/x-vnd.beapi-test-self"));
}

// A process killed while it registered leaves its registration under the temporary name; the
// next registration clears it away, but not one that a live process is writing.
TEST_F(AppProcesses, ARegistrationAbandonedHalfWrittenIsClearedByTheNext)
{
	Watchdog watchdog(60);
	std::string roster = fFolder + "/beapi/roster";
	ASSERT_EQ(
		0, system(("mkdir -p '" + roster + "' && chmod -R 700 '" + fFolder + "/beapi'").c_str()));
	std::ofstream(roster + "/new-99999") << "team 99999\n";
	int held = open((roster + "/new-99998").c_str(), O_RDWR | O_CREAT, 0600);
	ASSERT_GE(held, 0);
	ASSERT_EQ(0, flock(held, LOCK_EX));

	ChildApp child(kHelper, "application/x-vnd.beapi-test-abandoned", Output("abandoned"));
	ASSERT_TRUE(child.WaitForLine("ready"));
	EXPECT_NE(0, access((roster + "/new-99999").c_str(), F_OK));
	EXPECT_EQ(0, access((roster + "/new-99998").c_str(), F_OK));
	close(held);

	EXPECT_EQ(B_OK, BMessenger("application/x-vnd.beapi-test-abandoned").SendMessage('quit'));
	EXPECT_EQ(0, child.WaitForExit());
}
