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
	uint8* Data() { return reinterpret_cast<uint8*>(this) + dataOffset; }
};

// One process's mapping of a port.
struct PortMapping {
	~PortMapping();

	int fd = -1;
	void* base = nullptr;
	size_t length = 0;
	bool owner = false;
	PortHeader* header = nullptr;
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

// Holds the port's robust lock.
class PortLocker {
public:
	explicit PortLocker(PortHeader& header);
	~PortLocker();
	bool IsLocked() const { return fLocked; }

private:
	PortHeader& fHeader;
	bool fLocked;
};

} // namespace BPrivate

#endif
