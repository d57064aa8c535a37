// Reads arbitrary bytes as a Dano message: the first byte picks the byte order, the rest
// follows the magic.
#include <cstring>
#include <vector>

#include <DataIO.h>
#include <Message.h>
#include <MessageFormats.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	std::vector<uint8> bytes((data[0] & 1) != 0 ? "FOB2" : "2BOF",
							 ((data[0] & 1) != 0 ? "FOB2" : "2BOF") + 4);
	bytes.insert(bytes.end(), data + 1, data + size);
	BMessage message;
	size_t used = 0;
	if (unflatten_message(&message, bytes.data(), bytes.size(), &used) != B_OK)
		return 0;
	if (used > bytes.size())
		__builtin_trap();
	BMallocIO io;
	if (flatten_message(message, B_MESSAGE_FORMAT_DANO_BIG_ENDIAN, &io) == B_OK) {
		BMessage again;
		if (unflatten_message(&again, io.Buffer(), io.BufferLength()) != B_OK)
			__builtin_trap();
	}
	return 0;
}
