// The predecessor's first format ("FOB1"), in either byte order: a short header with a
// checksum, then each field with its items, ended by a zero byte.
#include <Message.h>

#include <cstring>
#include <unordered_map>

#include "MessagePrivate.h"

namespace {

const uint32 kR5Magic = 0x464F4231;

enum {
	R5_FIELD_VALID = 0x01,
	R5_FIELD_MINI_DATA = 0x02,
	R5_FIELD_FIXED_SIZE = 0x04,
	R5_FIELD_SINGLE_ITEM = 0x08
};

enum { R5_HEADER_VALID = 0x01, R5_HEADER_TARGET = 0x02, R5_HEADER_REPLY = 0x04 };

// Sum of the bytes taken four at a time as big-endian words, in either byte order.
uint32
r5_checksum(const uint8* bytes, size_t size)
{
	uint32 sum = 0;
	size_t i = 0;
	for (; i + 4 <= size; i += 4)
		sum += read_u32(bytes + i, true);
	uint32 tail = 0;
	for (; i < size; i++)
		tail = (tail << 8) | bytes[i];
	return sum + tail;
}

struct Cursor {
	const uint8* data;
	size_t end;
	size_t pos;
	bool big;

	bool Has(size_t n) const { return n <= end - pos; }
	bool Byte(uint8* value)
	{
		if (!Has(1))
			return false;
		*value = data[pos++];
		return true;
	}
	bool Word(uint32* value)
	{
		if (!Has(4))
			return false;
		*value = read_u32(data + pos, big);
		pos += 4;
		return true;
	}
};

} // namespace

// Adds one item read from a file to the fields being built, creating the field on first use.
status_t
append_read_item(std::vector<MessageField>& fields, std::unordered_map<std::string, size_t>& index,
				 const std::string& name, type_code type, bool fixedSize, const uint8* item,
				 uint32 size, bool swap)
{
	auto found = index.find(name);
	MessageField* field;
	if (found == index.end()) {
		if (fixedSize && size == 0)
			return B_BAD_VALUE;
		MessageField created;
		created.name = name;
		created.type = type;
		created.fixedSize = fixedSize;
		created.itemSize = fixedSize ? size : 0;
		index.emplace(name, fields.size());
		fields.push_back(std::move(created));
		field = &fields.back();
	} else {
		field = &fields[found->second];
		if (field->type != type || field->fixedSize != fixedSize ||
			(fixedSize && field->itemSize != size))
			return B_BAD_VALUE;
	}
	field->AppendItem(item, size);
	if (swap) {
		uint32 stored;
		uint8* bytes = const_cast<uint8*>(field->Item(field->count - 1, &stored));
		swap_item_data(type, bytes, stored);
	}
	return B_OK;
}

status_t
read_r5(BMessage* message, const uint8* data, size_t size, size_t* used)
{
	if (size < 4)
		return B_NOT_A_MESSAGE;
	const bool big = data[0] == 'F';
	if (size < 18 || read_u32(data, big) != kR5Magic)
		return B_BAD_VALUE;
	const uint32 total = read_u32(data + 8, big);
	if (total < 18 || total > size)
		return B_BAD_VALUE;
	Cursor in{data, total, 12, big};
	uint32 what = 0;
	uint8 headerFlags = 0;
	in.Word(&what);
	in.Byte(&headerFlags);
	if ((headerFlags & R5_HEADER_VALID) == 0)
		return B_BAD_VALUE;
	int32 target = -1, replyPort = -1, replyTarget = -1, replyTeam = -1;
	uint32 word;
	if ((headerFlags & R5_HEADER_TARGET) != 0) {
		if (!in.Word(&word))
			return B_BAD_VALUE;
		target = static_cast<int32>(word);
	}
	if ((headerFlags & R5_HEADER_REPLY) != 0) {
		uint32 port, token, team;
		if (!in.Word(&port) || !in.Word(&token) || !in.Word(&team) || !in.Has(4))
			return B_BAD_VALUE;
		in.pos += 4;
		replyPort = static_cast<int32>(port);
		replyTarget = static_cast<int32>(token);
		replyTeam = static_cast<int32>(team);
	}

	std::vector<MessageField> fields;
	std::unordered_map<std::string, size_t> index;
	for (;;) {
		uint8 fieldFlags;
		if (!in.Byte(&fieldFlags))
			return B_BAD_VALUE;
		if ((fieldFlags & R5_FIELD_VALID) == 0)
			break;
		const bool mini = (fieldFlags & R5_FIELD_MINI_DATA) != 0;
		const bool fixedSize = (fieldFlags & R5_FIELD_FIXED_SIZE) != 0;
		uint32 type = 0, count = 1, dataSize = 0;
		uint8 small = 0, nameLength = 0;
		if (!in.Word(&type))
			return B_BAD_VALUE;
		if ((fieldFlags & R5_FIELD_SINGLE_ITEM) == 0) {
			if (mini ? !in.Byte(&small) : !in.Word(&count))
				return B_BAD_VALUE;
			if (mini)
				count = small;
		}
		if (mini ? !in.Byte(&small) : !in.Word(&dataSize))
			return B_BAD_VALUE;
		if (mini)
			dataSize = small;
		if (!in.Byte(&nameLength) || !in.Has(nameLength))
			return B_BAD_VALUE;
		std::string name(reinterpret_cast<const char*>(data + in.pos), nameLength);
		in.pos += nameLength;
		if (count == 0 || !in.Has(dataSize))
			return B_BAD_VALUE;
		const uint8* items = data + in.pos;
		in.pos += dataSize;

		if (fixedSize) {
			if (dataSize % count != 0 || dataSize / count == 0)
				return B_BAD_VALUE;
			const uint32 itemSize = dataSize / count;
			for (uint32 i = 0; i < count; i++) {
				status_t status = append_read_item(fields, index, name, type, true,
												   items + size_t(i) * itemSize, itemSize, big);
				if (status != B_OK)
					return status;
			}
			continue;
		}
		if (count > dataSize / 4)
			return B_BAD_VALUE;
		uint64 at = 0;
		for (uint32 i = 0; i < count; i++) {
			if (at + 4 > dataSize)
				return B_BAD_VALUE;
			const uint32 length = read_u32(items + at, big);
			if (at + 4 + uint64(length) > dataSize)
				return B_BAD_VALUE;
			status_t status =
				append_read_item(fields, index, name, type, false, items + at + 4, length, big);
			if (status != B_OK)
				return status;
			// Padding to a multiple of 8 follows each item; its bytes are not meaningful.
			at += 4 + uint64(length);
			at = min_c(uint64(dataSize), (at + 7) & ~uint64(7));
		}
		if (at != dataSize)
			return B_BAD_VALUE;
	}

	BMessage::Body& body = BMessage::Private(message).GetBody();
	body.fields = std::move(fields);
	body.ResetHeader();
	body.target = target;
	body.replyPort = replyPort;
	body.replyTarget = replyTarget;
	body.replyTeam = replyTeam;
	message->what = what;
	if (used != nullptr)
		*used = total;
	return B_OK;
}

status_t
write_r5(const BMessage& message, bool big, uint32 options, int depth, std::vector<uint8>& out)
{
	const BMessage::Body& body = BMessage::Private(&message).GetBody();
	out.clear();
	append_u32(out, kR5Magic, big);
	append_u32(out, 0, big);
	append_u32(out, 0, big);
	append_u32(out, message.what, big);
	uint8 headerFlags = R5_HEADER_VALID;
	if (body.target != -1)
		headerFlags |= R5_HEADER_TARGET;
	out.push_back(headerFlags);
	if (body.target != -1)
		append_u32(out, static_cast<uint32>(body.target), big);
	const size_t headerEnd = out.size();

	std::vector<uint8> items;
	for (const MessageField& field : body.fields) {
		if (field.name.size() > 255)
			return B_BAD_VALUE;
		items.clear();
		for (uint32 i = 0; i < field.count; i++) {
			uint32 size;
			const uint8* item = field.Item(i, &size);
			std::vector<uint8> bytes;
			if (field.type == B_MESSAGE_TYPE && !field.fixedSize) {
				bytes = convert_nested(item, size,
									   big ? B_MESSAGE_FORMAT_R5_BIG_ENDIAN
										   : B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN,
									   options, depth);
			} else {
				bytes.assign(item, item + size);
				if (big)
					swap_item_data(field.type, bytes.data(), bytes.size());
			}
			if (!field.fixedSize)
				append_u32(items, static_cast<uint32>(bytes.size()), big);
			items.insert(items.end(), bytes.begin(), bytes.end());
			if (!field.fixedSize)
				items.resize(items.size() + ((8 - (4 + bytes.size()) % 8) % 8), 0);
		}
		if (items.size() > 0x7fff0000)
			return B_NO_MEMORY;
		const bool mini =
			(options & B_MESSAGE_R5_NO_MINI_DATA) == 0 && items.size() < 256 && field.count < 256;
		const bool single = field.count == 1;
		out.push_back(static_cast<uint8>(R5_FIELD_VALID | (mini ? R5_FIELD_MINI_DATA : 0) |
										 (field.fixedSize ? R5_FIELD_FIXED_SIZE : 0) |
										 (single ? R5_FIELD_SINGLE_ITEM : 0)));
		append_u32(out, field.type, big);
		if (!single) {
			if (mini)
				out.push_back(static_cast<uint8>(field.count));
			else
				append_u32(out, field.count, big);
		}
		if (mini)
			out.push_back(static_cast<uint8>(items.size()));
		else
			append_u32(out, static_cast<uint32>(items.size()), big);
		out.push_back(static_cast<uint8>(field.name.size()));
		out.insert(out.end(), field.name.begin(), field.name.end());
		out.insert(out.end(), items.begin(), items.end());
	}
	out.push_back(0);
	if (out.size() > 0x7fffffff)
		return B_NO_MEMORY;
	write_u32(out.data() + 8, static_cast<uint32>(out.size()), big);
	write_u32(out.data() + 4, r5_checksum(out.data() + 8, headerEnd - 8), big);
	return B_OK;
}
