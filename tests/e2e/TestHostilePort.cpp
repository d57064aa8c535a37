// Bytes another program of the user writes into the application's port file neither stop the
// application nor keep others from reaching it.
#include "AppRun.h"

#include <OS.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const char kSignature[] = "application/x-vnd.MOZELT-ZorvyPreferences";

bool
wait_for_file(const std::string& path)
{
	for (int i = 0; i < 3000; i++) {
		if (access(path.c_str(), F_OK) == 0)
			return true;
		snooze(10000);
	}
	return false;
}

// The file of the only application's port: the one named "application <pid>", as the platform
// names an application's port.
std::string
application_port_file(const std::string& runtime)
{
	std::string prefix = "name-";
	char hex[3];
	for (char c : std::string("application ")) {
		snprintf(hex, sizeof(hex), "%02x", unsigned(uint8(c)));
		prefix += hex;
	}
	for (int i = 0; i < 3000; i++) {
		std::error_code error;
		for (const auto& entry : std::filesystem::directory_iterator(runtime, error)) {
			std::string name = entry.path().filename().string();
			if (name.compare(0, prefix.size(), prefix) != 0)
				continue;
			char target[32] = {};
			ssize_t length = readlink(entry.path().c_str(), target, sizeof(target) - 1);
			if (length > 0)
				return runtime + "/port-" + std::string(target, size_t(length));
		}
		snooze(10000);
	}
	return "";
}

} // namespace

TEST(HostilePort, FortyBytesWrittenIntoTheApplicationsPortFileDoNotStopIt)
{
	AppRun run;
	pid_t app = run.Start("", "app");
	ASSERT_GT(app, 0);
	ASSERT_TRUE(wait_for_file(run.ShotPath(kWindowTitle) + ".png"));
	std::string file = application_port_file(run.Folder() + "/runtime/beapi");
	ASSERT_FALSE(file.empty());

	// This test is the other program: it writes over the start of the port's header.
	int fd = open(file.c_str(), O_WRONLY);
	ASSERT_GE(fd, 0);
	const char garbage[41] = "\xde\xad\xbe\xef garbage over the port's header!!";
	ASSERT_EQ(pwrite(fd, garbage, 40, 0), 40);
	close(fd);

	// The application still takes requests through its port, and quits when asked.
	EXPECT_EQ(run.AppSend({kSignature, "B_ABOUT_REQUESTED"}), 0) << run.Errors();
	EXPECT_TRUE(wait_for_file(run.ShotPath("About Zorvy 環境設定") + ".png"));
	EXPECT_EQ(run.AppSend({kSignature, "B_QUIT_REQUESTED"}), 0) << run.Errors();
	EXPECT_EQ(run.Wait(app, "app"), 0) << run.Errors();
}
