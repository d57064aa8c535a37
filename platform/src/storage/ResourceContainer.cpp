#include "ResourceContainer.h"

#include <cstring>

namespace BPrivate {

namespace {

// Reads 32-bit and 16-bit words of a container in its byte order, within its bounds.
class ContainerReader {
public:
	ContainerReader(const uint8* data, size_t size, bool littleEndian)
		: fData(data), fSize(size), fLittleEndian(littleEndian)
	{}

	bool Has(uint64 offset, uint64 length) const
	{
		return offset <= fSize && length <= fSize - offset;
	}

	uint32 Word(size_t offset) const
	{
		const uint8* p = fData + offset;
		if (fLittleEndian)
			return uint32(p[0]) | uint32(p[1]) << 8 | uint32(p[2]) << 16 | uint32(p[3]) << 24;
		return uint32(p[3]) | uint32(p[2]) << 8 | uint32(p[1]) << 16 | uint32(p[0]) << 24;
	}

	uint16 Half(size_t offset) const
	{
		const uint8* p = fData + offset;
		if (fLittleEndian)
			return uint16(p[0] | p[1] << 8);
		return uint16(p[1] | p[0] << 8);
	}

	const uint8* Bytes(size_t offset) const { return fData + offset; }

private:
	const uint8* fData;
	size_t fSize;
	bool fLittleEndian;
};

struct IndexEntry {
	uint32 offset;
	uint32 size;
	bool valid;
	bool used;
};

bool
host_is_little_endian()
{
	const uint16 probe = 1;
	return *reinterpret_cast<const uint8*>(&probe) == 1;
}

bool
is_group_end(const ContainerReader& reader, size_t offset, size_t end)
{
	if (offset + 8 > end)
		return false;
	static const uint8 kEnd[8] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
	return memcmp(reader.Bytes(offset), kEnd, 8) == 0;
}

// Reads the index entries up to the first that equals the filler, or to the end of the index.
status_t
read_index(const ContainerReader& reader, size_t size, std::vector<IndexEntry>* entries)
{
	uint32 indexOffset = reader.Word(8);
	if (!reader.Has(indexOffset, kIndexHeaderSize))
		return B_BAD_DATA;
	uint32 indexSize = reader.Word(indexOffset + 4);
	uint64 slots =
		indexSize > kIndexHeaderSize ? (indexSize - kIndexHeaderSize) / kIndexEntrySize : 0;
	uint64 first = uint64(indexOffset) + kIndexHeaderSize;
	uint64 fit = (size - first) / kIndexEntrySize;
	if (slots > fit)
		slots = fit;
	for (uint64 i = 0; i < slots; i++) {
		size_t at = size_t(first + i * kIndexEntrySize);
		uint32 offset = reader.Word(at);
		uint32 length = reader.Word(at + 4);
		uint32 third = reader.Word(at + 8);
		if (offset == container_filler(at) && length == container_filler(at + 4) &&
			third == container_filler(at + 8))
			break;
		entries->push_back(IndexEntry{offset, length, reader.Has(offset, length), false});
	}
	return B_OK;
}

} // namespace

uint32
container_filler(size_t offset)
{
	static const uint32 kPattern[3] = {0xffffffff, 0x000003e9, 0x00000000};
	return kPattern[(offset / 4) % 3];
}

status_t
parse_container(const uint8* data, size_t size, bool littleEndian, ResourceList* items)
{
	items->clear();
	if (size == 0)
		return B_OK;
	if (size < kContainerHeaderSize + kIndexHeaderSize)
		return B_BAD_DATA;
	ContainerReader probe(data, size, littleEndian);
	if (probe.Word(0) != kContainerMagic) {
		littleEndian = !littleEndian;
		if (ContainerReader(data, size, littleEndian).Word(0) != kContainerMagic)
			return B_BAD_DATA;
	}
	ContainerReader reader(data, size, littleEndian);

	std::vector<IndexEntry> entries;
	status_t status = read_index(reader, size, &entries);
	if (status != B_OK)
		return status;

	uint32 indexOffset = reader.Word(8);
	uint32 infoOffset = reader.Word(indexOffset + 0x78);
	uint32 infoSize = reader.Word(indexOffset + 0x7c);
	if (!reader.Has(infoOffset, 0))
		return B_BAD_DATA;
	size_t end = reader.Has(infoOffset, infoSize) ? size_t(infoOffset) + infoSize : size;

	bool swap = littleEndian != host_is_little_endian();
	size_t at = infoOffset;
	// A type group is at least its type, one record and the group's end.
	const size_t kSmallestGroup = 4 + 10 + 8;
	while (end - at >= kSmallestGroup) {
		type_code type = reader.Word(at);
		at += 4;
		while (true) {
			if (end - at < 10)
				return B_OK;
			int32 id = int32(reader.Word(at));
			uint32 index = reader.Word(at + 4);
			uint16 nameSize = reader.Half(at + 8);
			at += 10;
			if (end - at < nameSize)
				return B_OK;
			const char* name = reinterpret_cast<const char*>(reader.Bytes(at));
			std::string itemName(name, strnlen(name, nameSize));
			at += nameSize;

			// Records without a usable index entry are dropped, as are index entries without
			// a record.
			if (index >= 1 && index <= entries.size() && entries[index - 1].valid &&
				!entries[index - 1].used) {
				IndexEntry& entry = entries[index - 1];
				entry.used = true;
				auto item = std::make_unique<ResourceItem>();
				item->type = type;
				item->id = id;
				item->name = itemName;
				item->data.assign(data + entry.offset, data + entry.offset + entry.size);
				if (swap)
					swap_resource_data(type, &item->data);
				items->push_back(std::move(item));
			}
			if (is_group_end(reader, at, end)) {
				at += 8;
				break;
			}
		}
	}
	return B_OK;
}

uint32
info_table_checksum(const uint8* table, size_t size)
{
	uint32 sum = 0;
	size_t whole = size / 4 * 4;
	for (size_t i = 0; i < whole; i += 4)
		sum += uint32(table[i]) << 24 | uint32(table[i + 1]) << 16 | uint32(table[i + 2]) << 8 |
			   table[i + 3];
	uint32 last = 0;
	for (size_t i = whole; i < size; i++)
		last = last << 8 | table[i];
	return sum + last;
}

} // namespace BPrivate
