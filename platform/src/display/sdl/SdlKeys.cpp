#include "SdlKeys.h"

#include <InterfaceDefs.h>

namespace BPrivate {

namespace {

// The US character on each character key; the platform's key code comes from the same table
// the headless display types with.
char
us_character(SDL_Scancode scancode)
{
	if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
		return char('a' + (scancode - SDL_SCANCODE_A));
	if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
		return char('1' + (scancode - SDL_SCANCODE_1));
	switch (scancode) {
	case SDL_SCANCODE_0:
		return '0';
	case SDL_SCANCODE_SPACE:
		return ' ';
	case SDL_SCANCODE_MINUS:
		return '-';
	case SDL_SCANCODE_EQUALS:
		return '=';
	case SDL_SCANCODE_LEFTBRACKET:
		return '[';
	case SDL_SCANCODE_RIGHTBRACKET:
		return ']';
	case SDL_SCANCODE_BACKSLASH:
		return '\\';
	case SDL_SCANCODE_NONUSHASH:
		return '\\';
	case SDL_SCANCODE_SEMICOLON:
		return ';';
	case SDL_SCANCODE_APOSTROPHE:
		return '\'';
	case SDL_SCANCODE_GRAVE:
		return '`';
	case SDL_SCANCODE_COMMA:
		return ',';
	case SDL_SCANCODE_PERIOD:
		return '.';
	case SDL_SCANCODE_SLASH:
		return '/';
	default:
		return '\0';
	}
}

struct NamedScancode {
	SDL_Scancode scancode;
	const char* name;
};

const NamedScancode kNamed[] = {
	{SDL_SCANCODE_RETURN, "enter"},      {SDL_SCANCODE_ESCAPE, "escape"},
	{SDL_SCANCODE_TAB, "tab"},           {SDL_SCANCODE_BACKSPACE, "backspace"},
	{SDL_SCANCODE_DELETE, "delete"},     {SDL_SCANCODE_HOME, "home"},
	{SDL_SCANCODE_END, "end"},           {SDL_SCANCODE_UP, "up"},
	{SDL_SCANCODE_DOWN, "down"},         {SDL_SCANCODE_LEFT, "left"},
	{SDL_SCANCODE_RIGHT, "right"},       {SDL_SCANCODE_PAGEUP, "pageup"},
	{SDL_SCANCODE_PAGEDOWN, "pagedown"}, {SDL_SCANCODE_INSERT, "insert"},
};

struct CodedScancode {
	SDL_Scancode scancode;
	int32 key;
	char byte;
};

// Keys beyond the script names: the keypad, the lock and system keys, and the Japanese keys,
// which type nothing and are told apart by their key codes alone.
const CodedScancode kCoded[] = {
	{SDL_SCANCODE_KP_DIVIDE, 0x23, '/'},
	{SDL_SCANCODE_KP_MULTIPLY, 0x24, '*'},
	{SDL_SCANCODE_KP_MINUS, 0x25, '-'},
	{SDL_SCANCODE_KP_PLUS, 0x3a, '+'},
	{SDL_SCANCODE_KP_ENTER, 0x5b, B_ENTER},
	{SDL_SCANCODE_KP_7, 0x37, '7'},
	{SDL_SCANCODE_KP_8, 0x38, '8'},
	{SDL_SCANCODE_KP_9, 0x39, '9'},
	{SDL_SCANCODE_KP_4, 0x48, '4'},
	{SDL_SCANCODE_KP_5, 0x49, '5'},
	{SDL_SCANCODE_KP_6, 0x4a, '6'},
	{SDL_SCANCODE_KP_1, 0x58, '1'},
	{SDL_SCANCODE_KP_2, 0x59, '2'},
	{SDL_SCANCODE_KP_3, 0x5a, '3'},
	{SDL_SCANCODE_KP_0, 0x64, '0'},
	{SDL_SCANCODE_KP_PERIOD, 0x65, '.'},
	{SDL_SCANCODE_PRINTSCREEN, B_PRINT_KEY, B_FUNCTION_KEY},
	{SDL_SCANCODE_SCROLLLOCK, B_SCROLL_KEY, B_FUNCTION_KEY},
	{SDL_SCANCODE_PAUSE, B_PAUSE_KEY, B_FUNCTION_KEY},
	{SDL_SCANCODE_NONUSBACKSLASH, 0x69, '\\'},
	// 無変換, 変換, かな (katakana/hiragana), the ro and yen keys, 英数 and 半角/全角.
	{SDL_SCANCODE_INTERNATIONAL5, 0xf0, '\0'},
	{SDL_SCANCODE_INTERNATIONAL4, 0xf1, '\0'},
	{SDL_SCANCODE_INTERNATIONAL2, 0xf2, '\0'},
	{SDL_SCANCODE_LANG3, 0xf2, '\0'},
	{SDL_SCANCODE_LANG4, 0xf2, '\0'},
	{SDL_SCANCODE_INTERNATIONAL1, 0x6b, '\\'},
	{SDL_SCANCODE_INTERNATIONAL3, 0x6a, '\\'},
	{SDL_SCANCODE_LANG5, 0x11, '\0'},
};

void
set_byte(char* to, char byte)
{
	to[0] = byte;
	to[1] = '\0';
}

} // namespace

bool
sdl_key_stroke(SDL_Scancode scancode, KeyStroke* stroke)
{
	*stroke = KeyStroke();
	char c = us_character(scancode);
	if (c != '\0')
		return key_for_character(&c, 1, stroke);
	for (const NamedScancode& named : kNamed) {
		if (named.scancode == scancode)
			return key_from_name(named.name, stroke);
	}
	if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
		char name[4] = {'f', '\0', '\0', '\0'};
		int number = 1 + (scancode - SDL_SCANCODE_F1);
		if (number >= 10) {
			name[1] = '1';
			name[2] = char('0' + number - 10);
		} else {
			name[1] = char('0' + number);
		}
		return key_from_name(name, stroke);
	}
	for (const CodedScancode& coded : kCoded) {
		if (coded.scancode == scancode) {
			stroke->key = coded.key;
			set_byte(stroke->plain, coded.byte);
			set_byte(stroke->shifted, coded.byte);
			return true;
		}
	}
	return false;
}

bool
sdl_key_types_text(SDL_Scancode scancode)
{
	if (us_character(scancode) != '\0')
		return true;
	switch (scancode) {
	case SDL_SCANCODE_KP_DIVIDE:
	case SDL_SCANCODE_KP_MULTIPLY:
	case SDL_SCANCODE_KP_MINUS:
	case SDL_SCANCODE_KP_PLUS:
	case SDL_SCANCODE_KP_PERIOD:
	case SDL_SCANCODE_NONUSBACKSLASH:
	case SDL_SCANCODE_INTERNATIONAL1:
	case SDL_SCANCODE_INTERNATIONAL3:
		return true;
	default:
		return scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_0;
	}
}

uint32
sdl_modifiers(uint16 state, bool menuHeld)
{
	struct Bit {
		uint16 sdl;
		uint32 platform;
	};
	static const Bit kBits[] = {
		{KMOD_LSHIFT, B_SHIFT_KEY | B_LEFT_SHIFT_KEY},
		{KMOD_RSHIFT, B_SHIFT_KEY | B_RIGHT_SHIFT_KEY},
		{KMOD_LALT, B_COMMAND_KEY | B_LEFT_COMMAND_KEY},
		{KMOD_RALT, B_COMMAND_KEY | B_RIGHT_COMMAND_KEY},
		{KMOD_LCTRL, B_CONTROL_KEY | B_LEFT_CONTROL_KEY},
		{KMOD_RCTRL, B_CONTROL_KEY | B_RIGHT_CONTROL_KEY},
		{KMOD_LGUI, B_OPTION_KEY | B_LEFT_OPTION_KEY},
		{KMOD_RGUI, B_OPTION_KEY | B_RIGHT_OPTION_KEY},
		{KMOD_CAPS, B_CAPS_LOCK},
		{KMOD_NUM, B_NUM_LOCK},
		{KMOD_SCROLL, B_SCROLL_LOCK},
	};
	uint32 modifiers = 0;
	for (const Bit& bit : kBits) {
		if ((state & bit.sdl) != 0)
			modifiers |= bit.platform;
	}
	if (menuHeld)
		modifiers |= B_MENU_KEY;
	return modifiers;
}

} // namespace BPrivate
