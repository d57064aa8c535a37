#include "SettingsFolder.h"
#include "TestRecord.h"

#include <framework/settings/SettingsEntry.h>

#include <Rect.h>
#include <beapi/MessageFormats.h>

using namespace test_settings;

// The modifier keys are read from BEAPI_MODIFIERS when a process starts, so the reset gesture is
// tried in child runs of this binary started with the keys held.

namespace {

const char kFolder[] = "Test";
const char kFile[] = "record.arc";

// Exit codes of the child: what LoadByName or SaveByName gave and whether the object kept its
// defaults.
enum { kLoadedFile = 10, kKeptDefaults = 11, kSaved = 12, kSkipped = 13, kUnexpected = 14 };

class MOZELTArchivableTest : public SettingsTest {
protected:
	void SaveRecord(int32 count)
	{
		TTestRecord record;
		record.mCount = count;
		ASSERT_EQ(record.SaveByName(kFolder, kFile), B_OK);
	}

	int RunChild(const char* action, const char* modifiers)
	{
		return run_self("MOZELTArchivableChild.Act", action, {{"BEAPI_MODIFIERS", modifiers}});
	}
};

} // namespace

TEST(MOZELTArchivableChild, Act)
{
	if (!is_child())
		GTEST_SKIP() << "runs only as a child of the gesture tests";
	std::string action = getenv(kChildVariable);
	TTestRecord record;
	if (action == "load") {
		status_t status = record.LoadByName(kFolder, kFile);
		if (status == B_OK && record.mCount == 5)
			_exit(kLoadedFile);
		if (status == B_ERROR && record.mCount == 7 && !record.mUnarchived)
			_exit(kKeptDefaults);
	} else if (action == "save") {
		record.mCount = 6;
		status_t status = record.SaveByName(kFolder, kFile);
		_exit(status == B_OK ? kSaved : status == B_CANCELED ? kSkipped : kUnexpected);
	}
	_exit(kUnexpected);
}

TEST_F(MOZELTArchivableTest, SaveThenLoadByName)
{
	SaveRecord(5);
	EXPECT_TRUE(fs::exists(SettingsPath(kFolder, kFile)));
	TTestRecord record;
	EXPECT_EQ(record.LoadByName(kFolder, kFile), B_OK);
	EXPECT_EQ(record.mCount, 5);
}

TEST_F(MOZELTArchivableTest, LoadingAMissingFileKeepsTheDefaults)
{
	TTestRecord record;
	EXPECT_EQ(record.LoadByName(kFolder, kFile), B_ERROR);
	EXPECT_EQ(record.mCount, 7);
	EXPECT_FALSE(record.mUnarchived);
}

TEST_F(MOZELTArchivableTest, DeleteByNameRemovesTheFile)
{
	SaveRecord(5);
	TTestRecord record;
	EXPECT_EQ(record.DeleteByName(kFolder, kFile), B_OK);
	EXPECT_FALSE(fs::exists(SettingsPath(kFolder, kFile)));
	EXPECT_NE(record.DeleteByName(kFolder, kFile), B_OK);
}

TEST_F(MOZELTArchivableTest, LoadWithAllFourKeysDeletesTheFile)
{
	SaveRecord(5);
	EXPECT_EQ(RunChild("load", "0x47"), kKeptDefaults);
	EXPECT_FALSE(fs::exists(SettingsPath(kFolder, kFile)));
}

TEST_F(MOZELTArchivableTest, OtherModifiersDoNotStopTheGesture)
{
	SaveRecord(5);
	// Caps Lock and Menu held as well.
	EXPECT_EQ(RunChild("load", "207"), kKeptDefaults);
	EXPECT_FALSE(fs::exists(SettingsPath(kFolder, kFile)));
}

TEST_F(MOZELTArchivableTest, LoadWithThreeOfTheKeysLoadsNormally)
{
	SaveRecord(5);
	for (const char* three : {"0x07", "0x46", "0x45", "0x43"}) {
		EXPECT_EQ(RunChild("load", three), kLoadedFile) << three;
		EXPECT_TRUE(fs::exists(SettingsPath(kFolder, kFile))) << three;
	}
}

TEST_F(MOZELTArchivableTest, SaveWithAllFourKeysLeavesTheFileUnchanged)
{
	SaveRecord(5);
	std::string before = read_file(SettingsPath(kFolder, kFile));
	EXPECT_EQ(RunChild("save", "0x47"), kSkipped);
	EXPECT_EQ(read_file(SettingsPath(kFolder, kFile)), before);

	EXPECT_EQ(RunChild("save", "0x07"), kSaved);
	EXPECT_NE(read_file(SettingsPath(kFolder, kFile)), before);
}

TEST_F(MOZELTArchivableTest, AFileThatCannotBeReadIsSetAsideAndTheDefaultsStay)
{
	take_settings_files_set_aside();
	fs::create_directories(SettingsPath(kFolder));
	write_file(SettingsPath(kFolder, kFile), "\x12\x34 cut");
	TTestRecord record;
	EXPECT_EQ(record.LoadByName(kFolder, kFile), B_ERROR);
	EXPECT_FALSE(record.mUnarchived);
	EXPECT_FALSE(fs::exists(SettingsPath(kFolder, kFile)));
	std::vector<settings_file_set_aside> told = take_settings_files_set_aside();
	ASSERT_EQ(told.size(), 1u);
	EXPECT_EQ(read_file(told[0].copy), "\x12\x34 cut");

	// A file that is only missing fields is read, not set aside.
	BMessage older;
	older.AddInt32("Cnt ", 4);
	write_message(SettingsPath(kFolder, kFile), older);
	EXPECT_EQ(record.LoadByName(kFolder, kFile), B_ERROR);
	EXPECT_EQ(record.mCount, 4);
	EXPECT_TRUE(fs::exists(SettingsPath(kFolder, kFile)));
	EXPECT_TRUE(take_settings_files_set_aside().empty());
}

TEST_F(MOZELTArchivableTest, ANewerVersionsFieldsAreWrittenBackAfterOurOwn)
{
	BMessage newer;
	newer.AddString("class", "TTestRecord");
	newer.AddInt32("Nw1 ", 11);
	newer.AddInt32("Cnt ", 5);
	newer.AddString("Nw2 ", "first");
	newer.AddString("Nw2 ", "second");
	newer.AddString("Text", "kept");
	newer.AddRect("Nw3 ", BRect(1, 2, 3, 4));
	fs::create_directories(SettingsPath(kFolder));
	write_message(SettingsPath(kFolder, kFile), newer);

	TTestRecord record;
	ASSERT_EQ(record.LoadByName(kFolder, kFile), B_OK);
	EXPECT_EQ(record.NewerFields().CountNames(B_ANY_TYPE), 3);
	// The archive, which also travels to others, holds only the record's own fields.
	BMessage archive;
	ASSERT_EQ(record.Archive(&archive, true), B_OK);
	EXPECT_EQ(archive.CountNames(B_ANY_TYPE), 3);

	record.mCount = 6;
	ASSERT_EQ(record.SaveByName(kFolder, kFile), B_OK);
	BMessage saved;
	ASSERT_EQ(unflatten_message(&saved, read_file(SettingsPath(kFolder, kFile)).data(),
								read_file(SettingsPath(kFolder, kFile)).size()),
			  B_OK);
	std::vector<std::string> names;
	char* name = nullptr;
	type_code type;
	for (int32 i = 0; saved.GetInfo(B_ANY_TYPE, i, &name, &type) == B_OK; i++)
		names.push_back(name);
	EXPECT_EQ(names, (std::vector<std::string>{"class", "Cnt ", "Text", "Nw1 ", "Nw2 ", "Nw3 "}));
	EXPECT_EQ(saved.GetInt32("Cnt ", 0), 6);
	EXPECT_EQ(saved.GetInt32("Nw1 ", 0), 11);
	EXPECT_STREQ(saved.GetString("Nw2 ", 1, ""), "second");
	BRect rect;
	EXPECT_EQ(saved.FindRect("Nw3 ", &rect), B_OK);
	EXPECT_EQ(rect, BRect(1, 2, 3, 4));

	// A copy carries them; loading a file without them forgets them.
	TTestRecord copy;
	copy = record;
	EXPECT_EQ(copy.NewerFields().CountNames(B_ANY_TYPE), 3);
	SaveRecord(1);
	ASSERT_EQ(record.LoadByName(kFolder, kFile), B_OK);
	EXPECT_TRUE(record.NewerFields().IsEmpty());
}
