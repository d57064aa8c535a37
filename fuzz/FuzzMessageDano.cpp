// Reads arbitrary bytes as a Dano message of either byte order.
#include "OlderFormat.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	return fuzz_older_format(data, size, "FOB2", "2BOF", B_MESSAGE_FORMAT_DANO_BIG_ENDIAN);
}
