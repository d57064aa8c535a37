#include "JsonString.h"

#include <cstdio>

bool
json_valid_utf8(const void* bytes, size_t size)
{
	const unsigned char* p = static_cast<const unsigned char*>(bytes);
	size_t i = 0;
	while (i < size) {
		const unsigned char c = p[i];
		size_t extra;
		unsigned min;
		unsigned code;
		if (c < 0x80) {
			i++;
			continue;
		} else if ((c & 0xE0) == 0xC0) {
			extra = 1;
			min = 0x80;
			code = c & 0x1F;
		} else if ((c & 0xF0) == 0xE0) {
			extra = 2;
			min = 0x800;
			code = c & 0x0F;
		} else if ((c & 0xF8) == 0xF0) {
			extra = 3;
			min = 0x10000;
			code = c & 0x07;
		} else {
			return false;
		}
		if (i + extra >= size)
			return false;
		for (size_t k = 1; k <= extra; k++) {
			if ((p[i + k] & 0xC0) != 0x80)
				return false;
			code = (code << 6) | (p[i + k] & 0x3F);
		}
		if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
			return false;
		i += extra + 1;
	}
	return true;
}

void
append_json_string(std::string& out, std::string_view text)
{
	out += '"';
	const bool utf8 = json_valid_utf8(text.data(), text.size());
	for (char byte : text) {
		const unsigned char c = static_cast<unsigned char>(byte);
		switch (c) {
		case '"':
			out += "\\\"";
			break;
		case '\\':
			out += "\\\\";
			break;
		case '\n':
			out += "\\n";
			break;
		case '\r':
			out += "\\r";
			break;
		case '\t':
			out += "\\t";
			break;
		default:
			// Bytes that are not UTF-8 are shown as the code points of the same number.
			if (c < 0x20 || (c >= 0x80 && !utf8)) {
				char escape[8];
				snprintf(escape, sizeof(escape), "\\u%04x", unsigned(c));
				out += escape;
			} else {
				out += byte;
			}
		}
	}
	out += '"';
}
