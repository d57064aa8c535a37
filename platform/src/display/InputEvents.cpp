#include "InputEvents.h"

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <OS.h>

#include <cmath>
#include <cstring>

namespace BPrivate {

namespace {

struct CharKey {
	char plain;
	char shifted;
	int32 key;
};

// The character keys of a US keyboard with the platform's key codes.
const CharKey kCharKeys[] = {
	{'`', '~', 0x11},  {'1', '!', 0x12},  {'2', '@', 0x13}, {'3', '#', 0x14}, {'4', '$', 0x15},
	{'5', '%', 0x16},  {'6', '^', 0x17},  {'7', '&', 0x18}, {'8', '*', 0x19}, {'9', '(', 0x1a},
	{'0', ')', 0x1b},  {'-', '_', 0x1c},  {'=', '+', 0x1d}, {'q', 'Q', 0x27}, {'w', 'W', 0x28},
	{'e', 'E', 0x29},  {'r', 'R', 0x2a},  {'t', 'T', 0x2b}, {'y', 'Y', 0x2c}, {'u', 'U', 0x2d},
	{'i', 'I', 0x2e},  {'o', 'O', 0x2f},  {'p', 'P', 0x30}, {'[', '{', 0x31}, {']', '}', 0x32},
	{'\\', '|', 0x33}, {'a', 'A', 0x3c},  {'s', 'S', 0x3d}, {'d', 'D', 0x3e}, {'f', 'F', 0x3f},
	{'g', 'G', 0x40},  {'h', 'H', 0x41},  {'j', 'J', 0x42}, {'k', 'K', 0x43}, {'l', 'L', 0x44},
	{';', ':', 0x45},  {'\'', '"', 0x46}, {'z', 'Z', 0x4c}, {'x', 'X', 0x4d}, {'c', 'C', 0x4e},
	{'v', 'V', 0x4f},  {'b', 'B', 0x50},  {'n', 'N', 0x51}, {'m', 'M', 0x52}, {',', '<', 0x53},
	{'.', '>', 0x54},  {'/', '?', 0x55},  {' ', ' ', 0x5e},
};

struct NamedKey {
	const char* name;
	int32 key;
	char byte;
};

const NamedKey kNamedKeys[] = {
	{"enter", 0x47, B_ENTER},
	{"escape", 0x01, B_ESCAPE},
	{"tab", 0x26, B_TAB},
	{"space", 0x5e, B_SPACE},
	{"backspace", 0x1e, B_BACKSPACE},
	{"delete", 0x34, B_DELETE},
	{"home", 0x20, B_HOME},
	{"end", 0x35, B_END},
	{"up", 0x57, B_UP_ARROW},
	{"down", 0x62, B_DOWN_ARROW},
	{"left", 0x61, B_LEFT_ARROW},
	{"right", 0x63, B_RIGHT_ARROW},
	{"pageup", 0x21, B_PAGE_UP},
	{"pagedown", 0x36, B_PAGE_DOWN},
	{"insert", 0x1f, B_INSERT},
};

void
set_bytes(char* to, char byte)
{
	to[0] = byte;
	to[1] = '\0';
}

} // namespace

bool
key_from_name(const char* name, KeyStroke* stroke)
{
	*stroke = KeyStroke();
	for (const NamedKey& named : kNamedKeys) {
		if (strcmp(name, named.name) == 0) {
			stroke->key = named.key;
			set_bytes(stroke->plain, named.byte);
			set_bytes(stroke->shifted, named.byte);
			return true;
		}
	}
	if (name[0] == 'f' && name[1] >= '1' && name[1] <= '9') {
		int number = name[1] - '0';
		if (name[2] >= '0' && name[2] <= '9' && name[3] == '\0')
			number = number * 10 + (name[2] - '0');
		else if (name[2] != '\0')
			return false;
		if (number < 1 || number > 12)
			return false;
		stroke->key = B_F1_KEY + number - 1;
		set_bytes(stroke->plain, B_FUNCTION_KEY);
		set_bytes(stroke->shifted, B_FUNCTION_KEY);
		return true;
	}
	size_t length = strlen(name);
	if (length == 0)
		return false;
	if (!key_for_character(name, int32(length), stroke))
		return false;
	// Only one character names a key.
	unsigned char lead = static_cast<unsigned char>(name[0]);
	size_t expected = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
	return expected == length;
}

bool
key_for_character(const char* character, int32 length, KeyStroke* stroke)
{
	*stroke = KeyStroke();
	if (length <= 0 || length > 4)
		return false;
	if (length == 1) {
		char c = character[0];
		for (const CharKey& entry : kCharKeys) {
			if (entry.plain == c || entry.shifted == c) {
				stroke->key = entry.key;
				set_bytes(stroke->plain, entry.plain);
				set_bytes(stroke->shifted, entry.shifted);
				if (entry.shifted == c && entry.plain != c)
					stroke->impliedModifiers = B_SHIFT_KEY | B_LEFT_SHIFT_KEY;
				return true;
			}
		}
		if (c == '\n') {
			stroke->key = 0x47;
			set_bytes(stroke->plain, B_ENTER);
			set_bytes(stroke->shifted, B_ENTER);
			return true;
		}
		if (c == '\t') {
			stroke->key = 0x26;
			set_bytes(stroke->plain, B_TAB);
			set_bytes(stroke->shifted, B_TAB);
			return true;
		}
		return false;
	}
	// Beyond the keyboard: the character arrives whole, as text input does.
	memcpy(stroke->plain, character, size_t(length));
	stroke->plain[length] = '\0';
	memcpy(stroke->shifted, stroke->plain, sizeof(stroke->plain));
	return true;
}

void
make_key_message(BMessage* message, uint32 what, const KeyStroke& stroke, uint32 modifiers)
{
	message->MakeEmpty();
	message->what = what;
	bool shift = (modifiers & B_SHIFT_KEY) != 0;
	char bytes[8];
	memcpy(bytes, shift ? stroke.shifted : stroke.plain, sizeof(bytes));
	char raw = stroke.plain[0];
	// With Control a letter types its control character; raw_char stays the plain letter.
	if ((modifiers & B_CONTROL_KEY) != 0 && raw >= 'a' && raw <= 'z') {
		bytes[0] = char(raw & 0x1f);
		bytes[1] = '\0';
	}
	message->AddInt64("when", system_time());
	message->AddInt32("modifiers", int32(modifiers));
	message->AddInt32("key", stroke.key);
	message->AddInt32("raw_char", int32(static_cast<unsigned char>(raw)));
	size_t length = strlen(bytes);
	for (size_t i = 0; i < length; i++)
		message->AddInt8("byte", int8(bytes[i]));
	message->AddString("bytes", bytes);
}

void
make_mouse_message(BMessage* message, uint32 what, BPoint where, BPoint screenWhere, uint32 buttons,
				   int32 clicks, uint32 modifiers)
{
	message->MakeEmpty();
	message->what = what;
	message->AddInt64("when", system_time());
	message->AddPoint("where", where);
	message->AddPoint("screen_where", screenWhere);
	message->AddInt32("buttons", int32(buttons));
	message->AddInt32("modifiers", int32(modifiers));
	if (what == B_MOUSE_DOWN)
		message->AddInt32("clicks", clicks);
}

int32
ClickCounter::Press(const BWindow* window, uint32 buttons, BPoint where, bigtime_t when)
{
	if (window == fWindow && buttons == fButtons && when - fWhen <= kInterval &&
		fabsf(where.x - fWhere.x) <= 4 && fabsf(where.y - fWhere.y) <= 4)
		fCount++;
	else
		fCount = 1;
	fWindow = window;
	fButtons = buttons;
	fWhere = where;
	fWhen = when;
	return fCount;
}

} // namespace BPrivate
