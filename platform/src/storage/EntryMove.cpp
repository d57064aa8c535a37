#include <Entry.h>

#include <Directory.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StoragePrivate.h"

using BPrivate::last_error_status;

static status_t
move_entry(const std::string& from, const std::string& to, bool clobber)
{
	if (from == to)
		return B_OK;
	if (clobber) {
		if (rename(from.c_str(), to.c_str()) != 0)
			return last_error_status();
		return B_OK;
	}
	if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
		return B_OK;
	if (errno != EINVAL && errno != ENOSYS)
		return last_error_status();
	// The file system cannot refuse to replace by itself; look first.
	struct stat st;
	if (lstat(to.c_str(), &st) == 0)
		return B_FILE_EXISTS;
	if (rename(from.c_str(), to.c_str()) != 0)
		return last_error_status();
	return B_OK;
}

status_t
BEntry::Rename(const char* path, bool clobber)
{
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	std::string target = path;
	if (path[0] != '/') {
		size_t slash = fPath.rfind('/');
		target = fPath.substr(0, slash + 1) + path;
	}
	std::string normalized;
	status_t status = BPrivate::normalize_path(target.c_str(), &normalized);
	if (status != B_OK)
		return status;
	status = move_entry(fPath, normalized, clobber);
	if (status != B_OK)
		return status;
	fPath = normalized;
	return B_OK;
}

status_t
BEntry::MoveTo(BDirectory* dir, const char* path, bool clobber)
{
	if (dir == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	BEntry folder;
	status_t status = dir->GetEntry(&folder);
	if (status != B_OK)
		return status;
	std::string target;
	if (path != nullptr && path[0] == '/') {
		target = path;
	} else {
		target = folder.fPath;
		if (target.back() != '/')
			target += '/';
		target += path != nullptr ? path : fPath.c_str() + fPath.rfind('/') + 1;
	}
	return Rename(target.c_str(), clobber);
}

status_t
BEntry::Remove()
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	struct stat st;
	if (lstat(fPath.c_str(), &st) != 0)
		return last_error_status();
	int result = S_ISDIR(st.st_mode) ? rmdir(fPath.c_str()) : unlink(fPath.c_str());
	if (result != 0)
		return last_error_status();
	return B_OK;
}
