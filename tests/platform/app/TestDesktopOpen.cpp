#include <gtest/gtest.h>

#include <Errors.h>
#include <OS.h>
#include <Roster.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "Watchdog.h"

namespace {

// A stand-in for the desktop's opener first on PATH: it writes down each target it is given.
class DesktopOpen : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/beapi-opener-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fFolder = pattern;
		fBin = fFolder + "/bin";
		std::filesystem::create_directories(fBin);
		std::ofstream script(fBin + "/xdg-open");
		script << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << fFolder << "/opened'\n";
		script.close();
		chmod((fBin + "/xdg-open").c_str(), 0755);
		const char* path = getenv("PATH");
		fOldPath = path != nullptr ? path : "";
		setenv("PATH", ("relative/bin:" + fBin + ":" + fOldPath).c_str(), 1);
		setenv("XDG_RUNTIME_DIR", fFolder.c_str(), 1);
		setenv("XDG_CONFIG_HOME", fFolder.c_str(), 1);
	}

	void TearDown() override
	{
		setenv("PATH", fOldPath.c_str(), 1);
		std::error_code ignored;
		std::filesystem::remove_all(fFolder, ignored);
	}

	// The targets the opener was given, once there are as many as expected (or the time ran out).
	std::vector<std::string> Opened(size_t expected)
	{
		std::vector<std::string> lines;
		for (int i = 0; i < 500; i++) {
			lines.clear();
			std::ifstream log(fFolder + "/opened");
			for (std::string line; std::getline(log, line);)
				lines.push_back(line);
			if (lines.size() >= expected)
				break;
			snooze(10000);
		}
		std::sort(lines.begin(), lines.end());
		return lines;
	}

	std::string fFolder;
	std::string fBin;
	std::string fOldPath;
};

} // namespace

TEST_F(DesktopOpen, ADocumentTypeWithoutAnApplicationGoesToTheDesktop)
{
	Watchdog watchdog(60);
	const char* address[] = {"https://example.org/a b?c=\"d\""};
	team_id team = -1;
	EXPECT_EQ(be_roster->Launch("text/html", 1, address, &team), B_OK);
	EXPECT_GT(team, 0);
	EXPECT_EQ(Opened(1), std::vector<std::string>{address[0]});

	// Each target is opened on its own.
	const char* files[] = {"/tmp/one file.txt", "-not-an-option"};
	EXPECT_EQ(be_roster->Launch("text/plain", 2, files), B_OK);
	std::vector<std::string> expected = {"-not-an-option", "/tmp/one file.txt", address[0]};
	std::sort(expected.begin(), expected.end());
	EXPECT_EQ(Opened(3), expected);
}

TEST_F(DesktopOpen, ApplicationsAndLaunchesWithoutTargetsNeverReachTheDesktop)
{
	Watchdog watchdog(60);
	const char* target[] = {"/tmp/file"};
	EXPECT_EQ(be_roster->Launch("application/x-vnd.beapi-nobody", 1, target),
			  B_LAUNCH_FAILED_APP_NOT_FOUND);
	EXPECT_EQ(be_roster->Launch("text/html", 0, target), B_LAUNCH_FAILED_APP_NOT_FOUND);
	EXPECT_EQ(be_roster->Launch("text/html"), B_LAUNCH_FAILED_APP_NOT_FOUND);
	snooze(100000);
	EXPECT_FALSE(std::filesystem::exists(fFolder + "/opened"));
}

TEST_F(DesktopOpen, WithoutAnOpenerNothingIsStarted)
{
	Watchdog watchdog(60);
	setenv("PATH", ("relative/bin:" + fFolder).c_str(), 1);
	const char* target[] = {"https://example.org/"};
	EXPECT_EQ(be_roster->Launch("text/html", 1, target), B_LAUNCH_FAILED_APP_NOT_FOUND);
	// An opener that cannot be run is no opener either.
	setenv("PATH", fBin.c_str(), 1);
	chmod((fBin + "/xdg-open").c_str(), 0644);
	EXPECT_EQ(be_roster->Launch("text/html", 1, target), B_LAUNCH_FAILED_APP_NOT_FOUND);
}
