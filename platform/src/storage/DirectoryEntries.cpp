#include <Directory.h>

#include <Entry.h>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StoragePrivate.h"

using BPrivate::last_error_status;

status_t
BDirectory::_ReadNames()
{
	if (fNamesRead)
		return B_OK;
	int fd = openat(fFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return last_error_status();
	DIR* dir = fdopendir(fd);
	if (dir == nullptr) {
		status_t status = last_error_status();
		close(fd);
		return status;
	}
	fNames.clear();
	while (struct dirent* entry = readdir(dir)) {
		if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
			continue;
		fNames.emplace_back(entry->d_name);
	}
	closedir(dir);
	std::sort(fNames.begin(), fNames.end());
	fNext = 0;
	fNamesRead = true;
	return B_OK;
}

status_t
BDirectory::GetNextEntry(BEntry* entry, bool traverse)
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	status_t status = _ReadNames();
	if (status != B_OK)
		return status;
	// An entry removed since the names were read is skipped.
	while (fNext < fNames.size()) {
		std::string full = _Resolve(fNames[fNext++].c_str());
		struct stat st;
		if (lstat(full.c_str(), &st) != 0)
			continue;
		return entry->SetTo(full.c_str(), traverse);
	}
	entry->Unset();
	return B_ENTRY_NOT_FOUND;
}

status_t
BDirectory::GetNextRef(entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	BEntry entry;
	status_t status = GetNextEntry(&entry);
	if (status != B_OK)
		return status;
	return entry.GetRef(ref);
}

int32
BDirectory::GetNextDirents(struct dirent* direntBuffer, size_t bufferSize, int32 maxEntries)
{
	if (direntBuffer == nullptr || bufferSize < sizeof(struct dirent) || maxEntries < 1)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	status_t status = _ReadNames();
	if (status != B_OK)
		return status;
	while (fNext < fNames.size()) {
		const std::string& name = fNames[fNext++];
		struct stat st;
		if (lstat(_Resolve(name.c_str()).c_str(), &st) != 0)
			continue;
		memset(direntBuffer, 0, sizeof(struct dirent));
		direntBuffer->d_ino = st.st_ino;
		direntBuffer->d_reclen = sizeof(struct dirent);
		size_t length = std::min(name.size(), sizeof(direntBuffer->d_name) - 1);
		memcpy(direntBuffer->d_name, name.c_str(), length);
		return 1;
	}
	return 0;
}

status_t
BDirectory::Rewind()
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	fNames.clear();
	fNext = 0;
	fNamesRead = false;
	return B_OK;
}

int32
BDirectory::CountEntries()
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	// Counting does not move the iteration.
	BDirectory copy(fPath.c_str());
	if (copy.InitCheck() != B_OK || copy._ReadNames() != B_OK)
		return B_FILE_ERROR;
	return int32(copy.fNames.size());
}
