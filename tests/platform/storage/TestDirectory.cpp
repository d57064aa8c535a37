#include <gtest/gtest.h>

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include <set>
#include <unistd.h>
#include <vector>

#include "StorageTestSupport.h"

TEST(Directory, HandsOutEntriesInNameOrder)
{
	TempFolder temp;
	for (const char* name : {"b", "a", "C", "c", "10", "9"})
		temp.WriteFile(name, name);
	BDirectory dir(temp.Path().c_str());
	ASSERT_EQ(dir.InitCheck(), B_OK);
	EXPECT_EQ(dir.CountEntries(), 6);

	std::vector<std::string> names;
	BEntry entry;
	while (dir.GetNextEntry(&entry) == B_OK) {
		char name[B_FILE_NAME_LENGTH];
		entry.GetName(name);
		names.push_back(name);
	}
	EXPECT_EQ(names, (std::vector<std::string>{"10", "9", "C", "a", "b", "c"}));
	EXPECT_EQ(dir.GetNextEntry(&entry), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(entry.InitCheck(), B_NO_INIT);

	ASSERT_EQ(dir.Rewind(), B_OK);
	entry_ref ref;
	ASSERT_EQ(dir.GetNextRef(&ref), B_OK);
	EXPECT_STREQ(ref.name, "10");
	EXPECT_EQ(dir.CountEntries(), 6) << "counting moved the iteration";
	ASSERT_EQ(dir.GetNextRef(&ref), B_OK);
	EXPECT_STREQ(ref.name, "9");
	dirent entries[2];
	EXPECT_EQ(dir.GetNextDirents(entries, sizeof(entries)), 1);
	EXPECT_STREQ(entries[0].d_name, "C");
}

TEST(Directory, CreatesFilesAndFoldersAndFindsThem)
{
	TempFolder temp;
	BDirectory dir(temp.Path().c_str());
	BDirectory sub;
	ASSERT_EQ(dir.CreateDirectory("sub", &sub), B_OK);
	EXPECT_EQ(dir.CreateDirectory("sub", nullptr), B_FILE_EXISTS);
	BFile file;
	ASSERT_EQ(sub.CreateFile("file", &file), B_OK);
	EXPECT_EQ(file.Write("abc", 3), 3);
	EXPECT_EQ(sub.CreateFile("file", &file, true), B_FILE_EXISTS);
	EXPECT_EQ(sub.CreateFile("file", nullptr), B_OK);
	EXPECT_EQ(temp.ReadFile("sub/file"), "");

	EXPECT_TRUE(dir.Contains("sub/file"));
	EXPECT_TRUE(dir.Contains("sub", B_DIRECTORY_NODE));
	EXPECT_FALSE(dir.Contains("sub", B_FILE_NODE));
	EXPECT_FALSE(dir.Contains("nothing"));
	EXPECT_FALSE(sub.Contains(temp.Path().c_str()));
	BEntry entry;
	EXPECT_EQ(dir.FindEntry("sub/file", &entry), B_OK);
	EXPECT_TRUE(entry.IsFile());
	EXPECT_EQ(dir.FindEntry("sub/nothing", &entry), B_ENTRY_NOT_FOUND);

	BDirectory byRelative(&dir, "sub");
	ASSERT_EQ(byRelative.InitCheck(), B_OK);
	EXPECT_TRUE(byRelative == sub);
	BEntry subEntry;
	ASSERT_EQ(byRelative.GetEntry(&subEntry), B_OK);
	BPath path(&subEntry);
	EXPECT_EQ(std::string(path.Path()), temp.Sub("sub"));
	EXPECT_FALSE(dir.IsRootDirectory());
	EXPECT_TRUE(BDirectory("/").IsRootDirectory());
}

TEST(Directory, RefusesFilesAndMissingFolders)
{
	TempFolder temp;
	temp.WriteFile("file", "x");
	EXPECT_EQ(BDirectory(temp.Sub("file").c_str()).InitCheck(), B_NOT_A_DIRECTORY);
	EXPECT_EQ(BDirectory(temp.Sub("none").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);
	BDirectory unset;
	BEntry entry;
	EXPECT_NE(unset.GetNextEntry(&entry), B_OK);
	EXPECT_NE(unset.CreateFile("x", nullptr), B_OK);
}

TEST(Directory, ReachedByNodeRefAndEntryRef)
{
	TempFolder temp;
	ASSERT_EQ(create_directory(temp.Sub("d").c_str(), 0755), B_OK);
	BDirectory dir(temp.Sub("d").c_str());
	node_ref nref;
	ASSERT_EQ(dir.GetNodeRef(&nref), B_OK);
	BDirectory again(&nref);
	ASSERT_EQ(again.InitCheck(), B_OK);
	EXPECT_TRUE(again == dir);

	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(temp.Sub("d").c_str(), &ref), B_OK);
	BDirectory byRef(&ref);
	ASSERT_EQ(byRef.InitCheck(), B_OK);
	EXPECT_TRUE(byRef == dir);
}
