// Reads arbitrary bytes as an R5 message of either byte order.
#include "OlderFormat.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	return fuzz_older_format(data, size, "FOB1", "1BOF", B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN);
}
