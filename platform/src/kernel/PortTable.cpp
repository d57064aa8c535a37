// This process's mappings of ports, and the tests that a port still exists.

#include "PortPrivate.h"
#include "RuntimeDirectory.h"
#include "ThreadPrivate.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sched.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <unordered_map>

namespace BPrivate {

namespace {

struct PortTable {
	std::mutex lock;
	std::unordered_map<port_id, std::shared_ptr<PortMapping>> ports;
};

PortTable&
table()
{
	static PortTable* sTable = new PortTable;
	return *sTable;
}

// The capacity of the port whose file is `length` bytes long, or 0 when no port's file is. The
// header is not asked: any program of the user may have written over it.
int32
capacity_for_length(uint64 length)
{
	const uint64 mebibyte = 1024 * 1024;
	uint64 guess = length / mebibyte;
	if (guess < 4)
		return 0;
	int32 capacity = int32((guess - 2) / 2);
	if (capacity < 1 || capacity > kMaxPortCapacity)
		return 0;
	PortLayout layout = port_layout(capacity);
	return layout.dataOffset + layout.dataSize == length ? capacity : 0;
}

// The owner writes back what others need to open the port, should anything have changed it.
void
restore_layout(PortMapping& port)
{
	PortHeader& header = *port.header;
	const PortHeader& layout = port.layout;
	if (header.version != layout.version || header.id != layout.id ||
		header.capacity != layout.capacity || header.ownerTeam != layout.ownerTeam ||
		memcmp(header.name, layout.name, sizeof(header.name)) != 0 ||
		header.dataOffset != layout.dataOffset || header.dataSize != layout.dataSize) {
		header.version = layout.version;
		header.id = layout.id;
		header.capacity = layout.capacity;
		header.ownerTeam = layout.ownerTeam;
		memcpy(header.name, layout.name, sizeof(header.name));
		header.dataOffset = layout.dataOffset;
		header.dataSize = layout.dataSize;
	}
	if (__atomic_load_n(&header.magic, __ATOMIC_ACQUIRE) != kPortMagic)
		__atomic_store_n(&header.magic, kPortMagic, __ATOMIC_RELEASE);
}

} // namespace

PortLayout
port_layout(int32 capacity)
{
	uint64 slotsEnd = sizeof(PortHeader) + uint64(capacity) * sizeof(PortSlot);
	return PortLayout{(slotsEnd + B_PAGE_SIZE - 1) / B_PAGE_SIZE * B_PAGE_SIZE,
					  (2 * uint64(capacity) + 2) * 1024 * 1024};
}

PortMapping::~PortMapping()
{
	if (base != nullptr)
		munmap(base, length);
	if (fd >= 0)
		close(fd);
}

std::shared_ptr<PortMapping>
open_port_file(const std::string& folder, port_id id)
{
	std::string path = folder + "/port-" + std::to_string(id);
	auto mapping = std::make_shared<PortMapping>();
	mapping->folder = folder;
	mapping->fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
	if (mapping->fd < 0)
		return nullptr;
	struct stat info;
	if (fstat(mapping->fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid() ||
		size_t(info.st_size) < sizeof(PortHeader))
		return nullptr;
	mapping->length = size_t(info.st_size);
	int32 capacity = capacity_for_length(mapping->length);
	if (capacity == 0)
		return nullptr;
	void* base = mmap(nullptr, mapping->length, PROT_READ | PROT_WRITE, MAP_SHARED, mapping->fd, 0);
	if (base == MAP_FAILED)
		return nullptr;
	mapping->base = base;
	mapping->header = static_cast<PortHeader*>(base);
	PortLayout layout = port_layout(capacity);
	mapping->id = id;
	mapping->capacity = capacity;
	mapping->dataOffset = layout.dataOffset;
	mapping->dataSize = layout.dataSize;
	return mapping;
}

std::shared_ptr<PortMapping>
port_mapping(port_id id)
{
	if (id <= 0)
		return nullptr;
	PortTable& ports = table();
	std::string path = runtime_directory_path();
	{
		std::lock_guard<std::mutex> guard(ports.lock);
		auto found = ports.ports.find(id);
		if (found != ports.ports.end() && found->second->folder == path)
			return found->second;
	}
	std::string folder;
	if (runtime_directory(&folder) != B_OK)
		return nullptr;
	std::shared_ptr<PortMapping> mapping = open_port_file(folder, id);
	if (!mapping)
		return nullptr;
	std::lock_guard<std::mutex> guard(ports.lock);
	std::shared_ptr<PortMapping>& entry = ports.ports[id];
	if (!entry || entry->folder != folder)
		entry = mapping;
	return entry;
}

void
remember_port(port_id id, const std::shared_ptr<PortMapping>& mapping)
{
	PortTable& ports = table();
	std::lock_guard<std::mutex> guard(ports.lock);
	ports.ports[id] = mapping;
}

void
forget_port(port_id id, const PortMapping* mapping)
{
	std::shared_ptr<PortMapping> last;
	PortTable& ports = table();
	std::lock_guard<std::mutex> guard(ports.lock);
	auto found = ports.ports.find(id);
	if (found == ports.ports.end() || found->second.get() != mapping)
		return;
	// Unmapped outside the table's lock, once the last user lets go.
	last = std::move(found->second);
	ports.ports.erase(found);
}

void
mark_deleted(PortHeader& header)
{
	header.deleted.store(kPortDeletedMark);
	header.queuedSequence.fetch_add(1);
	header.takenSequence.fetch_add(1);
	wake_word(&header.deleted);
	wake_word(&header.queuedSequence);
	wake_word(&header.takenSequence);
}

status_t
check_port(PortMapping& port)
{
	PortHeader& header = *port.header;
	// A file cut short would fault every access past its new end; it is grown back (the cut
	// part reads as zeros, which the checks of what is queued then refuse).
	struct stat info;
	if (fstat(port.fd, &info) == 0 && size_t(info.st_size) < port.length) {
		if (ftruncate(port.fd, off_t(port.length)) != 0)
			return B_BAD_PORT_ID;
		if (port.owner)
			init_port_lock(header);
	}
	if (port.owner)
		restore_layout(port);
	uint32 mark = header.deleted.load();
	if (mark != 0 && mark != kPortDeletedMark) {
		header.deleted.store(0);
		mark = 0;
	}
	if (port.owner) {
		if (mark == kPortDeletedMark)
			port.deletedHere.store(true);
		if (!port.deletedHere.load())
			return B_OK;
		forget_port(port.id, &port);
		return B_BAD_PORT_ID;
	}
	if (mark == 0) {
		// The owner holds the file's lock exclusively as long as it lives.
		if (flock(port.fd, LOCK_SH | LOCK_NB) == 0) {
			flock(port.fd, LOCK_UN);
			mark_deleted(header);
		}
	}
	if (header.deleted.load() != kPortDeletedMark)
		return B_OK;
	forget_port(port.id, &port);
	return B_BAD_PORT_ID;
}

bool
is_deleted(const PortMapping& port)
{
	return port.owner ? port.deletedHere.load() : port.header->deleted.load() == kPortDeletedMark;
}

PortLocker::PortLocker(PortMapping& port) : fHeader(*port.header), fLocked(false)
{
	// Tried rather than waited for, so that the wait is bounded however the lock's bytes look.
	// The owner, which makes the lock anew, gives up first; the others try on until their own
	// limit, so that a repair by the owner reaches them.
	const bigtime_t limit = port.owner ? 1000000 : 4000000;
	const bigtime_t start = system_time();
	int result;
	for (int tries = 0;; tries++) {
		result = pthread_mutex_trylock(&fHeader.lock);
		if (result == 0 || result == EOWNERDEAD || (result != EBUSY && port.owner))
			break;
		if (system_time() - start >= limit)
			break;
		// Holders keep the lock for a copy of at most 1 MiB: yield first, then sleep a little.
		if (tries < 100) {
			sched_yield();
		} else {
			timespec pause = {0, 200000};
			nanosleep(&pause, nullptr);
		}
	}
	if (result == EOWNERDEAD) {
		// Every change under the lock is committed by one store, so what a dead holder left
		// is consistent.
		pthread_mutex_consistent(&fHeader.lock);
		result = 0;
	} else if (result != 0 && port.owner) {
		init_port_lock(fHeader);
		result = pthread_mutex_trylock(&fHeader.lock);
	}
	fLocked = result == 0;
}

void
init_port_lock(PortHeader& header)
{
	pthread_mutexattr_t attributes;
	pthread_mutexattr_init(&attributes);
	pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
	pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
	pthread_mutex_init(&header.lock, &attributes);
	pthread_mutexattr_destroy(&attributes);
}

PortLocker::~PortLocker()
{
	if (fLocked)
		pthread_mutex_unlock(&fHeader.lock);
}

} // namespace BPrivate
