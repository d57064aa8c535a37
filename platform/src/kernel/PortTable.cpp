// This process's mappings of ports, and the tests that a port still exists.

#include "PortPrivate.h"
#include "RuntimeDirectory.h"
#include "ThreadPrivate.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
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

bool
plausible(const PortHeader& header, size_t length, port_id id)
{
	if (__atomic_load_n(&header.magic, __ATOMIC_ACQUIRE) != kPortMagic ||
		header.version != kPortVersion || header.id != id)
		return false;
	if (header.capacity < 1 || header.capacity > kMaxPortCapacity)
		return false;
	uint64 slotsEnd = sizeof(PortHeader) + uint64(header.capacity) * sizeof(PortSlot);
	return header.dataOffset >= slotsEnd && header.dataOffset <= length &&
		   header.dataSize <= length - header.dataOffset;
}

} // namespace

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
	void* base = mmap(nullptr, mapping->length, PROT_READ | PROT_WRITE, MAP_SHARED, mapping->fd, 0);
	if (base == MAP_FAILED)
		return nullptr;
	mapping->base = base;
	mapping->header = static_cast<PortHeader*>(base);
	if (!plausible(*mapping->header, mapping->length, id))
		return nullptr;
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
	header.deleted.store(1);
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
	if (header.deleted.load() == 0 && !port.owner) {
		// The owner holds the file's lock exclusively as long as it lives.
		if (flock(port.fd, LOCK_SH | LOCK_NB) == 0) {
			flock(port.fd, LOCK_UN);
			mark_deleted(header);
		}
	}
	if (header.deleted.load() == 0)
		return B_OK;
	forget_port(header.id, &port);
	return B_BAD_PORT_ID;
}

PortLocker::PortLocker(PortHeader& header) : fHeader(header), fLocked(false)
{
	int result = pthread_mutex_lock(&header.lock);
	if (result == EOWNERDEAD) {
		// Every change under the lock is committed by one store, so what a dead holder left
		// is consistent.
		pthread_mutex_consistent(&header.lock);
		result = 0;
	}
	fLocked = result == 0;
}

PortLocker::~PortLocker()
{
	if (fLocked)
		pthread_mutex_unlock(&fHeader.lock);
}

} // namespace BPrivate
