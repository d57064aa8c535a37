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

int32
pixel_width(BRect frame)
{
	return frame.IntegerWidth() + 1;
}

int32
pixel_height(BRect frame)
{
	return frame.IntegerHeight() + 1;
}

// Where a window of this frame and border lies on the screen, in device pixels.
SDL_Rect
device_rect(BRect frame, int32 inset, float scale)
{
	SDL_Rect rect;
	rect.x = device_coordinate(frame.left, scale) - inset;
	rect.y = device_coordinate(frame.top, scale) - inset;
	rect.w = device_length(pixel_width(frame), scale) + 2 * inset;
	rect.h = device_length(pixel_height(frame), scale) + 2 * inset;
	return rect;
}

} // namespace

SdlDisplay::SdlDisplay()
	: fCalling(nullptr), fScreen(0, 0, 1023, 767), fWakeEvent(0), fWakePosted(false),
	  fRefocus(false), fModifiers(0), fMenuHeld(false)
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
	for (;;) {
		SDL_Event event;
		if (SDL_WaitEventTimeout(&event, 500) != 0) {
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
	SDL_Event event;
	memset(&event, 0, sizeof(event));
	event.type = fWakeEvent;
	SDL_PushEvent(&event);
}

void
SdlDisplay::_Apply()
{
	std::lock_guard<std::mutex> guard(fLock);
	for (SDL_Window* doomed : fDoomed)
		SDL_DestroyWindow(doomed);
	fDoomed.clear();
	for (auto& entry : fWindows)
		_ApplyRecord(entry.first, entry.second);
	if (fRefocus) {
		fRefocus = false;
		for (auto& entry : fWindows) {
			if (entry.second.active && entry.second.sdl != nullptr)
				SDL_SetWindowInputFocus(entry.second.sdl);
		}
	}
}

void
SdlDisplay::_ApplyRecord(BWindow*, Record& record)
{
	bool avoidFocus = (record.flags & B_AVOID_FOCUS) != 0;
	if (record.shown && record.sdl == nullptr) {
		Uint32 flags = SDL_WINDOW_HIDDEN;
		bool fixedWidth = (record.flags & (B_NOT_RESIZABLE | B_NOT_H_RESIZABLE)) != 0;
		bool fixedHeight = (record.flags & (B_NOT_RESIZABLE | B_NOT_V_RESIZABLE)) != 0;
		if (!fixedWidth || !fixedHeight)
			flags |= SDL_WINDOW_RESIZABLE;
		if (avoidFocus) {
			// Tooltips and menus: a plain bordered box the window manager leaves alone.
			flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
			if (fDriver == "x11")
				flags |= SDL_WINDOW_TOOLTIP;
		} else if (record.look == B_NO_BORDER_WINDOW_LOOK ||
				   record.look == B_BORDERED_WINDOW_LOOK) {
			flags |= SDL_WINDOW_BORDERLESS;
		}
		// Without a window manager's frame, the bordered look is a line (of one platform
		// pixel) drawn around the image.
		bool bordered =
			(flags & SDL_WINDOW_BORDERLESS) != 0 && record.look != B_NO_BORDER_WINDOW_LOOK;
		record.inset = bordered ? device_length(1, Scale()) : 0;
		SDL_Rect place = device_rect(record.frame, record.inset, Scale());
		record.sdl =
			SDL_CreateWindow(record.title.c_str(), place.x, place.y, place.w, place.h, flags);
		if (record.sdl == nullptr) {
			record.shown = false;
			return;
		}
		record.id = SDL_GetWindowID(record.sdl);
		if (fixedWidth || fixedHeight) {
			SDL_SetWindowMinimumSize(record.sdl, place.w, place.h);
			if (fixedWidth && fixedHeight)
				SDL_SetWindowMaximumSize(record.sdl, place.w, place.h);
		}
		record.titleChanged = false;
		record.frameChanged = false;
		record.visibilityChanged = true;
	}
	if (record.sdl == nullptr)
		return;
	if (record.titleChanged)
		SDL_SetWindowTitle(record.sdl, record.title.c_str());
	if (record.frameChanged) {
		int x = 0;
		int y = 0;
		int width = 0;
		int height = 0;
		SDL_Rect wanted = device_rect(record.frame, record.inset, Scale());
		SDL_GetWindowPosition(record.sdl, &x, &y);
		SDL_GetWindowSize(record.sdl, &width, &height);
		if (x != wanted.x || y != wanted.y)
			SDL_SetWindowPosition(record.sdl, wanted.x, wanted.y);
		if (width != wanted.w || height != wanted.h)
			SDL_SetWindowSize(record.sdl, wanted.w, wanted.h);
	}
	if (record.visibilityChanged) {
		if (record.shown) {
			SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, avoidFocus ? "1" : "0");
			SDL_ShowWindow(record.sdl);
			fRefocus = fRefocus || (avoidFocus && fDriver == "x11");
			record.newPixels = !record.pixels.empty();
		} else {
			SDL_HideWindow(record.sdl);
		}
	}
	if (record.raise && record.shown && !avoidFocus) {
		SDL_RaiseWindow(record.sdl);
		if (fDriver == "x11")
			SDL_SetWindowInputFocus(record.sdl);
	}
	if (record.newPixels && record.shown)
		_Blit(record);
	record.titleChanged = false;
	record.frameChanged = false;
	record.visibilityChanged = false;
	record.raise = false;
}

void
SdlDisplay::_Blit(Record& record)
{
	record.newPixels = false;
	SDL_Surface* target = SDL_GetWindowSurface(record.sdl);
	if (target == nullptr)
		return;
	SDL_Surface* source =
		SDL_CreateRGBSurfaceWithFormatFrom(record.pixels.data(), record.width, record.height, 32,
										   record.width * 4, SDL_PIXELFORMAT_ARGB8888);
	if (source == nullptr)
		return;
	SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
	if (record.inset > 0)
		SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 96, 96, 96));
	else if (target->w > record.width || target->h > record.height)
		// The desktop made the window a device pixel larger than the platform's pixels cover.
		SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 216, 216, 216));
	SDL_Rect place = {int(record.inset), int(record.inset), int(record.width), int(record.height)};
	SDL_BlitSurface(source, nullptr, target, &place);
	SDL_FreeSurface(source);
	if (SDL_UpdateWindowSurface(record.sdl) == 0) {
		if (!record.framesShown)
			ReportFirstFrame(record.title.c_str());
		record.framesShown = true;
		fChanged.notify_all();
	}
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
					int32 bytesPerRow)
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fWindows.find(window);
		if (it == fWindows.end() || width <= 0 || height <= 0)
			return;
		Record& record = it->second;
		record.pixels.resize(size_t(width) * size_t(height));
		for (int32 y = 0; y < height; y++) {
			memcpy(record.pixels.data() + size_t(y) * size_t(width), bits + y * bytesPerRow,
				   size_t(width) * 4);
		}
		record.width = width;
		record.height = height;
		record.newPixels = true;
	}
	_Wake();
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
