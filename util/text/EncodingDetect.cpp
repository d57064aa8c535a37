#include <util/text/EncodingDetect.h>

#include <util/text/UTF8Utils.h>

#include <algorithm>
#include <cstring>

namespace {

bool
in_range(uint8 byte, uint8 low, uint8 high)
{
	return byte >= low && byte <= high;
}

// The top score's encoding when one score beats both others. Scores are kept wide so that no
// text is long enough to overflow them.
bool
clear_winner(int64 utf8Score, int64 sjisScore, int64 eucScore, int32* encoding)
{
	if (utf8Score > sjisScore && utf8Score > eucScore) {
		*encoding = ENCODING_UTF8_OR_UNKNOWN;
		return true;
	}
	if (sjisScore > utf8Score && sjisScore > eucScore) {
		*encoding = B_SJIS_CONVERSION;
		return true;
	}
	if (eucScore > utf8Score && eucScore > sjisScore) {
		*encoding = B_EUC_CONVERSION;
		return true;
	}
	return false;
}

// The examined bytes, read as if followed by zero bytes, so that looking ahead of the last
// one never leaves the text.
class Bytes {
public:
	Bytes(const char* text, int64 size) : mText(reinterpret_cast<const uint8*>(text)), mSize(size)
	{}
	uint8 operator[](int64 offset) const { return offset < mSize ? mText[offset] : 0; }

private:
	const uint8* mText;
	int64 mSize;
};

} // namespace

int32
detect_cr_type(const char* text)
{
	if (text == NULL)
		return CR_TYPE_LF;
	size_t lineFeeds = 0;
	size_t returns = 0;
	for (const char* c = text; *c != '\0'; c++) {
		if (*c == '\n')
			lineFeeds++;
		else if (*c == '\r')
			returns++;
	}
	if (returns > lineFeeds)
		return CR_TYPE_CR;
	if (returns == lineFeeds && returns > 0)
		return CR_TYPE_CRLF;
	return CR_TYPE_LF;
}

status_t
detect_encoding_sub(int32 utf8Score, int32 sjisScore, int32 eucScore, int32* encoding)
{
	int32 winner;
	if (!clear_winner(utf8Score, sjisScore, eucScore, &winner))
		return B_ERROR;
	if (encoding != NULL)
		*encoding = winner;
	return B_OK;
}

int32
detect_encoding(const char* text, int32 length, int32* jisFlag, int32 decideAfter,
				int32 examineAtMost)
{
	if (jisFlag != NULL)
		*jisFlag = 0;
	if (text == NULL || length < 0)
		return ENCODING_UTF8_OR_UNKNOWN;

	int64 size = length != 0 ? length : static_cast<int64>(strlen(text));
	int64 decideFrom = std::clamp<int64>(decideAfter, 0, size);
	int64 end = std::clamp<int64>(examineAtMost, 0, size);
	Bytes bytes(text, end);

	int64 utf8 = 0, sjis = 0, euc = 0;
	int32 encoding;
	int64 position = 0;
	while (position < end) {
		uint8 b = bytes[position];
		uint8 b1 = bytes[position + 1];
		uint8 b2 = bytes[position + 2];
		if (b == 0x1B) {
			if (b1 == '$' || b1 == '(')
				return B_JIS_CONVERSION;
			if (b1 == 'K' || b1 == 'H') {
				if (jisFlag != NULL)
					*jisFlag = 1;
				return B_JIS_CONVERSION;
			}
			position++;
		} else if (in_range(b, 0xC2, 0xFD)) {
			int32 count = TUTF8Utils::NumBytes(b);
			bool wellFormed = true;
			for (int32 i = 1; i < count && wellFormed; i++)
				wellFormed = TUTF8Utils::IsTrailing(bytes[position + i]);
			if (wellFormed) {
				utf8 += 5;
				position += count;
			} else {
				utf8 -= 5;
				position++;
			}
		} else if (b == 0x8E) {
			if (in_range(b1, 0x80, 0xA0))
				return B_SJIS_CONVERSION;
			if (in_range(b1, 0xA1, 0xDF))
				euc += 5;
			position += 2;
		} else if (b == 0x8F) {
			if (in_range(b1, 0x80, 0xA0) || in_range(b2, 0x80, 0xA0))
				return B_SJIS_CONVERSION;
			if (b1 == 0xFD || b1 == 0xFE || b2 == 0xFD || b2 == 0xFE)
				return B_EUC_CONVERSION;
			if (in_range(b1, 0xA1, 0xFE) && in_range(b2, 0xA1, 0xFE))
				euc += 5;
			position += 2;
		} else if (in_range(b, 0x80, 0xA0)) {
			return B_SJIS_CONVERSION;
		} else if (in_range(b, 0xA1, 0xDF)) {
			// Hiragana and katakana in EUC-JP.
			if ((b == 0xA4 && in_range(b1, 0xA1, 0xF3)) ||
				(b == 0xA5 && in_range(b1, 0xA1, 0xF6))) {
				euc += 1;
				position += 2;
			} else if (b1 == 0xFD || b1 == 0xFE) {
				return B_EUC_CONVERSION;
			} else if (in_range(b1, 0xE0, 0xFE)) {
				euc += 5;
				position += 2;
			} else {
				sjis += 5;
				position++;
			}
		} else if (in_range(b, 0xE0, 0xFE)) {
			if (b == 0xFD || b == 0xFE)
				return B_EUC_CONVERSION;
			euc += 5;
			position += 2;
		} else {
			position++;
		}

		if (position >= decideFrom && clear_winner(utf8, sjis, euc, &encoding))
			return encoding;
	}

	if (clear_winner(utf8, sjis, euc, &encoding))
		return encoding;
	return ENCODING_UTF8_OR_UNKNOWN;
}
