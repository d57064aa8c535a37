#include "Watchdog.h"

#include <locale/Locale.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char kBaseName[] = "N.txt";

// A data folder of the test's own, with its Language/Dictionaries folder.
class LanguageFileTest : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/mozelt-language-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fFolder = pattern;
		fs::create_directories(fFolder + "/Language/Dictionaries");
	}

	void TearDown() override
	{
		std::error_code ignored;
		fs::remove_all(fFolder, ignored);
	}

	void WriteLanguage(const std::string& code, const std::string& text,
					   const std::string& name = "N") const
	{
		std::ofstream(fFolder + "/Language/Dictionaries/" + name + "." + code, std::ios::binary)
			<< text;
	}

	// A catalogue for code, filled from text.
	void Load(TLocale* locale, const std::string& text, const std::string& code = "enUS")
	{
		WriteLanguage(code, text);
		ASSERT_EQ(locale->SetLanguage(code, false), B_OK);
		ASSERT_EQ(locale->LoadLanguageFile(fFolder, kBaseName, false), B_OK);
	}

	std::string fFolder;
};

} // namespace

TEST(LanguageCode, FourBytesTwoLowerCaseLettersFirst)
{
	for (const char* good : {"enUS", "jaJP", "deDE", "zz__", "ab12", "ab\xE3\x81"}) {
		SCOPED_TRACE(good);
		EXPECT_TRUE(valid_language_code(good));
	}
	for (const char* bad : {"", "en", "enU", "enUSx", "enus", "EnUS", "eNUS", "enUs", "enuS",
							"1nUS", "e US", "ja_jp"}) {
		SCOPED_TRACE(bad);
		EXPECT_FALSE(valid_language_code(bad));
		TLocale locale;
		EXPECT_EQ(locale.SetLanguage(bad, true), B_ERROR);
		EXPECT_EQ(locale.Language(), "");
	}
}

TEST(LanguageFileWords, TheWordReader)
{
	struct Case {
		std::string line;
		size_t start;
		std::string word;
		size_t next;
	};
	const size_t kEnd = std::string::npos;
	const Case cases[] = {
		{"K\tV", 0, "K", 2},
		{"K\tV", 2, "V", kEnd},
		{"K\t\t  V", 0, "K", 5},
		{"K V\tW", 0, "K V", 4},
		{"K V", 0, "K V", kEnd},
		{"K\t", 0, "K", kEnd},
		{"K\t \t", 0, "K", kEnd},
		{"\"K \"\t\" V \"", 0, "K ", 5},
		{"\"K \"\t\" V \"", 5, " V ", kEnd},
		{"\"a\tb\"", 0, "a\tb", kEnd},
		// After a quoted word the next one may follow without a tab.
		{"\"K\" V", 0, "K", 4},
		{"\"K\"V", 0, "K", 3},
		// A quote without its closing quote runs to the end.
		{"\"open word", 0, "open word", kEnd},
		{"\"\"", 0, "", kEnd},
		{"", 0, "", kEnd},
		{"K", 5, "", kEnd},
	};
	TLocale locale;
	for (const Case& c : cases) {
		SCOPED_TRACE(testing::PrintToString(c.line) + " at " + std::to_string(c.start));
		size_t next = 12345;
		EXPECT_EQ(locale.ExtractWord(c.line, c.start, &next), c.word);
		EXPECT_EQ(next, c.next);
	}
}

TEST_F(LanguageFileTest, LinesAndTheirEntries)
{
	TLocale locale;
	Load(&locale, "# a comment\n"
				  "   # an indented comment\n"
				  "\n"
				  " \t \n"
				  "キー\t値\n"
				  "two tabs\t\t  value\r\n"
				  "no tab value\n"
				  "\"quoted \"\t\" both \"\n"
				  "tabbed\t\"a\tb\"\n"
				  "extra\tkept\tignored\n"
				  "key#1\thash inside\n"
				  "alone\n"
				  "\tindented\tvalue\t\n"
				  "last\tline");
	struct Case {
		const char* key;
		const char* text;
	};
	const Case cases[] = {
		{"キー", "値"},           {"two tabs", "value"}, {"no tab value", "no tab value"},
		{"quoted ", " both "},    {"tabbed", "a\tb"},    {"extra", "kept"},
		{"key#1", "hash inside"}, {"alone", "alone"},    {"indented", "value"},
		{"last", "line"},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.key);
		EXPECT_STREQ(locale.GetString(c.key), c.text);
	}
	const char* comment = "# a comment";
	EXPECT_EQ(locale.GetString(comment), comment);
	const char* noTab = "no tab";
	EXPECT_EQ(locale.GetString(noTab), noTab);
}

TEST_F(LanguageFileTest, ALaterLineAndALaterFileWin)
{
	TLocale locale;
	Load(&locale, "a\tfirst\na\tsecond\nb\tfrom one\n");
	EXPECT_STREQ(locale.GetString("a"), "second");

	WriteLanguage("enUS", "c\tfrom two\nb\tb two\n", "M");
	ASSERT_EQ(locale.LoadLanguageFile(fFolder, "M.txt", true), B_OK);
	EXPECT_STREQ(locale.GetString("a"), "second");
	EXPECT_STREQ(locale.GetString("b"), "b two");
	EXPECT_STREQ(locale.GetString("c"), "from two");

	// Without appending, the earlier entries are gone.
	ASSERT_EQ(locale.LoadLanguageFile(fFolder, "M", false), B_OK);
	EXPECT_EQ(std::string(locale.GetString("a")), "a");
	EXPECT_STREQ(locale.GetString("c"), "from two");
}

TEST_F(LanguageFileTest, AFileThatCannotBeReadChangesNothing)
{
	TLocale locale;
	Load(&locale, "a\tkept\n");
	WriteLanguage("deDE", "a\tgerman\n");

	// Another folder, another name, a folder in place of the file: nothing is read.
	EXPECT_EQ(locale.LoadLanguageFile(fFolder + "/missing", kBaseName, false), B_ERROR);
	EXPECT_EQ(locale.LoadLanguageFile(fFolder, "Other.txt", false), B_ERROR);
	fs::create_directory(fFolder + "/Language/Dictionaries/F.enUS");
	EXPECT_EQ(locale.LoadLanguageFile(fFolder, "F.txt", false), B_ERROR);
	EXPECT_STREQ(locale.GetString("a"), "kept");

	// The reload still uses the folder and name of the file that was read.
	ASSERT_EQ(locale.SetLanguage("deDE", true), B_OK);
	EXPECT_STREQ(locale.GetString("a"), "german");

	// A language without a file: the code is taken, the catalogue stays.
	ASSERT_EQ(locale.SetLanguage("frFR", true), B_OK);
	EXPECT_EQ(locale.Language(), "frFR");
	EXPECT_STREQ(locale.GetString("a"), "german");
	EXPECT_EQ(locale.RefreshDictionaries(), B_ERROR);
	EXPECT_STREQ(locale.GetString("a"), "german");
}

TEST_F(LanguageFileTest, AnEmptyFileEmptiesTheCatalogue)
{
	TLocale locale;
	Load(&locale, "a\tb\n");
	WriteLanguage("jaJP", "# nothing but a comment\n");
	ASSERT_EQ(locale.SetLanguage("jaJP", true), B_OK);
	EXPECT_EQ(std::string(locale.GetString("a")), "a");
}

TEST_F(LanguageFileTest, ChoosingALanguageBeforeAnyFile)
{
	TLocale locale;
	EXPECT_EQ(locale.Language(), "");
	EXPECT_EQ(locale.RefreshDictionaries(), B_ERROR);
	// Nothing to reload from yet.
	WriteLanguage("enUS", "a\tb\n");
	EXPECT_EQ(locale.SetLanguage("enUS", true), B_OK);
	EXPECT_EQ(locale.Language(), "enUS");
	EXPECT_EQ(std::string(locale.GetString("a")), "a");

	ASSERT_EQ(locale.LoadLanguageFile(fFolder, kBaseName, false), B_OK);
	EXPECT_STREQ(locale.GetString("a"), "b");
	WriteLanguage("enUS", "a\tc\n");
	EXPECT_EQ(locale.RefreshDictionaries(), B_OK);
	EXPECT_STREQ(locale.GetString("a"), "c");
}

TEST_F(LanguageFileTest, AFolderWithATrailingSeparatorAndANameWithoutExtension)
{
	TLocale locale;
	WriteLanguage("enUS", "a\tb\n", "Plain");
	ASSERT_EQ(locale.SetLanguage("enUS", false), B_OK);
	EXPECT_EQ(locale.LoadLanguageFile(fFolder + "/", "Plain", false), B_OK);
	EXPECT_STREQ(locale.GetString("a"), "b");
}

// Lookups from other threads go on while files are appended to the catalogue: the parse holds
// the lock, so each lookup sees the entries before or after a file, never a half-built tree.
// (A text returned earlier stays valid here because appending new keys replaces no entry.)
TEST_F(LanguageFileTest, LookupsWhileFilesAreAppended)
{
	Watchdog watchdog;
	TLocale locale;
	Load(&locale, "stable\tfixed\n");
	const int kFiles = 20;
	for (int file = 0; file < kFiles; file++) {
		std::string text;
		for (int i = 0; i < 200; i++)
			text += std::to_string(file) + "-" + std::to_string(i) + "\tvalue\n";
		WriteLanguage("enUS", text, "F" + std::to_string(file));
	}

	std::atomic<bool> done(false);
	std::atomic<int> wrong(0);
	std::vector<std::thread> readers;
	for (int t = 0; t < 2; t++) {
		readers.emplace_back([&]() {
			while (!done.load()) {
				if (std::string(locale.GetString("stable")) != "fixed")
					wrong++;
				std::string last = locale.GetString("19-199");
				if (last != "value" && last != "19-199")
					wrong++;
				if (locale.Language() != "enUS")
					wrong++;
			}
		});
	}
	for (int file = 0; file < kFiles; file++)
		locale.LoadLanguageFile(fFolder, "F" + std::to_string(file), true);
	done = true;
	for (std::thread& reader : readers)
		reader.join();
	EXPECT_EQ(wrong.load(), 0);
	EXPECT_STREQ(locale.GetString("7-7"), "value");
}
