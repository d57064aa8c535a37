#include "SettingsFolder.h"

#include <framework/SettingsEntry.h>

#include <Entry.h>
#include <Path.h>

#include <cstdlib>

using namespace test_settings;

namespace {

class SettingsEntryTest : public SettingsTest {};

} // namespace

TEST_F(SettingsEntryTest, AFirstStartCreatesTheFoldersButNoFile)
{
	fs::remove_all(fRoot);
	BEntry entry;
	ASSERT_EQ(get_settings_entry("Zorvy", "Zorvy_Prefs.arc", &entry), B_OK);
	EXPECT_TRUE(fs::is_directory(SettingsPath("Zorvy")));
	EXPECT_FALSE(fs::exists(SettingsPath("Zorvy", "Zorvy_Prefs.arc")));
	EXPECT_FALSE(entry.Exists());

	BPath path;
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_EQ(std::string(path.Path()), SettingsPath("Zorvy", "Zorvy_Prefs.arc"));
}

TEST_F(SettingsEntryTest, AFinalLinkIsNotFollowed)
{
	BEntry entry;
	ASSERT_EQ(get_settings_entry("Zorvy", "target.arc", &entry), B_OK);
	write_file(SettingsPath("Zorvy", "target.arc"), "x");
	ASSERT_EQ(symlink("target.arc", SettingsPath("Zorvy", "link.arc").c_str()), 0);

	ASSERT_EQ(get_settings_entry("Zorvy", "link.arc", &entry), B_OK);
	BPath path;
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_EQ(std::string(path.Path()), SettingsPath("Zorvy", "link.arc"));
}

TEST_F(SettingsEntryTest, SavedMessageIsTheNativeFlattenedMessage)
{
	BEntry entry;
	ASSERT_EQ(get_settings_entry("Zorvy", "message.arc", &entry), B_OK);
	BMessage message('test');
	message.AddString("name", "値");
	ASSERT_EQ(save_settings_message(entry, message), B_OK);
	EXPECT_EQ(read_file(SettingsPath("Zorvy", "message.arc")), flatten(message));

	message.AddInt32("more", 1);
	ASSERT_EQ(save_settings_message(entry, message), B_OK);
	EXPECT_EQ(read_file(SettingsPath("Zorvy", "message.arc")), flatten(message));
}
