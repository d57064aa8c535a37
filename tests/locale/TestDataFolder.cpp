#include <locale/DataFolder.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Codes = std::vector<std::string>;

class DataFolderTest : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/mozelt-data-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fRoot = pattern;
	}

	void TearDown() override
	{
		std::error_code ignored;
		fs::remove_all(fRoot, ignored);
	}

	std::string Make(const std::string& path, bool folder = true) const
	{
		std::string full = fRoot + "/" + path;
		if (folder) {
			fs::create_directories(full);
		} else {
			fs::create_directories(fs::path(full).parent_path());
			std::ofstream(full) << "x";
		}
		return full;
	}

	std::string Found(const std::string& program) const
	{
		std::string folder = "untouched";
		status_t status = find_data_folder_for(program, &folder);
		return status == B_OK ? folder : "error " + std::to_string(status);
	}

	std::string fRoot;
};

} // namespace

TEST_F(DataFolderTest, InstalledBesideTheProgramsFolder)
{
	std::string data = Make("usr/share/mozelt");
	Make("usr/bin/Program", false);
	EXPECT_EQ(Found(fRoot + "/usr/bin/Program"), data);
	// The program's own folder need not be "bin".
	Make("opt/zorvy/programs/Program", false);
	std::string optData = Make("opt/zorvy/share/mozelt");
	EXPECT_EQ(Found(fRoot + "/opt/zorvy/programs/Program"), optData);
}

TEST_F(DataFolderTest, RunFromABuildTree)
{
	Make("build/CMakeCache.txt", false);
	std::string data = Make("build/share/mozelt");
	Make("build/tools/tool/tool", false);
	EXPECT_EQ(Found(fRoot + "/build/tools/tool/tool"), data);
	EXPECT_EQ(Found(fRoot + "/build/app/Program"), data);

	// A copy beside the program's folder comes first.
	std::string beside = Make("build/tools/share/mozelt");
	EXPECT_EQ(Found(fRoot + "/build/tools/tool/tool"), beside);
}

TEST_F(DataFolderTest, NoDataFolder)
{
	Make("usr/bin/Program", false);
	EXPECT_EQ(Found(fRoot + "/usr/bin/Program"), "error " + std::to_string(B_ENTRY_NOT_FOUND));
	// The nearest build tree decides, even without its data.
	Make("CMakeCache.txt", false);
	Make("share/mozelt");
	Make("inner/CMakeCache.txt", false);
	EXPECT_EQ(Found(fRoot + "/inner/app/Program"), "error " + std::to_string(B_ENTRY_NOT_FOUND));
	EXPECT_EQ(Found("Program"), "error " + std::to_string(B_ENTRY_NOT_FOUND));
	EXPECT_EQ(Found(""), "error " + std::to_string(B_ENTRY_NOT_FOUND));
	EXPECT_EQ(find_data_folder_for(fRoot + "/usr/bin/Program", NULL), B_BAD_VALUE);
}

TEST_F(DataFolderTest, TheRunningProgramsDataIsTheBuildTreesCopy)
{
	std::string folder;
	ASSERT_EQ(find_data_folder(&folder), B_OK);
	char* real = realpath(BEAPI_BINARY_DIR "/share/mozelt", NULL);
	ASSERT_NE(real, nullptr);
	EXPECT_EQ(folder, real);
	free(real);
	EXPECT_EQ(installed_languages(folder), (Codes{"enUS", "jaJP"}));
}

TEST_F(DataFolderTest, InstalledLanguagesAreTheFilesOfValidCodes)
{
	for (const char* name : {"MOZELT.enUS", "MOZELT.deDE", "MOZELT.txt", "MOZELT.enus", "MOZELT.en",
							 "Other.frFR", "MOZELT.enUS~"})
		Make(std::string("data/Language/Dictionaries/") + name, false);
	Make("data/Language/Dictionaries/MOZELT.itIT");
	EXPECT_EQ(installed_languages(fRoot + "/data"), (Codes{"deDE", "enUS"}));
	EXPECT_EQ(language_files_folder("/d"), "/d/Language/Dictionaries");
	EXPECT_EQ(installed_languages(fRoot + "/missing"), Codes{});
}
