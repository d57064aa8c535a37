#include "Xlib.h"

#include <dlfcn.h>
#include <mutex>

namespace BPrivate {

namespace {

template <typename Function>
bool
find(void* library, const char* name, Function* function)
{
	*function = reinterpret_cast<Function>(dlsym(library, name));
	return *function != nullptr;
}

} // namespace

const XlibCalls*
xlib()
{
	static XlibCalls sCalls;
	static bool sLoaded = false;
	static std::once_flag once;
	std::call_once(once, [] {
		void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
		if (library == nullptr)
			library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
		if (library == nullptr)
			return;
		// Kept loaded for the life of the process, as SDL keeps it.
		sLoaded = find(library, "XOpenDisplay", &sCalls.openDisplay) &&
				  find(library, "XCloseDisplay", &sCalls.closeDisplay) &&
				  find(library, "XResourceManagerString", &sCalls.resourceManagerString) &&
				  find(library, "XGetWindowAttributes", &sCalls.getWindowAttributes) &&
				  find(library, "XCreatePixmap", &sCalls.createPixmap) &&
				  find(library, "XFreePixmap", &sCalls.freePixmap) &&
				  find(library, "XCreateGC", &sCalls.createGC) &&
				  find(library, "XFreeGC", &sCalls.freeGC) &&
				  find(library, "XCreateImage", &sCalls.createImage) &&
				  find(library, "XPutImage", &sCalls.putImage) &&
				  find(library, "XSetWindowBackgroundPixmap", &sCalls.setWindowBackgroundPixmap) &&
				  find(library, "XSetForeground", &sCalls.setForeground) &&
				  find(library, "XFillRectangle", &sCalls.fillRectangle) &&
				  find(library, "XFlush", &sCalls.flush);
	});
	return sLoaded ? &sCalls : nullptr;
}

} // namespace BPrivate
