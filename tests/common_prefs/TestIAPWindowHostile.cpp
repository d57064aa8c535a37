// Whatever a program of the same user writes to the common preferences window's port, the
// window stays up and keeps working: messages it cannot read, or offers beyond its bounds, are
// ignored, and a flood waits at the port.

#include "IAPProcesses.h"

#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/IAPMessages.h>
#include <common_prefs/IAPPortManager.h>
#include <common_prefs/InterAppPrefs.h>

#include <Looper.h>
#include <Message.h>
#include <MessageQueue.h>
#include <Messenger.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace iap_test;

std::string
flattened(const BMessage& message)
{
	std::string bytes(size_t(message.FlattenedSize()), '\0');
	message.Flatten(bytes.data(), ssize_t(bytes.size()));
	return bytes;
}

// A plain view's archive, as a component of nothing but a frame.
BMessage
plain_view(const char* className, BRect frame)
{
	BMessage archive;
	archive.AddString("class", className);
	archive.AddRect("_frame", frame);
	return archive;
}

// An offer of one component under the name, its three states alike.
BMessage
offer(const char* name, const BMessage& state)
{
	BMessage message(MSG_IAP_ADD_COMPONENTS);
	for (int i = 0; i < 3; i++)
		message.AddMessage(name, &state);
	return message;
}

class IAPWindowHostileTest : public IAPProcessTest {
protected:
	// Writes the bytes to the window's port with portsend; its exit status.
	int Send(const std::string& bytes)
	{
		std::string path = fRuntime + "/message-" + std::to_string(fSent++);
		std::ofstream(path, std::ios::binary) << bytes;
		std::string tool = BEAPI_BINARY_DIR "/tools/portsend/portsend";
		std::vector<std::string> words{tool, PORT_NAME, path};
		std::vector<char*> argv;
		for (std::string& word : words)
			argv.push_back(word.data());
		argv.push_back(nullptr);
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
		pid_t pid = -1;
		int status = -1;
		if (posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ) == 0)
			waitpid(pid, &status, 0);
		posix_spawn_file_actions_destroy(&actions);
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

	// What an application of the maker with the accelerator-format and flat-toolbar items
	// writes to the port.
	std::string RealOffer()
	{
		TInterAppPrefs store;
		store.SetAppSignatureRef(kSignatureB);
		store.AddItem(new TIAPItemAccKeyFormat());
		store.AddItem(new TIAPItemFlatToolBar());
		port_id port = create_port(1, "offer catcher");
		store.AddComponents(port);
		std::string bytes(size_t(std::max<ssize_t>(port_buffer_size(port), 0)), '\0');
		int32 code = 0;
		read_port(port, &code, bytes.data(), bytes.size());
		delete_port(port);
		return bytes;
	}

	int fSent = 0;
};

TEST_F(IAPWindowHostileTest, TheWindowIgnoresWhatItCannotTakeAndKeepsWorking)
{
	Helper a(fRuntime, kSignatureA, "af");
	Helper b(fRuntime, kSignatureB, "af");
	ASSERT_EQ(a.Show(), B_OK);
	a.LookFor(3);

	// Bytes that are no message, or not all of one; one over what a port carries is not sent.
	std::string real = RealOffer();
	ASSERT_GT(real.size(), 100u);
	EXPECT_EQ(Send(real.substr(0, real.size() / 2)), 0);
	EXPECT_EQ(Send(std::string(1024 * 1024, 'x')), 0);
	EXPECT_EQ(Send(std::string(1024 * 1024 + 1, 'x')), 2);
	EXPECT_EQ(Send(""), 0);

	// Fields of the wrong types, and a change that names no component.
	BMessage wrong(MSG_IAP_ADD_COMPONENTS);
	wrong.AddString("Locale", "enUS");
	wrong.AddInt32("Typed", 7);
	EXPECT_EQ(Send(flattened(wrong)), 0);
	BMessage anonymous(MSG_IAP_CONTROL_CHANGED);
	anonymous.AddInt32(IAP_FIELD_SRC_IAP_ITEM, 3);
	EXPECT_EQ(Send(flattened(anonymous)), 0);
	BMessage unknown(MSG_IAP_CONTROL_CHANGED);
	unknown.AddString(IAP_FIELD_SRC_IAP_ITEM, "NoSuchComponent");
	EXPECT_EQ(Send(flattened(unknown)), 0);

	// Components beyond the window's bounds: a thousand views deep, a frame of no sane size.
	BMessage deep = plain_view("BView", BRect(0, 0, 50, 10));
	for (int i = 0; i < 1000; i++) {
		BMessage parent = plain_view("BView", BRect(0, 0, 50, 10));
		parent.AddMessage("_views", &deep);
		deep = parent;
	}
	EXPECT_EQ(Send(flattened(offer("Deep", deep))), 0);
	EXPECT_EQ(Send(flattened(offer("Huge", plain_view("BView", BRect(0, 0, 1e30f, 1e30f))))), 0);
	EXPECT_EQ(Send(flattened(offer("Hollow", plain_view("BView", BRect(0, 0, NAN, 10))))), 0);
	// A class nobody knows: the view shows, without the child it cannot make.
	BMessage strange = plain_view("TNoSuchView", BRect(0, 0, 100, 20));
	BMessage child = plain_view("TNoSuchControl", BRect(0, 0, 50, 10));
	strange.AddMessage("_views", &child);
	EXPECT_EQ(Send(flattened(offer("Strange", strange))), 0);
	// Thousands of components: the window shows no more than a dozen.
	BMessage many(MSG_IAP_ADD_COMPONENTS);
	BMessage small = plain_view("BView", BRect(0, 0, 50, 10));
	for (int i = 0; i < 5000; i++)
		many.AddMessage(("Many" + std::to_string(i)).c_str(), &small);
	EXPECT_EQ(Send(flattened(many)), 0);

	BMessage look = a.LookFor(13);
	EXPECT_FALSE(child_of(look, "Deep").found);
	EXPECT_FALSE(child_of(look, "Huge").found);
	EXPECT_FALSE(child_of(look, "Hollow").found);
	EXPECT_TRUE(child_of(look, "Strange").found);
	EXPECT_TRUE(child_of(look, "Many0").found);
	EXPECT_FALSE(child_of(look, "Many11").found);
	BRect frame;
	ASSERT_EQ(look.FindRect("frame", &frame), B_OK);
	EXPECT_LT(frame.Width(), 1100);

	// A change that names the window as its source changes what the window shows, and still
	// the file is written only by the application named there.
	BMessage forged(MSG_IAP_CONTROL_CHANGED);
	forged.AddString(IAP_FIELD_SRC_APP, "IAPView");
	forged.AddString(IAP_FIELD_SRC_IAP_ITEM, "AccKeyFormat2");
	forged.AddString("AccKeyFormat2", "\x01"
									  "a) ");
	EXPECT_EQ(Send(flattened(forged)), 0);
	EXPECT_TRUE(b.WaitForLines("ipc AccKeyFormat2 0 \\x01a) ", 1));
	EXPECT_FALSE(test_settings::fs::exists(SettingsPath("Shared", "AccKeyFormat2.arc")));

	// The window still does its work.
	EXPECT_EQ(a.Choose(2), B_OK);
	EXPECT_TRUE(b.WaitForLines("ipc AccKeyFormat2 0 \\x01a\xe3\x83\xbb", 1));
	EXPECT_EQ(a.Click("ButtonCancel"), B_OK);
	EXPECT_TRUE(b.WaitForLines("iahd", 1));
	EXPECT_TRUE(b.WaitForLines("ipc AccKeyFormat2 0 \\x02(a)", 1));
}

} // namespace

namespace {

// A window that counts the messages it takes, and can be kept busy.
class CountingLooper : public BLooper {
public:
	CountingLooper() : BLooper("busy window") {}

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what == kProbe)
			fTaken++;
		else
			BLooper::MessageReceived(message);
	}

	static const uint32 kProbe = 'prob';
	std::atomic<int32> fTaken{0};
};

// However fast a program of the user writes to the window's port, what waits in the window
// stays bounded: while the window is busy the port fills and refuses more, and once it catches
// up it takes everything the port took.
TEST_F(IAPWindowHostileTest, AFloodWaitsAtThePortWhileTheWindowIsBusy)
{
	CountingLooper* window = new CountingLooper;
	window->Run();
	TIAPPortManager manager((BMessenger(window)));
	ASSERT_EQ(manager.Resume(), B_OK);
	bigtime_t end = system_time() + 10000000;
	while (manager.Port() == IAP_PORT_NOT_YET && system_time() < end)
		snooze(1000);
	port_id port = manager.Port();
	ASSERT_GE(port, 0);

	std::string probe = flattened(BMessage(CountingLooper::kProbe));
	ASSERT_TRUE(window->Lock());
	int32 accepted = 0;
	while (accepted < 2000 &&
		   write_port_etc(port, 0, probe.data(), probe.size(), B_RELATIVE_TIMEOUT, 20000) == B_OK)
		accepted++;
	EXPECT_GT(accepted, 0);
	EXPECT_LE(accepted, 2 * IAP_PORT_CAPACITY + 1);
	EXPECT_LE(window->MessageQueue()->CountMessages(), IAP_PORT_CAPACITY);
	window->Unlock();

	end = system_time() + 10000000;
	while (window->fTaken < accepted && system_time() < end)
		snooze(1000);
	EXPECT_EQ(window->fTaken, accepted);

	manager.Terminate();
	manager.PreventBlocking();
	manager.Wait();
	ASSERT_TRUE(window->Lock());
	window->Quit();
}

} // namespace
