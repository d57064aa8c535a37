#include "DesktopScale.h"

#include "DisplayScale.h"

#include <X11/Xlib.h>

#include <cstring>
#include <dlfcn.h>

namespace BPrivate {

float
x11_desktop_scale()
{
	// Xlib is looked up at run time, as SDL itself does, rather than linked; SDL has loaded it.
	void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
	if (library == nullptr)
		library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
	if (library == nullptr)
		return 1.0f;
	auto openDisplay =
		reinterpret_cast<::Display* (*)(const char*)>(dlsym(library, "XOpenDisplay"));
	auto resources =
		reinterpret_cast<char* (*)(::Display*)>(dlsym(library, "XResourceManagerString"));
	auto closeDisplay = reinterpret_cast<int (*)(::Display*)>(dlsym(library, "XCloseDisplay"));
	float scale = 1.0f;
	if (openDisplay != nullptr && resources != nullptr && closeDisplay != nullptr) {
		// The resources come with the connection: one short round trip.
		if (::Display* display = openDisplay(nullptr)) {
			const char* text = resources(display);
			if (text != nullptr)
				scale = scale_from_dpi(xft_dpi_from_resources(text, strlen(text)));
			closeDisplay(display);
		}
	}
	dlclose(library);
	return scale;
}

} // namespace BPrivate
