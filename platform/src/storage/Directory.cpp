#include <Directory.h>

#include <Entry.h>
#include <File.h>
#include <Path.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StoragePrivate.h"

using BPrivate::last_error_status;

BDirectory::BDirectory() : fNext(0), fNamesRead(false) {}

BDirectory::BDirectory(const BDirectory& dir) : BDirectory()
{
	*this = dir;
}

BDirectory::BDirectory(const entry_ref* ref) : BDirectory()
{
	SetTo(ref);
}

BDirectory::BDirectory(const node_ref* nref) : BDirectory()
{
	SetTo(nref);
}

BDirectory::BDirectory(const BEntry* entry) : BDirectory()
{
	SetTo(entry);
}

BDirectory::BDirectory(const char* path) : BDirectory()
{
	SetTo(path);
}

BDirectory::BDirectory(const BDirectory* dir, const char* path) : BDirectory()
{
	SetTo(dir, path);
}

BDirectory::~BDirectory() {}

status_t
BDirectory::_SetToPath(const std::string& path)
{
	Unset();
	int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return fStatus = last_error_status();
	_Adopt(fd);
	fPath = path;
	struct stat st;
	if (fstat(fd, &st) == 0)
		BPrivate::remember_directory(int32(st.st_dev), int64(st.st_ino), fPath);
	return B_OK;
}

status_t
BDirectory::SetTo(const entry_ref* ref)
{
	if (ref == nullptr) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	BEntry entry(ref, true);
	return SetTo(&entry);
}

status_t
BDirectory::SetTo(const node_ref* nref)
{
	if (nref == nullptr) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	std::string path;
	status_t status = BPrivate::directory_for(int32(nref->device), int64(nref->node), &path);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	return _SetToPath(path);
}

status_t
BDirectory::SetTo(const BEntry* entry)
{
	if (entry == nullptr) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	BPath path;
	status_t status = entry->GetPath(&path);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	return SetTo(path.Path());
}

status_t
BDirectory::SetTo(const char* path)
{
	if (path == nullptr || path[0] == '\0') {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	// A folder is known by its real location, links followed.
	char* resolved = realpath(path, nullptr);
	if (resolved == nullptr) {
		status_t status = last_error_status();
		Unset();
		return fStatus = status;
	}
	std::string real = resolved;
	free(resolved);
	return _SetToPath(real);
}

status_t
BDirectory::SetTo(const BDirectory* dir, const char* path)
{
	if (dir == nullptr || path == nullptr || dir->InitCheck() != B_OK) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	std::string full = dir->_Resolve(path);
	return SetTo(full.c_str());
}

void
BDirectory::Unset()
{
	BNode::Unset();
	fPath.clear();
	fNames.clear();
	fNext = 0;
	fNamesRead = false;
}

std::string
BDirectory::_Resolve(const char* path) const
{
	if (path[0] == '/')
		return path;
	std::string full = fPath;
	if (full.back() != '/')
		full += '/';
	return full + path;
}

status_t
BDirectory::GetEntry(BEntry* entry) const
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK) {
		entry->Unset();
		return B_NO_INIT;
	}
	return entry->SetTo(fPath.c_str());
}

bool
BDirectory::IsRootDirectory() const
{
	return fStatus == B_OK && fPath == "/";
}

status_t
BDirectory::FindEntry(const char* path, BEntry* entry, bool traverse) const
{
	if (path == nullptr || entry == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	std::string full = _Resolve(path);
	status_t status = entry->SetTo(full.c_str(), traverse);
	if (status != B_OK)
		return status;
	if (!entry->Exists()) {
		entry->Unset();
		return B_ENTRY_NOT_FOUND;
	}
	return B_OK;
}

static bool
flavor_matches(const struct stat& st, int32 nodeFlags)
{
	if (S_ISDIR(st.st_mode))
		return (nodeFlags & B_DIRECTORY_NODE) != 0;
	if (S_ISLNK(st.st_mode))
		return (nodeFlags & B_SYMLINK_NODE) != 0;
	return (nodeFlags & B_FILE_NODE) != 0;
}

bool
BDirectory::Contains(const char* path, int32 nodeFlags) const
{
	if (path == nullptr || fStatus != B_OK)
		return false;
	BEntry entry(_Resolve(path).c_str());
	return Contains(&entry, nodeFlags);
}

bool
BDirectory::Contains(const BEntry* entry, int32 nodeFlags) const
{
	if (entry == nullptr || fStatus != B_OK || entry->InitCheck() != B_OK)
		return false;
	struct stat st;
	if (entry->GetStat(&st) != B_OK || !flavor_matches(st, nodeFlags))
		return false;
	BPath path;
	if (entry->GetPath(&path) != B_OK)
		return false;
	// Anywhere below this folder, however deep.
	std::string prefix = fPath == "/" ? fPath : fPath + "/";
	return strncmp(path.Path(), prefix.c_str(), prefix.size()) == 0;
}

status_t
BDirectory::CreateDirectory(const char* path, BDirectory* dir)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	std::string full = _Resolve(path);
	if (mkdir(full.c_str(), 0777) != 0)
		return last_error_status();
	if (dir == nullptr)
		return B_OK;
	return dir->SetTo(full.c_str());
}

status_t
BDirectory::CreateFile(const char* path, BFile* file, bool failIfExists)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	std::string full = _Resolve(path);
	uint32 mode = B_READ_WRITE | B_CREATE_FILE | B_ERASE_FILE;
	if (failIfExists)
		mode |= B_FAIL_IF_EXISTS;
	BFile created;
	BFile* target = file != nullptr ? file : &created;
	return target->SetTo(full.c_str(), mode);
}

BDirectory&
BDirectory::operator=(const BDirectory& dir)
{
	if (this == &dir)
		return *this;
	Unset();
	if (dir.fStatus != B_OK)
		return *this;
	BNode::operator=(dir);
	if (fStatus == B_OK)
		fPath = dir.fPath;
	return *this;
}
