#include "SdlDisplay.h"

#include <Window.h>

#include "DisplayScale.h"

#include <cstdlib>
#include <mutex>

// The display thread's side of the windows: what the program asked for, applied to SDL's windows.

namespace BPrivate {

namespace {

// How long a window shown waits for its first frame before it appears without it.
const bigtime_t kFirstFrameWait = 1000000;

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

void
SdlDisplay::_Apply()
{
	std::lock_guard<std::mutex> guard(fLock);
	for (SDL_Window* doomed : fDoomed)
		SDL_DestroyWindow(doomed);
	fDoomed.clear();
	fAwaitingFrames = false;
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
		if (fDriver == "x11")
			record.x11 = x11_target(record.sdl);
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
	bool waiting = false;
	if (record.visibilityChanged) {
		if (!record.shown) {
			SDL_HideWindow(record.sdl);
			record.mapped = false;
		} else if (record.awaitingFrame && system_time() - record.showTime < kFirstFrameWait) {
			// The window is drawing the picture it is to appear with.
			waiting = true;
			fAwaitingFrames = true;
		} else {
			_Map(record, avoidFocus);
		}
	}
	if (record.raise && record.mapped && !avoidFocus) {
		SDL_RaiseWindow(record.sdl);
		if (fDriver == "x11")
			SDL_SetWindowInputFocus(record.sdl);
	}
	if (record.newPixels && record.mapped)
		_Blit(record);
	record.titleChanged = false;
	record.frameChanged = false;
	record.visibilityChanged = waiting;
	record.raise = record.raise && waiting;
}

void
SdlDisplay::_Map(Record& record, bool avoidFocus)
{
	// The picture goes into the window before the window goes onto the screen.
	bool picture = false;
	SDL_Surface* target = nullptr;
	if (_HasPicture(record)) {
		if (record.x11 != nullptr) {
			int width = 0;
			int height = 0;
			SDL_GetWindowSize(record.sdl, &width, &height);
			picture = x11_set_first_picture(*record.x11, _Picture(record), width, height);
		} else {
			target = _Compose(record);
		}
	}
	SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, avoidFocus ? "1" : "0");
	SDL_ShowWindow(record.sdl);
	record.mapped = true;
	fRefocus = fRefocus || (avoidFocus && fDriver == "x11");
	record.newPixels = false;
	record.changed = BRect();
	// The server painted the first picture as it mapped the window; the exposure that follows
	// puts it again.
	if (picture)
		_Shown(record);
	else if (record.x11 != nullptr && _HasPicture(record))
		_Put(record);
	else if (target != nullptr)
		_Update(record);
	_DropCopy(record);
	// SDL's show returns once the window is mapped, by a window manager too: the server has
	// painted the picture by now.
	if (picture)
		x11_clear_first_picture(*record.x11);
	// A window's surface has SDL load the libraries it draws with (on Wayland the OpenGL ones),
	// and those register handlers of their own that tear them down as the process exits. The
	// display ends before them: exit runs the last handler registered first.
	static std::once_flag once;
	std::call_once(once, [] { atexit(Display::Shutdown); });
}

void
SdlDisplay::_Blit(Record& record)
{
	record.newPixels = false;
	if (!_HasPicture(record)) {
		// The window is drawing its next picture, which follows. SDL's surface still holds the
		// last one; an X window waits for the next in whole, however little of it changed.
		if (record.x11 != nullptr)
			record.newPixels = true;
		else if (record.framesShown)
			_Update(record);
		return;
	}
	if (record.x11 != nullptr)
		_Put(record);
	else if (_Compose(record) != nullptr)
		_Update(record);
	_DropCopy(record);
}

bool
SdlDisplay::_HasPicture(const Record& record)
{
	return record.borrowed != nullptr || !record.pixels.empty();
}

X11Picture
SdlDisplay::_Picture(const Record& record)
{
	X11Picture picture;
	if (record.borrowed != nullptr) {
		picture.bits = record.borrowed;
		picture.bytesPerRow = record.borrowedStride;
	} else {
		picture.bits = reinterpret_cast<const uint8*>(record.pixels.data());
		picture.bytesPerRow = record.width * 4;
	}
	picture.width = record.width;
	picture.height = record.height;
	picture.inset = record.inset;
	picture.changed = record.changed;
	return picture;
}

void
SdlDisplay::_DropCopy(Record& record)
{
	std::vector<uint32>().swap(record.pixels);
}

void
SdlDisplay::_Put(Record& record)
{
	int width = 0;
	int height = 0;
	SDL_GetWindowSize(record.sdl, &width, &height);
	if (x11_put_picture(*record.x11, _Picture(record), width, height))
		_Shown(record);
}

SDL_Surface*
SdlDisplay::_Compose(Record& record)
{
	SDL_Surface* target = SDL_GetWindowSurface(record.sdl);
	if (target == nullptr)
		return nullptr;
	X11Picture picture = _Picture(record);
	SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
		const_cast<uint8*>(picture.bits), picture.width, picture.height, 32, picture.bytesPerRow,
		SDL_PIXELFORMAT_ARGB8888);
	if (source == nullptr)
		return nullptr;
	SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
	if (record.inset > 0)
		SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 96, 96, 96));
	else if (target->w > record.width || target->h > record.height)
		// The desktop made the window a device pixel larger than the platform's pixels cover.
		SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 216, 216, 216));
	SDL_Rect place = {int(record.inset), int(record.inset), int(record.width), int(record.height)};
	SDL_BlitSurface(source, nullptr, target, &place);
	SDL_FreeSurface(source);
	return target;
}

void
SdlDisplay::_Update(Record& record)
{
	if (SDL_UpdateWindowSurface(record.sdl) == 0)
		_Shown(record);
}

void
SdlDisplay::_Shown(Record& record)
{
	if (!record.framesShown)
		ReportFirstFrame(record.title.c_str());
	record.framesShown = true;
	fChanged.notify_all();
}

void
SdlDisplay::_Finish()
{
	std::lock_guard<std::mutex> guard(fLock);
	for (SDL_Window* doomed : fDoomed)
		SDL_DestroyWindow(doomed);
	fDoomed.clear();
	for (auto& entry : fWindows) {
		if (entry.second.sdl != nullptr)
			SDL_DestroyWindow(entry.second.sdl);
		entry.second.sdl = nullptr;
		entry.second.x11.reset();
		entry.second.mapped = false;
	}
	SDL_StopTextInput();
	SDL_Quit();
	fFinished = true;
	fChanged.notify_all();
}

} // namespace BPrivate
