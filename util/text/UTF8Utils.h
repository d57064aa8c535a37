#ifndef MOZELT_UTF8_UTILS_H
#define MOZELT_UTF8_UTILS_H

#include <SupportDefs.h>

#include <string>

// UTF-8 texts counted, located and cut by character rather than by byte. Characters are found
// from their lead bytes alone, without validation: a stray continuation byte is a character of
// its own, and past the end of the text every further character counts as one byte. Nothing
// here reads outside the text, whatever the bytes and indices.
class TUTF8Utils {
public:
	// True when the top bit is 0.
	static bool IsAscii(uint8 byte) { return (byte & 0x80) == 0; }
	// True for a continuation byte (top bits 10).
	static bool IsTrailing(uint8 byte) { return (byte & 0xC0) == 0x80; }
	// The length of the character that byte begins: its count of leading 1 bits, 1 for an ASCII
	// or a continuation byte (up to 7 for 0xFE and 0xFF).
	static int32 NumBytes(uint8 byte);

	// The number of characters.
	static int32 Length(const std::string& text);
	// The byte offset at which character number index begins; 0 for index <= 0; past the end,
	// the text's length plus the excess.
	static int32 Position(const std::string& text, int32 index);
	// The byte offset at which the count-th character from the end begins; the text's length
	// for count <= 0, 0 when count exceeds the number of characters.
	static int32 RPosition(const std::string& text, int32 count);

	// count characters from character index (fewer at the end of the text).
	static std::string SubString(const std::string& text, int32 index, int32 count);
	// The last count characters.
	static std::string RSubString(const std::string& text, int32 count);

	// Removes count characters from character index.
	static void Erase(std::string* text, int32 index, int32 count);
	// Removes the last count characters.
	static void RErase(std::string* text, int32 count);
	// Replaces count characters from character index with replacement; appends it when index
	// lies past the end.
	static void Replace(std::string* text, int32 index, int32 count,
						const std::string& replacement);

private:
	TUTF8Utils() = delete;
};

#endif
