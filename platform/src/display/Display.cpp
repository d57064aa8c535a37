#include "Display.h"

#include <Message.h>
#include <Window.h>

#include "headless/HeadlessDisplay.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <unistd.h>

namespace BPrivate {

#ifdef BEAPI_HAVE_SDL_DISPLAY
// In sdl/: the desktop display, or NULL with the reason when it cannot start.
Display* create_sdl_display(const char** reason);
#endif

namespace {

Display* sDisplay = nullptr;

Display*
create_display()
{
	const char* forced = getenv("BEAPI_DISPLAY");
	if (forced != nullptr && forced[0] != '\0') {
		if (strcmp(forced, "headless") == 0)
			return new HeadlessDisplay();
		if (strcmp(forced, "sdl") == 0) {
			const char* reason = "this build has no SDL display";
#ifdef BEAPI_HAVE_SDL_DISPLAY
			if (Display* display = create_sdl_display(&reason))
				return display;
#endif
			fprintf(stderr, "BEAPI_DISPLAY=sdl: the display cannot start: %s\n", reason);
			exit(1);
		}
		fprintf(stderr, "BEAPI_DISPLAY=%s: unknown display (sdl or headless)\n", forced);
		exit(1);
	}
#ifdef BEAPI_HAVE_SDL_DISPLAY
	const char* x11 = getenv("DISPLAY");
	const char* wayland = getenv("WAYLAND_DISPLAY");
	if ((x11 != nullptr && x11[0] != '\0') || (wayland != nullptr && wayland[0] != '\0')) {
		const char* reason = nullptr;
		if (Display* display = create_sdl_display(&reason))
			return display;
		fprintf(stderr, "the desktop display cannot start (%s); running headless\n",
				reason != nullptr ? reason : "unknown reason");
	}
#endif
	return new HeadlessDisplay();
}

} // namespace

Display*
Display::Default()
{
	static std::once_flag once;
	std::call_once(once, [] { sDisplay = create_display(); });
	return sDisplay;
}

Display::~Display() {}

void
Display::WindowBlocked(BWindow*)
{}

void
Display::WillDraw(BWindow*)
{}

status_t
Display::PostSync(BWindow* window, int64 id)
{
	BMessage marker(kWindowSyncCode);
	marker.AddInt64("id", id);
	marker.AddInt32("hops", 0);
	return window->PostMessage(&marker);
}

void
Display::ReportFirstFrame(const char* title)
{
	static int sFd = -1;
	static std::once_flag once;
	std::call_once(once, [] {
		const char* text = getenv("BEAPI_FRAME_FD");
		if (text == nullptr || text[0] == '\0')
			return;
		char* end = nullptr;
		long fd = strtol(text, &end, 10);
		if (*end != '\0' || fd < 0 || fd > 65535 || fcntl(int(fd), F_GETFD) < 0)
			return;
		// Meant for this program alone, not for whatever it starts.
		fcntl(int(fd), F_SETFD, FD_CLOEXEC);
		sFd = int(fd);
	});
	if (sFd < 0)
		return;
	std::string line = std::string("frame ") + (title != nullptr ? title : "") + "\n";
	(void)!write(sFd, line.data(), line.size());
}

} // namespace BPrivate
