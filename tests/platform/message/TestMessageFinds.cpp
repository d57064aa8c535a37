// A failed find leaves a defined output, so a caller may test the value as well as the status.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <Entry.h>
#include <GraphicsDefs.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

namespace {

// One find type: how to add a value of it, how to find into a deliberately stale output,
// and whether that output now holds the type's default.
struct FindCase {
	const char* type;
	std::function<void(BMessage*)> add;
	std::function<status_t(const BMessage&, const char*, int32)> findStale;
	std::function<bool()> isDefault;
};

template <typename T>
FindCase
fixed_case(const char* type, status_t (BMessage::*add)(const char*, T),
		   status_t (BMessage::*find)(const char*, int32, T*) const, T value, T stale, T* out)
{
	return {type, [=](BMessage* m) { (m->*add)("field", value); },
			[=](const BMessage& m, const char* name, int32 index) {
				*out = stale;
				return (m.*find)(name, index, out);
			},
			[=] {
				const T zero{};
				return memcmp(out, &zero, sizeof(T)) == 0;
			}};
}

} // namespace

TEST(MessageFinds, EveryFindResetsItsOutputWhenItFails)
{
	int8 i8;
	uint8 u8;
	int16 i16;
	uint16 u16;
	int32 i32;
	uint32 u32;
	int64 i64;
	uint64 u64;
	float f;
	double d;
	rgb_color color;
	void* pointer;
	bool flag;
	BRect rect;
	BPoint point;
	const char* text;
	std::string string;
	entry_ref ref;
	BMessenger messenger;
	int anything = 0;
	// A messenger that is not the default one, made from its flattened numbers.
	BMessenger someone;
	{
		const int32 numbers[6] = {5, 6, 7, 0, 0, 0};
		BMessage holder;
		holder.AddData("m", B_MESSENGER_TYPE, numbers, sizeof(numbers));
		ASSERT_EQ(holder.FindMessenger("m", &someone), B_OK);
		ASSERT_NE(someone, BMessenger());
	}

	std::vector<FindCase> cases = {
		fixed_case<int8>("int8", &BMessage::AddInt8, &BMessage::FindInt8, 5, 9, &i8),
		fixed_case<uint8>("uint8", &BMessage::AddUInt8, &BMessage::FindUInt8, 5, 9, &u8),
		fixed_case<int16>("int16", &BMessage::AddInt16, &BMessage::FindInt16, 5, 9, &i16),
		fixed_case<uint16>("uint16", &BMessage::AddUInt16, &BMessage::FindUInt16, 5, 9, &u16),
		fixed_case<int32>("int32", &BMessage::AddInt32, &BMessage::FindInt32, 5, 9, &i32),
		fixed_case<uint32>("uint32", &BMessage::AddUInt32, &BMessage::FindUInt32, 5, 9, &u32),
		fixed_case<int64>("int64", &BMessage::AddInt64, &BMessage::FindInt64, 5, 9, &i64),
		fixed_case<uint64>("uint64", &BMessage::AddUInt64, &BMessage::FindUInt64, 5, 9, &u64),
		fixed_case<float>("float", &BMessage::AddFloat, &BMessage::FindFloat, 5, 9, &f),
		fixed_case<double>("double", &BMessage::AddDouble, &BMessage::FindDouble, 5, 9, &d),
		fixed_case<rgb_color>("color", &BMessage::AddColor, &BMessage::FindColor, {1, 2, 3, 4},
							  {9, 9, 9, 9}, &color),
		{"pointer", [&](BMessage* m) { m->AddPointer("field", &anything); },
		 [&](const BMessage& m, const char* name, int32 index) {
			 pointer = &anything;
			 return m.FindPointer(name, index, &pointer);
		 },
		 [&] { return pointer == nullptr; }},
		{"bool", [](BMessage* m) { m->AddBool("field", true); },
		 [&](const BMessage& m, const char* name, int32 index) {
			 flag = true;
			 return m.FindBool(name, index, &flag);
		 },
		 [&] { return !flag; }},
		{"rect", [](BMessage* m) { m->AddRect("field", BRect(1, 2, 3, 4)); },
		 [&](const BMessage& m, const char* name, int32 index) {
			 rect.Set(5, 6, 7, 8);
			 return m.FindRect(name, index, &rect);
		 },
		 [&] { return rect == BRect(0, 0, -1, -1); }},
		{"point", [](BMessage* m) { m->AddPoint("field", BPoint(1, 2)); },
		 [&](const BMessage& m, const char* name, int32 index) {
			 point.Set(5, 6);
			 return m.FindPoint(name, index, &point);
		 },
		 [&] { return point == BPoint(0, 0); }},
		{"string", [](BMessage* m) { m->AddString("field", "text"); },
		 [&](const BMessage& m, const char* name, int32 index) {
			 text = "stale";
			 return m.FindString(name, index, &text);
		 },
		 [&] { return text == nullptr; }},
		{"std::string", [](BMessage* m) { m->AddString("field", "text"); },
		 [&](const BMessage& m, const char* name, int32 index) {
			 string = "stale";
			 return m.FindString(name, index, &string);
		 },
		 [&] { return string.empty(); }},
		{"ref",
		 [](BMessage* m) {
			 entry_ref added(3, 4, "name");
			 m->AddRef("field", &added);
		 },
		 [&](const BMessage& m, const char* name, int32 index) {
			 ref = entry_ref(7, 8, "stale");
			 return m.FindRef(name, index, &ref);
		 },
		 [&] { return ref == entry_ref(); }},
		{"messenger", [&](BMessage* m) { m->AddMessenger("field", someone); },
		 [&](const BMessage& m, const char* name, int32 index) {
			 messenger = someone;
			 return m.FindMessenger(name, index, &messenger);
		 },
		 [&] { return messenger == BMessenger(); }},
	};

	for (const FindCase& c : cases) {
		SCOPED_TRACE(c.type);
		BMessage message;
		c.add(&message);
		// A field of another type under the name the wrong-type find asks for.
		message.AddData("other", 'OTHR', "x", 1);
		EXPECT_EQ(c.findStale(message, "missing", 0), B_NAME_NOT_FOUND);
		EXPECT_TRUE(c.isDefault());
		EXPECT_EQ(c.findStale(message, "other", 0), B_BAD_TYPE);
		EXPECT_TRUE(c.isDefault());
		EXPECT_EQ(c.findStale(message, "field", 1), B_BAD_INDEX);
		EXPECT_TRUE(c.isDefault());
		EXPECT_EQ(c.findStale(message, "field", 0), B_OK);
		EXPECT_FALSE(c.isDefault());
	}
}

TEST(MessageFinds, FindDataLeavesNoPointerWhenItFails)
{
	BMessage message;
	message.AddInt32("n", 1);
	int32 stale = 0;
	const void* data = &stale;
	ssize_t size = 99;
	EXPECT_EQ(message.FindData("missing", B_ANY_TYPE, &data, &size), B_NAME_NOT_FOUND);
	EXPECT_EQ(data, nullptr);
	EXPECT_EQ(size, 0);
	data = &stale;
	size = 99;
	EXPECT_EQ(message.FindData("n", B_STRING_TYPE, &data, &size), B_BAD_TYPE);
	EXPECT_EQ(data, nullptr);
	EXPECT_EQ(size, 0);
	data = &stale;
	EXPECT_EQ(message.FindData("n", B_INT32_TYPE, 1, &data, nullptr), B_BAD_INDEX);
	EXPECT_EQ(data, nullptr);
	EXPECT_EQ(message.FindData("n", B_INT32_TYPE, &data, &size), B_OK);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(size, 4);
	EXPECT_EQ(message.FindData("n", B_INT32_TYPE, nullptr, &size), B_BAD_VALUE);
}

TEST(MessageFinds, AMessengerStoredAsItsRawBytesIsFoundAgain)
{
	static_assert(sizeof(BMessenger) == 24, "a messenger is as large as its flattened form");
	BLooper* looper = new BLooper("target");
	looper->Run();
	BMessenger target(looper);
	ASSERT_TRUE(target.IsValid());

	BMessage message;
	ASSERT_EQ(message.AddData("raw", B_MESSENGER_TYPE, &target, sizeof(target)), B_OK);
	BMessenger found;
	ASSERT_EQ(message.FindMessenger("raw", &found), B_OK);
	EXPECT_EQ(found, target);
	EXPECT_TRUE(found.IsValid());

	// And the other way: an added messenger's bytes are a messenger.
	ASSERT_EQ(message.AddMessenger("added", target), B_OK);
	const void* data = nullptr;
	ssize_t size = 0;
	ASSERT_EQ(message.FindData("added", B_MESSENGER_TYPE, &data, &size), B_OK);
	ASSERT_EQ(size, static_cast<ssize_t>(sizeof(BMessenger)));
	BMessenger copied;
	memcpy(static_cast<void*>(&copied), data, sizeof(copied));
	EXPECT_EQ(copied, target);

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}
