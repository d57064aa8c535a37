#ifndef _RESOURCE_CONTAINER_H
#define _RESOURCE_CONTAINER_H

#include <DataIO.h>
#include <SupportDefs.h>

#include <memory>
#include <string>
#include <vector>

namespace BPrivate {

// One resource: its type, its number, its name ("" when it has none) and its data in the byte
// order of this system.
struct ResourceItem {
	type_code type;
	int32 id;
	std::string name;
	std::vector<uint8> data;
};

typedef std::vector<std::unique_ptr<ResourceItem>> ResourceList;

// The kinds of file that carry a resource container, and where the container starts.
enum ResourceFileKind {
	kResourceFileX86, // "RS\0\0", container after it, little-endian
	kResourceFilePPC, // "Joy!resf", container at 0x28, big-endian
	kResourceFileELF, // after the executable's data, in its byte order
};

struct ContainerLocation {
	ResourceFileKind kind;
	off_t offset;
	bool littleEndian;
	// The file is a resource file that holds no container yet (empty, or only "RS").
	bool empty;
};

// Magic of a container and the fixed parts of its layout.
const uint32 kContainerMagic = 0x444F1000;
const uint32 kContainerHeaderSize = 0x44;
const uint32 kIndexHeaderSize = 0x84;
const uint32 kIndexEntrySize = 12;
const uint32 kIndexSectionGranularity = 0x600;
const uint32 kUnknownSectionSize = 0x168;
const off_t kX86ContainerOffset = 4;
const off_t kPPCContainerOffset = 0x28;

// Tells what kind of file `file` is and where its container lies. An empty file, and a file
// that is only a resource file's signature, are resource files without resources.
status_t locate_container(BPositionIO* file, off_t fileSize, ContainerLocation* location);

// Reads the resources of the container held in `data` (which runs to the end of the file). A
// container whose magic reads right only byte-swapped is taken in the other byte order.
status_t parse_container(const uint8* data, size_t size, bool littleEndian, ResourceList* items);

// Lays out a container holding `items` in the given byte order; the items are grouped by type
// in the order their types first appear.
status_t build_container(const ResourceList& items, bool littleEndian, std::vector<uint8>* out);

// The info table's check sum: its bytes as big-endian 32-bit words, a last partial word taken
// as a big-endian number of its bytes, added up.
uint32 info_table_checksum(const uint8* table, size_t size);

// Turns the data of a resource between the byte orders, as its type says (numbers, points,
// rectangles, version information); other data is left alone.
void swap_resource_data(type_code type, std::vector<uint8>* data);

// The filler word of the container at a given offset from its start.
uint32 container_filler(size_t offset);

} // namespace BPrivate

#endif
