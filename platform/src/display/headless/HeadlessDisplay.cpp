#include "HeadlessDisplay.h"

#include <AppDefs.h>
#include <Window.h>

#include "DisplayScale.h"
#include "EventScript.h"

#include <cairo.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace BPrivate {

namespace {

// BEAPI_SCREEN=WxH gives the screen's size in device pixels; the platform sees it divided by
// the scale.
BRect
screen_from_environment(float scale)
{
	int width = 1024;
	int height = 768;
	const char* text = getenv("BEAPI_SCREEN");
	if (text != nullptr) {
		int w = 0;
		int h = 0;
		char extra = 0;
		if (sscanf(text, "%dx%d%c", &w, &h, &extra) == 2 && w > 0 && h > 0 && w <= 32768 &&
			h <= 32768) {
			width = w;
			height = h;
		}
	}
	return BRect(0, 0, platform_length(width, scale) - 1, platform_length(height, scale) - 1);
}

// Without a desktop to ask, the factor is BEAPI_SCALE's or 1.
float
headless_scale()
{
	float scale = 1.0f;
	environment_scale(&scale);
	return scale;
}

} // namespace

HeadlessDisplay::HeadlessDisplay() : fActive(nullptr), fNextSync(1)
{
	SetScale(headless_scale());
	fScreen = screen_from_environment(Scale());
	const char* directory = getenv("BEAPI_SCREENSHOT_DIR");
	if (directory != nullptr && directory[0] != '\0')
		fShotDirectory = directory;
	const char* script = getenv("BEAPI_EVENTS");
	if (script != nullptr && script[0] != '\0')
		start_event_script(script);
}

HeadlessDisplay::~HeadlessDisplay() {}

HeadlessDisplay*
HeadlessDisplay::Get()
{
	return dynamic_cast<HeadlessDisplay*>(Display::Default());
}

const char*
HeadlessDisplay::Name() const
{
	return "headless";
}

BRect
HeadlessDisplay::ScreenFrame()
{
	return fScreen;
}

void
HeadlessDisplay::AddWindow(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	Record& record = fWindows[window];
	record.title = window->Name() != nullptr ? window->Name() : "";
	record.frame = window->Frame();
}

void
HeadlessDisplay::RemoveWindow(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	fWindows.erase(window);
	fOrder.erase(std::remove(fOrder.begin(), fOrder.end(), window), fOrder.end());
	if (fActive == window)
		fActive = nullptr;
	for (auto it = fSyncs.begin(); it != fSyncs.end();) {
		if (it->second == window)
			it = fSyncs.erase(it);
		else
			++it;
	}
	fChanged.notify_all();
}

void
HeadlessDisplay::ShowWindow(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it == fWindows.end())
		return;
	it->second.shown = true;
	it->second.flags = window->Flags();
	fOrder.erase(std::remove(fOrder.begin(), fOrder.end(), window), fOrder.end());
	fOrder.push_back(window);
	if ((it->second.flags & B_AVOID_FOCUS) == 0)
		_Activate(window);
	fChanged.notify_all();
	// Drawn while hidden: shown now with the frame it has.
	if (_HasFrame(it->second) && !it->second.reported) {
		it->second.reported = true;
		ReportFirstFrame(it->second.title.c_str());
	}
}

void
HeadlessDisplay::HideWindow(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it == fWindows.end())
		return;
	it->second.shown = false;
	fOrder.erase(std::remove(fOrder.begin(), fOrder.end(), window), fOrder.end());
	if (fActive == window) {
		_Deactivate(window);
		// The most recent window that takes the focus gets it back.
		for (auto other = fOrder.rbegin(); other != fOrder.rend(); ++other) {
			if ((fWindows[*other].flags & B_AVOID_FOCUS) == 0) {
				_Activate(*other);
				break;
			}
		}
	}
	fChanged.notify_all();
}

void
HeadlessDisplay::SetWindowTitle(BWindow* window, const char* title)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it != fWindows.end())
		it->second.title = title != nullptr ? title : "";
	fChanged.notify_all();
}

void
HeadlessDisplay::SetWindowFrame(BWindow* window, BRect frame)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it != fWindows.end())
		it->second.frame = frame;
}

void
HeadlessDisplay::ActivateWindow(BWindow* window, bool active)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it == fWindows.end())
		return;
	if (active) {
		if (it->second.shown && (it->second.flags & B_AVOID_FOCUS) == 0)
			_Activate(window);
	} else if (fActive == window) {
		_Deactivate(window);
	}
}

void
HeadlessDisplay::_Activate(BWindow* window)
{
	if (fActive == window)
		return;
	if (fActive != nullptr)
		_PostActivation(fActive, false);
	fActive = window;
	fOrder.erase(std::remove(fOrder.begin(), fOrder.end(), window), fOrder.end());
	fOrder.push_back(window);
	_PostActivation(window, true);
	// Someone may wait for this window to come to the front.
	fChanged.notify_all();
}

void
HeadlessDisplay::_Deactivate(BWindow* window)
{
	if (fActive != window)
		return;
	fActive = nullptr;
	_PostActivation(window, false);
}

void
HeadlessDisplay::_PostActivation(BWindow* window, bool active)
{
	BMessage message(B_WINDOW_ACTIVATED);
	message.AddInt64("when", system_time());
	message.AddBool("active", active);
	window->PostMessage(&message);
}

void
HeadlessDisplay::GetPointer(BWindow* window, BPoint* where, uint32* buttons)
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
HeadlessDisplay::SyncReached(int64 id)
{
	std::lock_guard<std::mutex> guard(fLock);
	fSyncs.erase(id);
	fChanged.notify_all();
}

void
HeadlessDisplay::WindowBlocked(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	for (auto it = fSyncs.begin(); it != fSyncs.end();) {
		if (it->second == window)
			it = fSyncs.erase(it);
		else
			++it;
	}
	fChanged.notify_all();
}

} // namespace BPrivate
