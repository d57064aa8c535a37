#include "Watchdog.h"

#include <gtest/gtest.h>

#include <Message.h>
#include <OS.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const char kPortsend[] = BEAPI_BINARY_DIR "/tools/portsend/portsend";

// Runs a tool to its end, standard input read from a file when one is given; its exit status.
int
run(const std::string& tool, const std::vector<std::string>& arguments,
	const std::string& input = "/dev/null")
{
	std::vector<std::string> words{tool};
	words.insert(words.end(), arguments.begin(), arguments.end());
	std::vector<char*> argv;
	for (std::string& word : words)
		argv.push_back(word.data());
	argv.push_back(nullptr);
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
	posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
	posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
	pid_t pid = -1;
	int status = -1;
	if (posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ) == 0)
		waitpid(pid, &status, 0);
	posix_spawn_file_actions_destroy(&actions);
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// portlisten in a child process, saving what arrives.
class Listener {
public:
	explicit Listener(const std::vector<std::string>& arguments)
	{
		std::string tool = BEAPI_BINARY_DIR "/tools/portlisten/portlisten";
		std::vector<std::string> words{tool};
		words.insert(words.end(), arguments.begin(), arguments.end());
		std::vector<char*> argv;
		for (std::string& word : words)
			argv.push_back(word.data());
		argv.push_back(nullptr);
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
		posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
		if (posix_spawn(&fPid, tool.c_str(), &actions, nullptr, argv.data(), environ) != 0)
			fPid = -1;
		posix_spawn_file_actions_destroy(&actions);
	}

	~Listener()
	{
		if (fPid > 0) {
			kill(fPid, SIGKILL);
			Wait();
		}
	}

	int Wait()
	{
		int status = 0;
		waitpid(fPid, &status, 0);
		fPid = -1;
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

private:
	pid_t fPid = -1;
};

class Portsend : public testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/portsend-test-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
	}

	void TearDown() override
	{
		std::string command = "rm -rf '" + fFolder + "'";
		(void)!system(command.c_str());
	}

	std::string Write(const char* name, const std::string& bytes)
	{
		std::string path = fFolder + "/" + name;
		std::ofstream(path, std::ios::binary) << bytes;
		return path;
	}

	static std::string Read(const std::string& path)
	{
		std::ifstream file(path, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(file), {});
	}

	static port_id WaitForPort(const char* name)
	{
		port_id port = -1;
		for (int i = 0; i < 1000 && (port = find_port(name)) < 0; i++)
			snooze(10000);
		return port;
	}

	Watchdog fWatchdog{60};
	std::string fFolder;
};

TEST_F(Portsend, EachFileOrStandardInputArrivesAsOneMessageOfItsBytes)
{
	BMessage message('_prc');
	message.AddString("CWFF", "Haru");
	std::string body(size_t(message.FlattenedSize()), '\0');
	message.Flatten(body.data(), ssize_t(body.size()));
	std::string first = Write("first", body);
	std::string empty = Write("empty", "");
	std::string raw = Write("raw", std::string("not a message\0with a zero", 25));

	std::string saved = fFolder + "/saved";
	Listener listener({"--count", "4", "--save", saved, "send-port"});
	ASSERT_GE(WaitForPort("send-port"), 0);
	EXPECT_EQ(run(kPortsend, {"send-port", first, empty, raw}), 0);
	EXPECT_EQ(run(kPortsend, {"--timeout", "500", "send-port"}, raw), 0);
	EXPECT_EQ(listener.Wait(), 0);

	EXPECT_EQ(Read(saved + "/000001.msg"), body);
	EXPECT_EQ(Read(saved + "/000002.msg"), "");
	EXPECT_EQ(Read(saved + "/000003.msg"), Read(raw));
	EXPECT_EQ(Read(saved + "/000004.msg"), Read(raw));
}

TEST_F(Portsend, ExitStatusesTellWhatWentWrong)
{
	std::string small = Write("small", "x");
	// No such port, and a port that stays full.
	EXPECT_EQ(run(kPortsend, {"no-such-port", small}), 1);
	Listener holder({"--hold", "full-port"});
	port_id port = WaitForPort("full-port");
	ASSERT_GE(port, 0);
	for (int i = 0; i < 100; i++)
		ASSERT_EQ(write_port(port, 0, "x", 1), B_OK);
	EXPECT_EQ(run(kPortsend, {"--timeout", "50", "full-port", small}), 1);

	// Bad arguments, an unreadable file, more than a port carries: nothing is sent.
	std::string large = Write("large", std::string(1024 * 1024 + 1, 'x'));
	for (const std::vector<std::string>& arguments :
		 std::vector<std::vector<std::string>>{{},
											   {"--timeout", "soon", "full-port"},
											   {"--timeout", "-1", "full-port"},
											   {"--colour", "full-port"},
											   {"full-port", fFolder + "/missing"},
											   {"full-port", large}})
		EXPECT_EQ(run(kPortsend, arguments), 2) << testing::PrintToString(arguments);
	EXPECT_EQ(port_count(port), 100);
	EXPECT_EQ(run(kPortsend, {"--help"}), 0);
}

} // namespace
