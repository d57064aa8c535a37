#include <beapi/AtomicFile.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/atomic-file-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fFolder = pattern;
	}

	void TearDown() override
	{
		chmod(fFolder.c_str(), 0700);
		std::error_code ignored;
		fs::remove_all(fFolder, ignored);
	}

	std::string Path(const std::string& name) const { return fFolder + "/" + name; }

	status_t Write(const std::string& name, const std::string& bytes) const
	{
		return write_file_atomically(Path(name).c_str(), bytes.data(), bytes.size());
	}

	std::string Read(const std::string& name) const
	{
		std::ifstream in(Path(name), std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	}

	mode_t Mode(const std::string& name) const
	{
		struct stat info;
		EXPECT_EQ(stat(Path(name).c_str(), &info), 0);
		return info.st_mode & 07777;
	}

	// Everything in the folder but the named files: temporary files left behind.
	int Others(std::initializer_list<std::string> expected) const
	{
		int count = 0;
		for (const auto& entry : fs::directory_iterator(fFolder)) {
			std::string name = entry.path().filename();
			count += std::find(expected.begin(), expected.end(), name) == expected.end();
		}
		return count;
	}

	std::string fFolder;
};

} // namespace

TEST_F(AtomicFileTest, CreatesAndReplacesWithExactlyTheBytes)
{
	std::string binary("\0\x01\xff text \0", 9);
	ASSERT_EQ(Write("file", binary), B_OK);
	EXPECT_EQ(Read("file"), binary);
	ASSERT_EQ(Write("file", "shorter"), B_OK);
	EXPECT_EQ(Read("file"), "shorter");
	ASSERT_EQ(Write("file", ""), B_OK);
	EXPECT_EQ(Read("file"), "");
	EXPECT_EQ(Others({"file"}), 0);
}

TEST_F(AtomicFileTest, ANewFileGetsTheUsualPermissionsAndAnOldOneKeepsItsOwn)
{
	mode_t mask = umask(022);
	ASSERT_EQ(Write("new", "x"), B_OK);
	umask(mask);
	EXPECT_EQ(Mode("new"), 0644u);

	ASSERT_EQ(chmod(Path("new").c_str(), 0604), 0);
	ASSERT_EQ(Write("new", "y"), B_OK);
	EXPECT_EQ(Mode("new"), 0604u);
}

TEST_F(AtomicFileTest, ALinkStaysAndTheFileItPointsToIsReplaced)
{
	fs::create_directory(Path("real"));
	ASSERT_EQ(Write("real/target", "old"), B_OK);
	ASSERT_EQ(chmod(Path("real/target").c_str(), 0640), 0);
	ASSERT_EQ(symlink("real/target", Path("relative").c_str()), 0);
	ASSERT_EQ(symlink(Path("relative").c_str(), Path("absolute").c_str()), 0);

	ASSERT_EQ(Write("absolute", "new"), B_OK);
	EXPECT_TRUE(fs::is_symlink(Path("absolute")));
	EXPECT_TRUE(fs::is_symlink(Path("relative")));
	EXPECT_EQ(Read("real/target"), "new");
	EXPECT_EQ(Mode("real/target"), 0640u);
	EXPECT_EQ(Others({"real", "relative", "absolute"}), 0);

	ASSERT_EQ(symlink("real/not-yet", Path("dangling").c_str()), 0);
	ASSERT_EQ(Write("dangling", "created"), B_OK);
	EXPECT_TRUE(fs::is_symlink(Path("dangling")));
	EXPECT_EQ(Read("real/not-yet"), "created");
}

TEST_F(AtomicFileTest, ALinkLoopFails)
{
	ASSERT_EQ(symlink("b", Path("a").c_str()), 0);
	ASSERT_EQ(symlink("a", Path("b").c_str()), 0);
	EXPECT_EQ(Write("a", "x"), B_LINK_LIMIT);
	EXPECT_EQ(Others({"a", "b"}), 0);
}

TEST_F(AtomicFileTest, AFailureLeavesTheOldFileAndNoTemporary)
{
	ASSERT_EQ(Write("file", "old"), B_OK);
	EXPECT_EQ(Write("missing/file", "x"), B_ENTRY_NOT_FOUND);
	fs::create_directory(Path("folder"));
	EXPECT_EQ(Write("folder", "x"), B_IS_A_DIRECTORY);
	EXPECT_TRUE(fs::is_directory(Path("folder")));
	EXPECT_EQ(Read("file"), "old");
	EXPECT_EQ(Others({"file", "folder"}), 0);
}

// A full disk, played by a file size limit in a child process.
TEST_F(AtomicFileTest, AWriteThatRunsOutOfSpaceLeavesTheOldFile)
{
	ASSERT_EQ(Write("file", "old"), B_OK);
	pid_t child = fork();
	if (child == 0) {
		signal(SIGXFSZ, SIG_IGN);
		struct rlimit limit = {16, 16};
		setrlimit(RLIMIT_FSIZE, &limit);
		_exit(Write("file", std::string(4096, 'n')) != B_OK ? 0 : 1);
	}
	int status = 0;
	ASSERT_EQ(waitpid(child, &status, 0), child);
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
	EXPECT_EQ(Read("file"), "old");
	EXPECT_EQ(Others({"file"}), 0);
}

TEST_F(AtomicFileTest, AFolderWeMayNotWriteFails)
{
	ASSERT_EQ(Write("file", "old"), B_OK);
	ASSERT_EQ(chmod(fFolder.c_str(), 0500), 0);
	if (access(fFolder.c_str(), W_OK) == 0)
		GTEST_SKIP() << "a privileged user can write into a read-only folder";
	EXPECT_EQ(Write("file", "new"), B_PERMISSION_DENIED);
	EXPECT_EQ(Read("file"), "old");
}

// The rename that replaces a file asks only the folder, and a privileged process may write
// anything: the file's own bits decide.
TEST_F(AtomicFileTest, AFileWhoseModeForbidsWritingIsNotReplaced)
{
	ASSERT_EQ(Write("file", "old"), B_OK);
	ASSERT_EQ(chmod(Path("file").c_str(), 0444), 0);
	EXPECT_EQ(Write("file", "new"), B_PERMISSION_DENIED);
	EXPECT_EQ(Read("file"), "old");
	EXPECT_EQ(Mode("file"), 0444u);
	EXPECT_EQ(Others({"file"}), 0);

	// A link to it does not get round the rule; a file anyone may write is replaced.
	ASSERT_EQ(symlink("file", Path("link").c_str()), 0);
	EXPECT_EQ(Write("link", "new"), B_PERMISSION_DENIED);
	ASSERT_EQ(chmod(Path("file").c_str(), 0644), 0);
	EXPECT_EQ(Write("link", "new"), B_OK);
	EXPECT_EQ(Read("file"), "new");
}

TEST_F(AtomicFileTest, BadArguments)
{
	EXPECT_EQ(write_file_atomically(nullptr, "x", 1), B_BAD_VALUE);
	EXPECT_EQ(write_file_atomically("", "x", 1), B_BAD_VALUE);
	EXPECT_EQ(write_file_atomically(Path("f").c_str(), nullptr, 1), B_BAD_VALUE);
	EXPECT_EQ(write_file_atomically(Path("f").c_str(), nullptr, 0), B_OK);
}

TEST_F(AtomicFileTest, TemporariesOfKilledSavesAreRemovedOnceStale)
{
	std::ofstream(Path(".file.AbC123")) << "left by a killed save";
	std::ofstream(Path(".file.XyZ789")) << "being written right now";
	std::ofstream(Path(".other.AbC123")) << "another file's";
	struct timespec old[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
	ASSERT_EQ(utimensat(AT_FDCWD, Path(".file.AbC123").c_str(), old, 0), 0);
	ASSERT_EQ(utimensat(AT_FDCWD, Path(".other.AbC123").c_str(), old, 0), 0);

	ASSERT_EQ(Write("file", "new"), B_OK);
	EXPECT_FALSE(fs::exists(Path(".file.AbC123")));
	EXPECT_TRUE(fs::exists(Path(".file.XyZ789")));
	EXPECT_TRUE(fs::exists(Path(".other.AbC123")));
}
