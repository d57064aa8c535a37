// Cutting text by character: any bytes and any indices never read outside the text, and every
// piece is a piece of the text where it says it is.
#include "FuzzInput.h"

#include <util/text/UTF8Utils.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void
check(bool condition)
{
	if (!condition)
		abort();
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	int32 index = take_int32(&data, &size);
	int32 count = take_int32(&data, &size);
	const std::string text(reinterpret_cast<const char*>(data), size);
	const int32 length = static_cast<int32>(text.size());

	int32 characters = TUTF8Utils::Length(text);
	check(characters >= 0 && characters <= length);
	int32 position = TUTF8Utils::Position(text, index);
	check(position >= 0 && (index > 0 || position == 0));
	int32 back = TUTF8Utils::RPosition(text, count);
	check(back >= 0 && back <= length);

	std::string piece = TUTF8Utils::SubString(text, index, count);
	size_t start = std::min<size_t>(static_cast<size_t>(position), text.size());
	check(text.compare(start, piece.size(), piece) == 0);
	std::string tail = TUTF8Utils::RSubString(text, count);
	check(tail.size() <= text.size() &&
		  text.compare(text.size() - tail.size(), tail.size(), tail) == 0);

	std::string erased = text;
	TUTF8Utils::Erase(&erased, index, count);
	check(erased.size() + piece.size() == text.size());
	check(erased.compare(0, start, text, 0, start) == 0);

	std::string cut = text;
	TUTF8Utils::RErase(&cut, count);
	check(cut.size() + tail.size() == text.size());

	std::string replaced = text;
	TUTF8Utils::Replace(&replaced, index, count, "置換");
	check(replaced.size() == text.size() - piece.size() + strlen("置換"));
	return 0;
}
