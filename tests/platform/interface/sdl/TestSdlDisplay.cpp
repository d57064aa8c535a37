// The desktop display on a private X server: viewdemo's window as the desktop sees it, and the
// desktop's mouse, keyboard and close box arriving in the program as the platform's messages.

#include <gtest/gtest.h>

#include "../ChildProcess.h"
#include "Watchdog.h"
#include "XServer.h"

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const int kTimeoutMs = 20000;

class SdlDisplayTest : public testing::Test {
protected:
	// What the program gets besides the private desktop.
	virtual std::vector<std::string> Environment() const { return {}; }
	virtual std::vector<std::string> Arguments() const { return {}; }

	void SetUp() override
	{
		if (access(viewdemo_path().c_str(), X_OK) != 0)
			GTEST_SKIP() << "viewdemo is not built";
		if (!have_program("xdotool"))
			GTEST_SKIP() << "xdotool is not installed";
		std::string reason;
		if (!fServer.Start(&reason))
			GTEST_SKIP() << reason;
		fRuntime = make_temporary_folder();
		std::vector<std::string> environment = {"DISPLAY=" + fServer.Name(), "BEAPI_DISPLAY=sdl",
												"BEAPI_TRACE_INPUT=1",
												"XDG_RUNTIME_DIR=" + fRuntime,
												"LSAN_OPTIONS=suppressions=" BEAPI_SOURCE_DIR
												"/tests/platform/interface/sdl/lsan.supp"};
		for (const std::string& variable : Environment())
			environment.push_back(variable);
		std::vector<std::string> arguments = {viewdemo_path()};
		for (const std::string& argument : Arguments())
			arguments.push_back(argument);
		ASSERT_TRUE(fDemo.Start(arguments, environment));
		// A sanitized build on a busy machine may take long to show its first window.
		std::string found = find_window(fServer, "^View demo$", 60000);
		ASSERT_FALSE(found.empty())
			<< "no window titled \"View demo\" within 60 s" << fDemo.Output();
		fWindow = strtoul(found.c_str(), nullptr, 10);
		ASSERT_NE(fWindow, 0ul);
		fId = std::to_string(fWindow);
		// The window is on the screen once it has been activated.
		ASSERT_TRUE(fDemo.WaitForLine("B_WINDOW_ACTIVATED active=1", kTimeoutMs)) << fDemo.Output();
	}

	// A hang fails the test instead of stalling the run.
	Watchdog fWatchdog{120};
	XServer fServer;
	Child fDemo;
	std::string fRuntime;
	unsigned long fWindow = 0;
	std::string fId;
};

TEST_F(SdlDisplayTest, WindowHasTheProgramsTitlePlaceAndSize)
{
	std::string geometry = xdotool(fServer, {"getwindowgeometry", fId});
	EXPECT_NE(geometry.find("Geometry: 400x300"), std::string::npos) << geometry;
	EXPECT_NE(geometry.find("Position: 100,100"), std::string::npos) << geometry;
	EXPECT_EQ(xdotool(fServer, {"getwindowname", fId}), "View demo\n");
}

// Waits until the screen shows the colour at a window point.
bool
shows_colour(const XServer& server, unsigned long window, int x, int y, unsigned long rgb)
{
	for (int attempt = 0; attempt < 200; attempt++) {
		unsigned long pixel = 0;
		if (read_pixel(server, window, x, y, &pixel) && pixel == rgb)
			return true;
		usleep(50000);
	}
	return false;
}

TEST_F(SdlDisplayTest, TheWindowsFramesReachTheScreen)
{
	// The panel grey of the view, its grey frame, and the mark a click leaves.
	EXPECT_TRUE(shows_colour(fServer, fWindow, 390, 290, 0xd8d8d8));
	EXPECT_TRUE(shows_colour(fServer, fWindow, 399, 150, 0x787878));
	ASSERT_FALSE(
		xdotool(fServer, {"mousemove", "--window", fId, "150", "250", "click", "1"}).empty());
	EXPECT_TRUE(shows_colour(fServer, fWindow, 150, 250, 0xff00ff));
}

// The X server keeps nothing of a window it unmaps: mapped again, the window is painted anew
// from the picture the program drew last, the mark of a click included.
TEST_F(SdlDisplayTest, AWindowMappedAgainShowsItsLastPicture)
{
	ASSERT_FALSE(
		xdotool(fServer, {"mousemove", "--window", fId, "150", "250", "click", "1"}).empty());
	ASSERT_TRUE(shows_colour(fServer, fWindow, 150, 250, 0xff00ff));
	for (int round = 0; round < 3; round++) {
		ASSERT_FALSE(xdotool(fServer, {"windowunmap", "--sync", fId}).empty());
		ASSERT_FALSE(xdotool(fServer, {"windowmap", "--sync", fId}).empty());
		EXPECT_TRUE(shows_colour(fServer, fWindow, 150, 250, 0xff00ff)) << "round " << round;
		EXPECT_TRUE(shows_colour(fServer, fWindow, 399, 150, 0x787878)) << "round " << round;
		EXPECT_TRUE(shows_colour(fServer, fWindow, 390, 290, 0xd8d8d8)) << "round " << round;
	}
}

TEST_F(SdlDisplayTest, ClicksArriveAtTheirWindowPoint)
{
	ASSERT_FALSE(
		xdotool(fServer, {"mousemove", "--window", fId, "50", "60", "click", "1"}).empty());
	EXPECT_TRUE(
		fDemo.WaitForLine("B_MOUSE_DOWN where=50,60 buttons=1 clicks=1 modifiers=0x0", kTimeoutMs))
		<< fDemo.Output();
	EXPECT_TRUE(fDemo.WaitForLine("B_MOUSE_UP where=50,60 buttons=0", kTimeoutMs))
		<< fDemo.Output();
	// A second press at the same place soon after counts as a double click.
	ASSERT_FALSE(xdotool(fServer, {"click", "1"}).empty());
	EXPECT_TRUE(fDemo.WaitForLine("B_MOUSE_DOWN where=50,60 buttons=1 clicks=2", kTimeoutMs))
		<< fDemo.Output();
	ASSERT_FALSE(
		xdotool(fServer, {"mousemove", "--window", fId, "10", "20", "click", "3"}).empty());
	EXPECT_TRUE(fDemo.WaitForLine("B_MOUSE_DOWN where=10,20 buttons=2 clicks=1", kTimeoutMs))
		<< fDemo.Output();
}

TEST_F(SdlDisplayTest, KeysArriveWithTheirTextCodesAndModifiers)
{
	ASSERT_FALSE(xdotool(fServer, {"mousemove", "--window", fId, "200", "150"}).empty());
	ASSERT_FALSE(xdotool(fServer, {"key", "a"}).empty());
	EXPECT_TRUE(
		fDemo.WaitForLine("B_KEY_DOWN bytes=\"a\" raw_char=97 key=0x3c modifiers=0x0", kTimeoutMs))
		<< fDemo.Output();
	EXPECT_TRUE(fDemo.WaitForLine("B_KEY_UP bytes=\"a\" raw_char=97 key=0x3c", kTimeoutMs))
		<< fDemo.Output();
	// Shift types the capital; the raw character stays the plain letter.
	ASSERT_FALSE(xdotool(fServer, {"key", "shift+b"}).empty());
	EXPECT_TRUE(fDemo.WaitForLine("B_KEY_DOWN bytes=\"B\" raw_char=98 key=0x50 modifiers=0x101",
								  kTimeoutMs))
		<< fDemo.Output();
	// Alt is Command: the key arrives once, its text input is not typed again.
	ASSERT_FALSE(xdotool(fServer, {"key", "alt+c", "Return"}).empty());
	EXPECT_TRUE(fDemo.WaitForLine("B_KEY_DOWN bytes=\"c\" raw_char=99 key=0x4e modifiers=0x402",
								  kTimeoutMs))
		<< fDemo.Output();
	// Enter's byte ends the printed line; its code and raw character follow on the next.
	EXPECT_TRUE(fDemo.WaitForLine("\" raw_char=10 key=0x47 modifiers=0x0", kTimeoutMs))
		<< fDemo.Output();
	EXPECT_EQ(fDemo.Output().find("B_KEY_DOWN bytes=\"c\" raw_char=99 key=0x4e modifiers=0x0"),
			  std::string::npos);
	// The Japanese keys type nothing and are told apart by their codes.
	ASSERT_FALSE(xdotool(fServer, {"key", "Muhenkan", "Henkan"}).empty());
	EXPECT_TRUE(fDemo.WaitForLine("B_KEY_DOWN bytes=\"\" raw_char=0 key=0xf0", kTimeoutMs))
		<< fDemo.Output();
	EXPECT_TRUE(fDemo.WaitForLine("B_KEY_DOWN bytes=\"\" raw_char=0 key=0xf1", kTimeoutMs))
		<< fDemo.Output();
}

TEST_F(SdlDisplayTest, CloseBoxQuitsTheProgram)
{
	ASSERT_TRUE(send_close_request(fServer, fWindow));
	EXPECT_TRUE(fDemo.WaitForLine("B_QUIT_REQUESTED", kTimeoutMs)) << fDemo.Output();
	EXPECT_EQ(fDemo.WaitForExit(kTimeoutMs), 0);
}

// The bordered look without a window manager's frame: the display draws the line around the
// window's picture, one platform pixel wide.
class BorderedSdlDisplayTest : public SdlDisplayTest {
protected:
	std::vector<std::string> Arguments() const override { return {"--bordered"}; }
};

TEST_F(BorderedSdlDisplayTest, TheLineLiesAroundThePicture)
{
	std::string geometry = xdotool(fServer, {"getwindowgeometry", fId});
	EXPECT_NE(geometry.find("Geometry: 402x302"), std::string::npos) << geometry;
	for (int x : {0, 200, 401}) {
		EXPECT_TRUE(shows_colour(fServer, fWindow, x, 0, 0x606060)) << x;
		EXPECT_TRUE(shows_colour(fServer, fWindow, x, 301, 0x606060)) << x;
	}
	EXPECT_TRUE(shows_colour(fServer, fWindow, 0, 150, 0x606060));
	EXPECT_TRUE(shows_colour(fServer, fWindow, 401, 150, 0x606060));
	// Inside, the picture one pixel in: the view's grey frame and its panel grey.
	EXPECT_TRUE(shows_colour(fServer, fWindow, 400, 150, 0x787878));
	EXPECT_TRUE(shows_colour(fServer, fWindow, 391, 291, 0xd8d8d8));
	// What a click changes reaches the screen one pixel in as well, the line untouched.
	ASSERT_FALSE(
		xdotool(fServer, {"mousemove", "--window", fId, "151", "251", "click", "1"}).empty());
	EXPECT_TRUE(fDemo.WaitForLine("B_MOUSE_DOWN where=150,250", kTimeoutMs)) << fDemo.Output();
	// The mark covers the platform's pixels 148 to 152, one pixel further on the screen.
	EXPECT_TRUE(shows_colour(fServer, fWindow, 149, 251, 0xff00ff));
	EXPECT_TRUE(shows_colour(fServer, fWindow, 153, 251, 0xff00ff));
	EXPECT_TRUE(shows_colour(fServer, fWindow, 0, 251, 0x606060));
}

// The same window on a screen one and a half times as dense: the desktop sees device pixels,
// the program its own coordinates.
class ScaledSdlDisplayTest : public SdlDisplayTest {
protected:
	std::vector<std::string> Environment() const override { return {"BEAPI_SCALE=1.5"}; }
};

TEST_F(ScaledSdlDisplayTest, TheWindowCoversItsPlaceInDevicePixels)
{
	std::string geometry = xdotool(fServer, {"getwindowgeometry", fId});
	EXPECT_NE(geometry.find("Geometry: 600x450"), std::string::npos) << geometry;
	EXPECT_NE(geometry.find("Position: 150,150"), std::string::npos) << geometry;
	// The view's grey frame, one platform pixel wide, is at the device pixels it covers.
	EXPECT_TRUE(shows_colour(fServer, fWindow, 599, 225, 0x787878));
	EXPECT_TRUE(shows_colour(fServer, fWindow, 585, 435, 0xd8d8d8));
}

TEST_F(ScaledSdlDisplayTest, ClicksArriveInThePlatformsCoordinates)
{
	// Device pixels 76 and 91 lie in the platform's pixels 50 and 60.
	ASSERT_FALSE(
		xdotool(fServer, {"mousemove", "--window", fId, "76", "91", "click", "1"}).empty());
	EXPECT_TRUE(
		fDemo.WaitForLine("B_MOUSE_DOWN where=50,60 buttons=1 clicks=1 modifiers=0x0", kTimeoutMs))
		<< fDemo.Output();
	// The mark the click leaves is drawn around the platform point, scaled.
	ASSERT_FALSE(
		xdotool(fServer, {"mousemove", "--window", fId, "225", "375", "click", "1"}).empty());
	EXPECT_TRUE(fDemo.WaitForLine("B_MOUSE_DOWN where=150,250", kTimeoutMs)) << fDemo.Output();
	EXPECT_TRUE(shows_colour(fServer, fWindow, 222, 372, 0xff00ff));
	EXPECT_TRUE(shows_colour(fServer, fWindow, 228, 378, 0xff00ff));
}

} // namespace

namespace {

std::vector<std::string>
unreachable_desktop(const std::string& script, const std::string& forced = "")
{
	// No session bus either: without an address the bus library forks a launcher out of the
	// sanitised program, and that child may wait for ever on a lock another thread held.
	return {"DISPLAY=:9876",
			"WAYLAND_DISPLAY=",
			"DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/session-bus",
			"BEAPI_DISPLAY=" + forced,
			"BEAPI_EVENTS=" + script,
			"XDG_RUNTIME_DIR=" + make_temporary_folder(),
			"LSAN_OPTIONS=suppressions=" BEAPI_SOURCE_DIR
			"/tests/platform/interface/sdl/lsan.supp"};
}

TEST(SdlDisplayFallback, AnUnreachableDesktopFallsBackToHeadlessWithOneNotice)
{
	Watchdog watchdog(120);
	if (access(viewdemo_path().c_str(), X_OK) != 0)
		GTEST_SKIP() << "viewdemo is not built";
	std::string folder = make_temporary_folder();
	write_text(folder + "/close.txt", "close \"View demo\"\n");
	ChildResult result = run_child(viewdemo_path(), unreachable_desktop(folder + "/close.txt"));
	EXPECT_EQ(result.status, 0) << result.errors;
	EXPECT_NE(result.errors.find("running headless\n"), std::string::npos) << result.errors;
	EXPECT_EQ(result.errors.find("running headless\n"), result.errors.rfind("running headless\n"));

	// Asked for by name, the desktop display that cannot start ends the program.
	result = run_child(viewdemo_path(), unreachable_desktop(folder + "/close.txt", "sdl"));
	EXPECT_EQ(result.status, 1) << result.errors;
}

} // namespace
