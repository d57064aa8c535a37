#include <gtest/gtest.h>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include <sys/stat.h>
#include <unistd.h>

#include "StorageTestSupport.h"

TEST(Entry, NamesAMissingFileInAnExistingFolder)
{
	TempFolder temp;
	BEntry entry(temp.Sub("missing").c_str());
	ASSERT_EQ(entry.InitCheck(), B_OK);
	EXPECT_FALSE(entry.Exists());
	char name[B_FILE_NAME_LENGTH];
	ASSERT_EQ(entry.GetName(name), B_OK);
	EXPECT_STREQ(name, "missing");
	BPath path;
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_EQ(std::string(path.Path()), temp.Sub("missing"));

	BEntry orphan(temp.Sub("no-folder/file").c_str());
	EXPECT_EQ(orphan.InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_FALSE(orphan.Exists());
	EXPECT_EQ(BEntry().InitCheck(), B_NO_INIT);
}

TEST(Entry, TraversesLinksOnlyWhenAsked)
{
	TempFolder temp;
	temp.WriteFile("target", "data");
	ASSERT_EQ(symlink(temp.Sub("target").c_str(), temp.Sub("link").c_str()), 0);
	ASSERT_EQ(symlink(temp.Sub("nowhere").c_str(), temp.Sub("dangling").c_str()), 0);

	BEntry plain(temp.Sub("link").c_str(), false);
	EXPECT_TRUE(plain.IsSymLink());
	EXPECT_FALSE(plain.IsFile());
	BEntry followed(temp.Sub("link").c_str(), true);
	EXPECT_TRUE(followed.IsFile());
	char name[B_FILE_NAME_LENGTH];
	followed.GetName(name);
	EXPECT_STREQ(name, "target");

	BEntry dangling(temp.Sub("dangling").c_str(), false);
	EXPECT_TRUE(dangling.Exists());
	BEntry danglingFollowed(temp.Sub("dangling").c_str(), true);
	EXPECT_EQ(danglingFollowed.InitCheck(), B_ENTRY_NOT_FOUND);
}

TEST(Entry, RefsRoundTripThroughPaths)
{
	TempFolder temp;
	temp.WriteFile("file", "x");
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(temp.Sub("file").c_str(), &ref), B_OK);
	EXPECT_STREQ(ref.name, "file");
	struct stat st;
	ASSERT_EQ(stat(temp.Path().c_str(), &st), 0);
	EXPECT_EQ(ref.device, int32(st.st_dev));
	EXPECT_EQ(ref.directory, int64(st.st_ino));

	BEntry entry(&ref);
	ASSERT_EQ(entry.InitCheck(), B_OK);
	BPath path(&ref);
	EXPECT_EQ(std::string(path.Path()), temp.Sub("file"));
	entry_ref again;
	ASSERT_EQ(entry.GetRef(&again), B_OK);
	EXPECT_TRUE(again == ref);

	entry_ref bogus(ref.device, ref.directory + 999999, "file");
	EXPECT_NE(BEntry(&bogus).InitCheck(), B_OK);
	entry_ref badName(ref.device, ref.directory, "a/b");
	EXPECT_EQ(BEntry(&badName).InitCheck(), B_BAD_VALUE);
}

TEST(Entry, RefsFromAnotherProcessAreFound)
{
	// A reference built from the numbers alone, as it arrives from another process, names a
	// folder this process never went through.
	TempFolder temp;
	ASSERT_EQ(mkdir(temp.Sub("made").c_str(), 0755), 0);
	ASSERT_EQ(mkdir(temp.Sub("made/elsewhere").c_str(), 0755), 0);
	struct stat st;
	ASSERT_EQ(stat(temp.Sub("made/elsewhere").c_str(), &st), 0);
	entry_ref ref(int32(st.st_dev), int64(st.st_ino), "file");
	BPath path(&ref);
	ASSERT_EQ(path.InitCheck(), B_OK);
	EXPECT_EQ(std::string(path.Path()), temp.Sub("made/elsewhere/file"));
}

TEST(Entry, ParentsAndFolders)
{
	TempFolder temp;
	ASSERT_EQ(create_directory(temp.Sub("dir").c_str(), 0755), B_OK);
	BEntry entry(temp.Sub("dir/file").c_str());
	BEntry parent;
	ASSERT_EQ(entry.GetParent(&parent), B_OK);
	EXPECT_TRUE(parent.IsDirectory());
	BDirectory folder;
	ASSERT_EQ(entry.GetParent(&folder), B_OK);
	BEntry same(&folder, "file");
	EXPECT_TRUE(same == entry);
	BEntry root("/");
	EXPECT_EQ(root.GetParent(&parent), B_ENTRY_NOT_FOUND);
}

TEST(Entry, RenameRespectsClobberAndRemoveDeletes)
{
	TempFolder temp;
	temp.WriteFile("a", "first");
	temp.WriteFile("b", "second");
	BEntry entry(temp.Sub("a").c_str());
	EXPECT_EQ(entry.Rename("b"), B_FILE_EXISTS);
	EXPECT_EQ(temp.ReadFile("b"), "second");
	ASSERT_EQ(entry.Rename("c"), B_OK);
	char name[B_FILE_NAME_LENGTH];
	entry.GetName(name);
	EXPECT_STREQ(name, "c");
	EXPECT_EQ(temp.ReadFile("c"), "first");
	ASSERT_EQ(entry.Rename(temp.Sub("b").c_str(), true), B_OK);
	EXPECT_EQ(temp.ReadFile("b"), "first");

	ASSERT_EQ(entry.Remove(), B_OK);
	EXPECT_FALSE(entry.Exists());
	EXPECT_EQ(entry.Remove(), B_ENTRY_NOT_FOUND);

	ASSERT_EQ(create_directory(temp.Sub("dir/sub").c_str(), 0755), B_OK);
	BEntry dir(temp.Sub("dir").c_str());
	EXPECT_EQ(dir.Remove(), B_DIRECTORY_NOT_EMPTY);
	BEntry sub(temp.Sub("dir/sub").c_str());
	EXPECT_EQ(sub.Remove(), B_OK);
	EXPECT_EQ(dir.Remove(), B_OK);
}

TEST(Entry, ErrorsCarryThePlatformStatus)
{
	TempFolder temp;
	temp.WriteFile("file", "x");
	BEntry throughFile(temp.Sub("file/child").c_str());
	EXPECT_EQ(throughFile.InitCheck(), B_NOT_A_DIRECTORY);
	if (geteuid() != 0) {
		ASSERT_EQ(create_directory(temp.Sub("locked").c_str(), 0755), B_OK);
		temp.WriteFile("locked/inner", "x");
		chmod(temp.Sub("locked").c_str(), 0500);
		BEntry inner(temp.Sub("locked/inner").c_str());
		EXPECT_EQ(inner.Remove(), B_PERMISSION_DENIED);
		chmod(temp.Sub("locked").c_str(), 0755);
	}
}
