#ifndef _FIRST_PICTURE_H
#define _FIRST_PICTURE_H

// A window that appears already drawn. An X server paints a window it maps with its background
// before the program's first update can arrive; given the finished picture as that background,
// the window is never seen empty, not even for a moment.

#include <SDL.h>

namespace BPrivate {

// Makes the surface's picture the background of the unmapped X11 window; false where that
// cannot be done (another video driver, a depth other than 24 or 32 bits).
bool x11_set_first_picture(SDL_Window* window, SDL_Surface* surface);
// The window mapped and updated: later exposures are painted by the program, not the server.
void x11_clear_first_picture(SDL_Window* window);

} // namespace BPrivate

#endif
