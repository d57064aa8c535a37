#include "IAPProcesses.h"

#include "HeadlessEnvironment.h"

#include <common_prefs/IAPMessages.h>

#include <Messenger.h>

#include <csignal>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace iap_test {

namespace {

// The children draw on their own headless displays, with the test fonts.
const HeadlessEnvironment sEnvironment;

// Generous: the machine runs other tests and builds beside these.
const bigtime_t kReplyTimeout = 30000000;
const bigtime_t kLineTimeout = 30000000;

// A thread keeps the port its replies come to, made in the runtime folder of its first wait;
// every test has a folder of its own, so every wait has a thread of its own.
status_t
send_and_wait(const char* signature, BMessage* message, BMessage* reply)
{
	status_t status = B_ERROR;
	std::thread([&] {
		BMessenger target(signature);
		status = target.IsValid() ? target.SendMessage(message, reply, kReplyTimeout, kReplyTimeout)
								  : B_BAD_PORT_ID;
	}).join();
	return status;
}

} // namespace

Process::Process(const std::vector<std::string>& arguments,
				 const std::vector<std::string>& environment)
{
	std::vector<std::string> args(arguments);
	std::vector<char*> argv;
	for (std::string& arg : args)
		argv.push_back(arg.data());
	argv.push_back(nullptr);
	std::vector<std::string> env;
	for (char** variable = environ; *variable != nullptr; variable++)
		env.push_back(*variable);
	env.insert(env.end(), environment.begin(), environment.end());
	std::vector<char*> envp;
	for (std::string& variable : env)
		envp.push_back(variable.data());
	envp.push_back(nullptr);
	if (posix_spawn(&fPid, args[0].c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
		fPid = -1;
}

Process::~Process()
{
	if (fPid > 0 && !fReaped) {
		kill(fPid, SIGKILL);
		waitpid(fPid, nullptr, 0);
	}
}

int
Process::WaitForExit(bigtime_t timeout)
{
	bigtime_t end = system_time() + timeout;
	for (;;) {
		int status;
		if (waitpid(fPid, &status, WNOHANG) == fPid) {
			fReaped = true;
			return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
		}
		if (system_time() > end)
			return -1;
		snooze(10000);
	}
}

Helper::Helper(const std::string& folder, const char* signature, const char* items)
	: fSignature(signature), fLog(folder + "/" + items + "-" + std::to_string(system_time()))
{
	fProcess = std::make_unique<Process>(
		std::vector<std::string>{BEAPI_BINARY_DIR "/tests/iap_test_helper", signature, fLog, items},
		std::vector<std::string>{});
	EXPECT_GT(fProcess->Pid(), 0);
	EXPECT_TRUE(WaitForLines("ready", 1)) << signature;
}

BMessage
Helper::Command(BMessage command)
{
	BMessage reply;
	EXPECT_EQ(send_and_wait(fSignature, &command, &reply), B_OK);
	EXPECT_EQ(reply.what, uint32('done'));
	return reply;
}

status_t
Helper::Show()
{
	return Command('show').GetInt32("status", B_ERROR);
}

BMessage
Helper::Look()
{
	return Command('look');
}

BMessage
Helper::LookFor(int32 children)
{
	bigtime_t end = system_time() + kLineTimeout;
	BMessage look = Look();
	while (count_children(look) != children && system_time() < end) {
		snooze(10000);
		look = Look();
	}
	EXPECT_EQ(count_children(look), children);
	return look;
}

status_t
Helper::Choose(int32 index)
{
	BMessage command('menu');
	command.AddInt32("index", index);
	return Command(command).GetInt32("status", B_ERROR);
}

status_t
Helper::Click(const char* view)
{
	BMessage command('clik');
	command.AddString("view", view);
	return Command(command).GetInt32("status", B_ERROR);
}

status_t
Helper::Key(const char* key)
{
	BMessage command('key ');
	command.AddString("key", key);
	return Command(command).GetInt32("status", B_ERROR);
}

status_t
Helper::Type(const char* text)
{
	BMessage command('type');
	command.AddString("text", text);
	return Command(command).GetInt32("status", B_ERROR);
}

status_t
Helper::Close()
{
	return Command('clos').GetInt32("status", B_ERROR);
}

status_t
Helper::Shot(const std::string& path)
{
	BMessage command('shot');
	command.AddString("path", path.c_str());
	return Command(command).GetInt32("status", B_ERROR);
}

int
Helper::Quit()
{
	Command('quit');
	return fProcess->WaitForExit();
}

std::vector<std::string>
Helper::Lines() const
{
	std::vector<std::string> lines;
	std::ifstream file(fLog);
	std::string line;
	while (std::getline(file, line))
		lines.push_back(line);
	return lines;
}

size_t
Helper::CountLines(const std::string& prefix) const
{
	size_t count = 0;
	for (const std::string& line : Lines()) {
		if (line.compare(0, prefix.size(), prefix) == 0)
			count++;
	}
	return count;
}

bool
Helper::WaitForLines(const std::string& prefix, size_t count) const
{
	bigtime_t end = system_time() + kLineTimeout;
	while (CountLines(prefix) < count) {
		if (system_time() > end)
			return false;
		snooze(10000);
	}
	return true;
}

Child
child_of(const BMessage& look, const char* name)
{
	Child child;
	int32 menus = 0, boxes = 0, texts = 0;
	for (int32 i = 0; const char* found = look.GetString("child", i, NULL); i++) {
		bool match = strcmp(found, name) == 0;
		BMessage record;
		if (match) {
			child.found = true;
			look.FindRect("childFrame", i, &child.frame);
			child.label = look.GetString("label", i, "");
		}
		// The control fields come one per child of their kind, in the children's order.
		if (strcmp(found, "AccKeyFormat2") == 0) {
			if (match) {
				child.marked = look.GetString("marked", menus, "");
				child.shown = look.GetString("shown", menus, "");
			}
			menus++;
		} else if (strcmp(found, "FlatToolBar") == 0) {
			if (match)
				child.value = look.GetInt32("value", boxes, -1);
			boxes++;
		} else if (strcmp(found, "Locale") == 0) {
			if (match)
				child.text = look.GetString("text", texts, "");
			texts++;
		}
	}
	return child;
}

int32
count_children(const BMessage& look)
{
	int32 count = 0;
	while (look.GetString("child", count, NULL) != NULL)
		count++;
	return count;
}

void
IAPProcessTest::SetUp()
{
	SettingsTest::SetUp();
	char folder[] = "/tmp/iap-processes-XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	fRuntime = folder;
	setenv("XDG_RUNTIME_DIR", folder, 1);
}

void
IAPProcessTest::TearDown()
{
	std::error_code ignored;
	test_settings::fs::remove_all(fRuntime, ignored);
	SettingsTest::TearDown();
}

std::unique_ptr<Process>
IAPProcessTest::StartZorvy()
{
	test_settings::fs::create_directories(ZorvyShots());
	auto zorvy = std::make_unique<Process>(
		std::vector<std::string>{BEAPI_BINARY_DIR "/app/ZorvyPreferences"},
		std::vector<std::string>{"BEAPI_SCREENSHOT_DIR=" + ZorvyShots()});
	// Ready when it answers.
	bigtime_t end = system_time() + kReplyTimeout;
	while (!RoundTrip(kZorvySignature) && system_time() < end)
		snooze(20000);
	return zorvy;
}

bool
IAPProcessTest::RoundTrip(const char* signature)
{
	BMessage ping('ping');
	BMessage reply;
	return send_and_wait(signature, &ping, &reply) == B_OK;
}

} // namespace iap_test
