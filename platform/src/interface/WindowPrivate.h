#ifndef _WINDOW_PRIVATE_H
#define _WINDOW_PRIVATE_H

// What a window keeps beside its public members: the state other threads read, its image and
// what needs drawing, and where the pointer was.

#include <Rect.h>
#include <Window.h>

#include "Display.h"

#include <cairo.h>

#include <atomic>
#include <mutex>
#include <string>

class BButton;
class BView;

namespace BPrivate {

// How many times a window just shown lets queued messages go before its first drawing.
const int32 kSettleRounds = 64;

struct WindowInternals {
	// Guards what Frame, IsHidden and the display read from other threads.
	mutable std::mutex stateLock;
	BRect frame;
	int32 showLevel = 1;
	std::atomic<bool> active{false};
	// The display knows the window: it has been shown once.
	std::atomic<bool> onDisplay{false};
	bool started = false;
	window_type type = B_UNTYPED_WINDOW;
	float minWidth = 0, maxWidth = 32768, minHeight = 0, maxHeight = 32768;

	// Drawing, in the window's thread with the window locked.
	cairo_surface_t* surface = nullptr;
	cairo_region_t* dirty = nullptr;
	bool updatePosted = false;
	// How many more times the first drawing after Show may wait for queued messages.
	int32 unsettled = 0;
	bool framePending = false;
	int32 updatesDisabled = 0;
	cairo_t* updateContext = nullptr;
	const BView* drawingView = nullptr;

	// Pointer routing.
	BView* lastMouseMovedView = nullptr;
	BView* mouseMaskView = nullptr;
	uint32 mouseMaskOptions = 0;

	~WindowInternals();

	static WindowInternals& Of(const BWindow* window) { return *window->fInternals; }

	// Adds a window rectangle (integer pixels, inclusive) to what the next update draws.
	static void InvalidateRect(BWindow* window, BRect windowRect);
	// Draws what is invalid and hands the frame to the display; window thread only.
	static void Update(BWindow* window);
	// The same for the window's update message, which a window just shown lets wait.
	static void HandleUpdate(BWindow* window);
	// The deepest shown view under a window point, clipped by every ancestor.
	static BView* ViewAt(BView* top, BPoint windowPoint);
	// Forgets pointers into a subtree that leaves the window.
	static void ViewRemoved(BWindow* window, BView* view);
	// Moves the focus to the next (or previous) navigable view in tree order.
	static void Navigate(BWindow* window, bool backward);
	// Presses the default button for a view that did not handle Enter.
	static void PressDefaultButton(BWindow* window, BView* from, const char* bytes, int32 numBytes);
	static void DrawView(BView* view, cairo_t* cr, cairo_region_t* dirty,
						 WindowInternals& internals);
	static BHandler* RouteMouse(BWindow* window, BMessage* message);
	static void HandleSync(BWindow* window, BMessage* message);
};

// Clips to the rectangle of the platform's pixels, in whole device pixels.
void clip_to_pixels(cairo_t* cr, const cairo_rectangle_int_t& area);

// How the window reaches its default button without knowing the button class: the controls
// register these when they are linked in.
struct DefaultButtonHooks {
	BView* (*view)(BButton* button);
	void (*makeDefault)(BButton* button, bool isDefault);
};
void set_default_button_hooks(const DefaultButtonHooks* hooks);
const DefaultButtonHooks* default_button_hooks();

} // namespace BPrivate

#endif
