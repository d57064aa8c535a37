#include "TextTestFolder.h"

#include <util/text/BasicFile.h>

#include <Directory.h>
#include <Entry.h>

#include <string>
#include <vector>

namespace {

class BasicFileTest : public TextTestFolder {
protected:
	// Every line ReadLine gives until the end of the file.
	std::vector<std::string> Lines(const std::string& content)
	{
		Write("lines", content);
		TBasicFile file(Path("lines").c_str(), B_READ_ONLY);
		EXPECT_EQ(file.InitCheck(), B_OK);
		std::vector<std::string> lines;
		while (!file.Eof()) {
			std::string line;
			int32 length = file.ReadLine(&line);
			EXPECT_EQ(length, static_cast<int32>(line.size()));
			lines.push_back(line);
		}
		return lines;
	}

	// The pieces ReadLine into a buffer of size bytes gives until the end of the file.
	std::vector<std::string> Pieces(const std::string& content, int32 size)
	{
		Write("pieces", content);
		TBasicFile file(Path("pieces").c_str(), B_READ_ONLY);
		std::vector<std::string> pieces;
		std::vector<char> buffer(size, 'x');
		while (!file.Eof()) {
			int32 length = file.ReadLine(buffer.data(), size);
			EXPECT_EQ(length, static_cast<int32>(strlen(buffer.data())));
			pieces.push_back(buffer.data());
		}
		return pieces;
	}
};

using LineList = std::vector<std::string>;

} // namespace

TEST_F(BasicFileTest, LinesReadTheSameWhateverTheirEnding)
{
	const LineList expected = {"キー\t値", "", "last"};
	EXPECT_EQ(Lines("キー\t値\n\nlast\n"), expected);
	EXPECT_EQ(Lines("キー\t値\r\n\r\nlast\r\n"), expected);
	// The last line needs no line feed, and a carriage return ends it just the same.
	EXPECT_EQ(Lines("キー\t値\n\nlast"), expected);
	EXPECT_EQ(Lines("キー\t値\n\nlast\r"), expected);
	// A carriage return inside a line, or a second one at its end, is kept.
	EXPECT_EQ(Lines("a\rb\r\r\n"), LineList{"a\rb\r"});
	EXPECT_EQ(Lines(""), LineList{});
}

TEST_F(BasicFileTest, AtTheEndReadLineGivesAnEmptyLine)
{
	Write("one", "only");
	TBasicFile file(Path("one").c_str(), B_READ_ONLY);
	std::string line = "stale";
	EXPECT_EQ(file.ReadLine(&line), 4);
	EXPECT_TRUE(file.Eof());
	EXPECT_EQ(file.ReadLine(&line), 0);
	EXPECT_EQ(line, "");
	char buffer[4] = "abc";
	EXPECT_EQ(file.ReadLine(buffer, sizeof(buffer)), 0);
	EXPECT_STREQ(buffer, "");
	EXPECT_EQ(file.ReadLine(static_cast<std::string*>(NULL)), B_BAD_VALUE);
	EXPECT_EQ(file.ReadLine(NULL, 8), B_BAD_VALUE);
	EXPECT_EQ(file.ReadLine(buffer, 0), B_BAD_VALUE);
}

TEST_F(BasicFileTest, ALineLongerThanTheBufferIsReadInPieces)
{
	EXPECT_EQ(Pieces("0123456789\nnext\n", 8), (LineList{"0123456", "789", "next"}));
	EXPECT_EQ(Pieces("0123456\nnext", 8), (LineList{"0123456", "", "next"}));
	EXPECT_EQ(Pieces("ab\r\ncd\r\n", 8), (LineList{"ab", "cd"}));
	// A carriage return that fills the buffer still pairs with the line feed after it.
	EXPECT_EQ(Pieces("012345\r\nnext", 8), (LineList{"012345", "next"}));
	EXPECT_EQ(Pieces("012345\rX\n", 8), (LineList{"012345\r", "X"}));
	// A buffer of one byte holds only the terminator.
	Write("tiny", "ab");
	TBasicFile file(Path("tiny").c_str(), B_READ_ONLY);
	char tiny[1] = {'x'};
	EXPECT_EQ(file.ReadLine(tiny, 1), 0);
	EXPECT_EQ(tiny[0], '\0');
	EXPECT_EQ(file.Position(), 0);
}

TEST_F(BasicFileTest, WriteLineEndsEveryTextWithOneLineFeed)
{
	{
		TBasicFile file(Path("out").c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		ASSERT_EQ(file.InitCheck(), B_OK);
		EXPECT_EQ(file.WriteLine(""), 1);
		EXPECT_EQ(file.WriteLine(std::string()), 1);
		EXPECT_EQ(file.WriteLine(static_cast<const char*>(NULL)), 1);
		EXPECT_EQ(file.WriteLine("キー\t値"), 11);
		EXPECT_EQ(file.WriteLine(std::string("a\0b", 3)), 4);
	}
	EXPECT_EQ(Read("out"), "\n\n\nキー\t値\n" + std::string("a\0b\n", 4));

	Write("readonly", "x");
	TBasicFile file(Path("readonly").c_str(), B_READ_ONLY);
	EXPECT_LT(file.WriteLine("text"), 0);
	EXPECT_LT(file.WriteLine(std::string("text")), 0);
}

TEST_F(BasicFileTest, OpensAsThePlatformFileDoes)
{
	Write("name", "line\n");
	BEntry entry(Path("name").c_str());
	entry_ref ref;
	ASSERT_EQ(entry.GetRef(&ref), B_OK);
	BDirectory folder(fRoot.c_str());
	BFile plain(Path("name").c_str(), B_READ_ONLY);

	TBasicFile byRef(&ref, B_READ_ONLY);
	TBasicFile byEntry(&entry, B_READ_ONLY);
	TBasicFile byFolder(&folder, "name", B_READ_ONLY);
	TBasicFile byCopy(plain);
	for (TBasicFile* file : {&byRef, &byEntry, &byFolder, &byCopy}) {
		std::string line;
		EXPECT_EQ(file->ReadLine(&line), 4);
		EXPECT_EQ(line, "line");
	}

	TBasicFile missing(Path("missing").c_str(), B_READ_ONLY);
	EXPECT_NE(missing.InitCheck(), B_OK);
	EXPECT_TRUE(missing.Eof());
	std::string line;
	EXPECT_EQ(missing.ReadLine(&line), 0);
	TBasicFile unset;
	EXPECT_TRUE(unset.Eof());
}
