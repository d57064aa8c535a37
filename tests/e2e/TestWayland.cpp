// The application as a native Wayland window: a Wayland compositor (weston) started by the test
// inside a private X server, the application told of the compositor alone (no DISPLAY), the
// window seen through the compositor's scene graph and on its screen, used with the mouse and
// keys the compositor passes on, and a quit request through the application's port ending it.

#include "AppRun.h"
#include "PngImage.h"
#include "Watchdog.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const int kTimeoutMs = 20000;
const char kSignature[] = "application/x-vnd.MOZELT-ZorvyPreferences";

// A top-level window as the compositor's scene graph lists it.
struct SceneWindow {
	bool found = false;
	int left = 0, top = 0, right = 0, bottom = 0;
};

// weston with its X11 back end, showing its one output as a window of the private X server.
// Its headless back end is not used: SDL's Wayland driver does not start against it.
class Compositor {
public:
	bool Start(const XServer& server, const std::string& folder, std::string* reason)
	{
		fRuntime = folder + "/wayland";
		mkdir(fRuntime.c_str(), 0700);
		std::string config = fRuntime + "/weston.ini";
		// No animation: the window is on the screen as soon as it is drawn.
		std::ofstream(config) << "[core]\nidle-time=0\n"
								 "[shell]\nanimation=none\nclose-animation=none\n"
								 "startup-animation=none\npanel-position=none\nlocking=false\n";
		if (!fWeston.Start({"weston", "--backend=x11-backend.so", "--socket=" + kSocket,
							"--width=1024", "--height=768", "--debug", "--config=" + config,
							"--log=" + fRuntime + "/weston.log"},
						   {"DISPLAY=" + server.Name(), "XDG_RUNTIME_DIR=" + fRuntime})) {
			*reason = "weston cannot start";
			return false;
		}
		auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
		while (access(Socket().c_str(), F_OK) != 0) {
			if (fWeston.WaitForExit(0) >= 0 || std::chrono::steady_clock::now() > deadline) {
				*reason = "weston did not start (see " + fRuntime + "/weston.log)";
				return false;
			}
			std::this_thread::sleep_for(std::chrono::milliseconds(20));
		}
		return true;
	}

	// The compositor's socket, named whole so that the client needs no runtime folder of its own.
	std::string Socket() const { return fRuntime + "/" + kSocket; }

	// The window of that title in the compositor's scene graph.
	SceneWindow Find(const std::string& title, std::string* graph) const
	{
		Child debug;
		SceneWindow window;
		if (!debug.Start(std::vector<std::string>{"weston-debug", "scene-graph"},
						 {"XDG_RUNTIME_DIR=" + fRuntime, "WAYLAND_DISPLAY=" + kSocket}))
			return window;
		debug.WaitForLine("\x01", kTimeoutMs);
		debug.WaitForExit(kTimeoutMs);
		*graph = debug.Output();
		size_t at = graph->find("top-level window '" + title + "'");
		if (at == std::string::npos)
			return window;
		size_t position = graph->find("position:", at);
		if (position != std::string::npos &&
			sscanf(graph->c_str() + position, "position: (%d, %d) -> (%d, %d)", &window.left,
				   &window.top, &window.right, &window.bottom) == 4)
			window.found = true;
		return window;
	}

private:
	inline static const std::string kSocket = "wayland-test";
	std::string fRuntime;
	Child fWeston;
};

// How many of a grid of points of the window, read off the compositor's screen, have the colour
// the same point has in the page's reference picture.
double
share_like_reference(const XServer& server, unsigned long screen, const SceneWindow& window,
					 const PngImage& page)
{
	int same = 0, count = 0;
	for (int y = 5; y < page.height; y += 23) {
		for (int x = 5; x < page.width; x += 31) {
			unsigned long shown = 0;
			count++;
			if (!read_pixel(server, screen, window.left + x, window.top + y, &shown))
				continue;
			uint32_t wanted = page.pixels[size_t(y) * size_t(page.width) + size_t(x)] & 0xffffff;
			int difference = 0;
			for (int shift = 0; shift < 24; shift += 8)
				difference = std::max(difference, std::abs(int((shown >> shift) & 0xff) -
														   int((wanted >> shift) & 0xff)));
			if (difference <= 48)
				same++;
		}
	}
	return count > 0 ? double(same) / count : 0;
}

// Whether the compositor's screen shows the page of that reference picture in the window, once
// the compositor has caught up.
bool
shows_page(const XServer& server, unsigned long screen, const SceneWindow& window,
		   const char* reference)
{
	PngImage page;
	if (!load_png(BEAPI_SOURCE_DIR "/tests/e2e/ref/" + std::string(reference), &page))
		return false;
	for (int i = 0; i < 200; i++) {
		if (share_like_reference(server, screen, window, page) >= 0.95)
			return true;
		std::this_thread::sleep_for(std::chrono::milliseconds(50));
	}
	return false;
}

// The preferences window on a Wayland desktop: its title and size in the compositor, its page
// drawn on the compositor's screen, mouse and keys, and a quit request through its port ending
// it with 0.
TEST(Wayland, TheWindowIsANativeWaylandWindowThatDrawsTakesInputAndQuits)
{
	Watchdog watchdog(120);
	if (!have_program("weston") || !have_program("weston-debug"))
		GTEST_SKIP() << "weston is not installed (Debian's package weston)";
	XServer server;
	std::string reason;
	if (!server.Start(&reason))
		GTEST_SKIP() << reason;
	AppRun run;
	Compositor compositor;
	if (!compositor.Start(server, run.Folder(), &reason))
		GTEST_SKIP() << reason;

	Child app;
	ASSERT_TRUE(app.Start(
		BEAPI_BINARY_DIR "/app/ZorvyPreferences",
		{"DISPLAY=", "WAYLAND_DISPLAY=" + compositor.Socket(), "BEAPI_DISPLAY=sdl",
		 "BEAPI_FRAME_FD=1", "XDG_CONFIG_HOME=" + run.Folder() + "/config",
		 "XDG_RUNTIME_DIR=" + run.Folder() + "/runtime",
		 "FONTCONFIG_FILE=" BEAPI_SOURCE_DIR "/tests/fonts.conf",
		 // What SDL loads for Wayland keeps memory in libraries unloaded before leaks are looked
		 // for, which no suppression can name; the X11 and headless runs look for leaks.
		 "ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=0"}));
	ASSERT_TRUE(app.WaitForLine(std::string("frame ") + kWindowTitle, kTimeoutMs)) << app.Output();

	std::string graph;
	SceneWindow window = compositor.Find(kWindowTitle, &graph);
	ASSERT_TRUE(window.found) << graph;
	EXPECT_EQ(window.right - window.left, 551) << graph;
	EXPECT_EQ(window.bottom - window.top, 286) << graph;

	// The compositor's one output is a window of the X server, at the output's scale of 1.
	std::string screens = xdotool(server, {"search", "--class", "Weston Compositor"});
	unsigned long screen = strtoul(screens.c_str(), nullptr, 10);
	ASSERT_NE(screen, 0ul) << "no window of the compositor on the X server";
	EXPECT_TRUE(shows_page(server, screen, window, "input.png"));

	// The compositor takes the X server's mouse and keys and hands them to its windows: a click
	// on the list's second row shows that row's page, the down arrow the third row's. The pointer
	// enters the compositor's window from outside it, as the compositor tracks it from there.
	std::string x = std::to_string(window.left + 60);
	std::string y = std::to_string(window.top + 54);
	ASSERT_FALSE(xdotool(server, {"mousemove", "1200", "1000"}).empty());
	ASSERT_FALSE(
		xdotool(server, {"mousemove", "--window", std::to_string(screen), x, y, "click", "1"})
			.empty());
	EXPECT_TRUE(shows_page(server, screen, window, "assist.png"));
	ASSERT_FALSE(xdotool(server, {"key", "Down"}).empty());
	EXPECT_TRUE(shows_page(server, screen, window, "punctuation.png"));

	EXPECT_EQ(run.AppSend({kSignature, "B_QUIT_REQUESTED"}), 0) << run.Errors();
	EXPECT_EQ(app.WaitForExit(kTimeoutMs), 0) << app.Output();
}

} // namespace
