#ifndef KERNEL_TEST_H
#define KERNEL_TEST_H

#include "Watchdog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

// Every kernel test runs under a watchdog, so that a thread or process that hangs fails the test
// run instead of stalling it; each test also gets a runtime folder of its own.
class KernelTest : public testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/beapi-kernel-test-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fRuntimeFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
	}

	void TearDown() override
	{
		std::string command = "rm -rf '" + fRuntimeFolder + "'";
		(void)!system(command.c_str());
	}

	Watchdog fWatchdog{30};
	std::string fRuntimeFolder;
};

#endif
