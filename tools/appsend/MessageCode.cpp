#include "MessageCode.h"

#include <AppDefs.h>

namespace {

struct NamedCode {
	const char* name;
	uint32 code;
};

const NamedCode kNamedCodes[] = {
	{"B_ABOUT_REQUESTED", B_ABOUT_REQUESTED},
	{"B_QUIT_REQUESTED", B_QUIT_REQUESTED},
	{"B_SILENT_RELAUNCH", B_SILENT_RELAUNCH},
};

int
hex_digit(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

} // namespace

bool
parse_message_code(const std::string& text, uint32* code)
{
	for (const NamedCode& named : kNamedCodes) {
		if (text == named.name) {
			*code = named.code;
			return true;
		}
	}
	if (text.size() > 2 && text.size() <= 10 && text[0] == '0' &&
		(text[1] == 'x' || text[1] == 'X')) {
		uint32 value = 0;
		for (size_t i = 2; i < text.size(); i++) {
			int digit = hex_digit(text[i]);
			if (digit < 0)
				return false;
			value = value << 4 | uint32(digit);
		}
		*code = value;
		return true;
	}
	if (text.size() != 4)
		return false;
	uint32 value = 0;
	for (char c : text) {
		// Printable ASCII only: the code is also shown as its four characters.
		if (c < 0x20 || c > 0x7e)
			return false;
		value = value << 8 | uint8(c);
	}
	*code = value;
	return true;
}

const char*
message_code_names()
{
	return "B_ABOUT_REQUESTED, B_QUIT_REQUESTED, B_SILENT_RELAUNCH";
}
