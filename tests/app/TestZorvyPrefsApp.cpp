// The application object's About requests, in this process on the headless display.
#include "Watchdog.h"

#include <about/MOZELTAboutWindow.h>
#include <app/ZorvyPrefsApp.h>
#include <app/ZorvyPrefsExitStates.h>
#include <app/ZorvyPrefsWindow.h>

#include <Screen.h>

#include <headless/HeadlessInput.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace BPrivate::headless;

namespace {

BRect
frame_of(BWindow* window)
{
	BRect frame;
	if (window->Lock()) {
		frame = window->Frame();
		window->Unlock();
	}
	return frame;
}

} // namespace

TEST(ZorvyPrefsApp, AboutRequestsShareOneBoxBelowTheMainWindowUntilQuit)
{
	Watchdog watchdog;
	char folder[] = "/tmp/zorvy-app-test-XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	setenv("XDG_RUNTIME_DIR", folder, 1);
	setenv("XDG_CONFIG_HOME", folder, 1);
	BRect savedFrame = gAPExitStates.mWindowFrame;
	gAPExitStates.mWindowFrame = BRect(200, 150, 750, 435);

	TZorvyPrefsApp* app = new TZorvyPrefsApp();
	ASSERT_EQ(app->InitCheck(), B_OK);
	TZorvyPrefsWindow* main = app->PrefsWindow();
	ASSERT_EQ(wait_for_window(main->Title()), main);
	EXPECT_EQ(app->AboutWindow(), nullptr);

	app->AboutRequested();
	TMOZELTAboutWindow* about = app->AboutWindow();
	ASSERT_NE(about, nullptr);
	ASSERT_EQ(wait_for_window("About Zorvy 環境設定"), about);
	// Its top-left corner 22 below the main window's.
	BRect mainFrame = frame_of(main);
	EXPECT_EQ(frame_of(about).LeftTop(), BPoint(mainFrame.left, mainFrame.top + 22));
	EXPECT_EQ(wait_for_front(about), B_OK);

	// Hidden, then asked for again: the same box comes back in front.
	ASSERT_EQ(press_key(about, "escape"), B_OK);
	ASSERT_TRUE(about->Lock());
	EXPECT_TRUE(about->IsHidden());
	about->Unlock();
	app->AboutRequested();
	EXPECT_EQ(app->AboutWindow(), about);
	ASSERT_EQ(wait_for_window("About Zorvy 環境設定"), about);
	EXPECT_EQ(wait_for_front(about), B_OK);

	// Quitting closes both windows.
	ASSERT_TRUE(app->Lock());
	app->Quit();
	app->Unlock();
	EXPECT_EQ(app->AboutWindow(), nullptr);
	EXPECT_EQ(app->PrefsWindow(), nullptr);
	EXPECT_EQ(wait_for_window("About Zorvy 環境設定", 0), nullptr);
	delete app;

	gAPExitStates.mWindowFrame = savedFrame;
	std::error_code ignored;
	std::filesystem::remove_all(folder, ignored);
}
