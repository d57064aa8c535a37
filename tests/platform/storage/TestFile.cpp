#include <gtest/gtest.h>

#include <Entry.h>
#include <File.h>

#include <cstring>
#include <sys/stat.h>

#include "StorageTestSupport.h"

TEST(File, OpenModesHaveThePlatformNumbers)
{
	EXPECT_EQ(B_READ_ONLY, 0x0000);
	EXPECT_EQ(B_WRITE_ONLY, 0x0001);
	EXPECT_EQ(B_READ_WRITE, 0x0002);
	EXPECT_EQ(B_FAIL_IF_EXISTS, 0x0100);
	EXPECT_EQ(B_CREATE_FILE, 0x0200);
	EXPECT_EQ(B_ERASE_FILE, 0x0400);
	EXPECT_EQ(B_OPEN_AT_END, 0x0800);
	EXPECT_EQ(B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE, 0x601);
}

TEST(File, CreateEraseAndFailIfExists)
{
	TempFolder temp;
	std::string path = temp.Sub("file");
	BFile missing(path.c_str(), B_READ_ONLY);
	EXPECT_EQ(missing.InitCheck(), B_ENTRY_NOT_FOUND);

	BFile file(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
	ASSERT_EQ(file.InitCheck(), B_OK);
	EXPECT_TRUE(file.IsWritable());
	EXPECT_FALSE(file.IsReadable());
	EXPECT_EQ(file.Write("hello world", 11), 11);
	file.Unset();

	BFile again(path.c_str(), B_READ_WRITE | B_CREATE_FILE | B_FAIL_IF_EXISTS);
	EXPECT_EQ(again.InitCheck(), B_FILE_EXISTS);
	BFile keep(path.c_str(), B_READ_WRITE | B_CREATE_FILE);
	off_t size = -1;
	EXPECT_EQ(keep.GetSize(&size), B_OK);
	EXPECT_EQ(size, 11);
	BFile erase(path.c_str(), B_WRITE_ONLY | B_ERASE_FILE);
	EXPECT_EQ(erase.GetSize(&size), B_OK);
	EXPECT_EQ(size, 0);

	BFile folder(temp.Path().c_str(), B_READ_ONLY);
	EXPECT_EQ(folder.InitCheck(), B_IS_A_DIRECTORY);
}

TEST(File, PositionedAndSequentialAccess)
{
	TempFolder temp;
	BFile file(temp.Sub("file").c_str(), B_READ_WRITE | B_CREATE_FILE);
	ASSERT_EQ(file.InitCheck(), B_OK);
	EXPECT_EQ(file.Write("0123456789", 10), 10);
	EXPECT_EQ(file.Position(), 10);
	EXPECT_EQ(file.WriteAt(2, "ab", 2), 2);
	EXPECT_EQ(file.Position(), 10);
	EXPECT_EQ(file.Seek(-4, SEEK_END), 6);
	char buffer[16] = {};
	EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 4);
	EXPECT_STREQ(buffer, "6789");
	EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 0);
	memset(buffer, 0, sizeof(buffer));
	EXPECT_EQ(file.ReadAt(0, buffer, 5), 5);
	EXPECT_STREQ(buffer, "01ab4");
	EXPECT_EQ(file.Seek(2, SEEK_SET), 2);
	EXPECT_EQ(file.Seek(3, SEEK_CUR), 5);
	EXPECT_LT(file.Seek(-100, SEEK_SET), 0);
	EXPECT_EQ(file.Seek(0, 99), B_BAD_VALUE);
	EXPECT_EQ(file.ReadAt(-1, buffer, 1), B_BAD_VALUE);

	EXPECT_EQ(file.SetSize(3), B_OK);
	off_t size = 0;
	EXPECT_EQ(file.GetSize(&size), B_OK);
	EXPECT_EQ(size, 3);
	EXPECT_EQ(file.SetSize(-1), B_BAD_VALUE);
	EXPECT_EQ(file.Sync(), B_OK);

	BFile unset;
	EXPECT_LT(unset.Read(buffer, 1), 0);
	EXPECT_LT(unset.Seek(0, SEEK_SET), 0);
	EXPECT_EQ(unset.Sync(), B_FILE_ERROR);
}

TEST(File, OpenAtEndAppendsAndCopiesShareTheFile)
{
	TempFolder temp;
	temp.WriteFile("log", "one,");
	BFile file(temp.Sub("log").c_str(), B_WRITE_ONLY | B_OPEN_AT_END);
	ASSERT_EQ(file.InitCheck(), B_OK);
	EXPECT_EQ(file.Write("two", 3), 3);
	BFile copy(file);
	ASSERT_EQ(copy.InitCheck(), B_OK);
	EXPECT_TRUE(copy.IsWritable());
	EXPECT_EQ(copy.Write(",three", 6), 6);
	file.Unset();
	copy.Unset();
	EXPECT_EQ(temp.ReadFile("log"), "one,two,three");

	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(temp.Sub("log").c_str(), &ref), B_OK);
	BFile byRef(&ref, B_READ_ONLY);
	char buffer[4] = {};
	EXPECT_EQ(byRef.Read(buffer, 3), 3);
	EXPECT_STREQ(buffer, "one");
}

TEST(File, NewFilesFollowTheCreationMask)
{
	TempFolder temp;
	mode_t old = umask(022);
	BFile file(temp.Sub("made").c_str(), B_WRITE_ONLY | B_CREATE_FILE);
	umask(old);
	mode_t permissions = 0;
	ASSERT_EQ(file.GetPermissions(&permissions), B_OK);
	EXPECT_EQ(permissions, mode_t(0644));
	EXPECT_EQ(file.SetPermissions(0600), B_OK);
	file.GetPermissions(&permissions);
	EXPECT_EQ(permissions, mode_t(0600));
}
