#include "HeadlessInput.h"

#include <AppDefs.h>
#include <Message.h>
#include <Window.h>

#include "HeadlessDisplay.h"
#include "InputEvents.h"
#include "ModifierState.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>

namespace BPrivate {
namespace headless {

namespace {

std::atomic<uint32>&
held()
{
	static std::atomic<uint32> sHeld(::modifiers());
	return sHeld;
}

std::mutex sClickLock;
ClickCounter sClicks;

HeadlessDisplay*
display()
{
	return HeadlessDisplay::Get();
}

// Once the first message of an input reached the window, the window going away is what the
// input did (Enter on a menu, a click on a menu item), not a failure.
status_t
closed_by_input(status_t status)
{
	return status == B_BAD_VALUE ? B_OK : status;
}

status_t
post_mouse(BWindow* window, uint32 what, BPoint where, uint32 buttons, int32 clicks)
{
	HeadlessDisplay* headless = display();
	if (headless == NULL)
		return B_NO_INIT;
	BPoint screen;
	status_t status = headless->ScreenWhere(window, where, &screen);
	if (status != B_OK)
		return status;
	BMessage message;
	make_mouse_message(&message, what, where, screen, buttons, clicks, held().load());
	return headless->PostInput(window, &message);
}

uint32
current_buttons(BWindow* window)
{
	BPoint where;
	uint32 buttons = 0;
	display()->GetPointer(window, &where, &buttons);
	return buttons;
}

status_t
post_key(BWindow* window, const KeyStroke& stroke, uint32 modifiers)
{
	HeadlessDisplay* headless = display();
	BMessage message;
	BPrivate::set_modifiers(modifiers);
	make_key_message(&message, B_KEY_DOWN, stroke, modifiers);
	status_t status = headless->PostInput(window, &message);
	if (status != B_OK)
		return status;
	make_key_message(&message, B_KEY_UP, stroke, modifiers);
	return closed_by_input(headless->PostInput(window, &message));
}

} // namespace

BWindow*
wait_for_window(const char* title, bigtime_t timeout)
{
	HeadlessDisplay* headless = display();
	if (headless == NULL || title == NULL)
		return NULL;
	return headless->WaitForWindow(title, timeout);
}

status_t
wait_for_front(BWindow* window, bigtime_t timeout)
{
	HeadlessDisplay* headless = display();
	if (headless == NULL)
		return B_NO_INIT;
	return headless->WaitForFront(window, timeout);
}

status_t
sync(BWindow* window, bigtime_t timeout)
{
	HeadlessDisplay* headless = display();
	if (headless == NULL)
		return B_NO_INIT;
	return headless->Sync(window, timeout);
}

void
set_modifiers(uint32 modifiers)
{
	held().store(modifiers);
	BPrivate::set_modifiers(modifiers);
}

uint32
held_modifiers()
{
	return held().load();
}

uint32
modifier_bits(const char* name)
{
	if (strcmp(name, "shift") == 0)
		return B_SHIFT_KEY | B_LEFT_SHIFT_KEY;
	if (strcmp(name, "control") == 0)
		return B_CONTROL_KEY | B_LEFT_CONTROL_KEY;
	if (strcmp(name, "command") == 0)
		return B_COMMAND_KEY | B_LEFT_COMMAND_KEY;
	if (strcmp(name, "option") == 0)
		return B_OPTION_KEY | B_LEFT_OPTION_KEY;
	return 0;
}

namespace {

// A point in the window's coordinates moved onto the screen, as a real pointer cannot leave
// it; a far-off point would also make a drag step through millions of positions.
BPoint
on_screen(BWindow* window, BPoint where)
{
	// Clipped in the window's coordinates: a far-off point has no precision left for the
	// window's place on the screen.
	BPoint origin;
	if (display()->ScreenWhere(window, BPoint(0, 0), &origin) != B_OK)
		return where;
	BRect frame = display()->ScreenFrame().OffsetByCopy(-origin.x, -origin.y);
	return BPoint(std::clamp(where.x, frame.left, frame.right),
				  std::clamp(where.y, frame.top, frame.bottom));
}

} // namespace

status_t
mouse_move(BWindow* window, BPoint where)
{
	if (display() == NULL)
		return B_NO_INIT;
	where = on_screen(window, where);
	status_t status = post_mouse(window, B_MOUSE_MOVED, where, current_buttons(window), 0);
	if (status != B_OK)
		return status;
	return sync(window);
}

status_t
mouse_down(BWindow* window, BPoint where, uint32 buttons, int32 clicks)
{
	if (display() == NULL)
		return B_NO_INIT;
	{
		std::lock_guard<std::mutex> guard(sClickLock);
		int32 counted = sClicks.Press(window, buttons, where, system_time());
		if (clicks <= 0)
			clicks = counted;
	}
	status_t status = post_mouse(window, B_MOUSE_DOWN, where, buttons, clicks);
	if (status != B_OK)
		return status;
	return closed_by_input(sync(window));
}

status_t
mouse_up(BWindow* window, BPoint where)
{
	if (display() == NULL)
		return B_NO_INIT;
	status_t status = post_mouse(window, B_MOUSE_UP, where, 0, 0);
	if (status != B_OK)
		return status;
	return closed_by_input(sync(window));
}

status_t
click(BWindow* window, BPoint where, int32 count, uint32 buttons)
{
	if (display() == NULL)
		return B_NO_INIT;
	BPoint pointer;
	uint32 held = 0;
	display()->GetPointer(window, &pointer, &held);
	status_t status = B_OK;
	if (pointer != where)
		status = post_mouse(window, B_MOUSE_MOVED, where, held, 0);
	bool delivered = false;
	for (int32 i = 1; i <= count && status == B_OK; i++) {
		status = post_mouse(window, B_MOUSE_DOWN, where, buttons, i);
		delivered = delivered || status == B_OK;
		if (status == B_OK)
			status = post_mouse(window, B_MOUSE_UP, where, 0, 0);
	}
	if (status == B_OK)
		status = sync(window);
	return delivered ? closed_by_input(status) : status;
}

status_t
drag(BWindow* window, BPoint from, BPoint to, uint32 buttons)
{
	if (display() == NULL)
		return B_NO_INIT;
	from = on_screen(window, from);
	to = on_screen(window, to);
	status_t status = post_mouse(window, B_MOUSE_MOVED, from, 0, 0);
	if (status == B_OK)
		status = post_mouse(window, B_MOUSE_DOWN, from, buttons, 1);
	float dx = to.x - from.x;
	float dy = to.y - from.y;
	int32 steps = int32(std::max(fabsf(dx), fabsf(dy)));
	for (int32 i = 1; i <= steps && status == B_OK; i++) {
		BPoint step(roundf(from.x + dx * i / steps), roundf(from.y + dy * i / steps));
		status = post_mouse(window, B_MOUSE_MOVED, step, buttons, 0);
	}
	if (status == B_OK)
		status = post_mouse(window, B_MOUSE_UP, to, 0, 0);
	if (status != B_OK)
		return status;
	return sync(window);
}

status_t
press_key(BWindow* window, const char* key, uint32 modifiers)
{
	if (display() == NULL)
		return B_NO_INIT;
	KeyStroke stroke;
	if (key == NULL || !key_from_name(key, &stroke))
		return B_BAD_VALUE;
	uint32 base = held().load();
	status_t status = post_key(window, stroke, base | modifiers | stroke.impliedModifiers);
	if (status == B_OK)
		status = closed_by_input(sync(window));
	BPrivate::set_modifiers(base);
	return status;
}

status_t
type_text(BWindow* window, const char* text)
{
	if (display() == NULL)
		return B_NO_INIT;
	if (text == NULL)
		return B_BAD_VALUE;
	uint32 base = held().load();
	status_t status = B_OK;
	size_t length = strlen(text);
	for (size_t i = 0; i < length && status == B_OK;) {
		unsigned char lead = static_cast<unsigned char>(text[i]);
		size_t size = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
		if (i + size > length)
			return B_BAD_VALUE;
		KeyStroke stroke;
		if (!key_for_character(text + i, int32(size), &stroke))
			return B_BAD_VALUE;
		status = post_key(window, stroke, base | stroke.impliedModifiers);
		i += size;
	}
	if (status == B_OK)
		status = sync(window);
	BPrivate::set_modifiers(base);
	return status;
}

status_t
close(BWindow* window)
{
	HeadlessDisplay* headless = display();
	if (headless == NULL)
		return B_NO_INIT;
	BMessage request(B_QUIT_REQUESTED);
	status_t status = headless->PostInput(window, &request);
	if (status != B_OK)
		return status;
	status = sync(window);
	// A window that quit is gone, and that is what was asked.
	return status == B_BAD_VALUE ? B_OK : status;
}

status_t
screenshot(BWindow* window, const char* path)
{
	HeadlessDisplay* headless = display();
	if (headless == NULL)
		return B_NO_INIT;
	// The picture of what the window shows once it has caught up.
	status_t status = sync(window);
	if (status != B_OK && status != B_TIMED_OUT)
		return status;
	return headless->WriteFrame(window, path);
}

status_t
get_pixel(BWindow* window, int32 x, int32 y, rgb_color* color)
{
	HeadlessDisplay* headless = display();
	if (headless == NULL)
		return B_NO_INIT;
	std::vector<uint32> pixels;
	int32 width;
	int32 height;
	status_t status = headless->CopyFrame(window, &pixels, &width, &height);
	if (status != B_OK)
		return status;
	if (x < 0 || y < 0 || x >= width || y >= height)
		return B_BAD_VALUE;
	uint32 pixel = pixels[size_t(y) * size_t(width) + size_t(x)];
	*color = make_color(uint8(pixel >> 16), uint8(pixel >> 8), uint8(pixel));
	return B_OK;
}

} // namespace headless
} // namespace BPrivate
