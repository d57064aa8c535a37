#include <Entry.h>

#include <Directory.h>
#include <Path.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StoragePrivate.h"

using BPrivate::last_error_status;

BEntry::BEntry() : fStatus(B_NO_INIT) {}

BEntry::BEntry(const BDirectory* dir, const char* path, bool traverse) : fStatus(B_NO_INIT)
{
	SetTo(dir, path, traverse);
}

BEntry::BEntry(const entry_ref* ref, bool traverse) : fStatus(B_NO_INIT)
{
	SetTo(ref, traverse);
}

BEntry::BEntry(const char* path, bool traverse) : fStatus(B_NO_INIT)
{
	SetTo(path, traverse);
}

BEntry::BEntry(const BEntry& entry) : BStatable(), fPath(entry.fPath), fStatus(entry.fStatus) {}

BEntry::~BEntry() {}

status_t
BEntry::InitCheck() const
{
	return fStatus;
}

bool
BEntry::Exists() const
{
	struct stat st;
	return fStatus == B_OK && lstat(fPath.c_str(), &st) == 0;
}

status_t
BEntry::GetStat(struct stat* st) const
{
	if (st == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (lstat(fPath.c_str(), st) != 0)
		return last_error_status();
	return B_OK;
}

status_t
BEntry::SetTo(const BDirectory* dir, const char* path, bool traverse)
{
	if (dir == nullptr) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	if (path != nullptr && path[0] == '/')
		return SetTo(path, traverse);
	BEntry folder;
	status_t status = dir->GetEntry(&folder);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	std::string full = folder.fPath;
	if (path != nullptr && path[0] != '\0') {
		if (full.back() != '/')
			full += '/';
		full += path;
	}
	return SetTo(full.c_str(), traverse);
}

status_t
BEntry::SetTo(const entry_ref* ref, bool traverse)
{
	if (ref == nullptr) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	std::string path;
	status_t status = BPrivate::path_for_ref(ref->device, ref->directory, ref->name, &path);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	return SetTo(path.c_str(), traverse);
}

status_t
BEntry::SetTo(const char* path, bool traverse)
{
	Unset();
	if (path == nullptr || path[0] == '\0')
		return fStatus = B_BAD_VALUE;
	std::string normalized;
	status_t status = BPrivate::normalize_path(path, &normalized);
	if (status != B_OK)
		return fStatus = status;
	if (traverse) {
		struct stat st;
		if (lstat(normalized.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
			char* resolved = realpath(normalized.c_str(), nullptr);
			if (resolved == nullptr)
				return fStatus = last_error_status();
			normalized = resolved;
			free(resolved);
		}
	}
	fPath = normalized;
	return fStatus = B_OK;
}

void
BEntry::Unset()
{
	fPath.clear();
	fStatus = B_NO_INIT;
}

status_t
BEntry::GetRef(entry_ref* ref) const
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	int32 device;
	int64 directory;
	std::string name;
	status_t status = BPrivate::ref_fields_for_path(fPath, &device, &directory, &name);
	if (status != B_OK)
		return status;
	ref->device = device;
	ref->directory = directory;
	return ref->set_name(name.c_str());
}

status_t
BEntry::GetPath(BPath* path) const
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	return path->SetTo(fPath.c_str());
}

status_t
BEntry::GetParent(BEntry* entry) const
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (fPath == "/")
		return B_ENTRY_NOT_FOUND;
	size_t slash = fPath.rfind('/');
	std::string parent = slash == 0 ? std::string("/") : fPath.substr(0, slash);
	entry->Unset();
	entry->fPath = parent;
	entry->fStatus = B_OK;
	return B_OK;
}

status_t
BEntry::GetParent(BDirectory* dir) const
{
	if (dir == nullptr)
		return B_BAD_VALUE;
	BEntry parent;
	status_t status = GetParent(&parent);
	if (status != B_OK)
		return status;
	return dir->SetTo(&parent);
}

status_t
BEntry::GetName(char* buffer) const
{
	if (buffer == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	const char* leaf = fPath == "/" ? "/" : fPath.c_str() + fPath.rfind('/') + 1;
	if (strlen(leaf) >= B_FILE_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	strcpy(buffer, leaf);
	return B_OK;
}

bool
BEntry::operator==(const BEntry& item) const
{
	if (fStatus != B_OK || item.fStatus != B_OK)
		return fStatus != B_OK && item.fStatus != B_OK;
	return fPath == item.fPath;
}

bool
BEntry::operator!=(const BEntry& item) const
{
	return !(*this == item);
}

BEntry&
BEntry::operator=(const BEntry& item)
{
	fPath = item.fPath;
	fStatus = item.fStatus;
	return *this;
}

status_t
BEntry::_SetPermissions(mode_t permissions)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (chmod(fPath.c_str(), permissions) != 0)
		return last_error_status();
	return B_OK;
}

status_t
BEntry::_SetModificationTime(time_t mtime)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	struct timespec times[2];
	times[0].tv_sec = 0;
	times[0].tv_nsec = UTIME_OMIT;
	times[1].tv_sec = mtime;
	times[1].tv_nsec = 0;
	if (utimensat(AT_FDCWD, fPath.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
		return last_error_status();
	return B_OK;
}
