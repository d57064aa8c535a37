#ifndef MESSAGE_TEST_UTIL_H
#define MESSAGE_TEST_UTIL_H

#include <cstdio>
#include <string>
#include <vector>

#include <DataIO.h>
#include <Message.h>
#include <beapi/MessageFormats.h>

typedef std::vector<uint8> Bytes;

inline Bytes
flatten_native(const BMessage& message)
{
	Bytes bytes(static_cast<size_t>(message.FlattenedSize()));
	message.Flatten(reinterpret_cast<char*>(bytes.data()), static_cast<ssize_t>(bytes.size()));
	return bytes;
}

inline Bytes
flatten_as(const BMessage& message, message_format format, uint32 options = 0)
{
	BMallocIO io;
	ssize_t size = 0;
	if (flatten_message(message, format, &io, &size, options) != B_OK)
		return Bytes();
	const uint8* p = static_cast<const uint8*>(io.Buffer());
	return Bytes(p, p + io.BufferLength());
}

inline bool
read_file(const std::string& path, Bytes* out)
{
	FILE* file = fopen(path.c_str(), "rb");
	if (file == nullptr)
		return false;
	out->clear();
	uint8 buffer[4096];
	size_t n;
	while ((n = fread(buffer, 1, sizeof(buffer), file)) > 0)
		out->insert(out->end(), buffer, buffer + n);
	fclose(file);
	return true;
}

inline std::string
vector_path(const char* name)
{
	return std::string(BEAPI_VECTORS_DIR) + "/" + name;
}

#define SKIP_WITHOUT_VECTORS()                                                                     \
	do {                                                                                           \
		Bytes probe;                                                                               \
		if (!read_file(vector_path("README.md"), &probe))                                          \
			GTEST_SKIP() << "vectors folder absent";                                               \
	} while (false)

#endif
