#ifndef _XLIB_CALLS_H
#define _XLIB_CALLS_H

// The few Xlib calls the desktop display makes besides SDL's own. Xlib is looked up at run
// time, as SDL itself does, rather than linked: SDL has loaded it where X11 is used.

#include <X11/Xlib.h>

namespace BPrivate {

struct XlibCalls {
	::Display* (*openDisplay)(const char* name);
	int (*closeDisplay)(::Display* display);
	char* (*resourceManagerString)(::Display* display);
	Status (*getWindowAttributes)(::Display* display, Window window, XWindowAttributes* attributes);
	Pixmap (*createPixmap)(::Display* display, Drawable drawable, unsigned int width,
						   unsigned int height, unsigned int depth);
	int (*freePixmap)(::Display* display, Pixmap pixmap);
	GC (*createGC)(::Display* display, Drawable drawable, unsigned long mask, XGCValues* values);
	int (*freeGC)(::Display* display, GC gc);
	XImage* (*createImage)(::Display* display, Visual* visual, unsigned int depth, int format,
						   int offset, char* data, unsigned int width, unsigned int height, int pad,
						   int bytesPerLine);
	int (*putImage)(::Display* display, Drawable drawable, GC gc, XImage* image, int sourceX,
					int sourceY, int x, int y, unsigned int width, unsigned int height);
	int (*setWindowBackgroundPixmap)(::Display* display, Window window, Pixmap pixmap);
	int (*setForeground)(::Display* display, GC gc, unsigned long pixel);
	int (*fillRectangle)(::Display* display, Drawable drawable, GC gc, int x, int y,
						 unsigned int width, unsigned int height);
	int (*flush)(::Display* display);
};

// The calls, or NULL where Xlib cannot be loaded.
const XlibCalls* xlib();

} // namespace BPrivate

#endif
