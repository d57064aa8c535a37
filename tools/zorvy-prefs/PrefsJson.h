#ifndef ZORVY_PREFS_JSON_H
#define ZORVY_PREFS_JSON_H

// The JSON the command writes (list --json, export) and reads back (import). What it reads is
// untrusted: size, depth and member counts are bounded and every byte is checked.

#include <SupportDefs.h>

#include <string>
#include <string_view>
#include <vector>

// The largest JSON text read, and how deep objects and arrays may nest in it.
inline constexpr size_t kMaxJsonSize = 1024 * 1024;
inline constexpr int kMaxJsonDepth = 8;

struct TJsonValue {
	enum Kind { NULL_VALUE, BOOLEAN, NUMBER, STRING, OBJECT, ARRAY };

	Kind kind = NULL_VALUE;
	bool boolean = false;
	// A number as it was written, or a string's text (UTF-8, escapes resolved).
	std::string text;
	// An object's members in their order (names[i] is the name of items[i]), or an array's
	// items (with empty names).
	std::vector<std::string> names;
	std::vector<TJsonValue> items;
};

// Parses text as one JSON value with nothing but blanks after it. B_OK, or B_BAD_DATA with
// *error saying what is wrong where.
status_t parse_json(std::string_view text, TJsonValue* value, std::string* error);

// Whether text is well-formed UTF-8 without NUL characters.
bool is_valid_utf8(std::string_view text);

// text as a JSON string, quotes included.
std::string json_string(std::string_view text);

// Bytes as base64 text, and back: false for anything that is not base64.
std::string base64_encode(std::string_view bytes);
bool base64_decode(std::string_view text, std::string* bytes);

#endif
