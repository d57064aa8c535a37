#ifndef TOOLS_JSON_STRING_H
#define TOOLS_JSON_STRING_H

// JSON strings as the command-line programs print them.

#include <cstddef>
#include <string>
#include <string_view>

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF).
bool json_valid_utf8(const void* bytes, size_t size);

// Appends the text as one JSON string. Text that is not UTF-8 is shown byte by byte, each as
// the code point of the same number, so the output is always valid JSON.
void append_json_string(std::string& out, std::string_view text);

#endif
