#include <gtest/gtest.h>

#include <File.h>
#include <GraphicsDefs.h>
#include <Message.h>
#include <Rect.h>
#include <Resources.h>
#include <Roster.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

const char* kHelper = BEAPI_BINARY_DIR "/tests/app_test_helper";
const char* kRescompile = BEAPI_BINARY_DIR "/tools/rescompile/rescompile";

struct VersionInfo {
	uint32 major, middle, minor, variety, internal;
	char shortInfo[64];
	char longInfo[256];
};

std::string
load_string(BResources& resources, type_code type, int32 id)
{
	size_t size = 0;
	const char* data = static_cast<const char*>(resources.LoadResource(type, id, &size));
	return data == nullptr ? std::string("<none>") : std::string(data, size);
}

// Runs rescompile on a description written to a temporary file; returns its exit status.
int
compile(const std::string& description, std::string* errors)
{
	char folder[] = "/tmp/beapi-rescompile-XXXXXX";
	if (mkdtemp(folder) == nullptr)
		return -1;
	std::string input = std::string(folder) + "/test.rdesc";
	std::ofstream(input) << description;
	std::string command = std::string(kRescompile) + " " + input + " -o " + folder +
						  "/out.rsrc 2>" + folder + "/errors";
	int status = system(command.c_str());
	std::ifstream in(std::string(folder) + "/errors");
	errors->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	std::string cleanup = std::string("rm -rf ") + folder;
	if (system(cleanup.c_str()) != 0)
		return -1;
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(AppResources, AttachedResourcesReadBackExactly)
{
	BFile file(kHelper, B_READ_ONLY);
	ASSERT_EQ(B_OK, file.InitCheck());
	BResources resources(&file);
	ASSERT_EQ(B_OK, resources.InitCheck());

	EXPECT_EQ(std::string("application/x-vnd.beapi-test-helper") + '\0',
			  load_string(resources, 'MIMS', 1));
	EXPECT_TRUE(resources.HasResource('MIMS', "BEOS:APP_SIG"));

	size_t size = 0;
	const void* flags = resources.LoadResource('APPF', "BEOS:APP_FLAGS", &size);
	ASSERT_NE(nullptr, flags);
	ASSERT_EQ(4u, size);
	EXPECT_EQ((uint32)B_MULTIPLE_LAUNCH, *static_cast<const uint32*>(flags));

	const void* version = resources.LoadResource('APPV', "BEOS:APP_VERSION", &size);
	ASSERT_NE(nullptr, version);
	// The application's version, then an empty system version.
	ASSERT_EQ(2 * sizeof(VersionInfo), size);
	VersionInfo info;
	memcpy(&info, version, sizeof(info));
	EXPECT_EQ(2u, info.major);
	EXPECT_EQ(3u, info.middle);
	EXPECT_EQ(4u, info.minor);
	EXPECT_EQ(2u, info.variety);
	EXPECT_EQ(5u, info.internal);
	EXPECT_STREQ("Ver 2.34", info.shortInfo);
	EXPECT_STREQ("Test helper Ver 2.34 テスト", info.longInfo);
	const char* system = static_cast<const char*>(version) + sizeof(VersionInfo);
	for (size_t i = 0; i < sizeof(VersionInfo); i++)
		ASSERT_EQ(0, system[i]);

	EXPECT_EQ(std::string("こんにちは") + '\0', load_string(resources, 'CSTR', 7));
}

TEST(AppResources, IconsAreArchivedRgba32Bitmaps)
{
	BResources resources(kHelper);
	ASSERT_EQ(B_OK, resources.InitCheck());
	struct {
		int32 id;
		const char* name;
		int32 side;
	} icons[] = {{101, "BEOS:L:STD_ICON", 32}, {102, "BEOS:M:STD_ICON", 16}};
	for (const auto& icon : icons) {
		size_t size = 0;
		const void* data = resources.LoadResource('BBMP', icon.name, &size);
		ASSERT_NE(nullptr, data) << icon.name;
		int32 id = -1;
		size_t length = 0;
		EXPECT_TRUE(resources.GetResourceInfo('BBMP', icon.name, &id, &length));
		EXPECT_EQ(icon.id, id);

		BMessage archive;
		ASSERT_EQ(B_OK, archive.Unflatten(static_cast<const char*>(data)));
		EXPECT_STREQ("BBitmap", archive.GetString("class", ""));
		BRect frame;
		ASSERT_EQ(B_OK, archive.FindRect("_frame", &frame));
		EXPECT_EQ(BRect(0, 0, icon.side - 1, icon.side - 1), frame);
		EXPECT_EQ((int32)B_RGBA32, archive.GetInt32("_cspace", 0));
		EXPECT_EQ(0, archive.GetInt32("_bmflags", -1));
		EXPECT_EQ(icon.side * 4, archive.GetInt32("_rowbytes", 0));
		const void* bits = nullptr;
		ssize_t bitsSize = 0;
		ASSERT_EQ(B_OK, archive.FindData("_data", B_RAW_TYPE, &bits, &bitsSize));
		ASSERT_EQ(icon.side * icon.side * 4, bitsSize);
		const uint8* pixels = static_cast<const uint8*>(bits);
		// The frame colour 203040ff, stored blue, green, red, alpha.
		EXPECT_EQ(0x40, pixels[0]);
		EXPECT_EQ(0x30, pixels[1]);
		EXPECT_EQ(0x20, pixels[2]);
		EXPECT_EQ(0xff, pixels[3]);
		// The diagonal at (1, 1) is opaque red.
		const uint8* diagonal = pixels + (icon.side + 1) * 4;
		EXPECT_EQ(0x00, diagonal[0]);
		EXPECT_EQ(0xff, diagonal[2]);
		EXPECT_EQ(0xff, diagonal[3]);
	}
}

TEST(AppResources, DescriptionErrorsNameTheLine)
{
	std::string errors;
	EXPECT_EQ(0, compile("signature \"application/x-vnd.ok\"\nflags B_SINGLE_LAUNCH\n", &errors));
	EXPECT_EQ("", errors);
	EXPECT_EQ(1, compile("signature \"application/x-vnd.ok\"\nwhatever 1\n", &errors));
	EXPECT_NE(std::string::npos, errors.find("test.rdesc:2: unknown keyword"));
	EXPECT_EQ(1, compile("flags B_NO_SUCH_FLAG\n", &errors));
	EXPECT_NE(std::string::npos, errors.find("unknown flag"));
	EXPECT_EQ(1, compile("version 1.x.0 final 0 \"a\" \"b\"\n", &errors));
	EXPECT_EQ(1, compile("resource 'CSTR' 1 \"a\" string \"x\"\n"
						 "resource 'CSTR' 1 \"b\" string \"y\"\n",
						 &errors));
	EXPECT_NE(std::string::npos, errors.find("twice"));
	EXPECT_EQ(1, compile("icon large missing.icon\n", &errors));
	EXPECT_NE(std::string::npos, errors.find("missing.icon"));
	EXPECT_EQ(1, compile("signature \"unterminated\n", &errors));
}
