#include "TextTestFolder.h"

#include <util/text/FileUtils.h>

#include <Node.h>
#include <TypeConstants.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Paths = std::vector<std::string>;

class FileUtilsTest : public TextTestFolder {
protected:
	// What the folder holds besides the given names: no temporary copy may stay behind.
	Paths Leftovers(const Paths& expected) const
	{
		Paths left;
		for (const auto& entry : fs::directory_iterator(fRoot)) {
			std::string name = entry.path().filename();
			if (std::find(expected.begin(), expected.end(), name) == expected.end())
				left.push_back(name);
		}
		return left;
	}
};

// Runs the test's body with the current folder set to folder, and restores it.
class CurrentFolder {
public:
	explicit CurrentFolder(const std::string& folder) : fOld(fs::current_path())
	{
		fs::current_path(folder);
	}
	~CurrentFolder() { fs::current_path(fOld); }

private:
	fs::path fOld;
};

} // namespace

TEST_F(FileUtilsTest, ListsFilesAndLinksInNameOrder)
{
	Write("b.txt", "b");
	Write("a.txt", "a");
	fs::create_directories(Path("sub/deeper"));
	Write("sub/c.txt", "c");
	Write("sub/deeper/d.txt", "d");
	fs::create_symlink(Path("a.txt"), Path("link-file"));
	fs::create_symlink(Path("sub"), Path("link-folder"));
	fs::create_symlink(Path("gone"), Path("link-broken"));

	const std::string root = fRoot + "/";
	Paths files;
	EXPECT_EQ(get_files(fRoot, &files, false), B_OK);
	EXPECT_EQ(files, (Paths{root, root + "a.txt", root + "b.txt", root + "link-broken",
							root + "link-file"}));

	files.clear();
	EXPECT_EQ(get_files(root, &files, true), B_OK);
	EXPECT_EQ(files, (Paths{root, root + "a.txt", root + "b.txt", root + "link-broken",
							root + "link-file", root + "link-folder/", root + "sub/",
							root + "sub/c.txt", root + "sub/deeper/", root + "sub/deeper/d.txt"}));
}

TEST_F(FileUtilsTest, ListingAddsToTheListAndReportsAMissingFolder)
{
	Write("one", "1");
	Paths files = {"kept"};
	EXPECT_EQ(get_files(fRoot, &files, true), B_OK);
	EXPECT_EQ(files, (Paths{"kept", fRoot + "/", fRoot + "/one"}));

	Paths none;
	EXPECT_EQ(get_files(Path("missing"), &none, true), B_ENTRY_NOT_FOUND);
	EXPECT_TRUE(none.empty());
	EXPECT_NE(get_files(Path("one"), &none, true), B_OK);
	EXPECT_TRUE(none.empty());
	EXPECT_EQ(get_files(fRoot, NULL, true), B_BAD_VALUE);

	// The empty name is the current folder.
	CurrentFolder inside(fRoot);
	EXPECT_EQ(get_files("", &none, false), B_OK);
	EXPECT_EQ(none, (Paths{"./", "./one"}));
}

TEST_F(FileUtilsTest, CopiesDataAttributesAndPermissions)
{
	std::string data(200000, '\0');
	for (size_t i = 0; i < data.size(); i++)
		data[i] = static_cast<char>(i * 7);
	Write("source", data);
	chmod(Path("source").c_str(), 0640);
	bool attributes = false;
	{
		BNode node(Path("source").c_str());
		const char value[] = "text/plain";
		attributes = node.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, value, sizeof(value)) ==
					 static_cast<ssize_t>(sizeof(value));
		int32 number = 42;
		node.WriteAttr("number", B_INT32_TYPE, 0, &number, sizeof(number));
	}

	ASSERT_EQ(copy_file(Path("source"), Path("copy")), B_OK);
	EXPECT_EQ(Read("copy"), data);
	struct stat info;
	ASSERT_EQ(stat(Path("copy").c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 0777, 0640u);
	if (attributes) {
		BNode copy(Path("copy").c_str());
		attr_info type;
		ASSERT_EQ(copy.GetAttrInfo("BEOS:TYPE", &type), B_OK);
		EXPECT_EQ(type.type, static_cast<uint32>(B_MIME_STRING_TYPE));
		char value[32] = {};
		EXPECT_EQ(copy.ReadAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, value, sizeof(value)), 11);
		EXPECT_STREQ(value, "text/plain");
		int32 number = 0;
		EXPECT_EQ(copy.ReadAttr("number", B_INT32_TYPE, 0, &number, sizeof(number)), 4);
		EXPECT_EQ(number, 42);
	}
	EXPECT_EQ(Leftovers({"source", "copy"}), Paths{});
}

TEST_F(FileUtilsTest, CopiesIntoAFolderOverAFileAndThroughALink)
{
	Write("source.txt", "new");
	fs::create_directory(Path("folder"));
	EXPECT_EQ(copy_file(Path("source.txt"), Path("folder")), B_OK);
	EXPECT_EQ(Read("folder/source.txt"), "new");
	EXPECT_EQ(copy_file(Path("source.txt"), Path("folder/")), B_OK);
	EXPECT_EQ(Read("folder/source.txt"), "new");

	// An existing file is replaced whole and keeps its permissions.
	Write("old.txt", "an older and longer text");
	chmod(Path("old.txt").c_str(), 0600);
	EXPECT_EQ(copy_file(Path("source.txt"), Path("old.txt")), B_OK);
	EXPECT_EQ(Read("old.txt"), "new");
	struct stat info;
	ASSERT_EQ(stat(Path("old.txt").c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 0777, 0600u);

	// A link stays a link; the file it names gets the data.
	Write("target.txt", "old");
	fs::create_symlink(Path("target.txt"), Path("link"));
	EXPECT_EQ(copy_file(Path("source.txt"), Path("link")), B_OK);
	EXPECT_TRUE(fs::is_symlink(Path("link")));
	EXPECT_EQ(Read("target.txt"), "new");
	EXPECT_EQ(Leftovers({"source.txt", "folder", "old.txt", "target.txt", "link"}), Paths{});
}

TEST_F(FileUtilsTest, NamesAreNeverReadByAShell)
{
	// Each name would run a command if it reached a shell, even between double quotes.
	const Paths names = {"quote\"; touch ran-quote; \"", "$(touch ran-dollar)",
						 "`touch ran-backquote`"};
	CurrentFolder inside(fRoot);
	for (const std::string& name : names) {
		SCOPED_TRACE(name);
		Write(name, "data of " + name);
		std::string copy = name + " copy";
		EXPECT_EQ(copy_file(Path(name), Path(copy)), B_OK);
		EXPECT_EQ(Read(copy), "data of " + name);
		EXPECT_EQ(copy_file(name, copy + " relative"), B_OK);
		EXPECT_EQ(Read(copy + " relative"), "data of " + name);
	}
	for (const char* ran : {"ran-quote", "ran-dollar", "ran-backquote"})
		EXPECT_FALSE(fs::exists(Path(ran))) << ran;
}

TEST_F(FileUtilsTest, AFailedCopyLeavesNothingAndSaysWhy)
{
	Write("source", "data");
	Write("kept", "kept");
	EXPECT_EQ(copy_file(Path("missing"), Path("copy")), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(copy_file(Path("source"), Path("no-folder/copy")), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(copy_file(fRoot, Path("copy")), B_IS_A_DIRECTORY);
	EXPECT_EQ(copy_file(Path("source"), ""), B_BAD_VALUE);
	EXPECT_EQ(Read("kept"), "kept");
	EXPECT_EQ(Leftovers({"source", "kept"}), Paths{});

	// A folder that refuses new files (unless the tests run with every right).
	fs::create_directory(Path("locked"));
	Write("locked/old", "old");
	chmod(Path("locked").c_str(), 0500);
	if (access(Path("locked").c_str(), W_OK) != 0) {
		EXPECT_EQ(copy_file(Path("source"), Path("locked/old")), B_PERMISSION_DENIED);
		EXPECT_EQ(Read("locked/old"), "old");
	}
	chmod(Path("locked").c_str(), 0700);
}
