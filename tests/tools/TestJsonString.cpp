// The JSON strings the command-line programs print: always valid JSON, whatever the bytes.

#include "JsonString.h"

#include <gtest/gtest.h>

namespace {

std::string
json(std::string_view text)
{
	std::string out;
	append_json_string(out, text);
	return out;
}

TEST(JsonString, QuotesBackslashesAndControlCharactersAreEscaped)
{
	EXPECT_EQ(json(""), "\"\"");
	EXPECT_EQ(json(std::string_view("a\"b\\c\n\r\t\x01\x1f\0z", 12)),
			  "\"a\\\"b\\\\c\\n\\r\\t\\u0001\\u001f\\u0000z\"");
	// UTF-8 stays as it is.
	EXPECT_EQ(json("入力補助 ✓"), "\"入力補助 ✓\"");
}

TEST(JsonString, TextThatIsNotUtf8IsShownByteByByte)
{
	for (std::string_view bad :
		 {std::string_view("\xff"), std::string_view("ok\xe5\x85"), std::string_view("\xc0\x80"),
		  std::string_view("\xed\xa0\x80"), std::string_view("\xf4\x90\x80\x80")}) {
		SCOPED_TRACE(testing::PrintToString(std::string(bad)));
		EXPECT_FALSE(json_valid_utf8(bad.data(), bad.size()));
		std::string out = json(bad);
		for (char c : out)
			EXPECT_LT(static_cast<unsigned char>(c), 0x80);
	}
	EXPECT_EQ(json("ok\xe5\x85"), "\"ok\\u00e5\\u0085\"");
	// One bad byte shows the whole text byte by byte, the good characters too.
	EXPECT_EQ(json("\xe5\x85\xa5\xff"), "\"\\u00e5\\u0085\\u00a5\\u00ff\"");
	EXPECT_TRUE(json_valid_utf8("\xe5\x85\xa5", 3));
}

} // namespace
