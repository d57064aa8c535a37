// The platform's native format: a 68-byte header, 24 bytes per field, then each field's name
// and items, with a five-bucket hash table of the names.
#include <Message.h>

#include <cstring>

#include "MessagePrivate.h"

namespace {

const uint32 kNativeMagic = 0x31464D48;
const size_t kHeaderSize = 68;
const size_t kFieldHeaderSize = 24;
const uint32 kHashTableSize = 5;

enum { FIELD_FLAG_VALID = 0x0001, FIELD_FLAG_FIXED_SIZE = 0x0002 };

// The platform's name hash; its bytes are signed chars, so UTF-8 bytes are sign-extended.
uint32
name_hash(const std::string& name)
{
	uint32 h = 0;
	for (char c : name) {
		h = (h << 7) ^ (h >> 24);
		h ^= static_cast<uint32>(static_cast<int32>(static_cast<signed char>(c)));
	}
	h ^= h << 12;
	return h;
}

} // namespace

size_t
native_flattened_size(const BMessage& message)
{
	const BMessage::Body& body = BMessage::Private(&message).GetBody();
	size_t size = kHeaderSize + kFieldHeaderSize * body.fields.size();
	for (const MessageField& field : body.fields)
		size += field.name.size() + 1 + field.data.size();
	return size;
}

void
write_native(const BMessage& message, uint8* out)
{
	const BMessage::Body& body = BMessage::Private(&message).GetBody();
	const size_t count = body.fields.size();

	int32 buckets[kHashTableSize];
	int32 last[kHashTableSize];
	std::vector<int32> next(count, -1);
	for (uint32 b = 0; b < kHashTableSize; b++)
		buckets[b] = last[b] = -1;
	// Chains keep ascending field order: a new field is linked after the last of its bucket.
	for (size_t i = 0; i < count; i++) {
		uint32 b = name_hash(body.fields[i].name) % kHashTableSize;
		if (buckets[b] < 0)
			buckets[b] = static_cast<int32>(i);
		else
			next[last[b]] = static_cast<int32>(i);
		last[b] = static_cast<int32>(i);
	}

	uint32 dataSize = 0;
	for (const MessageField& field : body.fields)
		dataSize += static_cast<uint32>(field.name.size() + 1 + field.data.size());

	const uint32 flags = (body.flags | MESSAGE_FLAG_VALID) & ~MESSAGE_FLAG_PASS_BY_AREA;
	const uint32 header[12] = {kNativeMagic,
							   message.what,
							   flags,
							   static_cast<uint32>(body.target),
							   static_cast<uint32>(body.currentSpecifier),
							   0xffffffffu,
							   static_cast<uint32>(body.replyPort),
							   static_cast<uint32>(body.replyTarget),
							   static_cast<uint32>(body.replyTeam),
							   dataSize,
							   static_cast<uint32>(count),
							   kHashTableSize};
	uint8* p = out;
	for (uint32 value : header) {
		write_u32(p, value, false);
		p += 4;
	}
	for (uint32 b = 0; b < kHashTableSize; b++) {
		write_u32(p, static_cast<uint32>(buckets[b]), false);
		p += 4;
	}

	uint32 offset = 0;
	for (size_t i = 0; i < count; i++) {
		const MessageField& field = body.fields[i];
		uint16 fieldFlags = FIELD_FLAG_VALID | (field.fixedSize ? FIELD_FLAG_FIXED_SIZE : 0);
		write_u16(p, fieldFlags, false);
		write_u16(p + 2, static_cast<uint16>(field.name.size() + 1), false);
		write_u32(p + 4, field.type, false);
		write_u32(p + 8, field.count, false);
		write_u32(p + 12, static_cast<uint32>(field.data.size()), false);
		write_u32(p + 16, offset, false);
		write_u32(p + 20, static_cast<uint32>(next[i]), false);
		p += kFieldHeaderSize;
		offset += static_cast<uint32>(field.name.size() + 1 + field.data.size());
	}

	for (const MessageField& field : body.fields) {
		memcpy(p, field.name.data(), field.name.size());
		p += field.name.size();
		*p++ = 0;
		if (!field.data.empty())
			memcpy(p, field.data.data(), field.data.size());
		p += field.data.size();
	}
}

status_t
read_native(BMessage* message, const uint8* data, size_t size, size_t* used)
{
	if (size < 4 || read_u32(data, false) != kNativeMagic)
		return B_NOT_A_MESSAGE;
	if (size < kHeaderSize)
		return B_BAD_VALUE;
	const uint32 flags = read_u32(data + 8, false);
	// A body passed in a shared memory area cannot come from bytes.
	if ((flags & MESSAGE_FLAG_VALID) == 0 || (flags & MESSAGE_FLAG_PASS_BY_AREA) != 0)
		return B_BAD_VALUE;
	const uint32 dataSize = read_u32(data + 36, false);
	const uint32 fieldCount = read_u32(data + 40, false);
	const uint64 total = kHeaderSize + uint64(kFieldHeaderSize) * fieldCount + uint64(dataSize);
	if (total > size)
		return B_BAD_VALUE;

	const uint8* fieldHeaders = data + kHeaderSize;
	const uint8* area = fieldHeaders + size_t(kFieldHeaderSize) * fieldCount;
	std::vector<MessageField> fields;
	fields.reserve(fieldCount);
	for (uint32 i = 0; i < fieldCount; i++) {
		const uint8* h = fieldHeaders + size_t(kFieldHeaderSize) * i;
		const uint16 fieldFlags = read_u16(h, false);
		const uint16 nameLength = read_u16(h + 2, false);
		const uint32 count = read_u32(h + 8, false);
		const uint32 itemBytes = read_u32(h + 12, false);
		const uint32 offset = read_u32(h + 16, false);
		if (nameLength < 1 || count == 0 ||
			uint64(offset) + nameLength + itemBytes > uint64(dataSize))
			return B_BAD_VALUE;
		const uint8* block = area + offset;
		if (block[nameLength - 1] != 0)
			return B_BAD_VALUE;

		MessageField field;
		field.name.assign(reinterpret_cast<const char*>(block), nameLength - 1u);
		field.type = read_u32(h + 4, false);
		field.fixedSize = (fieldFlags & FIELD_FLAG_FIXED_SIZE) != 0;
		field.count = count;
		const uint8* items = block + nameLength;
		if (field.fixedSize) {
			if (itemBytes % count != 0 || itemBytes / count == 0)
				return B_BAD_VALUE;
			field.itemSize = itemBytes / count;
		} else {
			// Every item needs at least its length word, so count is bounded by the bytes.
			if (count > itemBytes / 4)
				return B_BAD_VALUE;
			field.offsets.reserve(count);
			uint64 at = 0;
			for (uint32 j = 0; j < count; j++) {
				if (at + 4 > itemBytes)
					return B_BAD_VALUE;
				uint32 length = read_u32(items + at, false);
				field.offsets.push_back(static_cast<uint32>(at));
				at += 4 + uint64(length);
				if (at > itemBytes)
					return B_BAD_VALUE;
			}
			if (at != itemBytes)
				return B_BAD_VALUE;
		}
		field.data.assign(items, items + itemBytes);
		fields.push_back(std::move(field));
	}

	BMessage::Body& body = BMessage::Private(message).GetBody();
	body.fields = std::move(fields);
	message->what = read_u32(data + 4, false);
	body.flags = flags;
	body.target = static_cast<int32>(read_u32(data + 12, false));
	body.currentSpecifier = static_cast<int32>(read_u32(data + 16, false));
	body.replyPort = static_cast<int32>(read_u32(data + 24, false));
	body.replyTarget = static_cast<int32>(read_u32(data + 28, false));
	body.replyTeam = static_cast<int32>(read_u32(data + 32, false));
	if (used != nullptr)
		*used = static_cast<size_t>(total);
	return B_OK;
}

ssize_t
BMessage::FlattenedSize() const
{
	return static_cast<ssize_t>(native_flattened_size(*this));
}

status_t
BMessage::Flatten(char* buffer, ssize_t size) const
{
	if (buffer == nullptr || size < 0)
		return B_BAD_VALUE;
	if (static_cast<size_t>(size) < native_flattened_size(*this))
		return B_BUFFER_OVERFLOW;
	write_native(*this, reinterpret_cast<uint8*>(buffer));
	return B_OK;
}

status_t
BMessage::Flatten(BDataIO* stream, ssize_t* size) const
{
	return flatten_message(*this, B_MESSAGE_FORMAT_NATIVE, stream, size);
}

status_t
BMessage::Unflatten(const char* flatBuffer)
{
	if (flatBuffer == nullptr)
		return B_BAD_VALUE;
	// The caller vouches for the buffer; its length is what the header declares, which a
	// native header states in its first 44 bytes and the older formats in their first 12.
	const uint8* bytes = reinterpret_cast<const uint8*>(flatBuffer);
	uint64 size = 0;
	switch (detect_message_format(bytes, 4)) {
	case B_MESSAGE_FORMAT_NATIVE:
		size = kHeaderSize + uint64(kFieldHeaderSize) * read_u32(bytes + 40, false) +
			   read_u32(bytes + 36, false);
		break;
	case B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN:
	case B_MESSAGE_FORMAT_R5_BIG_ENDIAN:
		size = read_u32(bytes + 8, bytes[0] == 'F');
		break;
	case B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN:
	case B_MESSAGE_FORMAT_DANO_BIG_ENDIAN:
		size = read_u32(bytes + 4, bytes[0] == 'F');
		break;
	default:
		BMessage::Private(this).Clear();
		return B_NOT_A_MESSAGE;
	}
	return unflatten_message(this, bytes, static_cast<size_t>(size));
}

status_t
BMessage::Unflatten(BDataIO* stream)
{
	return unflatten_message(this, stream);
}

status_t
BMessage::FindMessage(const char* name, BMessage* message) const
{
	return FindMessage(name, 0, message);
}

status_t
BMessage::FindMessage(const char* name, int32 index, BMessage* message) const
{
	if (message == nullptr)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_MESSAGE_TYPE, index, &data, &size);
	if (status != B_OK)
		return status;
	size_t used = 0;
	status = unflatten_message(message, data, static_cast<size_t>(size), &used);
	return status;
}
