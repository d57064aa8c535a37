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

namespace {

// The check sum the platform keeps at the end of the info table, worked out independently.
uint32
expected_checksum(const std::vector<uint8>& bytes, size_t from, size_t to)
{
	uint32 sum = 0;
	size_t i = from;
	for (; i + 4 <= to; i += 4)
		sum += uint32(bytes[i]) << 24 | uint32(bytes[i + 1]) << 16 | uint32(bytes[i + 2]) << 8 |
			   bytes[i + 3];
	uint32 last = 0;
	for (; i < to; i++)
		last = last << 8 | bytes[i];
	return sum + last;
}

std::string
make_empty_file(const TempFolder& temp, const char* name)
{
	temp.WriteFile(name, "");
	return temp.Sub(name);
}

} // namespace

TEST(Resources, WrittenX86FileHasThePlatformLayout)
{
	TempFolder temp;
	std::string path = make_empty_file(temp, "new.rsrc");
	{
		BFile file(path.c_str(), B_READ_WRITE);
		BResources resources(&file);
		ASSERT_EQ(resources.InitCheck(), B_OK);
		EXPECT_EQ(list(resources).size(), 0u);
		int32 answer = 42;
		ASSERT_EQ(resources.AddResource(B_STRING_TYPE, 5, "hello", 6, "greeting"), B_OK);
		ASSERT_EQ(resources.AddResource(B_INT32_TYPE, 7, &answer, 4, "answer"), B_OK);
		ASSERT_EQ(resources.AddResource(B_STRING_TYPE, 6, "x", 2), B_OK);
		ASSERT_EQ(resources.Sync(), B_OK);
	}
	std::vector<uint8> bytes = read_bytes(path);
	ASSERT_GT(bytes.size(), 0x7b0u);
	EXPECT_EQ(memcmp(bytes.data(), "RS\0\0\x00\x10OD", 8), 0);
	const size_t c = 4;
	EXPECT_EQ(le32(bytes, c + 4), 3u);
	EXPECT_EQ(le32(bytes, c + 8), 0x44u);
	EXPECT_EQ(le32(bytes, c + 12), 0x644u);
	EXPECT_EQ(le32(bytes, c + 0x48), 0x600u);
	EXPECT_EQ(le32(bytes, c + 0x4c), 0x3e9u) << "filler word";
	// Grouped by type: both strings first, then the number.
	EXPECT_EQ(le32(bytes, c + 0xc8), 0x7acu);
	EXPECT_EQ(le32(bytes, c + 0xcc), 6u);
	EXPECT_EQ(le32(bytes, c + 0xd4), 0x7b2u);
	EXPECT_EQ(le32(bytes, c + 0xe0), 0x7b4u);
	EXPECT_EQ(le32(bytes, c + 0xec), 0u) << "filler after the last entry";
	EXPECT_EQ(le32(bytes, c + 0xf0), 0xffffffffu);
	size_t infoOffset = le32(bytes, c + 0xbc);
	size_t infoSize = le32(bytes, c + 0xc0);
	EXPECT_EQ(infoOffset, 0x7b8u);
	ASSERT_EQ(c + infoOffset + infoSize, bytes.size());
	size_t tableEnd = c + infoOffset + infoSize - 8;
	EXPECT_EQ(le32(bytes, tableEnd), expected_checksum(bytes, c + infoOffset, tableEnd));
	EXPECT_EQ(le32(bytes, tableEnd + 4), 0u);

	BResources again(path.c_str());
	ASSERT_EQ(again.InitCheck(), B_OK);
	std::vector<Listed> listed = list(again);
	ASSERT_EQ(listed.size(), 3u);
	EXPECT_EQ(listed[0].name, "greeting");
	EXPECT_EQ(listed[1].id, 6);
	EXPECT_EQ(listed[1].name, "");
	size_t size = 0;
	const int32* number = static_cast<const int32*>(again.LoadResource(B_INT32_TYPE, 7, &size));
	ASSERT_NE(number, nullptr);
	EXPECT_EQ(*number, 42);
}

TEST(Resources, ManyResourcesGrowTheIndex)
{
	TempFolder temp;
	std::string path = make_empty_file(temp, "many.rsrc");
	{
		BResources resources(path.c_str(), true);
		for (int32 i = 0; i < 200; i++)
			ASSERT_EQ(resources.AddResource(B_INT32_TYPE, i, &i, sizeof(i)), B_OK);
	}
	std::vector<uint8> bytes = read_bytes(path);
	EXPECT_EQ(le32(bytes, 4 + 0x48), 0xc00u);
	BResources again(path.c_str());
	ASSERT_EQ(list(again).size(), 200u);
	size_t size = 0;
	const int32* value = static_cast<const int32*>(again.LoadResource(B_INT32_TYPE, 199, &size));
	ASSERT_NE(value, nullptr);
	EXPECT_EQ(*value, 199);
}

TEST(Resources, ReplaceRemoveAndReadOnlyFiles)
{
	TempFolder temp;
	std::string path = make_empty_file(temp, "edit.rsrc");
	BFile file(path.c_str(), B_READ_WRITE);
	BResources resources(&file);
	ASSERT_EQ(resources.AddResource(B_RAW_TYPE, 1, "one", 3, "first"), B_OK);
	ASSERT_EQ(resources.AddResource(B_RAW_TYPE, 1, "uno!", 4, "primero"), B_OK);
	size_t size = 0;
	const void* data = resources.LoadResource(B_RAW_TYPE, 1, &size);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(std::string(static_cast<const char*>(data), size), "uno!");
	type_code type = 0;
	int32 id = 0;
	const char* name = nullptr;
	EXPECT_TRUE(resources.GetResourceInfo(data, &type, &id, &size, &name));
	EXPECT_STREQ(name, "primero");
	EXPECT_EQ(resources.WriteResource(B_RAW_TYPE, 1, "s", 3, 1), B_OK);
	data = resources.LoadResource(B_RAW_TYPE, 1, &size);
	EXPECT_EQ(std::string(static_cast<const char*>(data), size), "unos");
	EXPECT_EQ(resources.RemoveResource(data), B_OK);
	EXPECT_FALSE(resources.HasResource(B_RAW_TYPE, 1));
	EXPECT_EQ(resources.RemoveResource(B_RAW_TYPE, 1), B_BAD_VALUE);
	ASSERT_EQ(resources.AddResource(B_RAW_TYPE, 2, "kept", 4), B_OK);
	resources.Unset();

	BResources reader(path.c_str());
	ASSERT_EQ(reader.InitCheck(), B_OK);
	EXPECT_TRUE(reader.HasResource(B_RAW_TYPE, 2));
	EXPECT_EQ(reader.AddResource(B_RAW_TYPE, 3, "x", 1), B_NOT_ALLOWED);
	EXPECT_EQ(reader.RemoveResource(B_RAW_TYPE, 2), B_NOT_ALLOWED);
	EXPECT_EQ(reader.Sync(), B_NOT_ALLOWED);

	temp.WriteFile("signature-only", "RSVP");
	BResources signatureOnly(temp.Sub("signature-only").c_str());
	EXPECT_EQ(signatureOnly.InitCheck(), B_OK);
	EXPECT_EQ(list(signatureOnly).size(), 0u);
	temp.WriteFile("broken", std::string("RS\0\0", 4) + "not a container");
	EXPECT_EQ(BResources(temp.Sub("broken").c_str()).InitCheck(), B_BAD_DATA);

	temp.WriteFile("text", "just some text");
	EXPECT_EQ(BResources(temp.Sub("text").c_str()).InitCheck(), B_BAD_DATA);
	BResources clobbered(temp.Sub("text").c_str(), true);
	EXPECT_EQ(clobbered.InitCheck(), B_OK);
	EXPECT_EQ(temp.ReadFile("text").substr(0, 2), "RS");
}

TEST(Resources, ContainerAppendedToAnExecutable)
{
	TempFolder temp;
	std::vector<uint8> original = read_bytes("/bin/true");
	if (original.empty())
		GTEST_SKIP() << "no executable to copy";
	{
		std::ofstream out(temp.Sub("tool"), std::ios::binary);
		out.write(reinterpret_cast<const char*>(original.data()), std::streamsize(original.size()));
	}
	ASSERT_EQ(chmod(temp.Sub("tool").c_str(), 0755), 0);
	for (const char* signature : {"application/x-vnd.Test-Tool", "application/x-vnd.Test-T2"}) {
		BFile file(temp.Sub("tool").c_str(), B_READ_WRITE);
		BResources resources(&file, true);
		ASSERT_EQ(resources.InitCheck(), B_OK);
		ASSERT_EQ(resources.AddResource(B_MIME_STRING_TYPE, 1, signature, strlen(signature) + 1,
										"BEOS:APP_SIG"),
				  B_OK);
		ASSERT_EQ(resources.Sync(), B_OK);
	}
	std::vector<uint8> bytes = read_bytes(temp.Sub("tool"));
	{
		// Clobbering needs to see what the file is; a write-only file is left alone.
		BFile writeOnly(temp.Sub("tool").c_str(), B_WRITE_ONLY);
		BResources refused(&writeOnly, true);
		EXPECT_NE(refused.InitCheck(), B_OK);
		EXPECT_EQ(read_bytes(temp.Sub("tool")), bytes);
	}
	size_t offset = (original.size() + 7) / 8 * 8;
	ASSERT_GT(bytes.size(), offset + 8);
	EXPECT_EQ(memcmp(bytes.data(), original.data(), original.size()), 0);
	EXPECT_EQ(memcmp(bytes.data() + offset, "\x00\x10OD", 4), 0);

	BResources reader(temp.Sub("tool").c_str());
	ASSERT_EQ(reader.InitCheck(), B_OK);
	EXPECT_EQ(list(reader).size(), 1u) << "clobbering replaced the container";
	size_t size = 0;
	const char* signature =
		static_cast<const char*>(reader.LoadResource(B_MIME_STRING_TYPE, "BEOS:APP_SIG", &size));
	ASSERT_NE(signature, nullptr);
	EXPECT_STREQ(signature, "application/x-vnd.Test-T2");
	reader.Unset();
	EXPECT_EQ(system((temp.Sub("tool") + " --version >/dev/null").c_str()), 0)
		<< "the executable still runs";
}

TEST(Resources, DamagedFilesAreRefusedWithoutHarm)
{
	REQUIRE_VECTOR("rsrc_x86_storage-test.rsrc");
	std::vector<uint8> good = read_bytes(vector_path("rsrc_x86_storage-test.rsrc"));
	TempFolder temp;
	std::string path = temp.Sub("damaged.rsrc");
	auto check = [&](const std::vector<uint8>& bytes) {
		{
			std::ofstream out(path, std::ios::binary | std::ios::trunc);
			out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
		}
		BFile file(path.c_str(), B_READ_ONLY);
		BResources resources(&file);
		type_code type;
		int32 id;
		const char* name;
		size_t size;
		for (int32 i = 0; resources.GetResourceInfo(i, &type, &id, &name, &size); i++) {
			const void* data = resources.LoadResource(type, id, &size);
			EXPECT_NE(data, nullptr);
			EXPECT_LE(size, bytes.size());
		}
	};
	for (size_t length = 0; length < good.size(); length += 7)
		check(std::vector<uint8>(good.begin(), good.begin() + ptrdiff_t(length)));
	for (size_t at = 4; at < good.size(); at += 3) {
		std::vector<uint8> bytes = good;
		bytes[at] ^= 0xa5;
		check(bytes);
	}
}
