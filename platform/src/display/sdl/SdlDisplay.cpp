#include "SdlDisplay.h"

#include <Window.h>

#include "DesktopScale.h"
#include "DisplayScale.h"

#include <cstdlib>
#include <cstring>

namespace BPrivate {

Display*
create_sdl_display(const char** reason)
{
	return SdlDisplay::Create(reason);
}

namespace {

bool
is_set(const char* name)
{
	const char* value = getenv(name);
	return value != nullptr && value[0] != '\0';
}

} // namespace

SdlDisplay::SdlDisplay()
	: fCalling(nullptr), fScreen(0, 0, 1023, 767), fWakeEvent(0), fWakePosted(false),
	  fStopping(false), fFinished(false), fRefocus(false), fAwaitingFrames(false), fModifiers(0),
	  fMenuHeld(false)
{}

SdlDisplay*
SdlDisplay::Create(const char** reason)
{
	static std::string sReason;
	SdlDisplay* display = new SdlDisplay();
	std::mutex startLock;
	std::condition_variable started;
	int result = 0;
	std::string why;
	display->fThread = std::thread(&SdlDisplay::_Run, display, &why, &startLock, &started, &result);
	{
		std::unique_lock<std::mutex> guard(startLock);
		started.wait(guard, [&] { return result != 0; });
	}
	if (result > 0)
		return display;
	display->fThread.join();
	delete display;
	sReason = why;
	*reason = sReason.c_str();
	return nullptr;
}

SdlDisplay::~SdlDisplay()
{
	// The display lives as long as the process; a display that failed to start has no thread.
	if (fThread.joinable())
		fThread.detach();
}

bool
SdlDisplay::_Start(std::string* reason)
{
	SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
	SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
	SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
	SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
	// X11 first: Wayland does not let a program place its windows.
	const char* drivers[2];
	int count = 0;
	if (is_set("DISPLAY"))
		drivers[count++] = "x11";
	if (is_set("WAYLAND_DISPLAY"))
		drivers[count++] = "wayland";
	if (count == 0) {
		*reason = "neither DISPLAY nor WAYLAND_DISPLAY is set";
		return false;
	}
	bool ready = false;
	for (int i = 0; i < count && !ready; i++) {
		SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers[i]);
		if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
			ready = true;
		else
			*reason = SDL_GetError();
	}
	if (!ready) {
		SDL_Quit();
		return false;
	}
	const char* driver = SDL_GetCurrentVideoDriver();
	fDriver = driver != nullptr ? driver : "";
	if (fDriver != "x11" && fDriver != "wayland") {
		*reason = "SDL offers no desktop video driver";
		SDL_Quit();
		return false;
	}
	// On X11 SDL would otherwise build a software OpenGL framebuffer, slow to start and large;
	// on Wayland the same setting leaves windows without a surface.
	if (fDriver == "x11")
		SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
	float scale = 1.0f;
	if (!environment_scale(&scale) && fDriver == "x11")
		scale = x11_desktop_scale();
	SetScale(scale);
	SDL_Rect bounds;
	if (SDL_GetDisplayBounds(0, &bounds) == 0 && bounds.w > 0 && bounds.h > 0) {
		float left = platform_position(bounds.x, scale);
		float top = platform_position(bounds.y, scale);
		fScreen = BRect(left, top, left + platform_length(bounds.w, scale) - 1,
						top + platform_length(bounds.h, scale) - 1);
	} else {
		fScreen = BRect(0, 0, platform_length(1024, scale) - 1, platform_length(768, scale) - 1);
	}
	fWakeEvent = SDL_RegisterEvents(1);
	SDL_StartTextInput();
	return true;
}

void
SdlDisplay::_Run(std::string* reason, std::mutex* startLock, std::condition_variable* started,
				 int* result)
{
	bool ready = _Start(reason);
	{
		std::lock_guard<std::mutex> guard(*startLock);
		*result = ready ? 1 : -1;
		started->notify_all();
	}
	if (!ready)
		return;
	while (!_Stopping()) {
		SDL_Event event;
		// A window waiting for its first frame appears after a while even without it.
		if (SDL_WaitEventTimeout(&event, fAwaitingFrames ? 50 : 500) != 0) {
			do {
				if (event.type == fWakeEvent) {
					std::lock_guard<std::mutex> guard(fLock);
					fWakePosted = false;
				} else {
					_HandleEvent(event);
				}
			} while (SDL_PollEvent(&event) != 0);
		}
		// A key whose text did not come with it (an input method took it) goes as it is.
		_FlushPendingKey();
		_Apply();
	}
	_Finish();
}

bool
SdlDisplay::_Stopping()
{
	std::lock_guard<std::mutex> guard(fWakeLock);
	return fStopping;
}

void
SdlDisplay::Stop()
{
	// On X11 SDL's shutdown asks the server about windows it may have dropped already, which
	// Xlib's error handler answers by ending the process with status 1; the display thread
	// goes on there as the process ends, as the server keeps nothing of it afterwards.
	if (fDriver != "wayland")
		return;
	{
		std::lock_guard<std::mutex> guard(fWakeLock);
		if (fStopping || !fThread.joinable())
			return;
		fStopping = true;
		SDL_Event event;
		memset(&event, 0, sizeof(event));
		event.type = fWakeEvent;
		SDL_PushEvent(&event);
	}
	if (fThread.get_id() == std::this_thread::get_id()) {
		// The display thread itself ends the process: it cannot wait for itself.
		fThread.detach();
		return;
	}
	// Bounded, so that a desktop that no longer answers cannot keep the process from ending.
	bool finished = false;
	{
		std::unique_lock<std::mutex> guard(fLock);
		finished = fChanged.wait_for(guard, std::chrono::seconds(10), [&] { return fFinished; });
	}
	if (finished)
		fThread.join();
	else
		fThread.detach();
}

void
SdlDisplay::_Wake()
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		if (fWakePosted)
			return;
		fWakePosted = true;
	}
	std::lock_guard<std::mutex> guard(fWakeLock);
	if (fStopping)
		return;
	SDL_Event event;
	memset(&event, 0, sizeof(event));
	event.type = fWakeEvent;
	SDL_PushEvent(&event);
}

const char*
SdlDisplay::Name() const
{
	return "sdl";
}

const char*
SdlDisplay::DriverName() const
{
	return fDriver.c_str();
}

BRect
SdlDisplay::ScreenFrame()
{
	std::lock_guard<std::mutex> guard(fLock);
	return fScreen;
}

void
SdlDisplay::AddWindow(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	Record& record = fWindows[window];
	record.title = window->Name() != nullptr ? window->Name() : "";
	record.frame = window->Frame();
}

void
SdlDisplay::RemoveWindow(BWindow* window)
{
	{
		std::unique_lock<std::mutex> guard(fLock);
		fChanged.wait(guard, [&] { return fCalling != window; });
		auto it = fWindows.find(window);
		if (it == fWindows.end())
			return;
		if (it->second.sdl != nullptr)
			fDoomed.push_back(it->second.sdl);
		fWindows.erase(it);
		fChanged.notify_all();
	}
	_Wake();
}

void
SdlDisplay::ShowWindow(BWindow* window)
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fWindows.find(window);
		if (it == fWindows.end())
			return;
		Record& record = it->second;
		if (!record.shown) {
			record.awaitingFrame = true;
			record.showTime = system_time();
		}
		record.shown = true;
		record.flags = window->Flags();
		record.look = int32(window->Look());
		record.visibilityChanged = true;
		record.raise = (record.flags & B_AVOID_FOCUS) == 0;
	}
	_Wake();
}

void
SdlDisplay::HideWindow(BWindow* window)
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fWindows.find(window);
		if (it == fWindows.end())
			return;
		it->second.shown = false;
		it->second.visibilityChanged = true;
	}
	_Wake();
}

void
SdlDisplay::SetWindowTitle(BWindow* window, const char* title)
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fWindows.find(window);
		if (it == fWindows.end())
			return;
		it->second.title = title != nullptr ? title : "";
		it->second.titleChanged = true;
	}
	_Wake();
}

void
SdlDisplay::SetWindowFrame(BWindow* window, BRect frame)
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fWindows.find(window);
		// The desktop moved or sized the window itself and told it so: nothing to do.
		if (it == fWindows.end() || it->second.frame == frame)
			return;
		it->second.frame = frame;
		it->second.frameChanged = true;
	}
	_Wake();
}

void
SdlDisplay::ActivateWindow(BWindow* window, bool active)
{
	if (!active)
		return;
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fWindows.find(window);
		if (it == fWindows.end())
			return;
		it->second.raise = true;
	}
	_Wake();
}

void
SdlDisplay::Present(BWindow* window, const uint8* bits, int32 width, int32 height,
					int32 bytesPerRow, const BRect* changed)
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fWindows.find(window);
		if (it == fWindows.end() || width <= 0 || height <= 0)
			return;
		Record& record = it->second;
		// Pictures not yet shown add up; a picture of another size changes all.
		bool sameSize = record.width == width && record.height == height;
		if (changed == nullptr || !changed->IsValid() || !sameSize)
			record.changed = BRect();
		else if (!record.newPixels)
			record.changed = *changed;
		else if (record.changed.IsValid())
			record.changed = record.changed | *changed;
		record.borrowed = bits;
		record.borrowedStride = bytesPerRow;
		_DropCopy(record);
		record.width = width;
		record.height = height;
		record.newPixels = true;
		record.awaitingFrame = false;
	}
	_Wake();
}

void
SdlDisplay::WillDraw(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	Record* record = _Find(window);
	if (record == nullptr || record->borrowed == nullptr)
		return;
	// A picture already shown stays where it went (the X window, or SDL's surface, which is
	// shown again after an exposure); one still to be shown is copied, so that it shows as it
	// was presented.
	if (record->newPixels) {
		CopyPicture(record->borrowed, record->borrowedStride, record->width, record->height,
					&record->pixels);
	}
	record->borrowed = nullptr;
}

void
SdlDisplay::GetPointer(BWindow* window, BPoint* where, uint32* buttons)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it == fWindows.end()) {
		*where = BPoint(-1, -1);
		*buttons = 0;
		return;
	}
	*where = it->second.pointer;
	*buttons = it->second.buttons;
}

void
SdlDisplay::SyncReached(int64)
{}

status_t
SdlDisplay::WaitForFirstFrame(BWindow* window, bigtime_t timeout)
{
	std::unique_lock<std::mutex> guard(fLock);
	bool shown = fChanged.wait_for(guard, std::chrono::microseconds(timeout), [&] {
		auto it = fWindows.find(window);
		return it == fWindows.end() || it->second.framesShown;
	});
	if (fWindows.find(window) == fWindows.end())
		return B_BAD_VALUE;
	return shown ? B_OK : B_TIMED_OUT;
}

} // namespace BPrivate
