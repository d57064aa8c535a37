#include "SettingsFolder.h"

#include <framework/settings/SettingsEntry.h>

#include <Entry.h>
#include <Path.h>

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>

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

namespace {

class SettingsFileTest : public SettingsTest {
protected:
	void SetUp() override
	{
		SettingsTest::SetUp();
		take_settings_files_set_aside();
		ASSERT_EQ(get_settings_entry("Zorvy", "record.arc", &fEntry), B_OK);
		fPath = SettingsPath("Zorvy", "record.arc");
	}

	void TearDown() override
	{
		chmod(SettingsPath("Zorvy").c_str(), 0700);
		SettingsTest::TearDown();
	}

	// The names in the folder that begin with "record.arc.unreadable-".
	std::vector<std::string> Copies() const
	{
		std::vector<std::string> names;
		for (const auto& entry : fs::directory_iterator(SettingsPath("Zorvy"))) {
			std::string name = entry.path().filename();
			if (name.rfind("record.arc.unreadable-", 0) == 0)
				names.push_back(name);
		}
		std::sort(names.begin(), names.end());
		return names;
	}

	BEntry fEntry;
	std::string fPath;
};

BMessage
small_message()
{
	BMessage message('test');
	message.AddInt32("Cnt ", 3);
	message.AddString("Text", "値");
	return message;
}

} // namespace

TEST_F(SettingsFileTest, WhatCannotBeReadAsAMessageSaysWhy)
{
	BMessage message;
	EXPECT_EQ(read_settings_message(fEntry, &message), B_ENTRY_NOT_FOUND);

	std::string whole = flatten(small_message());
	struct Case {
		const char* what;
		std::string bytes;
		status_t expected;
	} cases[] = {
		{"whole", whole, B_OK},
		{"cut short", whole.substr(0, whole.size() - 3), B_BAD_DATA},
		{"garbage", "this is not a flattened message", B_BAD_DATA},
		{"empty", "", B_BAD_DATA},
		{"too long", whole + std::string(kMaxSettingsFileSize, '\0'), B_BAD_DATA},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.what);
		write_file(fPath, c.bytes);
		BMessage read('keep');
		EXPECT_EQ(read_settings_message(fEntry, &read), c.expected);
		EXPECT_EQ(read.what, c.expected == B_OK ? uint32('test') : uint32('keep'));
	}

	fs::remove(fPath);
	fs::create_directory(fPath);
	EXPECT_EQ(read_settings_message(fEntry, &message), B_IS_A_DIRECTORY);
	EXPECT_TRUE(Copies().empty());
}

TEST_F(SettingsFileTest, AnUnreadableFileIsSetAsideUnderANewNameEachTime)
{
	BMessage message;
	EXPECT_EQ(load_settings_message(fEntry, &message), B_ENTRY_NOT_FOUND);
	EXPECT_TRUE(take_settings_files_set_aside().empty());

	// Three damaged files within the same second: three copies, none replacing another.
	for (const char* bytes : {"first", "second", "third"}) {
		write_file(fPath, bytes);
		EXPECT_EQ(load_settings_message(fEntry, &message), B_BAD_DATA);
		EXPECT_FALSE(fs::exists(fPath));
	}
	std::vector<settings_file_set_aside> told = take_settings_files_set_aside();
	ASSERT_EQ(told.size(), 3u);
	std::vector<std::string> copies = Copies();
	ASSERT_EQ(copies.size(), 3u);
	const char* contents[] = {"first", "second", "third"};
	for (size_t i = 0; i < told.size(); i++) {
		EXPECT_EQ(told[i].file, fPath);
		EXPECT_EQ(told[i].reason, B_BAD_DATA);
		EXPECT_EQ(read_file(told[i].copy), contents[i]);
		EXPECT_EQ(told[i].copy.rfind(fPath + ".unreadable-", 0), 0u) << told[i].copy;
	}
	EXPECT_NE(told[0].copy, told[1].copy);
	EXPECT_EQ(told[1].copy, told[0].copy + "-2");
	// Each is told once.
	EXPECT_TRUE(take_settings_files_set_aside().empty());

	// A folder in the file's place goes aside whole.
	fs::create_directory(fPath);
	write_file(fPath + "/inside", "kept");
	EXPECT_EQ(load_settings_message(fEntry, &message), B_IS_A_DIRECTORY);
	told = take_settings_files_set_aside();
	ASSERT_EQ(told.size(), 1u);
	EXPECT_EQ(read_file(told[0].copy + "/inside"), "kept");
}

TEST_F(SettingsFileTest, ASaveNeverReplacesAFileThatCannotBeRead)
{
	write_file(fPath, "damaged");
	ASSERT_EQ(save_settings_message(fEntry, small_message()), B_OK);
	EXPECT_EQ(read_file(fPath), flatten(small_message()));
	std::vector<settings_file_set_aside> told = take_settings_files_set_aside();
	ASSERT_EQ(told.size(), 1u);
	EXPECT_EQ(read_file(told[0].copy), "damaged");

	// Where it cannot be set aside, nothing is written.
	write_file(fPath, "damaged again");
	ASSERT_EQ(chmod(SettingsPath("Zorvy").c_str(), 0500), 0);
	if (access(SettingsPath("Zorvy").c_str(), W_OK) == 0)
		GTEST_SKIP() << "a privileged user can write into a read-only folder";
	EXPECT_EQ(save_settings_message(fEntry, small_message()), B_PERMISSION_DENIED);
	EXPECT_EQ(read_file(fPath), "damaged again");
}

TEST_F(SettingsFileTest, ASaveSaysWhyItFailed)
{
	ASSERT_EQ(save_settings_message(fEntry, small_message()), B_OK);
	std::string before = read_file(fPath);
	ASSERT_EQ(chmod(fPath.c_str(), 0444), 0);
	BMessage changed = small_message();
	changed.AddBool("more", true);
	EXPECT_EQ(save_settings_message(fEntry, changed), B_PERMISSION_DENIED);
	EXPECT_EQ(read_file(fPath), before);
	EXPECT_TRUE(take_settings_files_set_aside().empty());
}

TEST_F(SettingsFileTest, ThePathNamesTheFile)
{
	EXPECT_EQ(settings_file_path("Zorvy", "record.arc"), fPath);
}
