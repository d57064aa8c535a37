// Guessing the encoding of text from anywhere: any bytes, any length up to the text's, and any
// decide-after and examine-at-most, never read outside the text, and always give one of the
// four answers.
#include "FuzzInput.h"

#include <util/text/EncodingDetect.h>

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	int32 lengthChoice = take_int32(&data, &size);
	int32 decideAfter = take_int32(&data, &size);
	int32 examineAtMost = take_int32(&data, &size);

	// The text alone in its own allocation, so that a read past it is caught; a length of 0
	// asks for the terminating NUL, which then ends the allocation.
	std::vector<char> text(data, data + size);
	int32 length = 0;
	if (lengthChoice != 0 && size > 0)
		length = static_cast<int32>(static_cast<uint32>(lengthChoice) % (size + 1));
	if (length == 0)
		text.push_back('\0');

	int32 flag = -7;
	int32 encoding = detect_encoding(text.data(), length, &flag, decideAfter, examineAtMost);
	bool known = encoding == ENCODING_UTF8_OR_UNKNOWN || encoding == B_SJIS_CONVERSION ||
				 encoding == B_EUC_CONVERSION || encoding == B_JIS_CONVERSION;
	if (!known || (flag != 0 && flag != 1) || (flag == 1 && encoding != B_JIS_CONVERSION))
		abort();

	if (length == 0)
		detect_cr_type(text.data());
	return 0;
}
