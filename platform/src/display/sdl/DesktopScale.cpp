#include "DesktopScale.h"

#include "DisplayScale.h"
#include "Xlib.h"

#include <cstring>

namespace BPrivate {

float
x11_desktop_scale()
{
	const XlibCalls* x = xlib();
	if (x == nullptr)
		return 1.0f;
	float scale = 1.0f;
	// The resources come with the connection: one short round trip.
	if (::Display* display = x->openDisplay(nullptr)) {
		const char* text = x->resourceManagerString(display);
		if (text != nullptr)
			scale = scale_from_dpi(xft_dpi_from_resources(text, strlen(text)));
		x->closeDisplay(display);
	}
	return scale;
}

} // namespace BPrivate
