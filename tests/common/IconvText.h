#ifndef TESTS_COMMON_ICONV_TEXT_H
#define TESTS_COMMON_ICONV_TEXT_H

#include <iconv.h>

#include <string>

// text converted from UTF-8 to encoding by the C library, as a text editor would have saved
// it; "" when the library cannot convert it. Tests and benchmarks make their Japanese texts in
// Shift JIS, EUC-JP and JIS this way rather than keep copies.
inline std::string
iconv_text(const std::string& text, const char* encoding)
{
	iconv_t converter = iconv_open(encoding, "UTF-8");
	if (converter == reinterpret_cast<iconv_t>(-1))
		return std::string();
	std::string in = text;
	std::string out(text.size() * 4 + 16, '\0');
	char* inBytes = in.data();
	size_t inLeft = in.size();
	char* outBytes = out.data();
	size_t outLeft = out.size();
	size_t result = iconv(converter, &inBytes, &inLeft, &outBytes, &outLeft);
	// Back to the initial shift state, which JIS ends in.
	if (result != static_cast<size_t>(-1))
		result = iconv(converter, NULL, NULL, &outBytes, &outLeft);
	iconv_close(converter);
	if (result == static_cast<size_t>(-1))
		return std::string();
	out.resize(out.size() - outLeft);
	return out;
}

#endif
