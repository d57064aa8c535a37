#include "PrefsJson.h"

#include <cstdio>
#include <cstring>

namespace {

bool
is_blank(char c)
{
	return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

class Parser {
public:
	explicit Parser(std::string_view text) : fText(text), fAt(0) {}

	bool Value(TJsonValue* value, int depth);
	void SkipBlanks()
	{
		while (fAt < fText.size() && is_blank(fText[fAt]))
			fAt++;
	}
	bool AtEnd() const { return fAt == fText.size(); }
	const std::string& Error() const { return fError; }
	bool Fail(const char* what)
	{
		if (fError.empty())
			fError = std::string(what) + " at byte " + std::to_string(fAt);
		return false;
	}

private:
	bool Word(const char* word);
	bool String(std::string* out);
	bool Hex4(uint32* out);
	bool Number(std::string* out);
	bool Members(TJsonValue* value, int depth, char close);

	std::string_view fText;
	size_t fAt;
	std::string fError;
};

bool
Parser::Word(const char* word)
{
	std::string_view w(word);
	if (fText.substr(fAt, w.size()) != w)
		return Fail("unknown word");
	fAt += w.size();
	return true;
}

bool
Parser::Hex4(uint32* out)
{
	if (fText.size() - fAt < 4)
		return Fail("short \\u escape");
	uint32 code = 0;
	for (int i = 0; i < 4; i++) {
		char c = fText[fAt++];
		code <<= 4;
		if (c >= '0' && c <= '9')
			code |= uint32(c - '0');
		else if (c >= 'a' && c <= 'f')
			code |= uint32(c - 'a' + 10);
		else if (c >= 'A' && c <= 'F')
			code |= uint32(c - 'A' + 10);
		else
			return Fail("bad \\u escape");
	}
	*out = code;
	return true;
}

void
append_utf8(std::string* out, uint32 code)
{
	if (code < 0x80) {
		*out += char(code);
	} else if (code < 0x800) {
		*out += char(0xC0 | (code >> 6));
		*out += char(0x80 | (code & 0x3F));
	} else if (code < 0x10000) {
		*out += char(0xE0 | (code >> 12));
		*out += char(0x80 | ((code >> 6) & 0x3F));
		*out += char(0x80 | (code & 0x3F));
	} else {
		*out += char(0xF0 | (code >> 18));
		*out += char(0x80 | ((code >> 12) & 0x3F));
		*out += char(0x80 | ((code >> 6) & 0x3F));
		*out += char(0x80 | (code & 0x3F));
	}
}

// The length of the well-formed UTF-8 character at text[at], or 0.
size_t
utf8_length(std::string_view text, size_t at)
{
	unsigned char c = text[at];
	size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
	if (length == 0 || text.size() - at < length)
		return 0;
	uint32 code = length == 1 ? c : c & (0x7F >> length);
	for (size_t i = 1; i < length; i++) {
		unsigned char next = text[at + i];
		if ((next & 0xC0) != 0x80)
			return 0;
		code = (code << 6) | (next & 0x3F);
	}
	static const uint32 kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
	if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
		return 0;
	return length;
}

bool
Parser::String(std::string* out)
{
	fAt++;
	while (fAt < fText.size()) {
		char c = fText[fAt];
		if (c == '"') {
			fAt++;
			return true;
		}
		if ((unsigned char)c < 0x20)
			return Fail("control character in a string");
		if (c != '\\') {
			size_t length = utf8_length(fText, fAt);
			if (length == 0)
				return Fail("bad UTF-8 in a string");
			out->append(fText.substr(fAt, length));
			fAt += length;
			continue;
		}
		if (++fAt >= fText.size())
			break;
		char e = fText[fAt++];
		static const char kFrom[] = "\"\\/bfnrt", kTo[] = "\"\\/\b\f\n\r\t";
		const void* found = e != '\0' ? memchr(kFrom, e, sizeof(kFrom) - 1) : NULL;
		if (found != NULL) {
			*out += kTo[static_cast<const char*>(found) - kFrom];
			continue;
		}
		if (e != 'u')
			return Fail("bad escape");
		uint32 code;
		if (!Hex4(&code))
			return false;
		if (code >= 0xD800 && code <= 0xDBFF) {
			uint32 low;
			if (fText.substr(fAt, 2) != "\\u" || (fAt += 2, !Hex4(&low)) || low < 0xDC00 ||
				low > 0xDFFF)
				return Fail("lone surrogate");
			code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
		} else if (code >= 0xDC00 && code <= 0xDFFF) {
			return Fail("lone surrogate");
		}
		append_utf8(out, code);
	}
	return Fail("unterminated string");
}

bool
Parser::Number(std::string* out)
{
	size_t start = fAt;
	auto digits = [&]() {
		size_t from = fAt;
		while (fAt < fText.size() && fText[fAt] >= '0' && fText[fAt] <= '9')
			fAt++;
		return fAt > from;
	};
	if (fAt < fText.size() && fText[fAt] == '-')
		fAt++;
	if (!digits())
		return Fail("bad number");
	if (fAt < fText.size() && fText[fAt] == '.' && (fAt++, !digits()))
		return Fail("bad number");
	if (fAt < fText.size() && (fText[fAt] == 'e' || fText[fAt] == 'E')) {
		fAt++;
		if (fAt < fText.size() && (fText[fAt] == '+' || fText[fAt] == '-'))
			fAt++;
		if (!digits())
			return Fail("bad number");
	}
	*out = fText.substr(start, fAt - start);
	return true;
}

bool
Parser::Members(TJsonValue* value, int depth, char close)
{
	fAt++;
	SkipBlanks();
	if (fAt < fText.size() && fText[fAt] == close) {
		fAt++;
		return true;
	}
	while (true) {
		std::string name;
		SkipBlanks();
		if (close == '}') {
			if (fAt >= fText.size() || fText[fAt] != '"')
				return Fail("expected a member name");
			if (!String(&name))
				return false;
			SkipBlanks();
			if (fAt >= fText.size() || fText[fAt] != ':')
				return Fail("expected ':'");
			fAt++;
		}
		TJsonValue member;
		if (!Value(&member, depth + 1))
			return false;
		value->names.push_back(std::move(name));
		value->items.push_back(std::move(member));
		SkipBlanks();
		if (fAt < fText.size() && fText[fAt] == ',') {
			fAt++;
			continue;
		}
		if (fAt < fText.size() && fText[fAt] == close) {
			fAt++;
			return true;
		}
		return Fail("expected ',' or the end of the object or array");
	}
}

bool
Parser::Value(TJsonValue* value, int depth)
{
	if (depth > kMaxJsonDepth)
		return Fail("nested too deeply");
	SkipBlanks();
	if (fAt >= fText.size())
		return Fail("missing value");
	char c = fText[fAt];
	switch (c) {
	case '{':
	case '[':
		value->kind = c == '{' ? TJsonValue::OBJECT : TJsonValue::ARRAY;
		return Members(value, depth, c == '{' ? '}' : ']');
	case '"':
		value->kind = TJsonValue::STRING;
		return String(&value->text);
	case 't':
	case 'f':
		value->kind = TJsonValue::BOOLEAN;
		value->boolean = c == 't';
		return Word(c == 't' ? "true" : "false");
	case 'n':
		value->kind = TJsonValue::NULL_VALUE;
		return Word("null");
	default:
		value->kind = TJsonValue::NUMBER;
		return Number(&value->text);
	}
}

} // namespace

bool
is_valid_utf8(std::string_view text)
{
	for (size_t at = 0; at < text.size();) {
		size_t length = utf8_length(text, at);
		if (length == 0 || text[at] == '\0')
			return false;
		at += length;
	}
	return true;
}

status_t
parse_json(std::string_view text, TJsonValue* value, std::string* error)
{
	if (text.size() > kMaxJsonSize) {
		*error = "longer than " + std::to_string(kMaxJsonSize) + " bytes";
		return B_BAD_DATA;
	}
	Parser parser(text);
	TJsonValue parsed;
	bool ok = parser.Value(&parsed, 0);
	if (ok) {
		parser.SkipBlanks();
		ok = parser.AtEnd() || parser.Fail("text after the value");
	}
	if (!ok) {
		*error = parser.Error();
		return B_BAD_DATA;
	}
	*value = std::move(parsed);
	return B_OK;
}
