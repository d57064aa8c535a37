#include <gtest/gtest.h>

#include <File.h>
#include <Node.h>
#include <TypeConstants.h>

#include <cstring>
#include <set>
#include <sys/xattr.h>

#include "StorageTestSupport.h"

class NodeAttributes : public testing::Test {
protected:
	void SetUp() override
	{
		if (!user_attributes_supported(fTemp.Path()))
			GTEST_SKIP() << "the file system keeps no user attributes";
		fTemp.WriteFile("file", "content");
		fNode.SetTo(fTemp.Sub("file").c_str());
		ASSERT_EQ(fNode.InitCheck(), B_OK);
	}

	TempFolder fTemp;
	BNode fNode;
};

TEST_F(NodeAttributes, RoundTripWithType)
{
	int32 value = 0x12345678;
	EXPECT_EQ(fNode.WriteAttr("answer", B_INT32_TYPE, 0, &value, sizeof(value)), 4);
	attr_info info;
	ASSERT_EQ(fNode.GetAttrInfo("answer", &info), B_OK);
	EXPECT_EQ(info.type, uint32(B_INT32_TYPE));
	EXPECT_EQ(info.size, 4);
	int32 read = 0;
	EXPECT_EQ(fNode.ReadAttr("answer", B_INT32_TYPE, 0, &read, sizeof(read)), 4);
	EXPECT_EQ(read, value);

	// The type code is readable beside the data in the extended attribute.
	char raw[16];
	ssize_t rawSize = getxattr(fTemp.Sub("file").c_str(), "user.answer", raw, sizeof(raw));
	ASSERT_EQ(rawSize, 12);
	EXPECT_EQ(memcmp(raw + 4, "LONG", 4), 0);

	EXPECT_EQ(fNode.GetAttrInfo("missing", &info), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(fNode.ReadAttr("missing", B_INT32_TYPE, 0, &read, 4), B_ENTRY_NOT_FOUND);
}

TEST_F(NodeAttributes, OffsetsReplaceOrExtend)
{
	EXPECT_EQ(fNode.WriteAttr("text", B_STRING_TYPE, 0, "abcdef", 6), 6);
	EXPECT_EQ(fNode.WriteAttr("text", B_STRING_TYPE, 4, "XYZ", 3), 3);
	char buffer[16] = {};
	EXPECT_EQ(fNode.ReadAttr("text", B_STRING_TYPE, 0, buffer, sizeof(buffer)), 7);
	EXPECT_STREQ(buffer, "abcdXYZ");
	memset(buffer, 0, sizeof(buffer));
	EXPECT_EQ(fNode.ReadAttr("text", B_STRING_TYPE, 5, buffer, 1), 1);
	EXPECT_STREQ(buffer, "Y");
	EXPECT_EQ(fNode.ReadAttr("text", B_STRING_TYPE, 100, buffer, 1), 0);
	// Writing at the start replaces the whole value and its type.
	EXPECT_EQ(fNode.WriteAttr("text", B_RAW_TYPE, 0, "q", 1), 1);
	attr_info info;
	ASSERT_EQ(fNode.GetAttrInfo("text", &info), B_OK);
	EXPECT_EQ(info.size, 1);
	EXPECT_EQ(info.type, uint32(B_RAW_TYPE));
	EXPECT_EQ(fNode.WriteAttr("text", B_RAW_TYPE, -1, "q", 1), B_BAD_VALUE);
}

TEST_F(NodeAttributes, ListRemoveAndRename)
{
	fNode.WriteAttr("one", B_RAW_TYPE, 0, "1", 1);
	fNode.WriteAttr("BEOS:TWO", B_RAW_TYPE, 0, "2", 1);
	std::set<std::string> names;
	char name[B_ATTR_NAME_LENGTH];
	while (fNode.GetNextAttrName(name) == B_OK)
		names.insert(name);
	EXPECT_EQ(names, (std::set<std::string>{"one", "BEOS:TWO"}));
	EXPECT_EQ(fNode.GetNextAttrName(name), B_ENTRY_NOT_FOUND);

	EXPECT_EQ(fNode.RenameAttr("one", "uno"), B_OK);
	EXPECT_EQ(fNode.RemoveAttr("BEOS:TWO"), B_OK);
	EXPECT_EQ(fNode.RemoveAttr("BEOS:TWO"), B_ENTRY_NOT_FOUND);
	ASSERT_EQ(fNode.RewindAttrs(), B_OK);
	names.clear();
	while (fNode.GetNextAttrName(name) == B_OK)
		names.insert(name);
	EXPECT_EQ(names, (std::set<std::string>{"uno"}));
}

TEST_F(NodeAttributes, ForeignValuesReadAsRawData)
{
	ASSERT_EQ(setxattr(fTemp.Sub("file").c_str(), "user.foreign", "plain", 5, 0), 0);
	attr_info info;
	ASSERT_EQ(fNode.GetAttrInfo("foreign", &info), B_OK);
	EXPECT_EQ(info.type, uint32(B_RAW_TYPE));
	EXPECT_EQ(info.size, 5);
	char buffer[8] = {};
	EXPECT_EQ(fNode.ReadAttr("foreign", B_RAW_TYPE, 0, buffer, sizeof(buffer)), 5);
	EXPECT_STREQ(buffer, "plain");
}

TEST_F(NodeAttributes, WorkOnFilesAndFolders)
{
	BFile file(fTemp.Sub("file").c_str(), B_READ_ONLY);
	EXPECT_EQ(file.WriteAttr("viaFile", B_RAW_TYPE, 0, "x", 1), 1);
	BNode folder(fTemp.Path().c_str());
	ASSERT_EQ(folder.InitCheck(), B_OK);
	EXPECT_EQ(folder.WriteAttr("onFolder", B_RAW_TYPE, 0, "y", 1), 1);
	attr_info info;
	EXPECT_EQ(folder.GetAttrInfo("onFolder", &info), B_OK);

	std::string longName(B_ATTR_NAME_LENGTH, 'n');
	EXPECT_EQ(fNode.WriteAttr(longName.c_str(), B_RAW_TYPE, 0, "x", 1), B_NAME_TOO_LONG);
	BNode unset;
	EXPECT_EQ(unset.WriteAttr("x", B_RAW_TYPE, 0, "x", 1), B_FILE_ERROR);
}

TEST(Node, OpensFilesFoldersAndComparesNodes)
{
	TempFolder temp;
	temp.WriteFile("file", "x");
	BNode a(temp.Sub("file").c_str());
	BNode b(temp.Sub("file").c_str());
	BNode folder(temp.Path().c_str());
	ASSERT_EQ(a.InitCheck(), B_OK);
	EXPECT_TRUE(a == b);
	EXPECT_TRUE(a != folder);
	EXPECT_TRUE(a.IsFile());
	EXPECT_TRUE(folder.IsDirectory());
	BNode copy(a);
	EXPECT_TRUE(copy == a);
	EXPECT_EQ(BNode(temp.Sub("none").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(a.Lock(), B_OK);
	EXPECT_EQ(b.Lock(), B_BUSY);
	EXPECT_EQ(a.Unlock(), B_OK);
	EXPECT_EQ(b.Lock(), B_OK);
}
