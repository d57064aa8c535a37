#ifndef _PORT_PRIVATE_H
#define _PORT_PRIVATE_H

#include <OS.h>

#include <atomic>
#include <memory>
#include <pthread.h>
#include <string>

namespace BPrivate {

// A port is one file in the runtime folder, "port-<id>", mapped by every process that uses it:
// a header, a table of `capacity` message slots and a data area where message bytes are laid
// out as a ring. The data area is sparse: pages exist only while something is queued on them,
// and pages the reader has passed are handed back to the system. The owner holds an exclusive
// flock on the file for its lifetime; when its process dies the kernel drops the lock, which is
// how everybody else learns that the port is gone. "name-<hex of name>" is a symbolic link to
// the id of the live port of that name. "registry.lock" serialises creation and deletion,
// "next-port-id" hands out ids unique among the user's processes.

constexpr uint32 kPortMagic = 0x62505254;
constexpr uint32 kPortVersion = 1;
constexpr int32 kMaxPortCapacity = 4096;
constexpr uint64 kMaxPortMessage = 1024 * 1024;
// The value of PortHeader::deleted for a deleted port; anything else but 0 was written over it.
constexpr uint32 kPortDeletedMark = 0x44454144;

// Where a port of `capacity` messages keeps its data: after the header and the slots, on a page
// boundary, room for twice the capacity in largest messages (see write_port_etc). A port's file
// is exactly dataOffset + dataSize long, so the layout follows from the file alone.
struct PortLayout {
	uint64 dataOffset;
	uint64 dataSize;
};
PortLayout port_layout(int32 capacity);

struct PortSlot {
	uint64 offset;
	uint32 size;
	int32 code;
};

struct PortHeader {
	uint32 magic;
	uint32 version;
	port_id id;
	int32 capacity;
	team_id ownerTeam;
	uint32 reserved;
	char name[B_OS_NAME_LENGTH];
	uint64 dataOffset;
	uint64 dataSize;
	// Robust, so that a process killed while it holds the lock does not wedge the port.
	pthread_mutex_t lock;
	// Set when the port is deleted or its owner found dead; a futex word.
	std::atomic<uint32> deleted;
	// Bumped whenever a message is queued and whenever one is taken; futex words.
	std::atomic<uint32> queuedSequence;
	std::atomic<uint32> takenSequence;
	// Index of the first message in the high half, number of messages in the low half: the
	// single word whose store commits a write or a read, so that a process killed in the middle
	// of either leaves the queue as it was.
	std::atomic<uint64> queue;
	std::atomic<uint32> totalRead;
	uint32 reserved2;
	// End of the highest data byte written since the area was last handed back.
	uint64 touchedEnd;

	PortSlot* Slots() { return reinterpret_cast<PortSlot*>(this + 1); }
};

// One process's mapping of a port. Any process of the user can write into the file, so the
// layout is taken once, checked, when the port is mapped, and everything read from the shared
// memory later (queue, slots, marks) is checked against it before use.
struct PortMapping {
	~PortMapping();

	uint8* Data() const { return static_cast<uint8*>(base) + dataOffset; }

	int fd = -1;
	void* base = nullptr;
	size_t length = 0;
	port_id id = -1;
	bool owner = false;
	// For the owner, whether the port was deleted, by itself or through the mark another
	// process set: anything else written over the mark is taken back.
	std::atomic<bool> deletedHere{false};
	PortHeader* header = nullptr;
	int32 capacity = 0;
	uint64 dataOffset = 0;
	uint64 dataSize = 0;
	// The owner's copy of what it wrote into the header, to write back over damage.
	PortHeader layout{};
	// The runtime folder the port lives in; ids are unique only within one.
	std::string folder;
};

// The mapping of a port by its id, from this process's table or opened from the runtime
// folder; null when there is no such port.
std::shared_ptr<PortMapping> port_mapping(port_id id);
// Opens "port-<id>" in folder and checks that it holds a port.
std::shared_ptr<PortMapping> open_port_file(const std::string& folder, port_id id);
void remember_port(port_id id, const std::shared_ptr<PortMapping>& mapping);
// Drops this process's mapping of the port, if the table still holds that one.
void forget_port(port_id id, const PortMapping* mapping);

// B_OK while the port exists and its owner lives; marks a port whose owner died as deleted.
status_t check_port(PortMapping& port);
void mark_deleted(PortHeader& header);
bool is_deleted(const PortMapping& port);

// Holds the port's robust lock. A lock that stays taken for a second (a frozen holder, or bytes
// written over it) is made anew by the port's owner; anyone else gives up after 4 s.
class PortLocker {
public:
	explicit PortLocker(PortMapping& port);
	~PortLocker();
	bool IsLocked() const { return fLocked; }

private:
	PortHeader& fHeader;
	bool fLocked;
};

// Sets up the port's lock as shared between processes and robust.
void init_port_lock(PortHeader& header);

} // namespace BPrivate

#endif
