#include <File.h>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StoragePrivate.h"

using BPrivate::last_error_status;

// The open flags of this system for the platform's open mode.
static int
system_open_flags(uint32 openMode)
{
	int flags = 0;
	switch (openMode & 0x3) {
	case B_WRITE_ONLY:
		flags = O_WRONLY;
		break;
	case B_READ_WRITE:
		flags = O_RDWR;
		break;
	default:
		flags = O_RDONLY;
		break;
	}
	if (openMode & B_CREATE_FILE)
		flags |= O_CREAT;
	if (openMode & B_ERASE_FILE)
		flags |= O_TRUNC;
	if (openMode & B_FAIL_IF_EXISTS)
		flags |= O_EXCL;
	if (openMode & B_OPEN_AT_END)
		flags |= O_APPEND;
	return flags;
}

BFile::BFile() : fMode(0) {}

BFile::BFile(const BFile& file) : BNode(), BPositionIO(), fMode(0)
{
	*this = file;
}

BFile::BFile(const entry_ref* ref, uint32 openMode) : fMode(0)
{
	SetTo(ref, openMode);
}

BFile::BFile(const BEntry* entry, uint32 openMode) : fMode(0)
{
	SetTo(entry, openMode);
}

BFile::BFile(const char* path, uint32 openMode) : fMode(0)
{
	SetTo(path, openMode);
}

BFile::BFile(const BDirectory* dir, const char* path, uint32 openMode) : fMode(0)
{
	SetTo(dir, path, openMode);
}

BFile::~BFile() {}

status_t
BFile::SetTo(const entry_ref* ref, uint32 openMode)
{
	Unset();
	if (ref == nullptr)
		return fStatus = B_BAD_VALUE;
	BEntry entry(ref);
	return SetTo(&entry, openMode);
}

status_t
BFile::SetTo(const BEntry* entry, uint32 openMode)
{
	Unset();
	if (entry == nullptr)
		return fStatus = B_BAD_VALUE;
	BPath path;
	status_t status = entry->GetPath(&path);
	if (status != B_OK)
		return fStatus = status;
	return SetTo(path.Path(), openMode);
}

status_t
BFile::SetTo(const char* path, uint32 openMode)
{
	Unset();
	fMode = 0;
	if (path == nullptr || path[0] == '\0')
		return fStatus = B_BAD_VALUE;
	status_t status = _Open(path, system_open_flags(openMode), 0666);
	if (status != B_OK)
		return status;
	struct stat st;
	if (fstat(fFd, &st) != 0) {
		status = last_error_status();
		Unset();
		return fStatus = status;
	}
	if (S_ISDIR(st.st_mode)) {
		Unset();
		return fStatus = B_IS_A_DIRECTORY;
	}
	fMode = openMode;
	return B_OK;
}

status_t
BFile::SetTo(const BDirectory* dir, const char* path, uint32 openMode)
{
	Unset();
	if (dir == nullptr || path == nullptr)
		return fStatus = B_BAD_VALUE;
	BEntry entry(dir, path);
	status_t status = entry.InitCheck();
	if (status != B_OK)
		return fStatus = status;
	return SetTo(&entry, openMode);
}

bool
BFile::IsReadable() const
{
	uint32 access = fMode & 0x3;
	return fStatus == B_OK && (access == B_READ_ONLY || access == B_READ_WRITE);
}

bool
BFile::IsWritable() const
{
	uint32 access = fMode & 0x3;
	return fStatus == B_OK && (access == B_WRITE_ONLY || access == B_READ_WRITE);
}

ssize_t
BFile::Read(void* buffer, size_t size)
{
	if (fStatus != B_OK)
		return fStatus;
	if (buffer == nullptr && size > 0)
		return B_BAD_VALUE;
	while (true) {
		ssize_t result = read(fFd, buffer, size);
		if (result >= 0)
			return result;
		if (errno != EINTR)
			return last_error_status();
	}
}

ssize_t
BFile::ReadAt(off_t location, void* buffer, size_t size)
{
	if (fStatus != B_OK)
		return fStatus;
	if (location < 0 || (buffer == nullptr && size > 0))
		return B_BAD_VALUE;
	while (true) {
		ssize_t result = pread(fFd, buffer, size, location);
		if (result >= 0)
			return result;
		if (errno != EINTR)
			return last_error_status();
	}
}

ssize_t
BFile::Write(const void* buffer, size_t size)
{
	if (fStatus != B_OK)
		return fStatus;
	if (buffer == nullptr && size > 0)
		return B_BAD_VALUE;
	while (true) {
		ssize_t result = write(fFd, buffer, size);
		if (result >= 0)
			return result;
		if (errno != EINTR)
			return last_error_status();
	}
}

ssize_t
BFile::WriteAt(off_t location, const void* buffer, size_t size)
{
	if (fStatus != B_OK)
		return fStatus;
	if (location < 0 || (buffer == nullptr && size > 0))
		return B_BAD_VALUE;
	while (true) {
		ssize_t result = pwrite(fFd, buffer, size, location);
		if (result >= 0)
			return result;
		if (errno != EINTR)
			return last_error_status();
	}
}

off_t
BFile::Seek(off_t offset, uint32 seekMode)
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	int whence;
	switch (seekMode) {
	case SEEK_SET:
	case SEEK_CUR:
	case SEEK_END:
		whence = int(seekMode);
		break;
	default:
		return B_BAD_VALUE;
	}
	off_t result = lseek(fFd, offset, whence);
	if (result < 0)
		return last_error_status();
	return result;
}

off_t
BFile::Position() const
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	off_t result = lseek(fFd, 0, SEEK_CUR);
	if (result < 0)
		return last_error_status();
	return result;
}

status_t
BFile::SetSize(off_t size)
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (size < 0)
		return B_BAD_VALUE;
	if (ftruncate(fFd, size) != 0)
		return last_error_status();
	return B_OK;
}

status_t
BFile::GetSize(off_t* size) const
{
	return BStatable::GetSize(size);
}

BFile&
BFile::operator=(const BFile& file)
{
	if (this == &file)
		return *this;
	BNode::operator=(file);
	fMode = fStatus == B_OK ? file.fMode : 0;
	return *this;
}
