// Reads arbitrary bytes as a native message; what reads must write back to the same bytes.
#include <cstring>
#include <vector>

#include <DataIO.h>
#include <Message.h>
#include <beapi/MessageFormats.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage message;
	size_t used = 0;
	if (unflatten_message(&message, data, size, &used) != B_OK)
		return 0;
	std::vector<char> bytes(static_cast<size_t>(message.FlattenedSize()));
	if (message.Flatten(bytes.data(), static_cast<ssize_t>(bytes.size())) != B_OK)
		__builtin_trap();
	BMessage again;
	if (again.Unflatten(bytes.data()) != B_OK || again.FlattenedSize() != message.FlattenedSize())
		__builtin_trap();
	// Nested items and the other writers must cope with whatever was read.
	char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_MESSAGE_TYPE, i, &name, &type, &count) == B_OK; i++) {
		BMessage nested;
		message.FindMessage(name, count - 1, &nested);
	}
	BMallocIO io;
	flatten_message(message, B_MESSAGE_FORMAT_R5_BIG_ENDIAN, &io);
	flatten_message(message, B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN, &io);
	return 0;
}
