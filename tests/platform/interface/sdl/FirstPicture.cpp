#include "FirstPicture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <dlfcn.h>
#include <poll.h>
#include <thread>
#include <type_traits>

// Loaded at run time, as the other helpers here: the tests need the library, not a link.
struct MapWatch::Calls {
	::Display* (*openDisplay)(const char*);
	int (*closeDisplay)(::Display*);
	int (*selectInput)(::Display*, Window, long);
	int (*sync)(::Display*, Bool);
	int (*pending)(::Display*);
	int (*nextEvent)(::Display*, XEvent*);
	Status (*getWindowAttributes)(::Display*, Window, XWindowAttributes*);
	XImage* (*getImage)(::Display*, Drawable, int, int, unsigned int, unsigned int, unsigned long,
						int);
};

namespace {

const MapWatch::Calls*
load_calls()
{
	static MapWatch::Calls sCalls;
	static bool sLoaded = [] {
		void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
		if (library == nullptr)
			return false;
		auto find = [&](const char* name, auto* function) {
			*function =
				reinterpret_cast<std::remove_pointer_t<decltype(function)>>(dlsym(library, name));
			return *function != nullptr;
		};
		return find("XOpenDisplay", &sCalls.openDisplay) &&
			   find("XCloseDisplay", &sCalls.closeDisplay) &&
			   find("XSelectInput", &sCalls.selectInput) && find("XSync", &sCalls.sync) &&
			   find("XPending", &sCalls.pending) && find("XNextEvent", &sCalls.nextEvent) &&
			   find("XGetWindowAttributes", &sCalls.getWindowAttributes) &&
			   find("XGetImage", &sCalls.getImage);
	}();
	return sLoaded ? &sCalls : nullptr;
}

} // namespace

MapWatch::~MapWatch()
{
	if (fDisplay != nullptr)
		fCalls->closeDisplay(static_cast<::Display*>(fDisplay));
}

bool
MapWatch::Start(const XServer& server)
{
	fCalls = load_calls();
	if (fCalls == nullptr)
		return false;
	::Display* display = fCalls->openDisplay(server.Name().c_str());
	if (display == nullptr)
		return false;
	fDisplay = display;
	fCalls->selectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
	fCalls->sync(display, False);
	return true;
}

bool
MapWatch::WaitForWindowManager(int timeoutMs)
{
	::Display* display = static_cast<::Display*>(fDisplay);
	if (display == nullptr)
		return false;
	auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	for (;;) {
		XWindowAttributes attributes;
		if (fCalls->getWindowAttributes(display, DefaultRootWindow(display), &attributes) != 0 &&
			(attributes.all_event_masks & SubstructureRedirectMask) != 0)
			return true;
		if (std::chrono::steady_clock::now() > deadline)
			return false;
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
	}
}

bool
MapWatch::WaitForFirstPicture(int timeoutMs, FirstPicture* picture)
{
	::Display* display = static_cast<::Display*>(fDisplay);
	if (display == nullptr)
		return false;
	auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	for (;;) {
		while (fCalls->pending(display) > 0) {
			XEvent event;
			fCalls->nextEvent(display, &event);
			if (event.type != MapNotify)
				continue;
			// Read at once: whatever the program sends after the map comes later.
			XWindowAttributes attributes;
			if (fCalls->getWindowAttributes(display, event.xmap.window, &attributes) == 0)
				return false;
			XImage* image =
				fCalls->getImage(display, event.xmap.window, 0, 0, unsigned(attributes.width),
								 unsigned(attributes.height), ~0ul, ZPixmap);
			if (image == nullptr)
				return false;
			picture->window = event.xmap.window;
			picture->width = attributes.width;
			picture->height = attributes.height;
			picture->pixels.resize(size_t(attributes.width) * size_t(attributes.height));
			for (int y = 0; y < attributes.height; y++) {
				for (int x = 0; x < attributes.width; x++)
					picture->pixels[size_t(y) * size_t(attributes.width) + size_t(x)] =
						uint32_t(XGetPixel(image, x, y) & 0xffffff);
			}
			XDestroyImage(image);
			return true;
		}
		auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
			deadline - std::chrono::steady_clock::now());
		if (left.count() <= 0)
			return false;
		pollfd wait = {ConnectionNumber(display), POLLIN, 0};
		poll(&wait, 1, int(left.count()));
	}
}
