#include "ResourceContainer.h"

#include <cstring>

namespace BPrivate {

namespace {

const uint32 kELFSegmentNull = 0;
const uint32 kELFSectionNull = 0;
const uint32 kELFSectionNoBits = 8;
const uint64 kELF32MinAlignment = 32;
const uint64 kELF64Alignment = 8;

class ELFReader {
public:
	ELFReader(bool littleEndian) : fLittleEndian(littleEndian) {}

	uint64 Get(const uint8* p, int size) const
	{
		uint64 value = 0;
		for (int i = 0; i < size; i++) {
			int from = fLittleEndian ? size - 1 - i : i;
			value = value << 8 | p[from];
		}
		return value;
	}

private:
	bool fLittleEndian;
};

void
extend(uint64* end, uint64 offset, uint64 size)
{
	// Sums past 64 bits cannot be a real file's offset; they are left out.
	if (offset + size >= offset && offset + size > *end)
		*end = offset + size;
}

// Reads a table of `count` entries of `entrySize` bytes at `offset`.
status_t
read_table(BPositionIO* file, off_t fileSize, uint64 offset, uint64 count, uint64 entrySize,
		   std::vector<uint8>* table)
{
	uint64 size = count * entrySize;
	if (offset > uint64(fileSize) || size > uint64(fileSize) - offset)
		return B_BAD_DATA;
	table->resize(size_t(size));
	if (size > 0 && file->ReadAt(off_t(offset), table->data(), size_t(size)) != ssize_t(size))
		return B_IO_ERROR;
	return B_OK;
}

// Where an executable's data ends: past its headers, its segments and its sections, rounded
// up as the platform rounds it.
status_t
locate_in_elf(BPositionIO* file, off_t fileSize, ContainerLocation* location)
{
	uint8 header[64];
	if (fileSize < 52 || file->ReadAt(0, header, sizeof(header)) < 52)
		return B_BAD_DATA;
	bool is64 = header[4] == 2;
	if ((header[4] != 1 && !is64) || (header[5] != 1 && header[5] != 2))
		return B_BAD_DATA;
	if (is64 && fileSize < 64)
		return B_BAD_DATA;
	bool littleEndian = header[5] == 1;
	ELFReader elf(littleEndian);

	int word = is64 ? 8 : 4;
	uint64 phoff = elf.Get(header + (is64 ? 32 : 28), word);
	uint64 shoff = elf.Get(header + (is64 ? 40 : 32), word);
	const uint8* sizes = header + (is64 ? 52 : 40);
	uint64 headerSize = elf.Get(sizes, 2);
	uint64 phentsize = elf.Get(sizes + 2, 2);
	uint64 phnum = elf.Get(sizes + 4, 2);
	uint64 shentsize = elf.Get(sizes + 6, 2);
	uint64 shnum = elf.Get(sizes + 8, 2);
	if (phnum > 0 && phentsize < uint64(is64 ? 56 : 32))
		return B_BAD_DATA;
	if (shnum > 0 && shentsize < uint64(is64 ? 64 : 40))
		return B_BAD_DATA;

	uint64 end = headerSize;
	uint64 alignment = is64 ? kELF64Alignment : kELF32MinAlignment;
	std::vector<uint8> table;
	if (phnum > 0) {
		status_t status = read_table(file, fileSize, phoff, phnum, phentsize, &table);
		if (status != B_OK)
			return status;
		extend(&end, phoff, phnum * phentsize);
		for (uint64 i = 0; i < phnum; i++) {
			const uint8* entry = table.data() + i * phentsize;
			if (elf.Get(entry, 4) == kELFSegmentNull)
				continue;
			uint64 offset = elf.Get(entry + (is64 ? 8 : 4), word);
			uint64 fileBytes = elf.Get(entry + (is64 ? 32 : 16), word);
			extend(&end, offset, fileBytes);
			if (!is64) {
				uint64 align = elf.Get(entry + 28, 4);
				if (align > alignment)
					alignment = align;
			}
		}
	}
	if (shnum > 0) {
		status_t status = read_table(file, fileSize, shoff, shnum, shentsize, &table);
		if (status != B_OK)
			return status;
		extend(&end, shoff, shnum * shentsize);
		for (uint64 i = 0; i < shnum; i++) {
			const uint8* entry = table.data() + i * shentsize;
			uint64 type = elf.Get(entry + 4, 4);
			if (type == kELFSectionNull || type == kELFSectionNoBits)
				continue;
			uint64 offset = elf.Get(entry + (is64 ? 24 : 16), word);
			uint64 size = elf.Get(entry + (is64 ? 32 : 20), word);
			extend(&end, offset, size);
		}
	}
	if (alignment > (uint64(1) << 40))
		return B_BAD_DATA;
	uint64 aligned = (end + alignment - 1) / alignment * alignment;
	if (aligned > uint64(INT64_MAX))
		return B_BAD_DATA;
	location->kind = kResourceFileELF;
	location->offset = off_t(aligned);
	location->littleEndian = littleEndian;
	return B_OK;
}

} // namespace

status_t
locate_container(BPositionIO* file, off_t fileSize, ContainerLocation* location)
{
	uint8 start[8] = {};
	ssize_t read = fileSize > 0 ? file->ReadAt(0, start, sizeof(start)) : 0;
	if (read < 0)
		return status_t(read);
	location->empty = false;
	if (read == 0 || (read >= 2 && memcmp(start, "RS", 2) == 0)) {
		location->kind = kResourceFileX86;
		location->offset = kX86ContainerOffset;
		location->littleEndian = true;
		location->empty = read < 4 || memcmp(start, "RS\0\0", 4) != 0;
		return B_OK;
	}
	if (read == 8 && memcmp(start, "Joy!resf", 8) == 0) {
		location->kind = kResourceFilePPC;
		location->offset = kPPCContainerOffset;
		location->littleEndian = false;
		return B_OK;
	}
	if (read >= 4 && memcmp(start,
							"\x7f"
							"ELF",
							4) == 0)
		return locate_in_elf(file, fileSize, location);
	return B_BAD_DATA;
}

} // namespace BPrivate
