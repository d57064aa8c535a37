#include "Display.h"

#include <Message.h>
#include <Window.h>

#include "headless/HeadlessDisplay.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

namespace BPrivate {

#ifdef BEAPI_HAVE_SDL_DISPLAY
// In sdl/: the desktop display, or NULL with the reason when it cannot start.
Display* create_sdl_display(const char** reason);
#endif

namespace {

// The display once it has started, or why it could not (a display asked for by name ends the
// program); the thread that starts it is not the one that ends the program.
struct Started {
	std::mutex lock;
	std::condition_variable done;
	bool finished = false;
	Display* display = nullptr;
	std::string failure;
	// The thread that starts the display, joined as the process exits.
	std::thread starter;
	bool shutDown = false;
};

Started&
started()
{
	// Never destroyed: a window may still reach the display while the process exits.
	static Started* sStarted = new Started;
	return *sStarted;
}

Display*
create_display(std::string* failure)
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
			*failure = std::string("BEAPI_DISPLAY=sdl: the display cannot start: ") + reason;
			return nullptr;
		}
		*failure = std::string("BEAPI_DISPLAY=") + forced + ": unknown display (sdl or headless)";
		return nullptr;
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

void
start_display()
{
	std::string failure;
	Display* display = create_display(&failure);
	Started& state = started();
	std::lock_guard<std::mutex> guard(state.lock);
	state.display = display;
	state.failure = failure;
	state.finished = true;
	state.done.notify_all();
}

} // namespace

void
Display::Prepare()
{
	static std::once_flag once;
	std::call_once(once, [] {
		Started& state = started();
		{
			std::lock_guard<std::mutex> guard(state.lock);
			state.starter = std::thread(start_display);
		}
		// Registered after whatever the program built before its first window or application:
		// the display ends before those are destroyed, and before the libraries are finalised.
		atexit(Shutdown);
	});
}

void
Display::Shutdown()
{
	Started& state = started();
	std::unique_lock<std::mutex> guard(state.lock);
	if (state.shutDown || !state.starter.joinable())
		return;
	state.shutDown = true;
	std::thread starter = std::move(state.starter);
	state.done.wait(guard, [&] { return state.finished; });
	Display* display = state.display;
	guard.unlock();
	if (starter.get_id() != std::this_thread::get_id())
		starter.join();
	else
		starter.detach();
	if (display != nullptr)
		display->Stop();
}

Display*
Display::Default()
{
	static std::atomic<Display*> sReady{nullptr};
	if (Display* display = sReady.load(std::memory_order_acquire))
		return display;
	Prepare();
	Started& state = started();
	std::unique_lock<std::mutex> guard(state.lock);
	state.done.wait(guard, [&] { return state.finished; });
	if (state.display == nullptr) {
		// Said once, by whichever thread asked first.
		static std::once_flag told;
		std::call_once(told, [&] { fprintf(stderr, "%s\n", state.failure.c_str()); });
		guard.unlock();
		exit(1);
	}
	sReady.store(state.display, std::memory_order_release);
	return state.display;
}

Display::~Display() {}

void
Display::Stop()
{}

void
Display::WindowBlocked(BWindow*)
{}

void
Display::CopyPicture(const uint8* bits, int32 bytesPerRow, int32 width, int32 height,
					 std::vector<uint32>* pixels)
{
	pixels->resize(size_t(width) * size_t(height));
	for (int32 y = 0; y < height; y++) {
		memcpy(pixels->data() + size_t(y) * size_t(width), bits + size_t(y) * size_t(bytesPerRow),
			   size_t(width) * 4);
	}
}

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
