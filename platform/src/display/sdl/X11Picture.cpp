#include "X11Picture.h"

#include "Xlib.h"

#include <SDL_syswm.h>
#include <X11/Xutil.h>

namespace BPrivate {

struct X11Target {
	::Display* display = nullptr;
	Window window = 0;
	Visual* visual = nullptr;
	int depth = 0;
};

void
X11TargetDelete::operator()(X11Target* target) const
{
	delete target;
}

namespace {

// The grey of the bordered look's line, and of what the image leaves uncovered.
const unsigned long kBorderPixel = 0x606060;
const unsigned long kUncoveredPixel = 0xd8d8d8;

void
fill(const XlibCalls* x, const X11Target& target, Drawable drawable, GC gc, unsigned long pixel,
	 int32 left, int32 top, int32 width, int32 height)
{
	if (width <= 0 || height <= 0)
		return;
	x->setForeground(target.display, gc, pixel);
	x->fillRectangle(target.display, drawable, gc, left, top, unsigned(width), unsigned(height));
}

// Draws the picture into the drawable of the window's size: the image at its inset, the border
// around it, grey where the window is larger than both.
bool
draw(const XlibCalls* x, const X11Target& target, Drawable drawable, const X11Picture& picture,
	 int32 windowWidth, int32 windowHeight)
{
	if (picture.bits == nullptr || picture.width <= 0 || picture.height <= 0 ||
		picture.bytesPerRow < picture.width * 4 || picture.inset < 0)
		return false;
	XImage* image =
		x->createImage(target.display, target.visual, unsigned(target.depth), ZPixmap, 0,
					   const_cast<char*>(reinterpret_cast<const char*>(picture.bits)),
					   unsigned(picture.width), unsigned(picture.height), 32, picture.bytesPerRow);
	if (image == nullptr)
		return false;
	bool drawn = false;
	BRect whole(0, 0, picture.width - 1, picture.height - 1);
	BRect part = picture.changed.IsValid() ? picture.changed & whole : whole;
	if (image->bits_per_pixel == 32 && part != whole) {
		// Only what changed: the border and the strips around stay as they are.
		if (part.IsValid()) {
			GC gc = x->createGC(target.display, drawable, 0, nullptr);
			int left = int(part.left);
			int top = int(part.top);
			x->putImage(target.display, drawable, gc, image, left, top, left + picture.inset,
						top + picture.inset, unsigned(part.IntegerWidth() + 1),
						unsigned(part.IntegerHeight() + 1));
			x->freeGC(target.display, gc);
		}
		drawn = true;
	} else if (image->bits_per_pixel == 32) {
		GC gc = x->createGC(target.display, drawable, 0, nullptr);
		int32 inset = picture.inset;
		x->putImage(target.display, drawable, gc, image, 0, 0, inset, inset,
					unsigned(picture.width), unsigned(picture.height));
		int32 outerWidth = picture.width + 2 * inset;
		int32 outerHeight = picture.height + 2 * inset;
		if (inset > 0) {
			fill(x, target, drawable, gc, kBorderPixel, 0, 0, outerWidth, inset);
			fill(x, target, drawable, gc, kBorderPixel, 0, inset + picture.height, outerWidth,
				 inset);
			fill(x, target, drawable, gc, kBorderPixel, 0, inset, inset, picture.height);
			fill(x, target, drawable, gc, kBorderPixel, inset + picture.width, inset, inset,
				 picture.height);
		}
		fill(x, target, drawable, gc, kUncoveredPixel, outerWidth, 0, windowWidth - outerWidth,
			 windowHeight);
		fill(x, target, drawable, gc, kUncoveredPixel, 0, outerHeight, outerWidth,
			 windowHeight - outerHeight);
		x->freeGC(target.display, gc);
		drawn = true;
	}
	// The pixels are the window's, not the image's to free.
	image->data = nullptr;
	XDestroyImage(image);
	return drawn;
}

} // namespace

X11TargetPointer
x11_target(SDL_Window* window)
{
	const XlibCalls* x = xlib();
	SDL_SysWMinfo info;
	SDL_VERSION(&info.version);
	if (x == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
		return nullptr;
	X11TargetPointer target(new X11Target);
	target->display = info.info.x11.display;
	target->window = info.info.x11.window;
	XWindowAttributes attributes;
	if (x->getWindowAttributes(target->display, target->window, &attributes) == 0 ||
		attributes.depth != 24 || attributes.visual == nullptr ||
		(attributes.visual->c_class != TrueColor && attributes.visual->c_class != DirectColor) ||
		attributes.visual->red_mask != 0xff0000 || attributes.visual->green_mask != 0xff00 ||
		attributes.visual->blue_mask != 0xff)
		return nullptr;
	target->visual = attributes.visual;
	target->depth = attributes.depth;
	return target;
}

bool
x11_put_picture(const X11Target& target, const X11Picture& picture, int32 windowWidth,
				int32 windowHeight)
{
	const XlibCalls* x = xlib();
	if (x == nullptr || !draw(x, target, target.window, picture, windowWidth, windowHeight))
		return false;
	x->flush(target.display);
	return true;
}

bool
x11_set_first_picture(const X11Target& target, const X11Picture& picture, int32 windowWidth,
					  int32 windowHeight)
{
	const XlibCalls* x = xlib();
	if (x == nullptr || windowWidth <= 0 || windowHeight <= 0)
		return false;
	Pixmap pixmap = x->createPixmap(target.display, target.window, unsigned(windowWidth),
									unsigned(windowHeight), unsigned(target.depth));
	X11Picture whole = picture;
	whole.changed = BRect();
	bool drawn = draw(x, target, pixmap, whole, windowWidth, windowHeight);
	if (drawn)
		x->setWindowBackgroundPixmap(target.display, target.window, pixmap);
	// The window holds the pixmap as long as it is its background.
	x->freePixmap(target.display, pixmap);
	return drawn;
}

void
x11_clear_first_picture(const X11Target& target)
{
	const XlibCalls* x = xlib();
	if (x != nullptr)
		x->setWindowBackgroundPixmap(target.display, target.window, None);
}

} // namespace BPrivate
