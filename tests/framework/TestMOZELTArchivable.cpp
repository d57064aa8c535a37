#include "SettingsFolder.h"
#include "TestRecord.h"

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
		_exit(status == B_OK ? kSaved : status == B_ERROR ? kSkipped : kUnexpected);
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
