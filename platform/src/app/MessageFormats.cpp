// Choosing among the formats: detection, and reading or writing one message in any of them.
#include <beapi/MessageFormats.h>

#include <cstring>

#include <Message.h>

#include "MessagePrivate.h"

namespace {

// A message read from a stream may be at most this long.
const uint64 kMaxStreamMessage = 0x7fff0000;

status_t
write_in_format(const BMessage& message, message_format format, uint32 options, int depth,
				std::vector<uint8>& out)
{
	switch (format) {
	case B_MESSAGE_FORMAT_NATIVE:
		out.resize(native_flattened_size(message));
		write_native(message, out.data());
		return B_OK;
	case B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN:
	case B_MESSAGE_FORMAT_R5_BIG_ENDIAN:
		return write_r5(message, format == B_MESSAGE_FORMAT_R5_BIG_ENDIAN, options, depth, out);
	case B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN:
	case B_MESSAGE_FORMAT_DANO_BIG_ENDIAN:
		return write_dano(message, format == B_MESSAGE_FORMAT_DANO_BIG_ENDIAN, depth, out);
	default:
		return B_BAD_VALUE;
	}
}

// How many leading bytes tell the total length of a message of the format.
size_t
header_bytes_for_size(message_format format)
{
	switch (format) {
	case B_MESSAGE_FORMAT_NATIVE:
		return 44;
	case B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN:
	case B_MESSAGE_FORMAT_R5_BIG_ENDIAN:
		return 12;
	default:
		return 8;
	}
}

uint64
declared_size(const uint8* head, message_format format)
{
	switch (format) {
	case B_MESSAGE_FORMAT_NATIVE:
		return 68 + 24 * uint64(read_u32(head + 40, false)) + read_u32(head + 36, false);
	case B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN:
		return read_u32(head + 8, false);
	case B_MESSAGE_FORMAT_R5_BIG_ENDIAN:
		return read_u32(head + 8, true);
	case B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN:
		return read_u32(head + 4, false);
	default:
		return read_u32(head + 4, true);
	}
}

} // namespace

message_format
detect_message_format(const void* data, size_t size)
{
	if (data == nullptr || size < 4)
		return B_MESSAGE_FORMAT_UNKNOWN;
	const char* magic = static_cast<const char*>(data);
	if (memcmp(magic, "HMF1", 4) == 0)
		return B_MESSAGE_FORMAT_NATIVE;
	if (memcmp(magic, "1BOF", 4) == 0)
		return B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN;
	if (memcmp(magic, "FOB1", 4) == 0)
		return B_MESSAGE_FORMAT_R5_BIG_ENDIAN;
	if (memcmp(magic, "2BOF", 4) == 0)
		return B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN;
	if (memcmp(magic, "FOB2", 4) == 0)
		return B_MESSAGE_FORMAT_DANO_BIG_ENDIAN;
	return B_MESSAGE_FORMAT_UNKNOWN;
}

const char*
message_format_name(message_format format)
{
	switch (format) {
	case B_MESSAGE_FORMAT_NATIVE:
		return "native";
	case B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN:
		return "r5-le";
	case B_MESSAGE_FORMAT_R5_BIG_ENDIAN:
		return "r5-be";
	case B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN:
		return "dano-le";
	case B_MESSAGE_FORMAT_DANO_BIG_ENDIAN:
		return "dano-be";
	default:
		return "unknown";
	}
}

std::vector<uint8>
convert_nested(const uint8* item, uint32 size, message_format format, uint32 options, int depth)
{
	std::vector<uint8> out;
	BMessage nested;
	size_t used = 0;
	if (depth < kMaxMessageNesting && unflatten_message(&nested, item, size, &used) == B_OK &&
		used == size && write_in_format(nested, format, options, depth + 1, out) == B_OK)
		return out;
	out.assign(item, item + size);
	return out;
}

ssize_t
flattened_message_size(const BMessage& message, message_format format, uint32 options)
{
	if (format == B_MESSAGE_FORMAT_NATIVE)
		return message.FlattenedSize();
	std::vector<uint8> bytes;
	status_t status = write_in_format(message, format, options, 0, bytes);
	if (status != B_OK)
		return status;
	return static_cast<ssize_t>(bytes.size());
}

status_t
flatten_message(const BMessage& message, message_format format, BDataIO* stream, ssize_t* size,
				uint32 options)
{
	if (stream == nullptr)
		return B_BAD_VALUE;
	std::vector<uint8> bytes;
	status_t status = write_in_format(message, format, options, 0, bytes);
	if (status != B_OK)
		return status;
	status = stream->WriteExactly(bytes.data(), bytes.size());
	if (status == B_OK && size != nullptr)
		*size = static_cast<ssize_t>(bytes.size());
	return status;
}

status_t
unflatten_message(BMessage* message, const void* data, size_t size, size_t* used,
				  message_format* format)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	const uint8* bytes = static_cast<const uint8*>(data);
	message_format found = detect_message_format(data, size);
	if (format != nullptr)
		*format = found;
	size_t length = 0;
	status_t status = B_NOT_A_MESSAGE;
	switch (found) {
	case B_MESSAGE_FORMAT_NATIVE:
		status = read_native(message, bytes, size, &length);
		break;
	case B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN:
	case B_MESSAGE_FORMAT_R5_BIG_ENDIAN:
		status = read_r5(message, bytes, size, &length);
		break;
	case B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN:
	case B_MESSAGE_FORMAT_DANO_BIG_ENDIAN:
		status = read_dano(message, bytes, size, &length);
		break;
	default:
		break;
	}
	if (status != B_OK) {
		BMessage::Private(message).Clear();
		return status;
	}
	if (used != nullptr)
		*used = length;
	return B_OK;
}

status_t
unflatten_message(BMessage* message, BDataIO* stream, message_format* format)
{
	if (message == nullptr || stream == nullptr)
		return B_BAD_VALUE;
	BMessage::Private(message).Clear();
	std::vector<uint8> buffer(44);
	size_t got = 0;
	status_t status = stream->ReadExactly(buffer.data(), 4, &got);
	if (status != B_OK)
		return got == 0 ? B_NOT_A_MESSAGE : B_BAD_VALUE;
	message_format found = detect_message_format(buffer.data(), 4);
	if (format != nullptr)
		*format = found;
	if (found == B_MESSAGE_FORMAT_UNKNOWN)
		return B_NOT_A_MESSAGE;
	size_t head = header_bytes_for_size(found);
	if (stream->ReadExactly(buffer.data() + 4, head - 4) != B_OK)
		return B_BAD_VALUE;
	uint64 total = declared_size(buffer.data(), found);
	if (total < head || total > kMaxStreamMessage)
		return B_BAD_VALUE;
	// Grow with what actually arrives, so a lying size cannot make us allocate much.
	size_t have = head;
	size_t chunk = 64 * 1024;
	while (have < total) {
		size_t want = static_cast<size_t>(min_c(total - have, static_cast<uint64>(chunk)));
		buffer.resize(have + want);
		if (stream->ReadExactly(buffer.data() + have, want) != B_OK) {
			BMessage::Private(message).Clear();
			return B_BAD_VALUE;
		}
		have += want;
		chunk *= 2;
	}
	size_t used = 0;
	status = unflatten_message(message, buffer.data(), have, &used, nullptr);
	if (status == B_OK && used != have) {
		BMessage::Private(message).Clear();
		return B_BAD_VALUE;
	}
	return status;
}
