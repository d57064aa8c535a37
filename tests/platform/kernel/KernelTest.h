#ifndef KERNEL_TEST_H
#define KERNEL_TEST_H

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <unistd.h>

// Every kernel test runs under an alarm, so that a thread or process that hangs fails the test
// run instead of stalling it; each test also gets a runtime folder of its own.
class KernelTest : public testing::Test {
protected:
	void SetUp() override
	{
		signal(SIGALRM, [](int) {
			const char text[] = "watchdog: the test hung\n";
			(void)!write(STDERR_FILENO, text, sizeof(text) - 1);
			_exit(99);
		});
		alarm(kWatchdogSeconds);
		char folder[] = "/tmp/beapi-kernel-test-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fRuntimeFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
	}

	void TearDown() override
	{
		alarm(0);
		std::string command = "rm -rf '" + fRuntimeFolder + "'";
		(void)!system(command.c_str());
	}

	static constexpr unsigned kWatchdogSeconds = 30;
	std::string fRuntimeFolder;
};

#endif
