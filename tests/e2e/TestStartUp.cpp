// A start that cannot go on says why on standard error and ends with status 1, quickly, instead
// of ending quietly or waiting for ever.
#include "AppRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// If the application did start, this closes it again, and its status 0 fails the test.
const std::string kCloseScript = std::string("close \"") + kWindowTitle + "\"\n";

} // namespace

TEST(StartUp, ARefusedRuntimeFolderIsNamedWithTheReason)
{
	struct Case {
		const char* what;
		const char* reason;
	};
	for (const Case& c : {Case{"link", "it is a symbolic link"}, Case{"file", "it is not a folder"},
						  Case{"stranger", "it belongs to user 65534"}}) {
		SCOPED_TRACE(c.what);
		AppRun run;
		std::string folder = run.Folder() + "/runtime/beapi";
		if (std::string(c.what) == "link") {
			mkdir((run.Folder() + "/elsewhere").c_str(), 0700);
			ASSERT_EQ(symlink((run.Folder() + "/elsewhere").c_str(), folder.c_str()), 0);
		} else if (std::string(c.what) == "file") {
			close(open(folder.c_str(), O_CREAT | O_WRONLY, 0600));
		} else {
			// Another user's folder can only be made by root.
			if (geteuid() != 0)
				continue;
			ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
			ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
		}
		EXPECT_EQ(run.Run(kCloseScript), 1);
		EXPECT_NE(
			run.Errors().find("cannot use the runtime folder \"" + folder + "\": " + c.reason),
			std::string::npos)
			<< run.Errors();
	}
}

TEST(StartUp, ARosterLockHeldByAFrozenProcessEndsASecondStartAfterTwoSeconds)
{
	AppRun run;
	std::string roster = run.Folder() + "/runtime/beapi/roster";
	ASSERT_EQ(mkdir((run.Folder() + "/runtime/beapi").c_str(), 0700), 0);
	ASSERT_EQ(mkdir(roster.c_str(), 0700), 0);
	// This process stands for an instance frozen while it registers: it holds the lock.
	int lock = open((roster + "/lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
	ASSERT_GE(lock, 0);
	ASSERT_EQ(flock(lock, LOCK_EX), 0);

	auto start = std::chrono::steady_clock::now();
	EXPECT_EQ(run.Run(kCloseScript), 1);
	auto waited = std::chrono::steady_clock::now() - start;
	EXPECT_GE(waited, std::chrono::seconds(2));
	EXPECT_NE(run.Errors().find("held a lock in the runtime folder"), std::string::npos)
		<< run.Errors();

	// Once the lock is free the application starts as usual.
	close(lock);
	EXPECT_EQ(run.Run(kCloseScript), 0) << run.Errors();
}
