#include <gtest/gtest.h>

#include <InterfaceDefs.h>

#include "ModifierState.h"

#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

TEST(Modifiers, BitsHaveThePlatformValues)
{
	EXPECT_EQ(B_SHIFT_KEY, 0x1);
	EXPECT_EQ(B_COMMAND_KEY, 0x2);
	EXPECT_EQ(B_CONTROL_KEY, 0x4);
	EXPECT_EQ(B_CAPS_LOCK, 0x8);
	EXPECT_EQ(B_SCROLL_LOCK, 0x10);
	EXPECT_EQ(B_NUM_LOCK, 0x20);
	EXPECT_EQ(B_OPTION_KEY, 0x40);
	EXPECT_EQ(B_MENU_KEY, 0x80);
	EXPECT_EQ(B_LEFT_SHIFT_KEY, 0x100);
	EXPECT_EQ(B_RIGHT_OPTION_KEY, 0x8000);
	EXPECT_EQ(B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY, 0x47);
	EXPECT_EQ(B_ESCAPE, 0x1b);
	EXPECT_EQ(B_F12_KEY, 0x0d);
}

TEST(Modifiers, TheSetterChangesWhatIsReported)
{
	uint32 before = modifiers();
	BPrivate::set_modifiers(B_SHIFT_KEY | B_LEFT_SHIFT_KEY);
	EXPECT_EQ(modifiers(), uint32(B_SHIFT_KEY | B_LEFT_SHIFT_KEY));
	BPrivate::set_modifiers(0);
	EXPECT_EQ(modifiers(), 0u);
	BPrivate::set_modifiers(before);
}

// Run in a child process started with BEAPI_MODIFIERS set: reports through the exit status
// whether modifiers() equals BEAPI_EXPECTED_MODIFIERS.
TEST(Modifiers, ChildReportsTheStartState)
{
	const char* expected = getenv("BEAPI_EXPECTED_MODIFIERS");
	if (expected == nullptr)
		GTEST_SKIP() << "only run as a child";
	EXPECT_EQ(modifiers(), uint32(strtoul(expected, nullptr, 10)));
}

static int
run_child(const char* value, uint32 expected)
{
	std::vector<std::string> env;
	for (char** variable = environ; *variable != nullptr; variable++) {
		if (strncmp(*variable, "BEAPI_", 6) != 0)
			env.emplace_back(*variable);
	}
	if (value != nullptr)
		env.push_back(std::string("BEAPI_MODIFIERS=") + value);
	env.push_back("BEAPI_EXPECTED_MODIFIERS=" + std::to_string(expected));
	std::vector<char*> envp;
	for (std::string& variable : env)
		envp.push_back(variable.data());
	envp.push_back(nullptr);
	std::string filter = "--gtest_filter=Modifiers.ChildReportsTheStartState";
	char* argv[] = {const_cast<char*>("/proc/self/exe"), filter.data(), nullptr};
	pid_t child;
	if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv, envp.data()) != 0)
		return -1;
	int status = 0;
	if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
		return -1;
	return WEXITSTATUS(status);
}

TEST(Modifiers, TheEnvironmentSetsTheStateAtStart)
{
	if (getenv("BEAPI_EXPECTED_MODIFIERS") != nullptr)
		GTEST_SKIP() << "already a child";
	EXPECT_EQ(run_child(nullptr, 0), 0);
	EXPECT_EQ(run_child("71", 0x47), 0);
	EXPECT_EQ(run_child("0x47", 0x47), 0);
	EXPECT_EQ(run_child("0X8000", 0x8000), 0);
	EXPECT_EQ(run_child("010", 10), 0);
	EXPECT_EQ(run_child("shift", 0), 0);
	EXPECT_EQ(run_child("12abc", 0), 0);
	EXPECT_EQ(run_child("-1", 0), 0);
	EXPECT_EQ(run_child("0x100000000", 0), 0);
}
