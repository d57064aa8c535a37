#include "PrefsJson.h"

#include "JsonString.h"

#include <cstdio>
#include <cstring>

namespace {

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

std::string
json_string(std::string_view text)
{
	std::string out;
	append_json_string(out, text);
	return out;
}

std::string
base64_encode(std::string_view bytes)
{
	std::string out;
	for (size_t i = 0; i < bytes.size(); i += 3) {
		uint32 group = uint32((unsigned char)bytes[i]) << 16;
		if (i + 1 < bytes.size())
			group |= uint32((unsigned char)bytes[i + 1]) << 8;
		if (i + 2 < bytes.size())
			group |= (unsigned char)bytes[i + 2];
		out += kBase64[group >> 18];
		out += kBase64[(group >> 12) & 63];
		out += i + 1 < bytes.size() ? kBase64[(group >> 6) & 63] : '=';
		out += i + 2 < bytes.size() ? kBase64[group & 63] : '=';
	}
	return out;
}

bool
base64_decode(std::string_view text, std::string* bytes)
{
	if (text.size() % 4 != 0)
		return false;
	std::string out;
	for (size_t i = 0; i < text.size(); i += 4) {
		uint32 group = 0;
		int padding = 0;
		for (size_t j = 0; j < 4; j++) {
			char c = text[i + j];
			const char* found = c != '\0' ? strchr(kBase64, c) : NULL;
			if (c == '=' && i + 4 == text.size() && j >= 2) {
				padding++;
				group <<= 6;
				continue;
			}
			if (found == NULL || padding > 0)
				return false;
			group = (group << 6) | uint32(found - kBase64);
		}
		out += char(group >> 16);
		if (padding < 2)
			out += char((group >> 8) & 0xFF);
		if (padding < 1)
			out += char(group & 0xFF);
	}
	*bytes = std::move(out);
	return true;
}
