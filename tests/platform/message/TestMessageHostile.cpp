#include <gtest/gtest.h>

#include <cstring>

#include <Entry.h>
#include <Message.h>

#include "MessageTestUtil.h"

namespace {

BMessage
sample()
{
	BMessage message('host');
	message.AddInt32("int", 7);
	message.AddString("str", "text");
	message.AddString("str", "more");
	message.AddRect("rect", BRect(0, 0, 5, 5));
	BMessage inner('in');
	inner.AddBool("b", true);
	message.AddMessage("inner", &inner);
	return message;
}

void
expect_rejected(const Bytes& bytes, size_t size)
{
	BMessage message('keep');
	message.AddInt32("old", 1);
	size_t used = 0;
	status_t status = unflatten_message(&message, bytes.data(), size, &used);
	EXPECT_TRUE(status == B_BAD_VALUE || status == B_NOT_A_MESSAGE) << status;
	EXPECT_TRUE(message.IsEmpty());
	EXPECT_EQ(message.what, 0u);
}

void
set32(Bytes& bytes, size_t at, uint32 value)
{
	memcpy(bytes.data() + at, &value, 4);
}

} // namespace

TEST(MessageHostile, EveryTruncationOfEveryFormatFails)
{
	const message_format formats[] = {
		B_MESSAGE_FORMAT_NATIVE, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, B_MESSAGE_FORMAT_R5_BIG_ENDIAN,
		B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN, B_MESSAGE_FORMAT_DANO_BIG_ENDIAN};
	for (message_format format : formats) {
		SCOPED_TRACE(message_format_name(format));
		const Bytes bytes = flatten_as(sample(), format);
		for (size_t size = 0; size < bytes.size(); size++) {
			// An exact-size copy lets the address sanitizer catch any read past the end.
			Bytes cut(bytes.begin(), bytes.begin() + size);
			expect_rejected(cut, size);

			BMemoryIO io(cut.data(), cut.size());
			BMessage message;
			EXPECT_NE(message.Unflatten(&io), B_OK);
		}
	}
}

TEST(MessageHostile, CorruptNativeHeadersFail)
{
	const Bytes good = flatten_native(sample());
	struct Corruption {
		const char* what;
		size_t at;
		uint32 value;
	} corruptions[] = {
		{"wrong magic", 0, 0x31464D49},
		{"byte-swapped magic", 0, 0x484D4631},
		{"not valid", 8, 0},
		{"passed by area", 8, 0x81},
		{"data size too large", 36, 0x7fffffff},
		{"data size short", 36, 10},
		{"field count overflows", 40, 0x0aaaaaab},
		{"field count huge", 40, 0xffffffff},
		{"first field name too long", 68 + 2, 0x00ff0003},
		{"first field offset out of range", 68 + 16, 0xfffffff0},
		{"first field size huge", 68 + 12, 0xffffffff},
		{"first field count zero", 68 + 8, 0},
		{"first field count not dividing", 68 + 8, 3},
		{"variable field count lies", 68 + 24 + 8, 1000},
	};
	for (const Corruption& c : corruptions) {
		SCOPED_TRACE(c.what);
		Bytes bytes = good;
		set32(bytes, c.at, c.value);
		expect_rejected(bytes, bytes.size());
	}
}

TEST(MessageHostile, CorruptOlderHeadersFail)
{
	Bytes r5 = flatten_as(sample(), B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN);
	Bytes bytes = r5;
	set32(bytes, 8, 0xfffffff0);
	expect_rejected(bytes, bytes.size());
	bytes = r5;
	bytes[16] = 0;
	expect_rejected(bytes, bytes.size());
	bytes = r5;
	bytes[bytes.size() - 1] = 1;
	expect_rejected(bytes, bytes.size());

	Bytes dano = flatten_as(sample(), B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN);
	bytes = dano;
	set32(bytes, 4, 0x7fffffff);
	expect_rejected(bytes, bytes.size());
	bytes = dano;
	// The first field section after the 16-byte header and the 24-byte offsets section.
	set32(bytes, 44, 3);
	expect_rejected(bytes, bytes.size());
	bytes = dano;
	set32(bytes, 44, 0x7ffffff0);
	expect_rejected(bytes, bytes.size());
}

TEST(MessageHostile, HugeDeclaredStreamSizeAllocatesOnlyWhatArrives)
{
	Bytes bytes = flatten_native(sample());
	set32(bytes, 36, 0x70000000);
	BMemoryIO io(bytes.data(), bytes.size());
	BMessage message;
	EXPECT_EQ(message.Unflatten(&io), B_BAD_VALUE);
}

TEST(MessageHostile, BadItemsInsideAGoodMessageAreRefusedByTheirFinders)
{
	BMessage message;
	message.AddData("str", B_STRING_TYPE, "abc", 3, false);
	message.AddData("ref", B_REF_TYPE, "abc", 3, false);
	message.AddData("msg", B_MESSAGE_TYPE, "HMF1garbage", 11, false);
	message.AddData("int", B_INT32_TYPE, "12", 2, true);
	const char* text;
	EXPECT_EQ(message.FindString("str", &text), B_BAD_DATA);
	entry_ref ref;
	EXPECT_EQ(message.FindRef("ref", &ref), B_BAD_DATA);
	BMessage nested;
	EXPECT_NE(message.FindMessage("msg", &nested), B_OK);
	int32 value;
	EXPECT_EQ(message.FindInt32("int", &value), B_BAD_DATA);
	message.PrintToStream();
}

TEST(MessageHostile, DeepNestingIsHandledToALimit)
{
	BMessage message('leaf');
	message.AddInt32("depth", 0);
	for (int32 depth = 1; depth < 60; depth++) {
		BMessage outer('nest');
		outer.AddInt32("depth", depth);
		outer.AddMessage("inner", &message);
		message = outer;
	}
	const message_format formats[] = {B_MESSAGE_FORMAT_R5_BIG_ENDIAN,
									  B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN};
	for (message_format format : formats) {
		Bytes bytes = flatten_as(message, format);
		BMessage back;
		ASSERT_EQ(unflatten_message(&back, bytes.data(), bytes.size()), B_OK);
		EXPECT_TRUE(back.HasSameData(message, true, true));
		// Every level can still be reached, whatever format it ended up in.
		BMessage level = back;
		for (int32 depth = 59; depth > 0; depth--) {
			BMessage inner;
			ASSERT_EQ(level.FindMessage("inner", &inner), B_OK) << depth;
			level = inner;
		}
		EXPECT_EQ(level.what, uint32('leaf'));
	}
}
