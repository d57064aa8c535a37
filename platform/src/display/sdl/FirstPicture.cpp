#include "FirstPicture.h"

#include "Xlib.h"

#include <SDL_syswm.h>
#include <X11/Xutil.h>

namespace BPrivate {

namespace {

bool
x11_window(SDL_Window* window, ::Display** display, Window* xwindow)
{
	SDL_SysWMinfo info;
	SDL_VERSION(&info.version);
	if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
		return false;
	*display = info.info.x11.display;
	*xwindow = info.info.x11.window;
	return true;
}

} // namespace

bool
x11_set_first_picture(SDL_Window* window, SDL_Surface* surface)
{
	const XlibCalls* x = xlib();
	::Display* display = nullptr;
	Window xwindow = 0;
	if (x == nullptr || surface == nullptr || surface->format->BytesPerPixel != 4 ||
		!x11_window(window, &display, &xwindow))
		return false;
	XWindowAttributes attributes;
	if (x->getWindowAttributes(display, xwindow, &attributes) == 0 ||
		(attributes.depth != 24 && attributes.depth != 32) || attributes.width != surface->w ||
		attributes.height != surface->h)
		return false;
	XImage* image = x->createImage(display, attributes.visual, unsigned(attributes.depth), ZPixmap,
								   0, static_cast<char*>(surface->pixels), unsigned(surface->w),
								   unsigned(surface->h), 32, surface->pitch);
	if (image == nullptr)
		return false;
	bool set = false;
	if (image->bits_per_pixel == 32) {
		Pixmap pixmap = x->createPixmap(display, xwindow, unsigned(surface->w),
										unsigned(surface->h), unsigned(attributes.depth));
		GC gc = x->createGC(display, pixmap, 0, nullptr);
		x->putImage(display, pixmap, gc, image, 0, 0, 0, 0, unsigned(surface->w),
					unsigned(surface->h));
		x->setWindowBackgroundPixmap(display, xwindow, pixmap);
		// The window holds the pixmap as long as it is its background.
		x->freeGC(display, gc);
		x->freePixmap(display, pixmap);
		set = true;
	}
	// The pixels are the surface's, not the image's to free.
	image->data = nullptr;
	XDestroyImage(image);
	return set;
}

void
x11_clear_first_picture(SDL_Window* window)
{
	const XlibCalls* x = xlib();
	::Display* display = nullptr;
	Window xwindow = 0;
	if (x != nullptr && x11_window(window, &display, &xwindow))
		x->setWindowBackgroundPixmap(display, xwindow, None);
}

} // namespace BPrivate
