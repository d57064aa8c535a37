#include <gtest/gtest.h>

#include <cstring>

#include <Message.h>

#include "MessageTestUtil.h"

TEST(MessageNative, EmptyMessageBytes)
{
	const Bytes expected = {0x48, 0x4D, 0x46, 0x31, 0,    0,    0,    0,    1,    0,    0,    0,
							0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
							0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
							0,    0,    0,    0,    0,    0,    0,    0,    5,    0,    0,    0,
							0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
							0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
	BMessage message;
	EXPECT_EQ(message.FlattenedSize(), 68);
	EXPECT_EQ(flatten_native(message), expected);
}

TEST(MessageNative, TwoFieldMessageBytes)
{
	BMessage message('abcd');
	message.AddInt32("x", 5);
	message.AddString("name", "hi");
	Bytes expected = {0x48, 0x4D, 0x46, 0x31, 0x64, 0x63, 0x62, 0x61, 1, 0, 0, 0};
	for (int i = 0; i < 6; i++)
		expected.insert(expected.end(), {0xFF, 0xFF, 0xFF, 0xFF});
	const Bytes rest = {0x12, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0,
						// hash table
						0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
						0xFF, 0xFF, 0xFF, 0xFF,
						// field 0
						3, 0, 2, 0, 0x47, 0x4E, 0x4F, 0x4C, 1, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0,
						0xFF, 0xFF, 0xFF, 0xFF,
						// field 1
						1, 0, 5, 0, 0x52, 0x54, 0x53, 0x43, 1, 0, 0, 0, 7, 0, 0, 0, 6, 0, 0, 0,
						0xFF, 0xFF, 0xFF, 0xFF,
						// data
						0x78, 0, 5, 0, 0, 0, 0x6E, 0x61, 0x6D, 0x65, 0, 3, 0, 0, 0, 0x68, 0x69, 0};
	expected.insert(expected.end(), rest.begin(), rest.end());
	ASSERT_EQ(expected.size(), 134u);
	EXPECT_EQ(flatten_native(message), expected);

	BMessage back;
	ASSERT_EQ(back.Unflatten(reinterpret_cast<const char*>(expected.data())), B_OK);
	EXPECT_EQ(back.what, uint32('abcd'));
	EXPECT_EQ(back.GetInt32("x", 0), 5);
	EXPECT_STREQ(back.GetString("name"), "hi");
}

TEST(MessageNative, HashChainsFollowFieldOrder)
{
	// "class" and "_frame" and "_color" share bucket 0; "_name" is alone in bucket 2.
	BMessage message;
	message.AddString("class", "BView");
	message.AddString("_name", "v");
	message.AddRect("_frame", BRect(0, 0, 1, 1));
	message.AddInt32("_color", 255);
	Bytes bytes = flatten_native(message);
	auto word = [&](size_t at) {
		int32 v;
		memcpy(&v, bytes.data() + at, 4);
		return v;
	};
	EXPECT_EQ(word(48), 0);
	EXPECT_EQ(word(56), 1);
	const size_t fields = 68;
	EXPECT_EQ(word(fields + 0 * 24 + 20), 2);
	EXPECT_EQ(word(fields + 2 * 24 + 20), 3);
	EXPECT_EQ(word(fields + 3 * 24 + 20), -1);
}

TEST(MessageNative, HighBytesOfNamesHashAsSignedChars)
{
	// "é" is C3 A9: signed, the hash is 0xFFFFF... based and lands in bucket 4;
	// read as unsigned bytes it would land in bucket 2.
	BMessage message;
	message.AddInt32("\xC3\xA9", 1);
	Bytes bytes = flatten_native(message);
	uint32 h = 0;
	for (signed char c : std::string("\xC3\xA9")) {
		h = (h << 7) ^ (h >> 24);
		h ^= static_cast<uint32>(static_cast<int32>(c));
	}
	h ^= h << 12;
	int32 bucket;
	for (int b = 0; b < 5; b++) {
		memcpy(&bucket, bytes.data() + 48 + 4 * b, 4);
		EXPECT_EQ(bucket, b == int(h % 5) ? 0 : -1);
	}
}

TEST(MessageNative, StreamsCarryMessagesBackToBack)
{
	BMallocIO io;
	BMessage first('one1'), second('two2');
	first.AddString("s", "text");
	second.AddDouble("d", 2.0);
	ASSERT_EQ(first.Flatten(&io), B_OK);
	ASSERT_EQ(flatten_message(second, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, &io), B_OK);
	ASSERT_EQ(flatten_message(first, B_MESSAGE_FORMAT_DANO_BIG_ENDIAN, &io), B_OK);
	io.Seek(0, SEEK_SET);
	BMessage a, b, c, d;
	ASSERT_EQ(a.Unflatten(&io), B_OK);
	ASSERT_EQ(b.Unflatten(&io), B_OK);
	ASSERT_EQ(c.Unflatten(&io), B_OK);
	EXPECT_EQ(a.what, uint32('one1'));
	EXPECT_EQ(b.GetDouble("d", 0), 2.0);
	EXPECT_STREQ(c.GetString("s"), "text");
	EXPECT_EQ(d.Unflatten(&io), B_NOT_A_MESSAGE);
}

TEST(MessageNative, ReceivedHeaderValuesSurviveAFlatten)
{
	Bytes bytes = flatten_native(BMessage('rcvd'));
	// A delivered message with a target, as a port would carry it.
	bytes[8] = 0x11;
	bytes[12] = 7;
	bytes[13] = bytes[14] = bytes[15] = 0;
	BMessage message;
	ASSERT_EQ(message.Unflatten(reinterpret_cast<const char*>(bytes.data())), B_OK);
	EXPECT_TRUE(message.WasDelivered());
	EXPECT_EQ(flatten_native(message), bytes);
	BMessage copy(message);
	EXPECT_FALSE(copy.WasDelivered());
}
