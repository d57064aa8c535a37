#ifndef _X11_PICTURE_H
#define _X11_PICTURE_H

// Windows' pictures put straight into their X11 windows. The X server is handed the image the
// window drew, with no copy of it in a framebuffer of SDL's; and a window appears already drawn:
// a server paints a window it maps with its background before the program's first update can
// arrive, so given the finished picture as that background, the window is never seen empty.

#include <Rect.h>
#include <SupportDefs.h>

#include <SDL.h>

#include <memory>

namespace BPrivate {

// A window's image (B_RGB32 words) and the grey line of the bordered look around it.
struct X11Picture {
	const uint8* bits = nullptr;
	int32 bytesPerRow = 0;
	int32 width = 0;
	int32 height = 0;
	// The border's width in device pixels; the image lies this far in from the window's edges.
	int32 inset = 0;
	// The part of the image to put, in its device pixels (inclusive); invalid: the whole
	// picture, border and uncovered strips included.
	BRect changed;
};

// Where a window's pictures go on X11.
struct X11Target;
struct X11TargetDelete {
	void operator()(X11Target* target) const;
};
using X11TargetPointer = std::unique_ptr<X11Target, X11TargetDelete>;

// NULL where pictures cannot go straight into the window (another video driver, Xlib not
// found, a visual other than 24 bits of the usual red, green and blue); SDL's window surface serves
// then.
X11TargetPointer x11_target(SDL_Window* window);
// Puts the picture into the window, the window's size in device pixels, and fills what the
// image leaves uncovered. The image is no longer read once this returns.
bool x11_put_picture(const X11Target& target, const X11Picture& picture, int32 windowWidth,
					 int32 windowHeight);
// Makes the picture the background of the unmapped window.
bool x11_set_first_picture(const X11Target& target, const X11Picture& picture, int32 windowWidth,
						   int32 windowHeight);
// The window mapped and drawn: later exposures are painted by the program, not the server.
void x11_clear_first_picture(const X11Target& target);

} // namespace BPrivate

#endif
