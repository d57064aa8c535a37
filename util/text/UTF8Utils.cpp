#include <util/text/UTF8Utils.h>

#include <algorithm>
#include <bit>
#include <climits>

namespace {

// Offsets saturate rather than wrap for texts and indices near the limits of int32.
int32
clamp_offset(int64 offset)
{
	return static_cast<int32>(std::clamp<int64>(offset, 0, INT32_MAX));
}

// The byte range [start, end) of count characters from character index, inside the text.
void
character_range(const std::string& text, int32 index, int32 count, size_t* start, size_t* end)
{
	int64 last = static_cast<int64>(index) + std::max<int32>(count, 0);
	int32 from = TUTF8Utils::Position(text, index);
	int32 to = TUTF8Utils::Position(text, clamp_offset(last));
	*start = std::min(static_cast<size_t>(from), text.size());
	*end = std::max(*start, std::min(static_cast<size_t>(to), text.size()));
}

} // namespace

int32
TUTF8Utils::NumBytes(uint8 byte)
{
	if (IsAscii(byte) || IsTrailing(byte))
		return 1;
	// 0xFF has eight leading 1 bits but, like 0xFE, begins at most seven bytes.
	return std::min(std::countl_one(byte), 7);
}

int32
TUTF8Utils::Length(const std::string& text)
{
	int64 count = 0;
	for (size_t offset = 0; offset < text.size(); offset += NumBytes(text[offset]))
		count++;
	return clamp_offset(count);
}

int32
TUTF8Utils::Position(const std::string& text, int32 index)
{
	int64 offset = 0;
	int32 remaining = index;
	while (remaining > 0 && offset < static_cast<int64>(text.size())) {
		offset += NumBytes(text[offset]);
		remaining--;
	}
	// Beyond the text every further character is one byte.
	return clamp_offset(offset + std::max<int32>(remaining, 0));
}

int32
TUTF8Utils::RPosition(const std::string& text, int32 count)
{
	if (count <= 0)
		return clamp_offset(static_cast<int64>(text.size()));
	int32 found = 0;
	for (size_t offset = text.size(); offset > 0; offset--) {
		if (IsTrailing(text[offset - 1]))
			continue;
		if (++found == count)
			return clamp_offset(static_cast<int64>(offset - 1));
	}
	return 0;
}

std::string
TUTF8Utils::SubString(const std::string& text, int32 index, int32 count)
{
	size_t start, end;
	character_range(text, index, count, &start, &end);
	return text.substr(start, end - start);
}

std::string
TUTF8Utils::RSubString(const std::string& text, int32 count)
{
	size_t start = std::min(static_cast<size_t>(RPosition(text, count)), text.size());
	return text.substr(start);
}

void
TUTF8Utils::Erase(std::string* text, int32 index, int32 count)
{
	if (text == NULL)
		return;
	size_t start, end;
	character_range(*text, index, count, &start, &end);
	text->erase(start, end - start);
}

void
TUTF8Utils::RErase(std::string* text, int32 count)
{
	if (text == NULL)
		return;
	size_t start = std::min(static_cast<size_t>(RPosition(*text, count)), text->size());
	text->erase(start);
}

void
TUTF8Utils::Replace(std::string* text, int32 index, int32 count, const std::string& replacement)
{
	if (text == NULL)
		return;
	size_t start, end;
	character_range(*text, index, count, &start, &end);
	text->replace(start, end - start, replacement);
}
