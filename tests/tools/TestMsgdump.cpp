#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <DataIO.h>
#include <File.h>
#include <Message.h>
#include <Resources.h>
#include <beapi/MessageFormats.h>

namespace {

struct ToolRun {
	int status;
	std::string out;
	std::string err;
};

class Msgdump : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/msgdump-test-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fDir = pattern;
	}
	void TearDown() override
	{
		for (const std::string& path : fFiles)
			unlink(path.c_str());
		rmdir(fDir.c_str());
	}

	std::string Write(const char* name, const std::string& bytes)
	{
		std::string path = fDir + "/" + name;
		FILE* file = fopen(path.c_str(), "wb");
		fwrite(bytes.data(), 1, bytes.size(), file);
		fclose(file);
		fFiles.push_back(path);
		return path;
	}

	ToolRun Dump(const std::string& arguments)
	{
		const std::string out = fDir + "/out", err = fDir + "/err";
		fFiles.push_back(out);
		fFiles.push_back(err);
		const std::string command = std::string(BEAPI_BINARY_DIR) + "/tools/msgdump/msgdump " +
									arguments + " >" + out + " 2>" + err;
		int status = system(command.c_str());
		return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
	}

	static std::string Slurp(const std::string& path)
	{
		std::string text;
		FILE* file = fopen(path.c_str(), "rb");
		if (file == nullptr)
			return text;
		char buffer[4096];
		size_t n;
		while ((n = fread(buffer, 1, sizeof(buffer), file)) > 0)
			text.append(buffer, n);
		fclose(file);
		return text;
	}

	std::string fDir;
	std::vector<std::string> fFiles;
};

std::string
flat(const BMessage& message, message_format format = B_MESSAGE_FORMAT_NATIVE)
{
	BMallocIO io;
	flatten_message(message, format, &io);
	return std::string(static_cast<const char*>(io.Buffer()), io.BufferLength());
}

} // namespace

TEST_F(Msgdump, JsonShowsEveryKindOfValue)
{
	BMessage inner('in');
	inner.AddPoint("p", BPoint(1.5f, -2));
	BMessage message('abcd');
	message.AddInt8("i8", -3);
	message.AddUInt64("u64", ~uint64(0));
	message.AddBool("b", true);
	message.AddData("b2", B_BOOL_TYPE, "\x07", 1);
	message.AddFloat("f", 0.1f);
	message.AddDouble("d", 1e300);
	message.AddDouble("d", -1.0 / 0.0);
	message.AddFloat("nan", __builtin_nanf(""));
	message.AddString("s", "引用\"\\\n");
	message.AddData("bad", B_STRING_TYPE, "\xff\x00", 2, false);
	message.AddRect("r", BRect(0, 1, 2.5f, 3));
	message.AddMessage("m", &inner);
	message.AddData("raw", 0x01020304, "\x01\xab", 2);
	const std::string path = Write("m.msg", flat(message));

	ToolRun run = Dump("--json " + path);
	EXPECT_EQ(run.status, 0) << run.err;
	EXPECT_EQ(
		run.out,
		"{\"format\": \"native\", \"what\": 1633837924, \"fields\": ["
		"{\"name\": \"i8\", \"type\": \"BYTE\", \"values\": [-3]}, "
		"{\"name\": \"u64\", \"type\": \"ULLG\", \"values\": [18446744073709551615]}, "
		"{\"name\": \"b\", \"type\": \"BOOL\", \"values\": [true]}, "
		"{\"name\": \"b2\", \"type\": \"BOOL\", \"values\": [true]}, "
		"{\"name\": \"f\", \"type\": \"FLOT\", \"values\": [0.1]}, "
		"{\"name\": \"d\", \"type\": \"DBLE\", \"values\": [1e+300, \"-Infinity\"]}, "
		"{\"name\": \"nan\", \"type\": \"FLOT\", \"values\": [\"NaN\"]}, "
		"{\"name\": \"s\", \"type\": \"CSTR\", \"values\": [\"引用\\\"\\\\\\n\"]}, "
		"{\"name\": \"bad\", \"type\": \"CSTR\", \"values\": [{\"hex\": \"ff00\"}]}, "
		"{\"name\": \"r\", \"type\": \"RECT\", \"values\": [[0, 1, 2.5, 3]]}, "
		"{\"name\": \"m\", \"type\": \"MSGG\", \"values\": [{\"format\": \"native\", \"what\": "
		"26990, \"fields\": [{\"name\": \"p\", \"type\": \"BPNT\", \"values\": [[1.5, -2]]}]}]}, "
		"{\"name\": \"raw\", \"type\": \"0x01020304\", \"values\": [{\"hex\": \"01ab\"}]}]}\n");
}

TEST_F(Msgdump, BackToBackMessagesOfEveryFormat)
{
	BMessage a('aaaa'), b('bbbb');
	a.AddInt32("x", 1);
	b.AddString("y", "z");
	const std::string bytes = "IMSG" + flat(a) + flat(b, B_MESSAGE_FORMAT_R5_BIG_ENDIAN) +
							  flat(a, B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN) +
							  flat(b, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN);
	const std::string path = Write("many.bin", bytes);
	ToolRun run = Dump("--json --offset 4 " + path);
	EXPECT_EQ(run.status, 0) << run.err;
	std::vector<std::string> formats;
	for (size_t at = run.out.find("\"format\": \""); at != std::string::npos;
		 at = run.out.find("\"format\": \"", at + 1))
		formats.push_back(run.out.substr(at + 11, run.out.find('"', at + 11) - at - 11));
	EXPECT_EQ(formats, (std::vector<std::string>{"native", "r5-be", "dano-le", "r5-le"}));

	run = Dump("--offset=4 " + path);
	EXPECT_EQ(run.status, 0);
	EXPECT_NE(run.out.find("offset 4, native"), std::string::npos) << run.out;
	EXPECT_NE(run.out.find("\"y\": 'CSTR' = \"z\""), std::string::npos) << run.out;
}

TEST_F(Msgdump, BadBytesAndBadUsage)
{
	BMessage a('aaaa');
	const std::string good = flat(a);
	const std::string path = Write("bad.bin", good + "garbage!");
	ToolRun run = Dump("--json " + path);
	EXPECT_EQ(run.status, 1);
	EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << "the good message is still printed";
	EXPECT_EQ(run.err, "msgdump: " + path + ": offset 68: not a flattened message\n");

	const std::string cut = Write("cut.bin", good.substr(0, 40));
	run = Dump(cut);
	EXPECT_EQ(run.status, 1);
	EXPECT_EQ(run.err, "msgdump: " + cut + ": offset 0: damaged or truncated message\n");

	EXPECT_EQ(Dump("").status, 2);
	EXPECT_EQ(Dump("--bogus " + path).status, 2);
	EXPECT_EQ(Dump("--offset x " + path).status, 2);
	EXPECT_EQ(Dump(fDir + "/missing").status, 1);
}

TEST_F(Msgdump, ResourcesAreListedWithTheirMessages)
{
	const std::string path = fDir + "/app.rsrc";
	fFiles.push_back(path);
	{
		BFile file(path.c_str(), B_READ_WRITE | B_CREATE_FILE | B_ERASE_FILE);
		ASSERT_EQ(file.InitCheck(), B_OK);
		BResources resources(&file, true);
		BMessage layout('ARCV');
		layout.AddString("class", "BView");
		const std::string bytes = flat(layout, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN);
		ASSERT_EQ(resources.AddResource('ARCV', 4000, bytes.data(), bytes.size(), "layout"), B_OK);
		int32 value = 42;
		ASSERT_EQ(resources.AddResource(B_INT32_TYPE, 17, &value, 4), B_OK);
		ASSERT_EQ(resources.Sync(), B_OK);
	}
	ToolRun run = Dump("--resource --json " + path);
	EXPECT_EQ(run.status, 0) << run.err;
	EXPECT_EQ(run.out,
			  "{\"type\": \"ARCV\", \"id\": 4000, \"name\": \"layout\", \"size\": 46, \"message\": "
			  "{\"format\": \"r5-le\", \"what\": 1095910230, \"fields\": [{\"name\": \"class\", "
			  "\"type\": \"CSTR\", \"values\": [\"BView\"]}]}}\n"
			  "{\"type\": \"LONG\", \"id\": 17, \"name\": \"\", \"size\": 4}\n");

	run = Dump("--resource " + path);
	EXPECT_EQ(run.status, 0);
	EXPECT_NE(run.out.find("ARCV 4000 \"layout\", 46 bytes, message r5-le"), std::string::npos)
		<< run.out;

	const std::string notResources = Write("plain.txt", "just text");
	run = Dump("--resource " + notResources);
	EXPECT_EQ(run.status, 1);
	EXPECT_EQ(run.err, "msgdump: " + notResources + ": not a resource container\n");
}

TEST_F(Msgdump, ResourceFilesOfThePlatformAndItsPredecessor)
{
	const std::string vectors = BEAPI_VECTORS_DIR;
	if (access((vectors + "/README.md").c_str(), R_OK) != 0)
		GTEST_SKIP() << "vectors folder absent";
	ToolRun run = Dump("--resource --json " + vectors + "/rsrc_ppc_doodle.rsrc");
	EXPECT_EQ(run.status, 0) << run.err;
	EXPECT_NE(run.out.find("{\"type\": \"MSGG\", \"id\": 1, \"name\": \"BEOS:FILE_TYPES\", "
						   "\"size\": 78, \"message\": {\"format\": \"r5-be\""),
			  std::string::npos)
		<< run.out;
	run = Dump("--resource --json " + vectors + "/rsrc_x86_storage-test.rsrc");
	EXPECT_NE(run.out.find("{\"type\": \"LONG\", \"id\": 17, \"name\": \"just a resource\""),
			  std::string::npos)
		<< run.out;
}
