#include <Node.h>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StoragePrivate.h"

using BPrivate::last_error_status;

node_ref::node_ref() : device(static_cast<dev_t>(-1)), node(static_cast<ino_t>(-1)) {}

node_ref::node_ref(dev_t device, ino_t node) : device(device), node(node) {}

node_ref::node_ref(const node_ref& other) : device(other.device), node(other.node) {}

bool
node_ref::operator==(const node_ref& other) const
{
	return device == other.device && node == other.node;
}

bool
node_ref::operator!=(const node_ref& other) const
{
	return !(*this == other);
}

bool
node_ref::operator<(const node_ref& other) const
{
	return device != other.device ? device < other.device : node < other.node;
}

node_ref&
node_ref::operator=(const node_ref& other)
{
	device = other.device;
	node = other.node;
	return *this;
}

BNode::BNode() : fFd(-1), fStatus(B_NO_INIT), fAttrIndex(0), fAttrsListed(false) {}

BNode::BNode(const entry_ref* ref) : BNode()
{
	SetTo(ref);
}

BNode::BNode(const BEntry* entry) : BNode()
{
	SetTo(entry);
}

BNode::BNode(const char* path) : BNode()
{
	SetTo(path);
}

BNode::BNode(const BDirectory* dir, const char* path) : BNode()
{
	SetTo(dir, path);
}

BNode::BNode(const BNode& node) : BNode()
{
	*this = node;
}

BNode::~BNode()
{
	Unset();
}

status_t
BNode::InitCheck() const
{
	return fStatus;
}

status_t
BNode::GetStat(struct stat* st) const
{
	if (st == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (fstat(fFd, st) != 0)
		return last_error_status();
	return B_OK;
}

status_t
BNode::SetTo(const entry_ref* ref)
{
	Unset();
	if (ref == nullptr)
		return fStatus = B_BAD_VALUE;
	BEntry entry(ref);
	return SetTo(&entry);
}

status_t
BNode::SetTo(const BEntry* entry)
{
	Unset();
	if (entry == nullptr)
		return fStatus = B_BAD_VALUE;
	BPath path;
	status_t status = entry->GetPath(&path);
	if (status != B_OK)
		return fStatus = status;
	return SetTo(path.Path());
}

status_t
BNode::SetTo(const char* path)
{
	Unset();
	if (path == nullptr || path[0] == '\0')
		return fStatus = B_BAD_VALUE;
	// Non-blocking, so that naming a pipe does not wait for a writer.
	return _Open(path, O_RDONLY | O_NONBLOCK);
}

status_t
BNode::SetTo(const BDirectory* dir, const char* path)
{
	Unset();
	if (dir == nullptr || path == nullptr)
		return fStatus = B_BAD_VALUE;
	BEntry entry(dir, path);
	status_t status = entry.InitCheck();
	if (status != B_OK)
		return fStatus = status;
	return SetTo(&entry);
}

void
BNode::Unset()
{
	if (fFd >= 0)
		close(fFd);
	fFd = -1;
	fStatus = B_NO_INIT;
	RewindAttrs();
}

status_t
BNode::_Open(const char* path, int flags, mode_t mode)
{
	int fd = open(path, flags | O_CLOEXEC, mode);
	if (fd < 0)
		return fStatus = last_error_status();
	_Adopt(fd);
	return B_OK;
}

void
BNode::_Adopt(int fd)
{
	if (fFd >= 0)
		close(fFd);
	fFd = fd;
	fStatus = B_OK;
	RewindAttrs();
}

status_t
BNode::Lock()
{
	if (fStatus != B_OK)
		return fStatus;
	if (flock(fFd, LOCK_EX | LOCK_NB) != 0)
		return errno == EWOULDBLOCK ? B_BUSY : last_error_status();
	return B_OK;
}

status_t
BNode::Unlock()
{
	if (fStatus != B_OK)
		return fStatus;
	if (flock(fFd, LOCK_UN) != 0)
		return last_error_status();
	return B_OK;
}

status_t
BNode::Sync()
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (fsync(fFd) != 0)
		return last_error_status();
	return B_OK;
}

BNode&
BNode::operator=(const BNode& node)
{
	if (this == &node)
		return *this;
	Unset();
	if (node.fStatus != B_OK)
		return *this;
	int fd = fcntl(node.fFd, F_DUPFD_CLOEXEC, 0);
	if (fd < 0) {
		fStatus = last_error_status();
		return *this;
	}
	_Adopt(fd);
	return *this;
}

bool
BNode::operator==(const BNode& node) const
{
	if (fStatus != B_OK || node.fStatus != B_OK)
		return fStatus != B_OK && node.fStatus != B_OK;
	node_ref mine;
	node_ref theirs;
	return GetNodeRef(&mine) == B_OK && node.GetNodeRef(&theirs) == B_OK && mine == theirs;
}

bool
BNode::operator!=(const BNode& node) const
{
	return !(*this == node);
}

status_t
BNode::_SetPermissions(mode_t permissions)
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (fchmod(fFd, permissions) != 0)
		return last_error_status();
	return B_OK;
}

status_t
BNode::_SetModificationTime(time_t mtime)
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	struct timespec times[2];
	times[0].tv_sec = 0;
	times[0].tv_nsec = UTIME_OMIT;
	times[1].tv_sec = mtime;
	times[1].tv_nsec = 0;
	if (futimens(fFd, times) != 0)
		return last_error_status();
	return B_OK;
}
