#include <gtest/gtest.h>

#include <File.h>
#include <Resources.h>
#include <TypeConstants.h>

#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "StorageTestSupport.h"

TEST(ResourcesVectors, StorageTestFilesInBothByteOrders)
{
	for (const char* name : {"rsrc_x86_storage-test.rsrc", "rsrc_ppc_storage-test.rsrc"}) {
		REQUIRE_VECTOR(name);
		BResources resources(vector_path(name).c_str());
		ASSERT_EQ(resources.InitCheck(), B_OK) << name;
		std::vector<Listed> listed = list(resources);
		ASSERT_EQ(listed.size(), 3u) << name;
		size_t size = 0;
		const char* text =
			static_cast<const char*>(resources.LoadResource(B_STRING_TYPE, 74, &size));
		ASSERT_NE(text, nullptr);
		EXPECT_EQ(std::string(text, size), std::string("I like strings, especially cellos.", 35));
		const int32* number = static_cast<const int32*>(
			resources.LoadResource(B_INT32_TYPE, "just a resource", &size));
		ASSERT_NE(number, nullptr);
		EXPECT_EQ(size, 4u);
		EXPECT_EQ(*number, 42) << name;
		EXPECT_TRUE(resources.HasResource(B_MIME_STRING_TYPE, 29));
		EXPECT_TRUE(resources.HasResource(B_MIME_STRING_TYPE, "another resource"));
		EXPECT_FALSE(resources.HasResource(B_MIME_STRING_TYPE, 30));
		const char* found = nullptr;
		EXPECT_TRUE(resources.GetResourceInfo(B_STRING_TYPE, 74, &found, &size));
		EXPECT_STREQ(found, "a string resource");
		int32 id = 0;
		int32 first = 0;
		EXPECT_TRUE(resources.GetResourceInfo(B_INT32_TYPE, first, &id, &found, &size));
		EXPECT_EQ(id, 17);
		char buffer[8] = {};
		EXPECT_EQ(resources.ReadResource(B_STRING_TYPE, 74, buffer, 2, 5), B_OK);
		EXPECT_STREQ(buffer, "like ");
	}
}

TEST(ResourcesVectors, FileTypeMessagesAreReadByteExact)
{
	struct Case {
		const char* file;
		const char* message;
		size_t count;
	};
	const Case cases[] = {
		{"rsrc_x86_unzip.rsc", "rsrc_x86_unzip__MSGG_1.msg", 4},
		{"rsrc_x86_scrollbarapp.rsrc", "rsrc_x86_scrollbarapp__MSGG_1.msg", 4},
		{"rsrc_ppc_doodle.rsrc", "rsrc_ppc_doodle__MSGG_1.msg", 6},
		{"rsrc_x86_mediaplayer.rsrc", "rsrc_x86_mediaplayer__MSGG_1.msg", 10},
	};
	for (const Case& c : cases) {
		REQUIRE_VECTOR(c.file);
		BResources resources(vector_path(c.file).c_str());
		ASSERT_EQ(resources.InitCheck(), B_OK) << c.file;
		EXPECT_EQ(list(resources).size(), c.count) << c.file;
		size_t size = 0;
		const void* data = resources.LoadResource(B_MESSAGE_TYPE, "BEOS:FILE_TYPES", &size);
		ASSERT_NE(data, nullptr) << c.file;
		std::vector<uint8> expected =
			read_bytes(vector_path((std::string("extracted/") + c.message).c_str()));
		ASSERT_EQ(size, expected.size()) << c.file;
		EXPECT_EQ(memcmp(data, expected.data(), size), 0) << c.file;
	}
}

TEST(ResourcesVectors, DoodleCarriesTheApplicationResources)
{
	REQUIRE_VECTOR("rsrc_ppc_doodle.rsrc");
	BResources resources(vector_path("rsrc_ppc_doodle.rsrc").c_str());
	ASSERT_EQ(resources.InitCheck(), B_OK);
	for (type_code type : {type_code(B_MIME_STRING_TYPE), type_code('APPV'), type_code('APPF')})
		EXPECT_TRUE(resources.HasResource(type, 1)) << std::hex << type;
	size_t size = 0;
	EXPECT_NE(resources.LoadResource(B_MINI_ICON_TYPE, "BEOS:M:STD_ICON", &size), nullptr);
	EXPECT_EQ(size, 256u);
	int32 id = 0;
	EXPECT_TRUE(resources.GetResourceInfo(B_LARGE_ICON_TYPE, "BEOS:L:STD_ICON", &id, &size));
	EXPECT_EQ(id, 101);
	EXPECT_EQ(size, 1024u);
}

TEST(ResourcesVectors, ScrollbarAppDropsTheEntryWithoutRecord)
{
	REQUIRE_VECTOR("rsrc_x86_scrollbarapp.rsrc");
	BResources resources(vector_path("rsrc_x86_scrollbarapp.rsrc").c_str());
	ASSERT_EQ(resources.InitCheck(), B_OK);
	std::vector<Listed> listed = list(resources);
	EXPECT_EQ(listed.size(), 4u) << "five index entries, one without a record";
	EXPECT_TRUE(resources.HasResource(B_MESSAGE_TYPE, "BEOS:FILE_TYPES"));
}

TEST(ResourcesVectors, RewritingAnX86FileGivesTheSameBytes)
{
	for (const char* name : {"rsrc_x86_storage-test.rsrc", "rsrc_x86_unzip.rsc"}) {
		REQUIRE_VECTOR(name);
		TempFolder temp;
		BResources resources(vector_path(name).c_str());
		ASSERT_EQ(resources.InitCheck(), B_OK);
		BFile copy(temp.Sub("copy.rsrc").c_str(), B_READ_WRITE | B_CREATE_FILE);
		ASSERT_EQ(resources.WriteTo(&copy), B_OK);
		EXPECT_EQ(read_bytes(temp.Sub("copy.rsrc")), read_bytes(vector_path(name))) << name;
	}
}
