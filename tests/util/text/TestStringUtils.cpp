#include <util/text/StringUtils.h>
#include <util/text/UTF8Utils.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

struct PathCase {
	std::string path;
	std::string expected;
};

void
expect_each(const std::function<std::string(const std::string&)>& function,
			const std::vector<PathCase>& cases)
{
	for (const PathCase& c : cases) {
		SCOPED_TRACE("\"" + c.path + "\"");
		EXPECT_EQ(function(c.path), c.expected);
	}
}

// あ takes three bytes, b one.
const std::string kAB = "あb";

} // namespace

TEST(PathHelpers, ExtensionsAreThoseOfTheLastComponent)
{
	expect_each([](const std::string& p) { return reext(p, "enUS"); }, {{"N.txt", "N.enUS"},
																		{"N", "N.enUS"},
																		{"dir.d/N", "dir.d/N.enUS"},
																		{"N.", "N.enUS"},
																		{"a/b.c.txt", "a/b.c.enUS"},
																		{"", ".enUS"}});
	expect_each([](const std::string& p) { return add_ext(p, "xml"); },
				{{"N.txt", "N.txt"}, {"N", "N.xml"}, {"a.b/N", "a.b/N.xml"}, {"N.", "N."}});
	expect_each(extract_file_body, {{"dir/N.txt", "N"},
									{"dir.d/N", "N"},
									{"dir/.hidden", ""},
									{"N.tar.gz", "N.tar"},
									{"dir/", ""},
									{"", ""}});
	// Unlike the others, the extension reader looks at the whole path.
	expect_each(extract_file_ext, {{"dir.d/N", "d/N"}, {"N", ""}, {"a/N.txt", "txt"}, {"N.", ""}});
}

TEST(PathHelpers, FolderAndName)
{
	EXPECT_EQ(extract_file_folder_path_kernel("/boot/home/N", 1), "/boot/home/");
	EXPECT_EQ(extract_file_folder_path_kernel("/boot/home/N", 0), "/boot/home");
	EXPECT_EQ(extract_file_folder_path_kernel("N", 1), "");
	EXPECT_EQ(extract_file_folder_path_kernel("/N", 0), "");
	// Whatever number is passed, the result stays inside the path.
	EXPECT_EQ(extract_file_folder_path_kernel("/boot/N", 100), "/boot/N");
	EXPECT_EQ(extract_file_folder_path_kernel("/boot/N", -100), "");
	EXPECT_EQ(extract_file_folder_path_kernel("/boot/N", INT_MAX), "/boot/N");

	expect_each(extract_file_name, {{"/boot/home/N", "N"}, {"N", "N"}, {"dir/", ""}, {"", ""}});
}

TEST(PathHelpers, RelativePathsLeadFromTheFolderOfTheBase)
{
	struct Case {
		std::string base;
		std::string target;
		std::string expected;
	};
	const Case cases[] = {
		{"/a/b/c/", "/a/b/d/e", "../d/e"}, {"/a/b/", "/a/b/x", "./x"},
		{"/a/b", "/a/b/c", "./b/c"},       {"/a/b/c/d/f", "/a/x", "../../../x"},
		{"/a/b/f", "/a/b/f", "./f"},       {"", "x/y", "./x/y"},
		{"/a/b/", "", "../../../"},        {"x", "y", "./y"},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.base + " -> " + c.target);
		EXPECT_EQ(relative_path(c.base, c.target), c.expected);
	}
}

TEST(PathHelpers, TrimRemovesOnlyOuterSpacesAndTabs)
{
	expect_each(trim, {{"\tkey\tvalue\t", "key\tvalue"},
					   {"  a b  ", "a b"},
					   {" \t \t", ""},
					   {"", ""},
					   {"x", "x"},
					   {"\nx\r", "\nx\r"}});
}

TEST(UTF8Utils, LeadBytes)
{
	struct Case {
		uint8 byte;
		int32 numBytes;
		bool ascii;
		bool trailing;
	};
	const Case cases[] = {
		{0x00, 1, true, false},  {0x7F, 1, true, false},  {0x80, 1, false, true},
		{0xBF, 1, false, true},  {0xC0, 2, false, false}, {0xDF, 2, false, false},
		{0xE0, 3, false, false}, {0xEF, 3, false, false}, {0xF0, 4, false, false},
		{0xF7, 4, false, false}, {0xF8, 5, false, false}, {0xFC, 6, false, false},
		{0xFE, 7, false, false}, {0xFF, 7, false, false},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(static_cast<int>(c.byte));
		EXPECT_EQ(TUTF8Utils::NumBytes(c.byte), c.numBytes);
		EXPECT_EQ(TUTF8Utils::IsAscii(c.byte), c.ascii);
		EXPECT_EQ(TUTF8Utils::IsTrailing(c.byte), c.trailing);
	}
}

TEST(UTF8Utils, CountingAndLocatingCharacters)
{
	EXPECT_EQ(TUTF8Utils::Length(kAB), 2);
	EXPECT_EQ(TUTF8Utils::Length(""), 0);
	EXPECT_EQ(TUTF8Utils::Length("日本語のtext"), 8);

	EXPECT_EQ(TUTF8Utils::Position(kAB, 1), 3);
	EXPECT_EQ(TUTF8Utils::Position(kAB, 0), 0);
	EXPECT_EQ(TUTF8Utils::Position(kAB, -3), 0);
	// Past the end each further character counts as one byte.
	EXPECT_EQ(TUTF8Utils::Position(kAB, 2), 4);
	EXPECT_EQ(TUTF8Utils::Position(kAB, 5), 7);
	EXPECT_EQ(TUTF8Utils::Position(kAB, INT_MAX), INT_MAX);

	EXPECT_EQ(TUTF8Utils::RPosition(kAB, 1), 3);
	EXPECT_EQ(TUTF8Utils::RPosition(kAB, 2), 0);
	EXPECT_EQ(TUTF8Utils::RPosition(kAB, 3), 0);
	EXPECT_EQ(TUTF8Utils::RPosition(kAB, 0), 4);
	EXPECT_EQ(TUTF8Utils::RPosition(kAB, -1), 4);
	EXPECT_EQ(TUTF8Utils::RPosition("", 1), 0);
}

TEST(UTF8Utils, MalformedTextIsSteppedByItsLeadBytes)
{
	// A stray continuation byte is a character of its own; a lead byte cut off at the end
	// still counts once.
	const std::string stray = "\x80"
							  "a";
	EXPECT_EQ(TUTF8Utils::Length(stray), 2);
	const std::string cut = "a\xE3\x81";
	EXPECT_EQ(TUTF8Utils::Length(cut), 2);
	EXPECT_EQ(TUTF8Utils::Position(cut, 2), 4);
	EXPECT_EQ(TUTF8Utils::SubString(cut, 1, 1), "\xE3\x81");
	EXPECT_EQ(TUTF8Utils::SubString(cut, 1, 5), "\xE3\x81");
	// Stepping back skips continuation bytes only.
	EXPECT_EQ(TUTF8Utils::RPosition(cut, 1), 1);
	EXPECT_EQ(TUTF8Utils::RPosition("\x80\x80", 1), 0);
}

TEST(UTF8Utils, CuttingByCharacter)
{
	EXPECT_EQ(TUTF8Utils::SubString(kAB, 0, 1), "あ");
	EXPECT_EQ(TUTF8Utils::SubString(kAB, 1, 1), "b");
	EXPECT_EQ(TUTF8Utils::SubString(kAB, 0, 10), kAB);
	EXPECT_EQ(TUTF8Utils::SubString(kAB, 2, 1), "");
	EXPECT_EQ(TUTF8Utils::SubString(kAB, 7, 1), "");
	EXPECT_EQ(TUTF8Utils::SubString(kAB, 0, -1), "");
	EXPECT_EQ(TUTF8Utils::SubString(kAB, -1, 2), "あ");
	EXPECT_EQ(TUTF8Utils::SubString(kAB, 1, INT_MAX), "b");

	EXPECT_EQ(TUTF8Utils::RSubString(kAB, 1), "b");
	EXPECT_EQ(TUTF8Utils::RSubString(kAB, 2), kAB);
	EXPECT_EQ(TUTF8Utils::RSubString(kAB, 9), kAB);
	EXPECT_EQ(TUTF8Utils::RSubString(kAB, 0), "");
}

TEST(UTF8Utils, EditingInPlace)
{
	struct Case {
		std::function<void(std::string*)> edit;
		std::string expected;
	};
	const Case cases[] = {
		{[](std::string* t) { TUTF8Utils::Erase(t, 0, 1); }, "いう"},
		{[](std::string* t) { TUTF8Utils::Erase(t, 1, 5); }, "あ"},
		{[](std::string* t) { TUTF8Utils::Erase(t, 3, 1); }, "あいう"},
		{[](std::string* t) { TUTF8Utils::Erase(t, 1, -1); }, "あいう"},
		{[](std::string* t) { TUTF8Utils::RErase(t, 1); }, "あい"},
		{[](std::string* t) { TUTF8Utils::RErase(t, 5); }, ""},
		{[](std::string* t) { TUTF8Utils::RErase(t, 0); }, "あいう"},
		{[](std::string* t) { TUTF8Utils::Replace(t, 1, 1, "x"); }, "あxう"},
		{[](std::string* t) { TUTF8Utils::Replace(t, 0, 0, "x"); }, "xあいう"},
		{[](std::string* t) { TUTF8Utils::Replace(t, 2, 9, "えお"); }, "あいえお"},
		// Past the end a replacement is appended.
		{[](std::string* t) { TUTF8Utils::Replace(t, 8, 1, "!"); }, "あいう!"},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.expected);
		std::string text = "あいう";
		c.edit(&text);
		EXPECT_EQ(text, c.expected);
	}

	std::string empty;
	TUTF8Utils::RErase(&empty, 1);
	EXPECT_EQ(empty, "");
	TUTF8Utils::Erase(NULL, 0, 1);
	TUTF8Utils::RErase(NULL, 1);
	TUTF8Utils::Replace(NULL, 0, 1, "x");
}
