#include "AppRun.h"
#include "PngImage.h"

#include <OS.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// A person's ways into the About box and the maker's common preferences where no desktop menu
// sends the request: the command line, also while the application runs, and appsend.
namespace {

const char kAboutTitle[] = "About Zorvy 環境設定";
const char kCommonPrefsTitle[] = "MOZELT Common Preferences";
const char kSignature[] = "application/x-vnd.MOZELT-ZorvyPreferences";

std::string
quoted(const std::string& text)
{
	return "\"" + text + "\"";
}

bool
wait_for_file(const std::string& path)
{
	for (int i = 0; i < 3000; i++) {
		if (access(path.c_str(), F_OK) == 0)
			return true;
		usleep(10000);
	}
	return false;
}

// The picture the display writes of a window whenever it changes, once it exists.
bool
wait_for_picture(const AppRun& run, const std::string& title)
{
	return wait_for_file(run.Folder() + "/shots/" + title + ".png");
}

void
expect_about_picture(const AppRun& run, const char* name)
{
	std::string reference = BEAPI_SOURCE_DIR "/tests/e2e/ref/about.png";
	if (getenv("BEAPI_UPDATE_REFERENCES") != NULL) {
		rename(run.ShotPath(name).c_str(), reference.c_str());
		return;
	}
	double difference = png_difference(run.ShotPath(name), reference, 48);
	EXPECT_GE(difference, 0);
	EXPECT_LT(difference, 0.01);
}

} // namespace

TEST(About, StartedWithTheOptionTheBoxOpensInFront)
{
	AppRun run;
	// The box in front of the main window, the application's icon in its corner; quitting with
	// it open closes both and keeps the main window's place.
	std::string script = "front " + quoted(kAboutTitle) + "\n" + "shot " + quoted(kAboutTitle) +
						 " " + run.ShotPath("about.png") + "\n" + "close " + quoted(kWindowTitle) +
						 "\n";
	ASSERT_EQ(run.Run(script, {}, {"--about"}), 0) << run.Errors();
	expect_about_picture(run, "about.png");
	EXPECT_FALSE(run.FileBytes(run.ExitStatesPath()).empty());
}

TEST(About, ARunningInstanceOpensItForALaterStart)
{
	AppRun run;
	// The later start's hand-over brings the main window forward too; the box must end in
	// front of it, so the script looks again once both requests had their time.
	pid_t first = run.Start("shot " + quoted(kAboutTitle) + " " + run.ShotPath("about.png") +
								"\nwait 1500\nfront " + quoted(kAboutTitle) + "\nclose " +
								quoted(kWindowTitle) + "\n",
							"first");
	ASSERT_TRUE(wait_for_picture(run, kWindowTitle));

	// A bad option is refused by the later start itself.
	pid_t bad = run.Start("", "bad", {"--about", "--bogus"});
	EXPECT_EQ(run.Wait(bad, "bad"), 2);
	EXPECT_NE(run.Errors().find("unknown option --bogus"), std::string::npos) << run.Errors();

	bigtime_t start = system_time();
	pid_t second = run.Start("", "second", {"--about"});
	EXPECT_EQ(run.Wait(second, "second"), 0) << run.Errors();
	double seconds = double(system_time() - start) / 1e6;
	// The hand-over itself takes a few milliseconds; the bound only catches a start that
	// waits for something.
	EXPECT_LT(seconds, 10.0);
	printf("the later start ended after %.3f s\n", seconds);

	EXPECT_EQ(run.Wait(first, "first"), 0) << run.Errors();
	expect_about_picture(run, "about.png");
}

TEST(About, AppSendReachesTheRunningApplication)
{
	AppRun run;
	pid_t app = run.Start("", "app");
	ASSERT_TRUE(wait_for_picture(run, kWindowTitle));

	EXPECT_EQ(run.AppSend({kSignature, "B_ABOUT_REQUESTED"}), 0) << run.Errors();
	EXPECT_TRUE(wait_for_picture(run, kAboutTitle));
	// The same request by its code; the box is already open and only comes forward.
	EXPECT_EQ(run.AppSend({kSignature, "_ABR"}), 0) << run.Errors();
	EXPECT_EQ(run.AppSend({kSignature, "B_QUIT_REQUESTED"}), 0) << run.Errors();
	EXPECT_EQ(run.Wait(app, "app"), 0) << run.Errors();
	EXPECT_FALSE(run.FileBytes(run.ExitStatesPath()).empty());

	// Nothing runs any more.
	EXPECT_EQ(run.AppSend({kSignature, "B_ABOUT_REQUESTED"}), 1);
	EXPECT_NE(run.Errors().find("no application"), std::string::npos) << run.Errors();
	for (const char* bad : {"_AB", "B_NO_SUCH_THING", "0x", "0x123456789", "_\x01Sp"})
		EXPECT_EQ(run.AppSend({kSignature, bad}), 2) << bad;
	EXPECT_EQ(run.AppSend({kSignature}), 2);
}

TEST(CommonPrefs, StartedWithTheOptionTheWindowOpensInFront)
{
	AppRun run;
	std::string script =
		"front " + quoted(kCommonPrefsTitle) + "\nclose " + quoted(kWindowTitle) + "\n";
	ASSERT_EQ(run.Run(script, {}, {"--common-prefs"}), 0) << run.Errors();
}

TEST(CommonPrefs, ARunningInstanceOpensItForALaterStartAndForAppSend)
{
	AppRun run;
	// The last picture tells the test that the window was found in front.
	pid_t first = run.Start("shot " + quoted(kCommonPrefsTitle) + " " + run.ShotPath("iap.png") +
								"\nwait 1500\nfront " + quoted(kCommonPrefsTitle) + "\nshot " +
								quoted(kCommonPrefsTitle) + " " + run.ShotPath("front.png") + "\n",
							"first");
	ASSERT_TRUE(wait_for_picture(run, kWindowTitle));
	pid_t second = run.Start("", "second", {"--common-prefs"});
	EXPECT_EQ(run.Wait(second, "second"), 0) << run.Errors();
	EXPECT_TRUE(wait_for_file(run.ShotPath("front.png")));

	// The request by its code, from any sender: the open window comes forward again.
	EXPECT_EQ(run.AppSend({kSignature, "_Ssp"}), 0) << run.Errors();
	EXPECT_EQ(run.AppSend({kSignature, "0x5F537370"}), 0) << run.Errors();
	EXPECT_EQ(run.AppSend({kSignature, "B_QUIT_REQUESTED"}), 0) << run.Errors();
	EXPECT_EQ(run.Wait(first, "first"), 0) << run.Errors();
}
