#include "Watchdog.h"

#include <gtest/gtest.h>

#include <Message.h>
#include <OS.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// portlisten running in a child process, its output read line by line.
class Listener {
public:
	explicit Listener(const std::vector<std::string>& arguments)
	{
		int out[2];
		int err[2];
		if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
			return;
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
		posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
		std::string tool = BEAPI_BINARY_DIR "/tools/portlisten/portlisten";
		std::vector<std::string> words{tool};
		words.insert(words.end(), arguments.begin(), arguments.end());
		std::vector<char*> argv;
		for (std::string& word : words)
			argv.push_back(word.data());
		argv.push_back(nullptr);
		if (posix_spawn(&fPid, tool.c_str(), &actions, nullptr, argv.data(), environ) != 0)
			fPid = -1;
		posix_spawn_file_actions_destroy(&actions);
		close(out[1]);
		close(err[1]);
		fOut = fdopen(out[0], "r");
		fErr = fdopen(err[0], "r");
	}

	~Listener()
	{
		if (fPid > 0) {
			kill(fPid, SIGKILL);
			Wait();
		}
		fclose(fOut);
		fclose(fErr);
	}

	std::string Line() { return ReadLine(fOut); }
	std::string ErrorLine() { return ReadLine(fErr); }
	void Signal(int signal) { kill(fPid, signal); }

	int Wait()
	{
		int status = 0;
		waitpid(fPid, &status, 0);
		fPid = -1;
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

private:
	static std::string ReadLine(FILE* from)
	{
		char line[8192];
		if (from == nullptr || fgets(line, sizeof(line), from) == nullptr)
			return "";
		std::string text(line);
		if (!text.empty() && text.back() == '\n')
			text.pop_back();
		return text;
	}

	pid_t fPid = -1;
	FILE* fOut = nullptr;
	FILE* fErr = nullptr;
};

class Portlisten : public testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/portlisten-test-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
	}

	void TearDown() override
	{
		std::string command = "rm -rf '" + fFolder + "'";
		(void)!system(command.c_str());
	}

	Watchdog fWatchdog{30};
	std::string fFolder;
};

std::string
flattened(const BMessage& message)
{
	std::string bytes(size_t(message.FlattenedSize()), '\0');
	message.Flatten(bytes.data(), ssize_t(bytes.size()));
	return bytes;
}

std::string
file_bytes(const std::string& path)
{
	std::ifstream file(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST_F(Portlisten, PrintsEachMessageAsOneJsonLineAndSavesItsBytes)
{
	std::string saved = fFolder + "/saved";
	Listener listener({"--json", "--count", "3", "--save", saved, "json-port"});
	ASSERT_EQ(listener.ErrorLine(), "listening json-port");
	port_id port = find_port("json-port");
	ASSERT_GT(port, 0);

	BMessage message('_prc');
	message.AddInt32("KyNv", 2);
	message.AddString("CWFF", "Haru");
	std::string body = flattened(message);
	ASSERT_EQ(write_port(port, 0, body.data(), body.size()), B_OK);
	ASSERT_EQ(write_port(port, -7, nullptr, 0), B_OK);
	ASSERT_EQ(write_port(port, 5, "junk", 4), B_OK);

	EXPECT_EQ(
		listener.Line(),
		"{\"code\": 0, \"size\": " + std::to_string(body.size()) +
			", \"format\": \"native\", \"what\": 1601204835, \"fields\": [{\"name\": \"KyNv\", "
			"\"type\": \"LONG\", \"values\": [2]}, {\"name\": \"CWFF\", \"type\": \"CSTR\", "
			"\"values\": [\"Haru\"]}]}");
	EXPECT_EQ(listener.Line(), "{\"code\": -7, \"size\": 0}");
	std::string junk = listener.Line();
	EXPECT_EQ(junk.rfind("{\"code\": 5, \"size\": 4, \"error\": \"", 0), 0u) << junk;
	EXPECT_EQ(listener.Wait(), 0);
	EXPECT_EQ(find_port("json-port"), B_NAME_NOT_FOUND);

	EXPECT_EQ(file_bytes(saved + "/000001.msg"), body);
	struct stat info;
	ASSERT_EQ(stat((saved + "/000002.msg").c_str(), &info), 0);
	EXPECT_EQ(info.st_size, 0);
	EXPECT_EQ(file_bytes(saved + "/000003.msg"), "junk");
}

TEST_F(Portlisten, HoldLetsThePortFillToItsCapacity)
{
	Listener listener({"--json", "--hold", "--count", "100", "held"});
	ASSERT_EQ(listener.ErrorLine(), "listening held");
	port_id port = find_port("held");
	ASSERT_GT(port, 0);
	for (int32 i = 0; i < 100; i++)
		ASSERT_EQ(write_port_etc(port, i, nullptr, 0, B_RELATIVE_TIMEOUT, 0), B_OK) << i;
	EXPECT_EQ(write_port_etc(port, 100, nullptr, 0, B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	listener.Signal(SIGUSR1);
	for (int32 i = 0; i < 100; i++)
		ASSERT_EQ(listener.Line(), "{\"code\": " + std::to_string(i) + ", \"size\": 0}");
	EXPECT_EQ(listener.Wait(), 0);
}

TEST_F(Portlisten, PlainOutputShowsCodeSizeAndMessage)
{
	Listener listener({"plain"});
	ASSERT_EQ(listener.ErrorLine(), "listening plain");
	BMessage message('abcd');
	message.AddBool("flag", true);
	std::string body = flattened(message);
	ASSERT_EQ(write_port(find_port("plain"), 3, body.data(), body.size()), B_OK);
	ASSERT_EQ(write_port(find_port("plain"), 4, nullptr, 0), B_OK);
	EXPECT_EQ(listener.Line(),
			  "message 1: code 3, " + std::to_string(body.size()) + " bytes, native");
	EXPECT_NE(listener.Line().find("abcd"), std::string::npos);
	std::string line;
	do
		line = listener.Line();
	while (!line.empty() && line.rfind("message 2", 0) != 0);
	EXPECT_EQ(line, "message 2: code 4, 0 bytes");
	listener.Signal(SIGTERM);
	EXPECT_EQ(listener.Wait(), 0);
	EXPECT_EQ(find_port("plain"), B_NAME_NOT_FOUND);
}

TEST_F(Portlisten, ASecondListenerOfALiveNameFails)
{
	Listener first({"twice"});
	ASSERT_EQ(first.ErrorLine(), "listening twice");
	Listener second({"twice"});
	std::string error = second.ErrorLine();
	EXPECT_EQ(error.rfind("portlisten: cannot create port twice", 0), 0u) << error;
	EXPECT_EQ(second.ErrorLine(), "");
	EXPECT_EQ(second.Wait(), 1);
	first.Signal(SIGINT);
	EXPECT_EQ(first.Wait(), 0);
}

} // namespace
