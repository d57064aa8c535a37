#ifndef STARTUP_MAP_WATCH_H
#define STARTUP_MAP_WATCH_H

// Watches an X server for top-level windows being mapped: the moment a window appears on the
// screen, as the server sees it, whichever program maps it.

#include <X11/Xlib.h>

#include <chrono>
#include <poll.h>
#include <string>

class MapWatch {
public:
	explicit MapWatch(const std::string& name)
	{
		fDisplay = XOpenDisplay(name.c_str());
		if (fDisplay == nullptr)
			return;
		XSelectInput(fDisplay, DefaultRootWindow(fDisplay), SubstructureNotifyMask);
		XSync(fDisplay, False);
	}

	~MapWatch()
	{
		if (fDisplay != nullptr)
			XCloseDisplay(fDisplay);
	}

	bool IsValid() const { return fDisplay != nullptr; }
	// The connection's descriptor, readable when events may have come.
	int Descriptor() const { return ConnectionNumber(fDisplay); }

	// Forgets what earlier programs' windows did.
	void Drain()
	{
		XSync(fDisplay, False);
		while (XPending(fDisplay) > 0) {
			XEvent event;
			XNextEvent(fDisplay, &event);
		}
	}

	// Reads what has come; true when a window has been mapped among it.
	bool Mapped()
	{
		bool mapped = false;
		while (XPending(fDisplay) > 0) {
			XEvent event;
			XNextEvent(fDisplay, &event);
			if (event.type == MapNotify)
				mapped = true;
		}
		return mapped;
	}

private:
	Display* fDisplay = nullptr;
};

#endif
