#ifndef FUZZ_FUZZ_INPUT_H
#define FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstring>

// Takes a number from the front of the fuzzer's bytes (0 once they run out), so that one input
// chooses both the arguments and the data.
inline int32_t
take_int32(const uint8_t** data, size_t* size)
{
	int32_t value = 0;
	if (*size >= sizeof(value)) {
		memcpy(&value, *data, sizeof(value));
		*data += sizeof(value);
		*size -= sizeof(value);
	}
	return value;
}

#endif
