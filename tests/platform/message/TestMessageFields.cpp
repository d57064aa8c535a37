#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include <Entry.h>
#include <Message.h>

#include "MessageTestUtil.h"

namespace {

// Every typed field, two items each where the type allows it.
BMessage
every_type()
{
	BMessage message('type');
	message.AddInt8("i8", -8);
	message.AddInt8("i8", 7);
	message.AddUInt8("u8", 250);
	message.AddInt16("i16", -1600);
	message.AddUInt16("u16", 65000);
	message.AddInt32("i32", std::numeric_limits<int32>::min());
	message.AddInt32("i32", 42);
	message.AddUInt32("u32", 0xdeadbeef);
	message.AddInt64("i64", -(int64(1) << 40));
	message.AddUInt64("u64", ~uint64(0));
	message.AddBool("bool", true);
	message.AddBool("bool", false);
	message.AddFloat("float", 1.5f);
	message.AddDouble("double", -2.25e300);
	message.AddString("str", "hello");
	message.AddString("str", std::string("日本語"));
	message.AddRect("rect", BRect(1, 2, 30, 40));
	message.AddPoint("point", BPoint(-3.5f, 8));
	message.AddColor("color", make_color(1, 2, 3, 4));
	int local;
	message.AddPointer("ptr", &local);
	entry_ref ref(3, 77, "file.txt");
	message.AddRef("ref", &ref);
	BMessage inner('innr');
	inner.AddString("k", "v");
	message.AddMessage("msg", &inner);
	BMessenger messenger;
	message.AddMessenger("messenger", messenger);
	const char raw[] = {1, 2, 3};
	message.AddData("raw", B_RAW_TYPE, raw, 3);
	message.AddData("var", 'VARI', raw, 3, false);
	message.AddData("var", 'VARI', raw, 1, false);
	return message;
}

void
expect_every_type(const BMessage& message)
{
	EXPECT_EQ(message.what, uint32('type'));
	int8 i8;
	ASSERT_EQ(message.FindInt8("i8", 1, &i8), B_OK);
	EXPECT_EQ(i8, 7);
	EXPECT_EQ(message.GetUInt8("u8", 0), 250);
	EXPECT_EQ(message.GetInt16("i16", 0), -1600);
	EXPECT_EQ(message.GetUInt16("u16", 0), 65000);
	EXPECT_EQ(message.GetInt32("i32", 0), std::numeric_limits<int32>::min());
	EXPECT_EQ(message.GetInt32("i32", 1, 0), 42);
	EXPECT_EQ(message.GetUInt32("u32", 0), 0xdeadbeefu);
	EXPECT_EQ(message.GetInt64("i64", 0), -(int64(1) << 40));
	EXPECT_EQ(message.GetUInt64("u64", 0), ~uint64(0));
	EXPECT_TRUE(message.GetBool("bool", 0, false));
	EXPECT_FALSE(message.GetBool("bool", 1, true));
	EXPECT_EQ(message.GetFloat("float", 0), 1.5f);
	EXPECT_EQ(message.GetDouble("double", 0), -2.25e300);
	EXPECT_STREQ(message.GetString("str", 1, nullptr), "日本語");
	std::string text;
	ASSERT_EQ(message.FindString("str", &text), B_OK);
	EXPECT_EQ(text, "hello");
	EXPECT_EQ(message.GetRect("rect", BRect()), BRect(1, 2, 30, 40));
	EXPECT_EQ(message.GetPoint("point", BPoint()), BPoint(-3.5f, 8));
	EXPECT_EQ(message.GetColor("color", rgb_color()), make_color(1, 2, 3, 4));
	void* pointer = nullptr;
	EXPECT_EQ(message.FindPointer("ptr", &pointer), B_OK);
	EXPECT_NE(pointer, nullptr);
	entry_ref ref;
	ASSERT_EQ(message.FindRef("ref", &ref), B_OK);
	EXPECT_EQ(ref.device, 3);
	EXPECT_EQ(ref.directory, 77);
	EXPECT_STREQ(ref.name, "file.txt");
	BMessage inner;
	ASSERT_EQ(message.FindMessage("msg", &inner), B_OK);
	EXPECT_EQ(inner.what, uint32('innr'));
	EXPECT_STREQ(inner.GetString("k"), "v");
	BMessenger messenger;
	ASSERT_EQ(message.FindMessenger("messenger", &messenger), B_OK);
	EXPECT_FALSE(messenger.IsValid());
	const void* data;
	ssize_t size;
	ASSERT_EQ(message.FindData("var", 'VARI', 1, &data, &size), B_OK);
	EXPECT_EQ(size, 1);
	ASSERT_EQ(message.FindData("raw", B_RAW_TYPE, &data, &size), B_OK);
	EXPECT_EQ(size, 3);
}

} // namespace

TEST(MessageFields, EveryTypeSurvivesCopyAndEveryFormat)
{
	BMessage original = every_type();
	expect_every_type(original);
	BMessage copy(original);
	expect_every_type(copy);

	const message_format formats[] = {
		B_MESSAGE_FORMAT_NATIVE, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, B_MESSAGE_FORMAT_R5_BIG_ENDIAN,
		B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN, B_MESSAGE_FORMAT_DANO_BIG_ENDIAN};
	for (message_format format : formats) {
		SCOPED_TRACE(message_format_name(format));
		Bytes bytes = flatten_as(original, format);
		ASSERT_FALSE(bytes.empty());
		EXPECT_EQ(detect_message_format(bytes.data(), bytes.size()), format);
		BMessage back;
		size_t used = 0;
		ASSERT_EQ(unflatten_message(&back, bytes.data(), bytes.size(), &used), B_OK);
		EXPECT_EQ(used, bytes.size());
		expect_every_type(back);
		EXPECT_TRUE(back.HasSameData(original, false, true));
	}
}

TEST(MessageFields, ErrorsFollowThePlatform)
{
	BMessage message;
	int32 value = 0;
	EXPECT_EQ(message.FindInt32("none", &value), B_NAME_NOT_FOUND);
	message.AddInt32("n", 1);
	EXPECT_EQ(message.FindInt32("n", 1, &value), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("n", -1, &value), B_BAD_INDEX);
	float f;
	EXPECT_EQ(message.FindFloat("n", &f), B_BAD_TYPE);
	EXPECT_EQ(message.AddFloat("n", 1.0f), B_BAD_TYPE);
	EXPECT_EQ(message.AddInt32(nullptr, 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32("", 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("n", B_INT32_TYPE, "12345678", 8), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("any", B_ANY_TYPE, "x", 1), B_BAD_VALUE);
	EXPECT_EQ(message.ReplaceInt32("n", 3, 5), B_BAD_INDEX);
	EXPECT_EQ(message.ReplaceInt32("missing", 5), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.GetInt32("n", 9), 1);
	EXPECT_EQ(message.GetInt32("missing", 9), 9);
}

TEST(MessageFields, GetInfoCountRemoveReplace)
{
	BMessage message;
	message.AddInt32("a", 1);
	message.AddString("b", "x");
	message.AddInt32("c", 2);
	message.AddInt32("c", 3);

	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 3);
	EXPECT_EQ(message.CountNames(B_INT32_TYPE), 2);
	char* name = nullptr;
	type_code type = 0;
	int32 count = 0;
	ASSERT_EQ(message.GetInfo(B_INT32_TYPE, 1, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "c");
	EXPECT_EQ(count, 2);
	EXPECT_EQ(message.GetInfo(B_INT32_TYPE, 2, &name, &type), B_BAD_INDEX);
	EXPECT_EQ(message.GetInfo(B_FLOAT_TYPE, 0, &name, &type), B_BAD_TYPE);
	bool fixed = false;
	ASSERT_EQ(message.GetInfo("b", &type, &fixed), B_OK);
	EXPECT_EQ(type, B_STRING_TYPE);
	EXPECT_FALSE(fixed);

	ASSERT_EQ(message.ReplaceString("b", "a much longer text"), B_OK);
	EXPECT_STREQ(message.GetString("b"), "a much longer text");
	ASSERT_EQ(message.RemoveData("c", 0), B_OK);
	EXPECT_EQ(message.GetInt32("c", 0), 3);
	ASSERT_EQ(message.RemoveData("c"), B_OK);
	EXPECT_FALSE(message.HasInt32("c"));
	EXPECT_EQ(message.RemoveName("c"), B_NAME_NOT_FOUND);
	ASSERT_EQ(message.RemoveName("a"), B_OK);
	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 1);
	message.MakeEmpty();
	EXPECT_TRUE(message.IsEmpty());
}

TEST(MessageFields, VariableItemsKeepTheirNeighbours)
{
	BMessage message;
	message.AddString("s", "one");
	message.AddString("s", "two");
	message.AddString("s", "three");
	ASSERT_EQ(message.ReplaceString("s", 1, "second item"), B_OK);
	ASSERT_EQ(message.RemoveData("s", 0), B_OK);
	EXPECT_STREQ(message.GetString("s", 0, nullptr), "second item");
	EXPECT_STREQ(message.GetString("s", 1, nullptr), "three");
	BMessage back;
	Bytes bytes = flatten_native(message);
	ASSERT_EQ(back.Unflatten(reinterpret_cast<const char*>(bytes.data())), B_OK);
	EXPECT_STREQ(back.GetString("s", 1, nullptr), "three");
}

TEST(MessageFields, FloatsKeepNaNAndSignedZero)
{
	BMessage message;
	message.AddFloat("f", std::numeric_limits<float>::quiet_NaN());
	message.AddDouble("d", -0.0);
	Bytes bytes = flatten_as(message, B_MESSAGE_FORMAT_R5_BIG_ENDIAN);
	BMessage back;
	ASSERT_EQ(unflatten_message(&back, bytes.data(), bytes.size()), B_OK);
	EXPECT_TRUE(std::isnan(back.GetFloat("f", 0)));
	EXPECT_TRUE(std::signbit(back.GetDouble("d", 1)));
}

TEST(MessageFields, CopyForgetsDeliveryButKeepsFields)
{
	BMessage message('abcd');
	message.AddInt32("x", 5);
	BMessage other;
	other = message;
	EXPECT_EQ(other.what, uint32('abcd'));
	EXPECT_EQ(other.GetInt32("x", 0), 5);
	EXPECT_FALSE(other.WasDelivered());
	EXPECT_FALSE(other.IsSourceWaiting());
	other.AddInt32("x", 6);
	EXPECT_FALSE(message.HasInt32("x", 1));
}

TEST(MessageFields, AppendAndRename)
{
	BMessage a, b;
	a.AddInt32("x", 1);
	b.AddInt32("x", 2);
	b.AddString("y", "z");
	ASSERT_EQ(a.Append(b), B_OK);
	EXPECT_EQ(a.GetInt32("x", 1, 0), 2);
	EXPECT_EQ(a.Rename("y", "x"), B_NAME_IN_USE);
	ASSERT_EQ(a.Rename("y", "w"), B_OK);
	EXPECT_STREQ(a.GetString("w"), "z");
}
