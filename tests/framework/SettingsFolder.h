#ifndef TESTS_FRAMEWORK_SETTINGS_FOLDER_H
#define TESTS_FRAMEWORK_SETTINGS_FOLDER_H

// Test helpers shared by the maker's library and the application: a fresh user settings folder
// per test, file helpers, and running this test binary again as a child process.

#include <gtest/gtest.h>

#include <Message.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace test_settings {

namespace fs = std::filesystem;

// Every test gets its own XDG_CONFIG_HOME, removed afterwards; children inherit it.
class SettingsTest : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/zorvy-settings-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fRoot = pattern;
		const char* old = getenv("XDG_CONFIG_HOME");
		fHadOld = old != nullptr;
		if (fHadOld)
			fOld = old;
		setenv("XDG_CONFIG_HOME", fRoot.c_str(), 1);
	}

	void TearDown() override
	{
		if (fHadOld)
			setenv("XDG_CONFIG_HOME", fOld.c_str(), 1);
		else
			unsetenv("XDG_CONFIG_HOME");
		std::error_code ignored;
		fs::remove_all(fRoot, ignored);
	}

	std::string SettingsPath(const std::string& folder, const std::string& file = "") const
	{
		std::string path = fRoot + "/MOZELT/" + folder;
		return file.empty() ? path : path + "/" + file;
	}

	std::string fRoot;

private:
	bool fHadOld = false;
	std::string fOld;
};

inline std::string
read_file(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void
write_file(const std::string& path, const std::string& bytes)
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	out.write(bytes.data(), bytes.size());
}

inline std::string
flatten(const BMessage& message)
{
	std::string bytes(message.FlattenedSize(), '\0');
	EXPECT_EQ(message.Flatten(bytes.data(), bytes.size()), B_OK);
	return bytes;
}

inline void
write_message(const std::string& path, const BMessage& message)
{
	write_file(path, flatten(message));
}

// Files in `folder` whose names begin with `prefix`.
inline int
count_files_starting(const std::string& folder, const std::string& prefix)
{
	int count = 0;
	for (const auto& entry : fs::directory_iterator(folder))
		count += entry.path().filename().string().rfind(prefix, 0) == 0;
	return count;
}

// The variable that makes a run of this binary a child doing the work a parent test asks for.
inline constexpr char kChildVariable[] = "ZORVY_TEST_CHILD";

inline bool
is_child()
{
	return getenv(kChildVariable) != nullptr;
}

// Starts this test binary again running only `test` ("Suite.Name"), with `env` added to the
// environment and `child` as the value of kChildVariable.
inline pid_t
spawn_self(const std::string& test, const std::string& child,
		   const std::vector<std::pair<std::string, std::string>>& env = {})
{
	pid_t pid = fork();
	if (pid != 0)
		return pid;
	for (const auto& [name, value] : env)
		setenv(name.c_str(), value.c_str(), 1);
	setenv(kChildVariable, child.c_str(), 1);
	// The child reports through its exit code; its test runner's chatter is not wanted.
	int quiet = open("/dev/null", O_WRONLY);
	if (quiet >= 0)
		dup2(quiet, STDOUT_FILENO);
	std::string filter = "--gtest_filter=" + test;
	char* argv[] = {const_cast<char*>("child"), filter.data(), nullptr};
	execv("/proc/self/exe", argv);
	_exit(127);
}

// The child's exit code, or -1 when it did not exit by itself. A child still running after
// `seconds` is killed, so that a hanging child fails the test instead of stalling it.
inline int
wait_exit_code(pid_t pid, int seconds = 60)
{
	int status = 0;
	for (int waited = 0;; waited++) {
		pid_t done = waitpid(pid, &status, WNOHANG);
		if (done == pid)
			break;
		if (done < 0 && errno != EINTR)
			return -1;
		if (waited == seconds * 100) {
			kill(pid, SIGKILL);
			waitpid(pid, &status, 0);
			return -1;
		}
		usleep(10000);
	}
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline int
run_self(const std::string& test, const std::string& child,
		 const std::vector<std::pair<std::string, std::string>>& env = {})
{
	return wait_exit_code(spawn_self(test, child, env));
}

} // namespace test_settings

#endif
