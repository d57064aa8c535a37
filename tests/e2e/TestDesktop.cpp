#include "AppRun.h"
#include "FirstPicture.h"
#include "PngImage.h"
#include "Watchdog.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const int kTimeoutMs = 20000;

// Waits until the listener has received the given number of bodies.
std::vector<BMessage>
wait_for_bodies(AppRun& run, size_t count)
{
	std::vector<BMessage> bodies;
	for (int i = 0; i < 100; i++) {
		bodies = run.Bodies();
		if (bodies.size() >= count)
			break;
	}
	return bodies;
}

std::vector<std::string>
desktop_environment(const XServer& server, const AppRun& run)
{
	return {"DISPLAY=" + server.Name(),
			"BEAPI_DISPLAY=sdl",
			"BEAPI_FRAME_FD=1",
			"XDG_CONFIG_HOME=" + run.Folder() + "/config",
			"XDG_RUNTIME_DIR=" + run.Folder() + "/runtime",
			"FONTCONFIG_FILE=" BEAPI_SOURCE_DIR "/tests/fonts.conf",
			"LSAN_OPTIONS=suppressions=" BEAPI_SOURCE_DIR
			"/tests/platform/interface/sdl/lsan.supp"};
}

// The application on a private X server through the desktop display, used with the mouse and
// keys a person's X server sends: the window at its place, a click on the second glyph of the
// period delivered at once, Escape as Cancel. The desktop's density multiplies every place and
// size on the screen.
void
use_on_desktop(const XServer& server, int scale)
{
	AppRun run;
	ASSERT_TRUE(run.Listen());

	Child app;
	ASSERT_TRUE(
		app.Start(BEAPI_BINARY_DIR "/app/ZorvyPreferences", desktop_environment(server, run)));
	ASSERT_TRUE(app.WaitForLine(std::string("frame ") + kWindowTitle, kTimeoutMs)) << app.Output();
	// The window is on the screen once its first frame is.
	std::string found = xdotool(server, {"search", "--onlyvisible", "--name", "Zorvy"});
	ASSERT_FALSE(found.empty());
	std::string id = std::to_string(strtoul(found.c_str(), nullptr, 10));
	std::string geometry = xdotool(server, {"getwindowgeometry", id});
	std::string position = std::to_string(50 * scale);
	EXPECT_NE(geometry.find("Position: " + position + "," + position), std::string::npos)
		<< geometry;
	std::string size = std::to_string(551 * scale) + "x" + std::to_string(286 * scale);
	EXPECT_NE(geometry.find("Geometry: " + size), std::string::npos) << geometry;

	// The second glyph of the period, at the device pixels it covers: delivered at once.
	std::string x = std::to_string(205 * scale + scale / 2);
	std::string y = std::to_string(151 * scale + scale / 2);
	ASSERT_FALSE(xdotool(server, {"mousemove", "--window", id, x, y, "click", "1"}).empty());
	std::vector<BMessage> bodies = wait_for_bodies(run, 1);
	ASSERT_EQ(bodies.size(), 1u);
	EXPECT_TRUE(bodies[0].GetBool("PerT", false));

	// Escape is Cancel: the opening record once more, and the application ends.
	ASSERT_FALSE(xdotool(server, {"key", "Escape"}).empty());
	bodies = wait_for_bodies(run, 2);
	ASSERT_EQ(bodies.size(), 2u);
	EXPECT_FALSE(bodies[1].GetBool("PerT", true));
	EXPECT_EQ(app.WaitForExit(kTimeoutMs), 0);
}

TEST(Desktop, TheApplicationIsAnOrdinaryWindowOnAnXDesktop)
{
	Watchdog watchdog(120);
	if (!have_program("xdotool"))
		GTEST_SKIP() << "xdotool is not installed";
	XServer server;
	std::string reason;
	if (!server.Start(&reason))
		GTEST_SKIP() << reason;
	use_on_desktop(server, 1);
}

TEST(Desktop, OnADesktopOfTwiceTheDensityTheWindowIsTwiceAsLarge)
{
	Watchdog watchdog(120);
	if (!have_program("xdotool") || !have_program("xrdb"))
		GTEST_SKIP() << "xdotool or xrdb is not installed";
	XServer server;
	std::string reason;
	if (!server.Start(&reason))
		GTEST_SKIP() << reason;
	// What a desktop session sets for a 192-dpi screen.
	ASSERT_TRUE(merge_resources(server, "Xft.dpi: 192\n"));
	use_on_desktop(server, 2);
}

// Starts the application and checks the first picture the X server shows of its window, read
// the moment it is mapped: the finished Input page, never an empty window.
void
expect_page_at_first_sight(const XServer& server, MapWatch& watch, const AppRun& run)
{
	Child app;
	ASSERT_TRUE(
		app.Start(BEAPI_BINARY_DIR "/app/ZorvyPreferences", desktop_environment(server, run)));
	FirstPicture first;
	ASSERT_TRUE(watch.WaitForFirstPicture(kTimeoutMs, &first)) << app.Output();
	PngImage shown;
	shown.width = first.width;
	shown.height = first.height;
	shown.pixels = first.pixels;
	PngImage page;
	ASSERT_TRUE(load_png(BEAPI_SOURCE_DIR "/tests/e2e/ref/input.png", &page));
	double difference = image_difference(shown, page, 48);
	EXPECT_GE(difference, 0) << first.width << "x" << first.height;
	EXPECT_LT(difference, 0.01);
	// The window itself, not a window manager's frame around it, is asked to close.
	std::string found = find_window(server, "Zorvy", kTimeoutMs);
	ASSERT_FALSE(found.empty());
	ASSERT_TRUE(send_close_request(server, strtoul(found.c_str(), nullptr, 10)));
	EXPECT_EQ(app.WaitForExit(kTimeoutMs), 0);
}

// The window appears already drawn.
TEST(Desktop, TheWindowAppearsWithItsPageDrawn)
{
	Watchdog watchdog(120);
	XServer server;
	std::string reason;
	if (!server.Start(&reason))
		GTEST_SKIP() << reason;
	MapWatch watch;
	ASSERT_TRUE(watch.Start(server));
	AppRun run;
	expect_page_at_first_sight(server, watch, run);
}

// The same under a window manager, which maps the window some time after the program asked.
TEST(Desktop, UnderAWindowManagerTheWindowAppearsWithItsPageDrawn)
{
	Watchdog watchdog(120);
	if (!have_program("twm") || !have_program("xdotool"))
		GTEST_SKIP() << "twm or xdotool is not installed";
	XServer server;
	std::string reason;
	if (!server.Start(&reason))
		GTEST_SKIP() << reason;
	AppRun run;
	std::string rc = run.Folder() + "/twmrc";
	// Windows go where their programs place them, with neither title bar nor border (the
	// manager's frame is exactly the window), and the server's built-in font serves.
	std::ofstream(rc) << "UsePPosition \"on\"\nRandomPlacement\nNoTitle\nBorderWidth 0\n"
						 "TitleFont \"fixed\"\nResizeFont \"fixed\"\nMenuFont \"fixed\"\n"
						 "IconFont \"fixed\"\nIconManagerFont \"fixed\"\n";
	Child manager;
	ASSERT_TRUE(manager.Start({"twm", "-f", rc}, {"DISPLAY=" + server.Name(), "LC_ALL=C"}));
	MapWatch watch;
	ASSERT_TRUE(watch.Start(server));
	ASSERT_TRUE(watch.WaitForWindowManager(kTimeoutMs));
	expect_page_at_first_sight(server, watch, run);
}

} // namespace
