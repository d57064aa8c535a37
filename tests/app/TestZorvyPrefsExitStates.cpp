#include "../framework/SettingsFolder.h"

#include <app/AppIdentity.h>
#include <app/ZorvyPrefsExitStates.h>

#include <limits>

using namespace test_settings;

namespace {

const char kFolder[] = "Zorvy";
const char kFile[] = "ZorvyPreferences_ExitStates.arc";

class ExitStatesTest : public SettingsTest {};

} // namespace

TEST_F(ExitStatesTest, AFirstRunHasTheDefaultFrame)
{
	TZorvyPrefsExitStates states;
	EXPECT_EQ(states.LoadFromFile(), B_ERROR);
	EXPECT_EQ(states.mWindowFrame, BRect(50, 50, 350, 300));
	EXPECT_EQ(states.mVersion, "");
}

TEST_F(ExitStatesTest, TheFileNamesTheRunningVersionAndTheLastFrame)
{
	TZorvyPrefsExitStates states;
	states.mVersion = "Ver 0.10";
	states.mWindowFrame = BRect(120, 80, 670, 365);
	ASSERT_EQ(states.SaveToFile(), B_OK);

	BMessage archive;
	ASSERT_EQ(archive.Unflatten(read_file(SettingsPath(kFolder, kFile)).data()), B_OK);
	EXPECT_STREQ(archive.GetString("_Ver", ""), gAppVer);
	EXPECT_STREQ(gAppVer, "Ver 1.40");
	BRect frame;
	ASSERT_EQ(archive.FindRect("_WFr", &frame), B_OK);
	EXPECT_EQ(frame, BRect(120, 80, 670, 365));
	char* name = nullptr;
	type_code type = 0;
	ASSERT_EQ(archive.GetInfo(B_ANY_TYPE, 1, &name, &type), B_OK);
	EXPECT_STREQ(name, "_Ver");
	ASSERT_EQ(archive.GetInfo(B_ANY_TYPE, 2, &name, &type), B_OK);
	EXPECT_STREQ(name, "_WFr");

	TZorvyPrefsExitStates loaded;
	ASSERT_EQ(loaded.LoadFromFile(), B_OK);
	EXPECT_EQ(loaded.mWindowFrame, BRect(120, 80, 670, 365));
	EXPECT_EQ(loaded.mVersion, "Ver 1.40");
}

TEST_F(ExitStatesTest, AnOlderVersionsFileLoadsTheSame)
{
	BMessage archive;
	archive.AddString("class", "TZorvyPrefsExitStates");
	archive.AddString("class", "TArchivable");
	archive.AddString("_Ver", "Ver 1.00");
	archive.AddRect("_WFr", BRect(10, 20, 310, 270));
	fs::create_directories(SettingsPath(kFolder));
	write_message(SettingsPath(kFolder, kFile), archive);

	TZorvyPrefsExitStates loaded;
	ASSERT_EQ(loaded.LoadFromFile(), B_OK);
	EXPECT_EQ(loaded.mVersion, "Ver 1.00");
	EXPECT_EQ(loaded.mWindowFrame, BRect(10, 20, 310, 270));
}

TEST_F(ExitStatesTest, AFrameThatCannotPlaceTheWindowGivesTheDefault)
{
	BMessage archive;
	archive.AddString("_Ver", "Ver 1.40");
	archive.AddRect("_WFr", BRect(std::numeric_limits<float>::quiet_NaN(), 20, 310, 270));
	fs::create_directories(SettingsPath(kFolder));
	write_message(SettingsPath(kFolder, kFile), archive);

	TZorvyPrefsExitStates loaded;
	EXPECT_NE(loaded.LoadFromFile(), B_OK);
	EXPECT_EQ(loaded.mVersion, "Ver 1.40");
	EXPECT_EQ(loaded.mWindowFrame, BRect(50, 50, 350, 300));
}
