#include "SettingsFolder.h"
#include "TestRecord.h"

#include <framework/Archivable.h>
#include <framework/settings/SettingsEntry.h>

#include <Entry.h>
#include <GraphicsDefs.h>
#include <Rect.h>
#include <TypeConstants.h>

#include <cstring>
#include <limits>
#include <memory>
#include <sys/stat.h>

using namespace test_settings;

namespace {

class ArchivableTest : public SettingsTest {
protected:
	BEntry Entry(const char* file = "record.arc")
	{
		BEntry entry;
		EXPECT_EQ(get_settings_entry("Test", file, &entry), B_OK);
		return entry;
	}
};

std::vector<std::string>
class_entries(const BMessage& archive)
{
	std::vector<std::string> names;
	const char* name = nullptr;
	for (int32 i = 0; archive.FindString("class", i, &name) == B_OK; i++)
		names.push_back(name);
	return names;
}

} // namespace

TEST_F(ArchivableTest, ArchiveNamesTheClassAndThenTArchivable)
{
	TTestRecord record;
	BMessage archive;
	ASSERT_EQ(record.Archive(&archive, true), B_OK);
	EXPECT_EQ(class_entries(archive), (std::vector<std::string>{"TTestRecord", "TArchivable"}));
	EXPECT_TRUE(validate_instantiation(&archive, CLASS_NAME_T_ARCHIVABLE));

	std::unique_ptr<BArchivable> object(TArchivable::Instantiate(&archive));
	EXPECT_NE(dynamic_cast<TArchivable*>(object.get()), nullptr);

	BMessage stranger;
	stranger.AddString("class", "TSomethingElse");
	EXPECT_EQ(TArchivable::Instantiate(&stranger), nullptr);
}

TEST_F(ArchivableTest, SaveWritesExactlyTheFlattenedArchiveAndLoadReadsIt)
{
	TTestRecord saved;
	saved.mCount = 42;
	saved.mText = "日本語";
	BEntry entry = Entry();
	ASSERT_EQ(saved.Save(entry), B_OK);

	BMessage archive;
	ASSERT_EQ(saved.Archive(&archive, true), B_OK);
	EXPECT_EQ(read_file(SettingsPath("Test", "record.arc")), flatten(archive));

	TTestRecord loaded;
	ASSERT_EQ(loaded.Load(entry), B_OK);
	EXPECT_EQ(loaded.mCount, 42);
	EXPECT_EQ(loaded.mText, "日本語");
}

TEST_F(ArchivableTest, LoadOfSomethingElseFailsWithoutTouchingTheObject)
{
	BEntry entry = Entry();
	TTestRecord record;
	EXPECT_EQ(record.Load(entry), B_ERROR);

	write_file(SettingsPath("Test", "record.arc"), "not a flattened message at all");
	EXPECT_EQ(record.Load(entry), B_ERROR);
	write_file(SettingsPath("Test", "record.arc"), "");
	EXPECT_EQ(record.Load(entry), B_ERROR);
	EXPECT_FALSE(record.mUnarchived);
	EXPECT_EQ(record.mCount, 7);
	EXPECT_EQ(record.mText, "default");
}

TEST_F(ArchivableTest, LoadReportsAMissingFieldButKeepsWhatItRead)
{
	BEntry entry = Entry();
	BMessage archive;
	archive.AddInt32("Cnt ", 3);
	write_message(SettingsPath("Test", "record.arc"), archive);

	TTestRecord record;
	EXPECT_EQ(record.Load(entry), B_ERROR);
	EXPECT_EQ(record.mCount, 3);
	EXPECT_EQ(record.mText, "default");
}

TEST_F(ArchivableTest, AFailedSaveLeavesThePreviousFileWhole)
{
	TTestRecord record;
	record.mCount = 1;
	BEntry entry = Entry();
	ASSERT_EQ(record.Save(entry), B_OK);
	std::string before = read_file(SettingsPath("Test", "record.arc"));

	record.mCount = 2;
	record.mFailArchive = true;
	EXPECT_EQ(record.Save(entry), B_ERROR);
	EXPECT_EQ(read_file(SettingsPath("Test", "record.arc")), before);
	EXPECT_EQ(count_files_starting(SettingsPath("Test"), ".record.arc."), 0);
}

TEST_F(ArchivableTest, SaveKeepsPermissionsAndWritesThroughALink)
{
	std::string real = SettingsPath("Test", "real.arc");
	TTestRecord record;
	BEntry realEntry = Entry("real.arc");
	ASSERT_EQ(record.Save(realEntry), B_OK);
	ASSERT_EQ(chmod(real.c_str(), 0640), 0);
	ASSERT_EQ(symlink("real.arc", SettingsPath("Test", "link.arc").c_str()), 0);

	record.mCount = 99;
	BEntry linkEntry = Entry("link.arc");
	ASSERT_EQ(record.Save(linkEntry), B_OK);
	EXPECT_TRUE(fs::is_symlink(SettingsPath("Test", "link.arc")));
	struct stat info;
	ASSERT_EQ(stat(real.c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 07777, 0640u);

	TTestRecord loaded;
	ASSERT_EQ(loaded.Load(realEntry), B_OK);
	EXPECT_EQ(loaded.mCount, 99);
}

namespace {

bool
same(const BMessage& a, const BMessage& b)
{
	return flatten(a) == flatten(b);
}

bool
same(const rgb_color& a, const rgb_color& b)
{
	return memcmp(&a, &b, sizeof(rgb_color)) == 0;
}

bool
same(const char* a, const char* b)
{
	return a == b || (a != nullptr && b != nullptr && strcmp(a, b) == 0);
}

template <typename T>
bool
same(const T& a, const T& b)
{
	return a == b;
}

// `find` reads `name` at an index into a T: it must copy `expected` from index 0 and leave the
// preset alone for a missing name, a field of another type and an index past the end.
template <typename T, typename Find>
void
expect_reader(const BMessage& archive, const char* name, const T& preset, const T& expected,
			  Find find)
{
	SCOPED_TRACE(name);
	T value = preset;
	EXPECT_EQ(find(archive, name, 0, &value), B_OK);
	EXPECT_TRUE(same(value, expected));

	const std::pair<const char*, int32> failures[] = {{"missing", 0}, {"raw", 0}, {name, 1}};
	for (const auto& [field, index] : failures) {
		T untouched = preset;
		EXPECT_NE(find(archive, field, index, &untouched), B_OK) << field << " " << index;
		EXPECT_TRUE(same(untouched, preset)) << field << " " << index;
	}
}

} // namespace

TEST(ArchivableFind, EveryReaderCopiesOnSuccessAndLeavesThePresetOnFailure)
{
	BMessage inner('innr');
	inner.AddInt32("x", 5);
	BMessage presetMessage('prst');
	presetMessage.AddString("keep", "me");
	rgb_color red = {255, 0, 0, 255};
	rgb_color grey = {1, 2, 3, 4};
	entry_ref ref(1, 2, "name");
	entry_ref presetRef(9, 9, "preset");
	static const char kPresetText[] = "preset";

	BMessage archive;
	archive.AddData("raw", B_RAW_TYPE, "raw", 3);
	archive.AddBool("bool", true);
	archive.AddInt8("int8", -8);
	archive.AddInt16("int16", -16);
	archive.AddInt32("int32", -32);
	archive.AddInt64("int64", -64);
	archive.AddFloat("float", 1.5f);
	archive.AddDouble("double", 2.5);
	archive.AddRect("rect", BRect(1, 2, 3, 4));
	archive.AddRef("ref", &ref);
	archive.AddMessage("message", &inner);
	archive.AddString("string", "text");
	archive.AddData("color", B_RGB_COLOR_TYPE, &red, sizeof(red));

	expect_reader<bool>(archive, "bool", false, true,
						[](auto&&... a) { return TTestRecord::FindBool(a...); });
	expect_reader<int8>(archive, "int8", 1, -8,
						[](auto&&... a) { return TTestRecord::FindInt8(a...); });
	expect_reader<int16>(archive, "int16", 1, -16,
						 [](auto&&... a) { return TTestRecord::FindInt16(a...); });
	expect_reader<int32>(archive, "int32", 1, -32,
						 [](auto&&... a) { return TTestRecord::FindInt32(a...); });
	expect_reader<int64>(archive, "int64", 1, -64,
						 [](auto&&... a) { return TTestRecord::FindInt64(a...); });
	expect_reader<float>(archive, "float", 9.0f, 1.5f,
						 [](auto&&... a) { return TTestRecord::FindFloat(a...); });
	expect_reader<double>(archive, "double", 9.0, 2.5,
						  [](auto&&... a) { return TTestRecord::FindDouble(a...); });
	expect_reader<BRect>(archive, "rect", BRect(5, 6, 7, 8), BRect(1, 2, 3, 4),
						 [](auto&&... a) { return TTestRecord::FindRect(a...); });
	expect_reader<entry_ref>(archive, "ref", presetRef, ref,
							 [](auto&&... a) { return TTestRecord::FindRef(a...); });
	expect_reader<BMessage>(archive, "message", presetMessage, inner,
							[](auto&&... a) { return TTestRecord::FindMessage(a...); });
	expect_reader<const char*>(archive, "string", kPresetText, "text",
							   [](const BMessage& m, const char* n, int32 i, const char** v) {
								   return TTestRecord::FindString(m, n, i, v);
							   });
	expect_reader<std::string>(archive, "string", "preset", "text",
							   [](const BMessage& m, const char* n, int32 i, std::string* v) {
								   return TTestRecord::FindString(m, n, i, v);
							   });
	expect_reader<rgb_color>(archive, "color", grey, red,
							 [](auto&&... a) { return TTestRecord::FindRGBColor(a...); });
}

TEST(ArchivableFind, DataPointerAndSizeAreWrittenTogether)
{
	BMessage archive;
	archive.AddData("data", 'abcd', "xyz", 3, false);
	archive.AddData("data", 'abcd', "second", 6, false);
	const void* data = &archive;
	ssize_t size = -5;
	EXPECT_NE(TTestRecord::FindData(archive, "data", 'dcba', &data, &size), B_OK);
	EXPECT_NE(TTestRecord::FindData(archive, "data", 'abcd', 2, &data, &size), B_OK);
	EXPECT_NE(TTestRecord::FindData(archive, "none", 'abcd', &data, &size), B_OK);
	EXPECT_EQ(data, &archive);
	EXPECT_EQ(size, -5);

	ASSERT_EQ(TTestRecord::FindData(archive, "data", 'abcd', &data, &size), B_OK);
	EXPECT_EQ(std::string(static_cast<const char*>(data), size), "xyz");
	ASSERT_EQ(TTestRecord::FindData(archive, "data", 'abcd', 1, &data, &size), B_OK);
	EXPECT_EQ(std::string(static_cast<const char*>(data), size), "second");
}

TEST(ArchivableFind, AColourShorterThanAColourIsNotRead)
{
	BMessage archive;
	archive.AddData("color", B_RGB_COLOR_TYPE, "\x01\x02", 2);
	rgb_color color = {9, 9, 9, 9};
	EXPECT_NE(TTestRecord::FindRGBColor(archive, "color", &color), B_OK);
	EXPECT_EQ(color.red, 9);
	EXPECT_EQ(color.alpha, 9);
}

TEST(ArchivableFind, OnlyAFrameThatCanPlaceAWindowIsTaken)
{
	const float nan = std::numeric_limits<float>::quiet_NaN();
	const float inf = std::numeric_limits<float>::infinity();
	const BRect preset(50, 50, 350, 300);
	struct Case {
		BRect stored;
		bool taken;
	} cases[] = {
		{BRect(120, 80, 670, 365), true},
		{BRect(-100000, -100000, 100000, 100000), true},
		{BRect(5, 5, 5, 5), true},
		{BRect(nan, 80, 670, 365), false},
		{BRect(120, 80, 670, nan), false},
		{BRect(120, -inf, 670, 365), false},
		{BRect(120, 80, inf, 365), false},
		{BRect(120, 80, 100001, 365), false},
		{BRect(-100001, 80, 670, 365), false},
		{BRect(120, 80, 670, 3.0e38f), false},
		{BRect(670, 80, 120, 365), false},
		{BRect(120, 365, 670, 80), false},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(::testing::Message() << c.stored.left << " " << c.stored.top << " "
										  << c.stored.right << " " << c.stored.bottom);
		BMessage archive;
		archive.AddRect("_WFr", c.stored);
		BRect frame = preset;
		EXPECT_EQ(TTestRecord::FindFrame(archive, "_WFr", &frame) == B_OK, c.taken);
		if (c.taken)
			EXPECT_EQ(frame, c.stored);
		else
			EXPECT_EQ(frame, preset);
	}
	BMessage empty;
	BRect frame = preset;
	EXPECT_NE(TTestRecord::FindFrame(empty, "_WFr", &frame), B_OK);
	EXPECT_EQ(frame, preset);
}
