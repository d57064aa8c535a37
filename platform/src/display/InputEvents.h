#ifndef _INPUT_EVENTS_H
#define _INPUT_EVENTS_H

// The platform's input messages, as every display builds them: keys of a US keyboard with the
// platform's key codes, and pointer messages.

#include <Message.h>
#include <Point.h>
#include <SupportDefs.h>

class BWindow;

namespace BPrivate {

struct KeyStroke {
	int32 key = 0;
	// The UTF-8 bytes the key types without modifiers, and with Shift.
	char plain[8] = {};
	char shifted[8] = {};
	// Modifiers the key name implies (an upper-case letter implies Shift).
	uint32 impliedModifiers = 0;
};

// A key by script name: a character, or enter escape tab space backspace delete home end up
// down left right pageup pagedown insert f1 … f12.
bool key_from_name(const char* name, KeyStroke* stroke);
// The key that types one UTF-8 character; characters beyond the keyboard get key 0.
bool key_for_character(const char* character, int32 length, KeyStroke* stroke);

// B_KEY_DOWN or B_KEY_UP with "when", "modifiers", "key", "raw_char", "byte" and "bytes".
void make_key_message(BMessage* message, uint32 what, const KeyStroke& stroke, uint32 modifiers);
// A pointer message with "when", "where" (window coordinates), "screen_where", "buttons",
// "modifiers" and, for B_MOUSE_DOWN, "clicks".
void make_mouse_message(BMessage* message, uint32 what, BPoint where, BPoint screenWhere,
						uint32 buttons, int32 clicks, uint32 modifiers);

// Counts presses of the same buttons at about the same place within the double-click interval.
class ClickCounter {
public:
	static const bigtime_t kInterval = 500000;

	int32 Press(const BWindow* window, uint32 buttons, BPoint where, bigtime_t when);

private:
	const BWindow* fWindow = nullptr;
	uint32 fButtons = 0;
	BPoint fWhere;
	bigtime_t fWhen = 0;
	int32 fCount = 0;
};

} // namespace BPrivate

#endif
