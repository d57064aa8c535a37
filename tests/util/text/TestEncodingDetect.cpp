#include "IconvText.h"

#include <util/text/EncodingDetect.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// A sentence of kanji, hiragana, katakana and ASCII, as the language files hold them.
const char kJapanese[] = "入力の基本設定を行います。カタカナ固定、Shift+スペースキーで入力する";

int32
detect(const std::string& text, int32* flag = NULL)
{
	int32 length = static_cast<int32>(text.size());
	return detect_encoding(text.data(), length, flag, length, length);
}

} // namespace

TEST(EncodingDetect, LineBreakKinds)
{
	struct Case {
		const char* text;
		int32 expected;
	};
	const Case cases[] = {
		{"", CR_TYPE_LF},         {"no breaks", CR_TYPE_LF},
		{"a\nb\n", CR_TYPE_LF},   {"a\r\nb\r\n", CR_TYPE_CRLF},
		{"a\rb\r", CR_TYPE_CR},   {"a\r\nb\n", CR_TYPE_LF},
		{"a\r\nb\r", CR_TYPE_CR}, {"\n\r", CR_TYPE_CRLF},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
		EXPECT_EQ(detect_cr_type(c.text), c.expected);
	}
	EXPECT_EQ(detect_cr_type(NULL), CR_TYPE_LF);
}

TEST(EncodingDetect, JapaneseTextInEachEncoding)
{
	struct Case {
		const char* encoding;
		int32 expected;
	};
	const Case cases[] = {
		{"UTF-8", ENCODING_UTF8_OR_UNKNOWN},
		{"SHIFT_JIS", B_SJIS_CONVERSION},
		{"EUC-JP", B_EUC_CONVERSION},
		{"ISO-2022-JP", B_JIS_CONVERSION},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.encoding);
		std::string text = iconv_text(kJapanese, c.encoding);
		ASSERT_FALSE(text.empty());
		int32 flag = 7;
		EXPECT_EQ(detect(text, &flag), c.expected);
		EXPECT_EQ(flag, 0);
		// Only hiragana: EUC-JP scores them lightly, yet still wins.
		EXPECT_EQ(detect(iconv_text("ひらがなだけのぶん", c.encoding)), c.expected);
	}
}

TEST(EncodingDetect, DecidingBytes)
{
	struct Case {
		std::string bytes;
		int32 expected;
		int32 flag;
	};
	const Case cases[] = {
		{"plain ASCII text", ENCODING_UTF8_OR_UNKNOWN, 0},
		{"a\x1B$Bxyz", B_JIS_CONVERSION, 0},
		{"\x1B(J", B_JIS_CONVERSION, 0},
		{"\x1BK", B_JIS_CONVERSION, 1},
		{"\x1BHx", B_JIS_CONVERSION, 1},
		{"\x1B"
		 "x",
		 ENCODING_UTF8_OR_UNKNOWN, 0},
		// Half-width katakana: Shift JIS alone, or EUC-JP's 0x8E prefix.
		{"\xB1\xB2\xB3", B_SJIS_CONVERSION, 0},
		{"\x8E\xB1\x8E\xB2", B_EUC_CONVERSION, 0},
		{"\x8E\x90", B_SJIS_CONVERSION, 0},
		// EUC-JP's three-byte characters.
		{"\x8F\xB0\xA1\xA4\xA2", B_EUC_CONVERSION, 0},
		{"\x8F\xFE\xA1", B_EUC_CONVERSION, 0},
		{"\x8F\xB0\x85", B_SJIS_CONVERSION, 0},
		{"\x85", B_SJIS_CONVERSION, 0},
		{"\xB0\xFD", B_EUC_CONVERSION, 0},
		{"\xFE", B_EUC_CONVERSION, 0},
		// A lead byte without its continuation bytes counts against UTF-8.
		{"\xE3\x81\x82\xA4\xA2", ENCODING_UTF8_OR_UNKNOWN, 0},
		{"\xE3\x81\x82\xA4\xA2\xE3", B_EUC_CONVERSION, 0},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(testing::PrintToString(c.bytes));
		int32 flag = 7;
		EXPECT_EQ(detect(c.bytes, &flag), c.expected);
		EXPECT_EQ(flag, c.flag);
	}
}

TEST(EncodingDetect, HowFarTheTextIsRead)
{
	// UTF-8 first, then a byte only Shift JIS has.
	const std::string text = "あいう\x85";
	const int32 length = static_cast<int32>(text.size());
	EXPECT_EQ(detect_encoding(text.data(), length, NULL, length, length), B_SJIS_CONVERSION);
	// Deciding from the start: UTF-8 leads after the first character.
	EXPECT_EQ(detect_encoding(text.data(), length, NULL, 0, length), ENCODING_UTF8_OR_UNKNOWN);
	// Examining only the UTF-8 part never sees the last byte.
	EXPECT_EQ(detect_encoding(text.data(), length, NULL, length, 9), ENCODING_UTF8_OR_UNKNOWN);
	EXPECT_EQ(detect_encoding(text.data(), length, NULL, length, 0), ENCODING_UTF8_OR_UNKNOWN);
	// Limits beyond the text are clipped to it.
	EXPECT_EQ(detect_encoding(text.data(), length, NULL, 1 << 30, 1 << 30), B_SJIS_CONVERSION);
	// A length of 0 reads up to the terminating NUL.
	const char cut[] = "あいう\0\x85";
	EXPECT_EQ(detect_encoding(cut, 0, NULL, 100, 100), ENCODING_UTF8_OR_UNKNOWN);
	EXPECT_EQ(detect_encoding(cut, sizeof(cut) - 1, NULL, 100, 100), B_SJIS_CONVERSION);
	// Nothing to read.
	int32 flag = 7;
	EXPECT_EQ(detect_encoding(NULL, 0, &flag, 0, 0), ENCODING_UTF8_OR_UNKNOWN);
	EXPECT_EQ(flag, 0);
	EXPECT_EQ(detect_encoding("\x85", -1, NULL, 1, 1), ENCODING_UTF8_OR_UNKNOWN);
}

TEST(EncodingDetect, OnlyAClearWinnerDecides)
{
	struct Case {
		int32 utf8, sjis, euc;
		status_t status;
		int32 encoding;
	};
	const int32 kUntouched = 99;
	const Case cases[] = {
		{5, 5, 0, B_ERROR, kUntouched},     {0, 5, 5, B_ERROR, kUntouched},
		{0, 0, 0, B_ERROR, kUntouched},     {5, 0, 0, B_OK, ENCODING_UTF8_OR_UNKNOWN},
		{0, 5, 0, B_OK, B_SJIS_CONVERSION}, {-5, -10, -1, B_OK, B_EUC_CONVERSION},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(testing::Message() << c.utf8 << ", " << c.sjis << ", " << c.euc);
		int32 encoding = kUntouched;
		EXPECT_EQ(detect_encoding_sub(c.utf8, c.sjis, c.euc, &encoding), c.status);
		EXPECT_EQ(encoding, c.encoding);
	}
}
