// The predecessor's second format ("FOB2"): eight-byte aligned sections, one per field, after a
// header section that states the whole length.
#include <Message.h>

#include "MessagePrivate.h"

namespace {

const uint32 kDanoMagic = 0x464F4232;
const uint32 kSectionOffsets = 'STof';
const uint32 kSectionSingle = 'SGDa';
const uint32 kSectionFixedArray = 'FADa';
const uint32 kSectionVariableArray = 'VADa';
const uint32 kSectionEnd = 'DDEn';

uint64
pad8(uint64 value)
{
	return (value + 7) & ~uint64(7);
}

void
pad_to_8(std::vector<uint8>& out, size_t from)
{
	out.resize(from + pad8(out.size() - from), 0);
}

// Type, a word, the name length, the name and its NUL: the start of every data section.
void
append_field_intro(std::vector<uint8>& out, const MessageField& field, uint32 word, bool big)
{
	append_u32(out, field.type, big);
	append_u32(out, word, big);
	out.push_back(static_cast<uint8>(field.name.size()));
	out.insert(out.end(), field.name.begin(), field.name.end());
	out.push_back(0);
}

} // namespace

status_t
read_dano(BMessage* message, const uint8* data, size_t size, size_t* used)
{
	if (size < 4)
		return B_NOT_A_MESSAGE;
	const bool big = data[0] == 'F';
	if (size < 16 || read_u32(data, big) != kDanoMagic)
		return B_BAD_VALUE;
	const uint32 total = read_u32(data + 4, big);
	if (total < 16 || total > size)
		return B_BAD_VALUE;
	const uint32 what = read_u32(data + 8, big);

	std::vector<MessageField> fields;
	std::unordered_map<std::string, size_t> index;
	uint64 pos = 16;
	while (pos + 8 <= total) {
		const uint32 code = read_u32(data + pos, big);
		const uint32 sectionSize = read_u32(data + pos + 4, big);
		if (sectionSize < 8 || pos + sectionSize > total)
			return B_BAD_VALUE;
		if (code == kSectionEnd)
			break;
		const uint8* body = data + pos + 8;
		const uint64 length = sectionSize - 8;
		pos += pad8(sectionSize);
		if (code != kSectionSingle && code != kSectionFixedArray && code != kSectionVariableArray)
			continue;

		if (length < 10)
			return B_BAD_VALUE;
		const uint32 type = read_u32(body, big);
		const uint32 word = read_u32(body + 4, big);
		const uint8 nameLength = body[8];
		const uint64 dataStart = pad8(10 + uint64(nameLength));
		if (dataStart > length)
			return B_BAD_VALUE;
		const std::string name(reinterpret_cast<const char*>(body + 9), nameLength);

		if (code == kSectionSingle) {
			if (dataStart + word > length)
				return B_BAD_VALUE;
			status_t status = append_read_item(fields, index, name, type, is_fixed_size_type(type),
											   body + dataStart, word, big);
			if (status != B_OK)
				return status;
			continue;
		}
		if (dataStart + 8 > length)
			return B_BAD_VALUE;
		const uint32 count = read_u32(body + dataStart, big);
		const uint8* items = body + dataStart + 8;
		const uint64 room = length - dataStart - 8;
		if (count == 0)
			return B_BAD_VALUE;
		if (code == kSectionFixedArray) {
			if (word == 0 || uint64(count) * word > room)
				return B_BAD_VALUE;
			for (uint32 i = 0; i < count; i++) {
				status_t status = append_read_item(fields, index, name, type, true,
												   items + uint64(i) * word, word, big);
				if (status != B_OK)
					return status;
			}
			continue;
		}
		const uint32 dataSize = read_u32(body + dataStart + 4, big);
		if (uint64(dataSize) + 4 * uint64(count) > room)
			return B_BAD_VALUE;
		const uint8* ends = items + dataSize;
		uint64 start = 0;
		for (uint32 i = 0; i < count; i++) {
			const uint32 end = read_u32(ends + 4 * uint64(i), big);
			if (end < start || end > dataSize)
				return B_BAD_VALUE;
			status_t status = append_read_item(fields, index, name, type, false, items + start,
											   static_cast<uint32>(end - start), big);
			if (status != B_OK)
				return status;
			start = pad8(end);
		}
	}

	BMessage::Body& body = BMessage::Private(message).GetBody();
	body.fields = std::move(fields);
	body.ResetHeader();
	message->what = what;
	if (used != nullptr)
		*used = total;
	return B_OK;
}

status_t
write_dano(const BMessage& message, bool big, int depth, std::vector<uint8>& out)
{
	const BMessage::Body& body = BMessage::Private(&message).GetBody();
	const message_format nestedFormat =
		big ? B_MESSAGE_FORMAT_DANO_BIG_ENDIAN : B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN;
	out.clear();
	append_u32(out, kDanoMagic, big);
	append_u32(out, 0, big);
	append_u32(out, message.what, big);
	append_u32(out, 0, big);
	// Offsets of the end of the data, relative to the first data section; filled in last.
	append_u32(out, kSectionOffsets, big);
	append_u32(out, 24, big);
	out.resize(out.size() + 16, 0);
	const size_t firstData = out.size();

	std::vector<std::vector<uint8>> items;
	for (const MessageField& field : body.fields) {
		if (field.name.size() > 255)
			return B_BAD_VALUE;
		items.clear();
		for (uint32 i = 0; i < field.count; i++) {
			uint32 size;
			const uint8* item = field.Item(i, &size);
			if (field.type == B_MESSAGE_TYPE && !field.fixedSize) {
				items.push_back(convert_nested(item, size, nestedFormat, 0, depth));
			} else {
				items.emplace_back(item, item + size);
				if (big)
					swap_item_data(field.type, items.back().data(), size);
			}
		}
		const size_t section = out.size();
		if (field.count == 1 && field.fixedSize == is_fixed_size_type(field.type)) {
			append_u32(out, kSectionSingle, big);
			append_u32(out, 0, big);
			append_field_intro(out, field, static_cast<uint32>(items[0].size()), big);
			pad_to_8(out, section + 8);
			out.insert(out.end(), items[0].begin(), items[0].end());
		} else if (field.fixedSize) {
			append_u32(out, kSectionFixedArray, big);
			append_u32(out, 0, big);
			append_field_intro(out, field, field.itemSize, big);
			pad_to_8(out, section + 8);
			append_u32(out, field.count, big);
			append_u32(out, 0, big);
			for (const auto& bytes : items)
				out.insert(out.end(), bytes.begin(), bytes.end());
		} else {
			append_u32(out, kSectionVariableArray, big);
			append_u32(out, 0, big);
			append_field_intro(out, field, 0, big);
			pad_to_8(out, section + 8);
			append_u32(out, field.count, big);
			const size_t sizeAt = out.size();
			append_u32(out, 0, big);
			const size_t dataStart = out.size();
			std::vector<uint32> ends;
			for (const auto& bytes : items) {
				pad_to_8(out, dataStart);
				out.insert(out.end(), bytes.begin(), bytes.end());
				ends.push_back(static_cast<uint32>(out.size() - dataStart));
			}
			pad_to_8(out, dataStart);
			write_u32(out.data() + sizeAt, static_cast<uint32>(out.size() - dataStart), big);
			for (uint32 end : ends)
				append_u32(out, end, big);
		}
		if (out.size() - section > 0x7fff0000)
			return B_NO_MEMORY;
		write_u32(out.data() + section + 4, static_cast<uint32>(out.size() - section), big);
		pad_to_8(out, section);
	}
	const uint32 endOfData = static_cast<uint32>(out.size() - firstData);
	write_u32(out.data() + 24, endOfData, big);
	write_u32(out.data() + 28, endOfData, big);
	append_u32(out, kSectionEnd, big);
	append_u32(out, 8, big);
	if (out.size() > 0x7fffffff)
		return B_NO_MEMORY;
	write_u32(out.data() + 4, static_cast<uint32>(out.size()), big);
	return B_OK;
}
