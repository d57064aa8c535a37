#ifndef _DESKTOP_SCALE_H
#define _DESKTOP_SCALE_H

// The scale the desktop asks of its programs.

namespace BPrivate {

// On X11, the server's "Xft.dpi" resource divided by 96 (as xrdb sets it for every program of
// the session); 1 when the server has none.
float x11_desktop_scale();

} // namespace BPrivate

#endif
