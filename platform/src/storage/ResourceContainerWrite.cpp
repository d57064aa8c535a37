#include "ResourceContainer.h"

#include <TypeConstants.h>

#include <cstring>

namespace BPrivate {

namespace {

class ContainerWriter {
public:
	ContainerWriter(std::vector<uint8>* out, bool littleEndian)
		: fOut(out), fLittleEndian(littleEndian)
	{}

	void Word(size_t offset, uint32 value)
	{
		uint8* p = fOut->data() + offset;
		for (int i = 0; i < 4; i++) {
			int shift = fLittleEndian ? 8 * i : 8 * (3 - i);
			p[i] = uint8(value >> shift);
		}
	}

	void Half(size_t offset, uint16 value)
	{
		uint8* p = fOut->data() + offset;
		p[fLittleEndian ? 0 : 1] = uint8(value);
		p[fLittleEndian ? 1 : 0] = uint8(value >> 8);
	}

	void Fill(size_t from, size_t to)
	{
		for (size_t at = from; at + 4 <= to; at += 4)
			Word(at, container_filler(at));
	}

private:
	std::vector<uint8>* fOut;
	bool fLittleEndian;
};

bool
host_is_little_endian()
{
	const uint16 probe = 1;
	return *reinterpret_cast<const uint8*>(&probe) == 1;
}

} // namespace

status_t
build_container(const ResourceList& items, bool littleEndian, std::vector<uint8>* out)
{
	// Group the items by type, types in the order they first appear; the index follows the
	// same order, so that the n-th record of the info table names the n-th index entry.
	std::vector<const ResourceItem*> ordered;
	std::vector<type_code> types;
	for (const auto& item : items) {
		bool known = false;
		for (type_code type : types)
			known = known || type == item->type;
		if (!known)
			types.push_back(item->type);
	}
	for (type_code type : types) {
		for (const auto& item : items) {
			if (item->type == type)
				ordered.push_back(item.get());
		}
	}

	uint64 indexSize = kIndexHeaderSize + uint64(kIndexEntrySize) * ordered.size();
	indexSize = (indexSize + kIndexSectionGranularity - 1) / kIndexSectionGranularity *
				kIndexSectionGranularity;
	uint64 dataStart = kContainerHeaderSize + indexSize + kUnknownSectionSize;
	uint64 dataSize = 0;
	uint64 infoSize = 0;
	for (type_code type : types) {
		infoSize += 4 + 8;
		for (const ResourceItem* item : ordered) {
			if (item->type == type)
				infoSize += 10 + item->name.size() + 1;
		}
	}
	infoSize += 8;
	for (const ResourceItem* item : ordered) {
		dataSize += item->data.size();
		if (item->name.size() >= 0xffff)
			return B_NAME_TOO_LONG;
	}
	uint64 infoOffset = dataStart + dataSize;
	uint64 total = infoOffset + infoSize;
	if (total > 0xffffffffu)
		return B_BAD_VALUE;

	out->assign(size_t(total), 0);
	ContainerWriter writer(out, littleEndian);
	bool swap = littleEndian != host_is_little_endian();

	writer.Word(0, kContainerMagic);
	writer.Word(4, uint32(ordered.size()));
	writer.Word(8, kContainerHeaderSize);
	writer.Word(12, uint32(kContainerHeaderSize + indexSize));

	const size_t index = kContainerHeaderSize;
	writer.Fill(index, size_t(dataStart));
	writer.Word(index, kContainerHeaderSize);
	writer.Word(index + 4, uint32(indexSize));
	writer.Word(index + 12, uint32(kContainerHeaderSize + indexSize));
	writer.Word(index + 16, kUnknownSectionSize);
	writer.Word(index + 0x78, uint32(infoOffset));
	writer.Word(index + 0x7c, uint32(infoSize));

	uint64 dataAt = dataStart;
	for (size_t i = 0; i < ordered.size(); i++) {
		const ResourceItem* item = ordered[i];
		size_t entry = index + kIndexHeaderSize + i * kIndexEntrySize;
		writer.Word(entry, uint32(dataAt));
		writer.Word(entry + 4, uint32(item->data.size()));
		writer.Word(entry + 8, 0);
		if (!item->data.empty()) {
			std::vector<uint8> data = item->data;
			if (swap)
				swap_resource_data(item->type, &data);
			memcpy(out->data() + dataAt, data.data(), data.size());
		}
		dataAt += item->data.size();
	}

	size_t at = size_t(infoOffset);
	uint32 recordIndex = 1;
	for (type_code type : types) {
		writer.Word(at, type);
		at += 4;
		for (const ResourceItem* item : ordered) {
			if (item->type != type)
				continue;
			writer.Word(at, uint32(item->id));
			writer.Word(at + 4, recordIndex++);
			writer.Half(at + 8, uint16(item->name.size() + 1));
			at += 10;
			memcpy(out->data() + at, item->name.c_str(), item->name.size() + 1);
			at += item->name.size() + 1;
		}
		memset(out->data() + at, 0xff, 8);
		at += 8;
	}
	uint32 checksum = info_table_checksum(out->data() + infoOffset, at - size_t(infoOffset));
	writer.Word(at, checksum);
	writer.Word(at + 4, 0);
	return B_OK;
}

void
swap_resource_data(type_code type, std::vector<uint8>* data)
{
	size_t unit = 0;
	size_t count = 0;
	switch (type) {
	case B_INT16_TYPE:
	case B_UINT16_TYPE:
		unit = 2;
		break;
	case B_INT32_TYPE:
	case B_UINT32_TYPE:
	case B_FLOAT_TYPE:
	case B_SIZE_T_TYPE:
	case B_SSIZE_T_TYPE:
	case B_POINT_TYPE: // two floats
	case B_RECT_TYPE:  // four floats
	case 'APPF':       // application flags
		unit = 4;
		break;
	case 'APPV': // version information: five 32-bit numbers, then texts
		unit = 4;
		count = 5;
		break;
	case B_INT64_TYPE:
	case B_UINT64_TYPE:
	case B_DOUBLE_TYPE:
	case B_OFF_T_TYPE:
		unit = 8;
		break;
	default:
		return;
	}
	size_t units = data->size() / unit;
	if (count != 0 && units > count)
		units = count;
	for (size_t i = 0; i < units; i++) {
		uint8* p = data->data() + i * unit;
		for (size_t a = 0, b = unit - 1; a < b; a++, b--) {
			uint8 keep = p[a];
			p[a] = p[b];
			p[b] = keep;
		}
	}
}

} // namespace BPrivate
