#ifndef FUZZ_OLDER_FORMAT_H
#define FUZZ_OLDER_FORMAT_H

// Reads arbitrary bytes as a message of one of the older formats: the first byte picks the byte
// order, the rest follows that order's magic. Whatever reads must write back in the format and
// read again.

#include <DataIO.h>
#include <Message.h>
#include <beapi/MessageFormats.h>

#include <cstddef>
#include <cstdint>
#include <vector>

inline int
fuzz_older_format(const uint8_t* data, size_t size, const char* littleMagic, const char* bigMagic,
				  message_format writeAs)
{
	if (size < 1)
		return 0;
	const char* magic = (data[0] & 1) != 0 ? littleMagic : bigMagic;
	std::vector<uint8> bytes(magic, magic + 4);
	bytes.insert(bytes.end(), data + 1, data + size);
	BMessage message;
	size_t used = 0;
	if (unflatten_message(&message, bytes.data(), bytes.size(), &used) != B_OK)
		return 0;
	if (used > bytes.size())
		__builtin_trap();
	BMallocIO io;
	if (flatten_message(message, writeAs, &io) == B_OK) {
		BMessage again;
		if (unflatten_message(&again, io.Buffer(), io.BufferLength()) != B_OK)
			__builtin_trap();
	}
	return 0;
}

#endif
