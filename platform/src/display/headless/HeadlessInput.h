#ifndef _HEADLESS_INPUT_H
#define _HEADLESS_INPUT_H

// Stands in for a person at the headless display: moves, clicks, drags and keys by window,
// each followed by a wait until the window has handled it and shown the result. Points are
// window coordinates. Key names are those of event scripts (a character, or enter escape tab
// space backspace delete home end up down left right pageup pagedown insert f1 … f12).

#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <OS.h>
#include <Point.h>
#include <View.h>

class BWindow;

namespace BPrivate {
namespace headless {

const bigtime_t kDefaultTimeout = 5000000;

// The most recently shown window with exactly this title, waiting for one up to the timeout.
BWindow* wait_for_window(const char* title, bigtime_t timeout = kDefaultTimeout);
// Waits until the window is the one in front, which keys go to.
status_t wait_for_front(BWindow* window, bigtime_t timeout = kDefaultTimeout);
// Waits until the window has handled what was posted to it and shown the result.
status_t sync(BWindow* window, bigtime_t timeout = kDefaultTimeout);

// Modifier keys held from now on (they also show in modifiers()).
void set_modifiers(uint32 modifiers);
uint32 held_modifiers();
// The bits of "shift", "control", "command" or "option", with the left-key bit; 0 otherwise.
uint32 modifier_bits(const char* name);

status_t mouse_move(BWindow* window, BPoint where);
// A press; clicks 0 counts them as the platform does (same place, within the interval).
status_t mouse_down(BWindow* window, BPoint where, uint32 buttons = B_PRIMARY_MOUSE_BUTTON,
					int32 clicks = 0);
status_t mouse_up(BWindow* window, BPoint where);
// count presses and releases with "clicks" 1, 2, … count.
status_t click(BWindow* window, BPoint where, int32 count = 1,
			   uint32 buttons = B_PRIMARY_MOUSE_BUTTON);
// Press at from, move one pixel a step to to, release there.
status_t drag(BWindow* window, BPoint from, BPoint to, uint32 buttons = B_PRIMARY_MOUSE_BUTTON);
status_t press_key(BWindow* window, const char* key, uint32 modifiers = 0);
status_t type_text(BWindow* window, const char* text);
// The close box.
status_t close(BWindow* window);

status_t screenshot(BWindow* window, const char* path);
status_t get_pixel(BWindow* window, int32 x, int32 y, rgb_color* color);

} // namespace headless
} // namespace BPrivate

#endif
