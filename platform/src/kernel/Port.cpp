// Creating, finding, describing and deleting ports.

#include "PortPrivate.h"
#include "RuntimeDirectory.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace BPrivate {

namespace {

// Holds the folder-wide lock under which names and ids change hands.
class RegistryLocker {
public:
	explicit RegistryLocker(const std::string& folder)
	{
		std::string path = folder + "/registry.lock";
		fFd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
		if (fFd >= 0 && !lock_file_within(fFd)) {
			close(fFd);
			fFd = -1;
		}
	}
	~RegistryLocker()
	{
		if (fFd >= 0)
			close(fFd);
	}
	bool IsLocked() const { return fFd >= 0; }

private:
	int fFd;
};

// The platform keeps names to B_OS_NAME_LENGTH - 1 bytes.
void
copy_name(char* to, const char* from)
{
	size_t length = strnlen(from, B_OS_NAME_LENGTH - 1);
	memcpy(to, from, length);
	to[length] = '\0';
}

std::string
name_link(const std::string& folder, const char* name)
{
	std::string path = folder + "/name-";
	char hex[3];
	for (const char* c = name; *c != '\0'; c++) {
		snprintf(hex, sizeof(hex), "%02x", unsigned(uint8(*c)));
		path += hex;
	}
	return path;
}

port_id
linked_id(const std::string& link)
{
	char target[32];
	ssize_t length = readlink(link.c_str(), target, sizeof(target) - 1);
	if (length <= 0)
		return -1;
	target[length] = '\0';
	char* end = nullptr;
	long id = strtol(target, &end, 10);
	if (*end != '\0' || id <= 0 || id > INT32_MAX)
		return -1;
	return port_id(id);
}

// The port's name as its header holds it, never read past the header's field.
std::string
name_of(const PortMapping& port)
{
	const char* name = port.header->name;
	return std::string(name, strnlen(name, B_OS_NAME_LENGTH - 1));
}

// How many messages wait, never more than the port holds.
int32
queued_count(const PortMapping& port)
{
	uint32 count = uint32(port.header->queue.load() & 0xffffffff);
	return int32(count < uint32(port.capacity) ? count : uint32(port.capacity));
}

bool
is_live(PortMapping& port)
{
	return check_port(port) == B_OK;
}

// Removes the files of ports whose owners died without deleting them, and their names. Every
// creation reads the whole folder, so nothing may pile up in it.
void
remove_dead_ports(const std::string& folder)
{
	DIR* directory = opendir(folder.c_str());
	if (directory == nullptr)
		return;
	std::vector<std::string> names;
	while (dirent* entry = readdir(directory)) {
		if (strncmp(entry->d_name, "name-", 5) == 0) {
			names.push_back(folder + "/" + entry->d_name);
			continue;
		}
		int id = 0;
		char rest = 0;
		if (sscanf(entry->d_name, "port-%d%c", &id, &rest) != 1)
			continue;
		std::string path = folder + "/" + entry->d_name;
		int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
		if (fd < 0)
			continue;
		if (flock(fd, LOCK_SH | LOCK_NB) == 0)
			unlink(path.c_str());
		close(fd);
	}
	closedir(directory);
	// A name is left behind by an owner that died; its port file has gone by now.
	for (const std::string& link : names) {
		port_id id = linked_id(link);
		if (id > 0 && access((folder + "/port-" + std::to_string(id)).c_str(), F_OK) == 0)
			continue;
		unlink(link.c_str());
	}
}

port_id
next_port_id(const std::string& folder)
{
	std::string path = folder + "/next-port-id";
	int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
	if (fd < 0)
		return B_NO_MORE_PORTS;
	char text[16] = {};
	ssize_t length = pread(fd, text, sizeof(text) - 1, 0);
	long next = length > 0 ? strtol(text, nullptr, 10) : 1;
	for (int tries = 0; tries < 100000; tries++, next++) {
		if (next <= 0 || next >= INT32_MAX)
			next = 1;
		std::string file = folder + "/port-" + std::to_string(next);
		if (access(file.c_str(), F_OK) != 0)
			break;
	}
	std::string written = std::to_string(next + 1 >= INT32_MAX ? 1 : next + 1);
	bool stored = ftruncate(fd, 0) == 0 &&
				  pwrite(fd, written.data(), written.size(), 0) == ssize_t(written.size());
	close(fd);
	return stored ? port_id(next) : B_NO_MORE_PORTS;
}

std::shared_ptr<PortMapping>
make_port_file(const std::string& folder, port_id id, int32 capacity, const char* name)
{
	std::string path = folder + "/port-" + std::to_string(id);
	auto mapping = std::make_shared<PortMapping>();
	mapping->owner = true;
	mapping->folder = folder;
	mapping->fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
	if (mapping->fd < 0)
		return nullptr;
	PortLayout layout = port_layout(capacity);
	uint64 dataOffset = layout.dataOffset;
	uint64 dataSize = layout.dataSize;
	mapping->length = dataOffset + dataSize;
	if (flock(mapping->fd, LOCK_EX | LOCK_NB) != 0 ||
		ftruncate(mapping->fd, off_t(mapping->length)) != 0) {
		unlink(path.c_str());
		return nullptr;
	}
	void* base = mmap(nullptr, mapping->length, PROT_READ | PROT_WRITE, MAP_SHARED, mapping->fd, 0);
	if (base == MAP_FAILED) {
		unlink(path.c_str());
		return nullptr;
	}
	mapping->base = base;
	PortHeader* header = new (base) PortHeader{};
	header->version = kPortVersion;
	header->id = id;
	header->capacity = capacity;
	header->ownerTeam = getpid();
	copy_name(header->name, name);
	header->dataOffset = dataOffset;
	header->dataSize = dataSize;
	init_port_lock(*header);
	__atomic_store_n(&header->magic, kPortMagic, __ATOMIC_RELEASE);
	mapping->header = header;
	mapping->layout.magic = kPortMagic;
	mapping->layout.version = kPortVersion;
	mapping->layout.id = id;
	mapping->layout.capacity = capacity;
	mapping->layout.ownerTeam = header->ownerTeam;
	memcpy(mapping->layout.name, header->name, sizeof(header->name));
	mapping->layout.dataOffset = dataOffset;
	mapping->layout.dataSize = dataSize;
	mapping->id = id;
	mapping->capacity = capacity;
	mapping->dataOffset = dataOffset;
	mapping->dataSize = dataSize;
	return mapping;
}

} // namespace

} // namespace BPrivate

using namespace BPrivate;

port_id
create_port(int32 capacity, const char* name)
{
	if (capacity < 1 || capacity > kMaxPortCapacity)
		return B_BAD_VALUE;
	char shortName[B_OS_NAME_LENGTH] = {};
	copy_name(shortName, name != nullptr ? name : "unnamed port");
	std::string folder;
	if (runtime_directory(&folder) != B_OK)
		return B_PERMISSION_DENIED;
	RegistryLocker registry(folder);
	if (!registry.IsLocked())
		return B_TIMED_OUT;
	std::string link = name_link(folder, shortName);
	if (name != nullptr) {
		port_id holder = linked_id(link);
		if (holder > 0) {
			std::shared_ptr<PortMapping> other = port_mapping(holder);
			if (other && name_of(*other) == shortName && is_live(*other))
				return B_NAME_IN_USE;
		}
		unlink(link.c_str());
	}
	remove_dead_ports(folder);
	port_id id = next_port_id(folder);
	if (id < 0)
		return id;
	std::shared_ptr<PortMapping> mapping = make_port_file(folder, id, capacity, shortName);
	if (!mapping)
		return B_NO_MORE_PORTS;
	if (name != nullptr && symlink(std::to_string(id).c_str(), link.c_str()) != 0) {
		unlink((folder + "/port-" + std::to_string(id)).c_str());
		return B_NO_MORE_PORTS;
	}
	remember_port(id, mapping);
	return id;
}

port_id
find_port(const char* name)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	char shortName[B_OS_NAME_LENGTH] = {};
	copy_name(shortName, name);
	std::string folder;
	if (runtime_directory(&folder) != B_OK)
		return B_NAME_NOT_FOUND;
	port_id id = linked_id(name_link(folder, shortName));
	if (id <= 0)
		return B_NAME_NOT_FOUND;
	std::shared_ptr<PortMapping> port = port_mapping(id);
	if (!port || name_of(*port) != shortName || !is_live(*port))
		return B_NAME_NOT_FOUND;
	return id;
}

status_t
delete_port(port_id id)
{
	std::shared_ptr<PortMapping> port = port_mapping(id);
	if (!port || check_port(*port) != B_OK)
		return B_BAD_PORT_ID;
	{
		PortLocker locker(*port);
		if (is_deleted(*port))
			return B_BAD_PORT_ID;
		port->deletedHere.store(true);
		mark_deleted(*port->header);
	}
	std::string folder;
	if (runtime_directory(&folder) == B_OK) {
		// Without the folder's lock the files stay; the next creation removes them as those of
		// a port that is gone.
		RegistryLocker registry(folder);
		if (registry.IsLocked()) {
			std::string link = name_link(folder, name_of(*port).c_str());
			if (linked_id(link) == id)
				unlink(link.c_str());
			unlink((folder + "/port-" + std::to_string(id)).c_str());
		}
	}
	forget_port(id, port.get());
	return B_OK;
}

status_t
get_port_info(port_id id, port_info* info)
{
	if (info == nullptr)
		return B_BAD_VALUE;
	std::shared_ptr<PortMapping> port = port_mapping(id);
	if (!port || check_port(*port) != B_OK)
		return B_BAD_PORT_ID;
	PortHeader& header = *port->header;
	*info = port_info{};
	info->port = id;
	info->team = header.ownerTeam;
	std::string name = name_of(*port);
	memcpy(info->name, name.c_str(), name.size() + 1);
	info->capacity = port->capacity;
	info->queue_count = queued_count(*port);
	info->total_count = int32(header.totalRead.load());
	return B_OK;
}

ssize_t
port_count(port_id id)
{
	std::shared_ptr<PortMapping> port = port_mapping(id);
	if (!port || check_port(*port) != B_OK)
		return B_BAD_PORT_ID;
	return queued_count(*port);
}
