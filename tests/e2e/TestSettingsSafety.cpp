// Settings files that cannot be read or written, through the real program: what is damaged is
// set aside and told, what cannot be saved is told and the window stays, nothing is lost.

#include "AppRun.h"
#include "Script.h"

#include <Rect.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace script;
namespace fs = std::filesystem;

// The names in a folder, without the dot files.
std::vector<std::string>
names_in(const std::string& folder)
{
	std::vector<std::string> names;
	std::error_code ignored;
	for (const auto& entry : fs::directory_iterator(folder, ignored))
		names.push_back(entry.path().filename());
	std::sort(names.begin(), names.end());
	return names;
}

// The copy a damaged file was set aside as, or "" when there is none.
std::string
copy_of(const std::string& path)
{
	std::string folder = path.substr(0, path.rfind('/'));
	std::string prefix = path.substr(path.rfind('/') + 1) + ".unreadable-";
	for (const std::string& name : names_in(folder)) {
		if (name.rfind(prefix, 0) == 0)
			return folder + "/" + name;
	}
	return std::string();
}

BMessage
stored_prefs()
{
	BMessage prefs('_prc');
	prefs.AddString("class", "TPrefs");
	prefs.AddBool("TKHI", false);
	prefs.AddInt32("SSMd", 1);
	return prefs;
}

std::string
flattened(const BMessage& message)
{
	std::string bytes(size_t(message.FlattenedSize()), '\0');
	message.Flatten(bytes.data(), ssize_t(bytes.size()));
	return bytes;
}

// Untick the numeric-keypad box (delivered at once), then OK.
const std::string kChangeAndOK = click(kRowInputAssist) + click(kTenKeyHalf) + click(kOK);

class SettingsSafetyTest : public testing::Test {
protected:
	void SetUp() override { ASSERT_TRUE(fRun.Listen()); }

	std::string ZorvyFolder() const { return fRun.Folder() + "/config/MOZELT/Zorvy"; }

	AppRun fRun;
};

class UnprivilegedTest : public testing::Test {
protected:
	void SetUp() override
	{
		std::string why;
		if (!fRun.RunUnprivileged(&why))
			GTEST_SKIP() << "permission cases need an unprivileged user: " << why;
		ASSERT_TRUE(fRun.Listen());
	}

	AppRun fRun;
};

} // namespace

TEST_F(SettingsSafetyTest, DamagedFilesAreSetAsideToldAndReplacedByTheDefaults)
{
	std::string cutShort = flattened(stored_prefs());
	cutShort.resize(cutShort.size() - 5);
	ASSERT_TRUE(fRun.WriteMessage(fRun.SettingsPath(), stored_prefs()));
	std::ofstream(fRun.SettingsPath(), std::ios::binary | std::ios::trunc) << cutShort;
	ASSERT_EQ(fRun.FileBytes(fRun.SettingsPath()), cutShort);
	std::ofstream(fRun.ExitStatesPath(), std::ios::binary) << "garbage, not a message";
	fs::create_directories(fRun.SharedPath("AccKeyFormat2"));
	std::ofstream(fRun.SharedPath("AccKeyFormat2") + "/inside") << "kept";

	ASSERT_EQ(fRun.Run(dismiss(kSetAsideTitle) + kChangeAndOK), 0) << fRun.Errors();

	// Each is where the person was told it is, whole.
	std::string prefsCopy = copy_of(fRun.SettingsPath());
	std::string statesCopy = copy_of(fRun.ExitStatesPath());
	std::string itemCopy = copy_of(fRun.SharedPath("AccKeyFormat2"));
	ASSERT_FALSE(prefsCopy.empty());
	ASSERT_FALSE(statesCopy.empty());
	ASSERT_FALSE(itemCopy.empty());
	EXPECT_EQ(fRun.FileBytes(prefsCopy), cutShort);
	EXPECT_EQ(fRun.FileBytes(statesCopy), "garbage, not a message");
	EXPECT_EQ(fRun.FileBytes(itemCopy + "/inside"), "kept");
	for (const std::string& path : {fRun.SettingsPath(), prefsCopy, fRun.ExitStatesPath(),
									statesCopy, fRun.SharedPath("AccKeyFormat2"), itemCopy}) {
		EXPECT_NE(fRun.Errors().find(path), std::string::npos) << path << "\n" << fRun.Errors();
	}

	// The defaults were shown and delivered, and the new files are whole.
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 1u);
	EXPECT_FALSE(bodies[0].GetBool("TKHI", true));
	EXPECT_EQ(bodies[0].GetInt32("SSMd", -1), 3);
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	EXPECT_EQ(saved.GetInt32("SSMd", -1), 3);
	ASSERT_TRUE(fRun.ReadMessage(fRun.ExitStatesPath(), &saved));

	// Told once: the next start finds nothing to tell.
	ASSERT_EQ(fRun.Run(kClose), 0) << fRun.Errors();
	EXPECT_EQ(fRun.Errors().find("could not be read"), std::string::npos) << fRun.Errors();
	EXPECT_EQ(copy_of(fRun.SettingsPath()), prefsCopy);
}

TEST_F(SettingsSafetyTest, AFileWhoseModeForbidsWritingIsNotReplacedAndTheWindowStays)
{
	ASSERT_TRUE(fRun.WriteMessage(fRun.SettingsPath(), stored_prefs()));
	ASSERT_EQ(chmod(fRun.SettingsPath().c_str(), 0444), 0);
	std::string before = fRun.FileBytes(fRun.SettingsPath());

	// OK twice, told twice; then Cancel gives the input method back what the file holds.
	std::string script = kChangeAndOK + dismiss(kSaveFailedTitle) + click(kOK) +
						 dismiss(kSaveFailedTitle) + click(kCancel);
	ASSERT_EQ(fRun.Run(script), 0) << fRun.Errors();
	EXPECT_EQ(fRun.FileBytes(fRun.SettingsPath()), before);
	struct stat info;
	ASSERT_EQ(stat(fRun.SettingsPath().c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 07777, 0444u);
	EXPECT_NE(fRun.Errors().find(fRun.SettingsPath() + ": writing it is not permitted"),
			  std::string::npos)
		<< fRun.Errors();
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 2u);
	EXPECT_TRUE(bodies[0].GetBool("TKHI", false));
	EXPECT_FALSE(bodies[1].GetBool("TKHI", true));
	EXPECT_EQ(names_in(ZorvyFolder()),
			  (std::vector<std::string>{"ZorvyPreferences_ExitStates.arc", "Zorvy_Prefs.arc"}));
}

TEST_F(SettingsSafetyTest, AWindowPlaceThatCannotBeSavedEndsWithStatusOne)
{
	BMessage states;
	states.AddRect("_WFr", BRect(120, 80, 670, 365));
	ASSERT_TRUE(fRun.WriteMessage(fRun.ExitStatesPath(), states));
	ASSERT_EQ(chmod(fRun.ExitStatesPath().c_str(), 0444), 0);
	std::string before = fRun.FileBytes(fRun.ExitStatesPath());

	EXPECT_EQ(fRun.Run(kClose), 1);
	EXPECT_NE(fRun.Errors().find("the window's place could not be saved to " +
								 fRun.ExitStatesPath() + ": writing it is not permitted"),
			  std::string::npos)
		<< fRun.Errors();
	EXPECT_EQ(fRun.FileBytes(fRun.ExitStatesPath()), before);
}

TEST_F(SettingsSafetyTest, AStoredFrameThatCannotPlaceTheWindowGivesTheDefault)
{
	const float nan = std::numeric_limits<float>::quiet_NaN();
	const BRect frames[] = {BRect(nan, 80, 670, 365), BRect(120, 80, 1e9f, 365),
							BRect(670, 80, 120, 365), BRect(-200000, 80, 670, 365)};
	for (const BRect& stored : frames) {
		SCOPED_TRACE(stored.right);
		BMessage states;
		states.AddString("_Ver", "Ver 1.40");
		states.AddRect("_WFr", stored);
		ASSERT_TRUE(fRun.WriteMessage(fRun.ExitStatesPath(), states));
		// The window is there to be drawn and closed.
		ASSERT_EQ(fRun.Run(shot(fRun, "frame.png") + kClose), 0) << fRun.Errors();
		BMessage saved;
		ASSERT_TRUE(fRun.ReadMessage(fRun.ExitStatesPath(), &saved));
		BRect frame;
		ASSERT_EQ(saved.FindRect("_WFr", &frame), B_OK);
		EXPECT_EQ(frame, BRect(50, 50, 600, 335));
	}
}

TEST_F(SettingsSafetyTest, ANewerVersionsFieldsStayInTheFileAndNeverReachTheInputMethod)
{
	BMessage prefs = stored_prefs();
	prefs.AddInt32("Nw1 ", 7);
	prefs.AddString("Nw2 ", "later");
	ASSERT_TRUE(fRun.WriteMessage(fRun.SettingsPath(), prefs));

	ASSERT_EQ(fRun.Run(kChangeAndOK), 0) << fRun.Errors();
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 1u);
	EXPECT_EQ(bodies[0].CountNames(B_ANY_TYPE), 24);
	type_code type;
	EXPECT_NE(bodies[0].GetInfo("Nw1 ", &type), B_OK);

	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	ASSERT_EQ(saved.CountNames(B_ANY_TYPE), 26);
	char* name = nullptr;
	ASSERT_EQ(saved.GetInfo(B_ANY_TYPE, 24, &name, &type), B_OK);
	EXPECT_STREQ(name, "Nw1 ");
	ASSERT_EQ(saved.GetInfo(B_ANY_TYPE, 25, &name, &type), B_OK);
	EXPECT_STREQ(name, "Nw2 ");
	EXPECT_EQ(saved.GetInt32("Nw1 ", 0), 7);
	EXPECT_STREQ(saved.GetString("Nw2 ", ""), "later");
	EXPECT_TRUE(saved.GetBool("TKHI", false));
	EXPECT_EQ(saved.GetInt32("SSMd", -1), 1);
}

TEST_F(UnprivilegedTest, AFileThatMayNotBeReadIsSetAside)
{
	ASSERT_TRUE(fRun.WriteMessage(fRun.SettingsPath(), stored_prefs()));
	std::string before = fRun.FileBytes(fRun.SettingsPath());
	ASSERT_EQ(chmod(fRun.SettingsPath().c_str(), 0), 0);

	ASSERT_EQ(fRun.Run(dismiss(kSetAsideTitle) + kChangeAndOK), 0) << fRun.Errors();
	std::string copy = copy_of(fRun.SettingsPath());
	ASSERT_FALSE(copy.empty());
	EXPECT_NE(fRun.Errors().find("reading it is not permitted"), std::string::npos)
		<< fRun.Errors();
	EXPECT_EQ(fRun.FileBytes(copy), before);
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	EXPECT_FALSE(saved.GetBool("TKHI", true));
	EXPECT_EQ(saved.GetInt32("SSMd", -1), 3);
}

TEST_F(UnprivilegedTest, AReadOnlyFolderKeepsTheWindowOpenAndEndsWithStatusOne)
{
	ASSERT_TRUE(fRun.WriteMessage(fRun.SettingsPath(), stored_prefs()));
	std::string folder = fRun.Folder() + "/config/MOZELT/Zorvy";
	std::string before = fRun.FileBytes(fRun.SettingsPath());
	ASSERT_EQ(chmod(folder.c_str(), 0555), 0);

	std::string script = kChangeAndOK + dismiss(kSaveFailedTitle) + click(kCancel);
	EXPECT_EQ(fRun.Run(script), 1);
	chmod(folder.c_str(), 0755);
	EXPECT_NE(fRun.Errors().find("the settings could not be saved to " + fRun.SettingsPath() +
								 ": writing it is not permitted"),
			  std::string::npos)
		<< fRun.Errors();
	EXPECT_NE(fRun.Errors().find("the window's place could not be saved"), std::string::npos);
	EXPECT_EQ(fRun.FileBytes(fRun.SettingsPath()), before);
	EXPECT_EQ(names_in(folder), (std::vector<std::string>{"Zorvy_Prefs.arc"}));
	// Cancel still gave back the opening values.
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 2u);
	EXPECT_FALSE(bodies[1].GetBool("TKHI", true));
}

// The settings folder on a full disk: a small file system of its own, private to the
// application (a mount namespace), seeded with the settings and filled up before it starts.
TEST_F(SettingsSafetyTest, AFullDiskIsToldAndLeavesTheFileAsItWas)
{
	if (system("unshare -rm true >/dev/null 2>&1") != 0)
		GTEST_SKIP() << "no mount namespace can be made here, so no small disk to fill";
	std::string seed = fRun.Folder() + "/seed";
	std::string after = fRun.Folder() + "/after";
	fs::create_directories(seed + "/MOZELT/Zorvy");
	fs::create_directories(after);
	ASSERT_TRUE(fRun.WriteMessage(seed + "/MOZELT/Zorvy/Zorvy_Prefs.arc", stored_prefs()));
	std::string before = fRun.FileBytes(seed + "/MOZELT/Zorvy/Zorvy_Prefs.arc");

	std::string config = fRun.Folder() + "/config";
	std::string setUp = "mount -t tmpfs -o size=64k tmpfs '" + config + "' && cp -a '" + seed +
						"'/. '" + config + "'/ && (dd if=/dev/zero of='" + config +
						"/filler' bs=4096 2>/dev/null; true) && \"$@\"; status=$?; rm -f '" +
						config + "/filler'; cp -a '" + config + "'/. '" + after +
						"'/; exit $status";
	fRun.WrapApplication({"unshare", "-rm", "sh", "-c", setUp, "sh"});

	std::string script = kChangeAndOK + dismiss(kSaveFailedTitle) + click(kCancel);
	EXPECT_EQ(fRun.Run(script), 1) << fRun.Errors();
	EXPECT_NE(fRun.Errors().find("the settings could not be saved to " + fRun.SettingsPath() +
								 ": the disk is full"),
			  std::string::npos)
		<< fRun.Errors();
	EXPECT_NE(fRun.Errors().find("the window's place could not be saved"), std::string::npos);
	EXPECT_EQ(fRun.FileBytes(after + "/MOZELT/Zorvy/Zorvy_Prefs.arc"), before);
	EXPECT_EQ(names_in(after + "/MOZELT/Zorvy"), (std::vector<std::string>{"Zorvy_Prefs.arc"}));
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 2u);
	EXPECT_FALSE(bodies[1].GetBool("TKHI", true));
}
