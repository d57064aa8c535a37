#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include <Message.h>

#include "MessageTestUtil.h"

TEST(MessageOlderFormats, R5WriterFollowsTheMiniDataRule)
{
	BMessage message;
	message.AddString("types", "application/zip");
	std::string big(300, 'x');
	message.AddString("big", big);
	message.AddInt32("many", 1);
	message.AddInt32("many", 2);
	Bytes bytes = flatten_as(message, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN);

	// The header: magic, checksum over size/what/flags, size, what, flags.
	ASSERT_EQ(memcmp(bytes.data(), "1BOF", 4), 0);
	uint32 size;
	memcpy(&size, bytes.data() + 8, 4);
	EXPECT_EQ(size, bytes.size());
	uint32 checksum;
	memcpy(&checksum, bytes.data() + 4, 4);
	EXPECT_EQ(checksum, (size & 0xff) << 24 | (size >> 8 & 0xff) << 16 | 1u);
	EXPECT_EQ(bytes[16], 0x01);

	// "types": one 16-byte string → 24 bytes with padding, mini and single.
	const Bytes types = {0x0B, 0x52, 0x54, 0x53, 0x43, 24, 5, 't', 'y', 'p', 'e', 's', 16, 0, 0, 0};
	EXPECT_EQ(Bytes(bytes.begin() + 17, bytes.begin() + 17 + types.size()), types);
	size_t at = 17 + types.size() + 16 + 4;
	for (size_t i = 0; i < 4; i++)
		EXPECT_EQ(bytes[at - 4 + i], 0) << "padding is zero";
	// "big": 4 + 301 + 7 = 312 bytes of data is too large for the one-byte form.
	EXPECT_EQ(bytes[at], 0x09);
	uint32 dataSize;
	memcpy(&dataSize, bytes.data() + at + 5, 4);
	EXPECT_EQ(dataSize, 312u);
	at += 1 + 4 + 4 + 1 + 3 + 312;
	// "many": two fixed items, count and size in one byte each.
	const Bytes many = {0x07, 0x47, 0x4E, 0x4F, 0x4C, 2, 8, 4, 'm', 'a', 'n',
						'y',  1,    0,    0,    0,    2, 0, 0, 0,   0};
	EXPECT_EQ(Bytes(bytes.begin() + at, bytes.end()), many);

	Bytes noMini =
		flatten_as(message, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, B_MESSAGE_R5_NO_MINI_DATA);
	EXPECT_EQ(noMini[17], 0x09);
	BMessage back;
	ASSERT_EQ(unflatten_message(&back, noMini.data(), noMini.size()), B_OK);
	EXPECT_TRUE(back.HasSameData(message, false));
}

TEST(MessageOlderFormats, NestedMessagesTakeTheFormatOfTheirContainer)
{
	BMessage leaf('leaf');
	leaf.AddInt16("s", -2);
	BMessage middle('midl');
	middle.AddMessage("leaf", &leaf);
	BMessage top('top ');
	top.AddMessage("middle", &middle);

	const message_format formats[] = {
		B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, B_MESSAGE_FORMAT_R5_BIG_ENDIAN,
		B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN, B_MESSAGE_FORMAT_DANO_BIG_ENDIAN};
	for (message_format format : formats) {
		SCOPED_TRACE(message_format_name(format));
		Bytes bytes = flatten_as(top, format);
		BMessage back, m, l;
		ASSERT_EQ(unflatten_message(&back, bytes.data(), bytes.size()), B_OK);
		const void* data;
		ssize_t size;
		ASSERT_EQ(back.FindData("middle", B_MESSAGE_TYPE, &data, &size), B_OK);
		EXPECT_EQ(detect_message_format(data, static_cast<size_t>(size)), format);
		ASSERT_EQ(back.FindMessage("middle", &m), B_OK);
		ASSERT_EQ(m.FindMessage("leaf", &l), B_OK);
		EXPECT_EQ(l.what, uint32('leaf'));
		EXPECT_EQ(l.GetInt16("s", 0), -2);

		// Saved again in the native format, the older nested bytes are still found.
		BMessage again;
		Bytes native = flatten_native(back);
		ASSERT_EQ(again.Unflatten(reinterpret_cast<const char*>(native.data())), B_OK);
		ASSERT_EQ(again.FindMessage("middle", &m), B_OK);
		EXPECT_EQ(m.what, uint32('midl'));
	}
}

TEST(MessageOlderFormats, DanoWrittenIsReadBackWithFixedAndVariableFields)
{
	BMessage message('dano');
	message.AddString("one", "single");
	message.AddInt32("ints", 1);
	message.AddInt32("ints", 2);
	message.AddInt32("ints", 3);
	message.AddString("strs", "a");
	message.AddString("strs", "longer string");
	message.AddData("raw", B_RAW_TYPE, "abcd", 4);
	message.AddData("rawvar", B_RAW_TYPE, "abcdefghij", 10, false);
	Bytes bytes = flatten_as(message, B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN);
	ASSERT_EQ(memcmp(bytes.data(), "2BOF", 4), 0);
	EXPECT_EQ(bytes.size() % 8, 0u);
	BMessage back;
	ASSERT_EQ(unflatten_message(&back, bytes.data(), bytes.size()), B_OK);
	EXPECT_TRUE(back.HasSameData(message, false));
	bool fixed = false;
	type_code type;
	ASSERT_EQ(back.GetInfo("raw", &type, &fixed), B_OK);
	EXPECT_TRUE(fixed);
	ASSERT_EQ(back.GetInfo("rawvar", &type, &fixed), B_OK);
	EXPECT_FALSE(fixed);
}

TEST(MessageOlderFormats, BigEndianNumbersAreSwapped)
{
	BMessage message;
	message.AddInt32("i", 0x01020304);
	message.AddRect("r", BRect(1, 2, 3, 4));
	Bytes bytes = flatten_as(message, B_MESSAGE_FORMAT_R5_BIG_ENDIAN);
	ASSERT_EQ(memcmp(bytes.data(), "FOB1", 4), 0);
	const uint8 expected[] = {1, 2, 3, 4};
	EXPECT_NE(std::search(bytes.begin(), bytes.end(), expected, expected + 4), bytes.end());
	BMessage back;
	ASSERT_EQ(unflatten_message(&back, bytes.data(), bytes.size()), B_OK);
	EXPECT_EQ(back.GetInt32("i", 0), 0x01020304);
	EXPECT_EQ(back.GetRect("r", BRect()), BRect(1, 2, 3, 4));
}
