#include <beapi/AtomicFile.h>

#include "StoragePrivate.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The kernel gives up on longer chains as well.
const int kMaxLinkDepth = 40;
// Temporary files left behind by a process killed mid-save are removed by a later save once
// they are this old; a younger one may belong to another process saving right now.
const time_t kStaleTemporarySeconds = 60;
const char kTemporarySuffix[] = ".XXXXXX";

std::string
folder_of(const std::string& path)
{
	size_t slash = path.rfind('/');
	return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string
leaf_of(const std::string& path)
{
	size_t slash = path.rfind('/');
	return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links to the file that is to be replaced, which need not exist yet.
status_t
resolve_target(const char* path, std::string* target)
{
	std::string current = path;
	for (int depth = 0; depth < kMaxLinkDepth; depth++) {
		struct stat info;
		bool missing = lstat(current.c_str(), &info) != 0;
		if (missing && errno != ENOENT)
			return BPrivate::last_error_status();
		if (missing || !S_ISLNK(info.st_mode)) {
			*target = current;
			return B_OK;
		}
		std::string link(PATH_MAX, '\0');
		ssize_t length = readlink(current.c_str(), link.data(), link.size());
		if (length <= 0)
			return length < 0 ? BPrivate::last_error_status() : B_ERROR;
		if ((size_t)length >= link.size())
			return B_NAME_TOO_LONG;
		link.resize(length);
		current = link[0] == '/' ? link : folder_of(current) + link;
	}
	return B_LINK_LIMIT;
}

// Whether the permission bits of a file say it is not to be written. The rename that replaces
// a file needs only the folder's permission, and a privileged process passes every access
// check, so the bits themselves decide: those of the class this process falls in, and for a
// privileged process whether anyone at all may write.
bool
mode_forbids_writing(const char* path, const struct stat& info)
{
	if (geteuid() == 0)
		return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
	return faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

// The permissions a file created with open(..., 0666) would get.
mode_t
default_file_mode()
{
	mode_t mask = 022;
	if (FILE* status = fopen("/proc/self/status", "re")) {
		char line[128];
		while (fgets(line, sizeof(line), status) != NULL) {
			unsigned int value;
			if (sscanf(line, "Umask: %o", &value) == 1) {
				mask = value;
				break;
			}
		}
		fclose(status);
	}
	return 0666 & ~mask;
}

// B_OK, or the status of the failing write (B_DEVICE_FULL when the disk is full).
status_t
write_all(int fd, const void* data, size_t size)
{
	const char* bytes = static_cast<const char*>(data);
	while (size > 0) {
		ssize_t written = write(fd, bytes, size);
		if (written < 0 && errno == EINTR)
			continue;
		if (written < 0)
			return BPrivate::last_error_status();
		if (written == 0)
			return B_DEVICE_FULL;
		bytes += written;
		size -= written;
	}
	return B_OK;
}

void
sync_folder(const std::string& folder)
{
	int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return;
	fsync(fd);
	close(fd);
}

bool
is_temporary_of(const char* name, const std::string& prefix)
{
	size_t length = strlen(name);
	return length == prefix.size() + sizeof(kTemporarySuffix) - 1 &&
		   prefix.compare(0, prefix.size(), name, prefix.size()) == 0 && name[prefix.size()] == '.';
}

void
remove_stale_temporaries(const std::string& folder, const std::string& prefix)
{
	DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
	if (dir == NULL)
		return;
	time_t now = time(NULL);
	while (struct dirent* entry = readdir(dir)) {
		if (!is_temporary_of(entry->d_name, prefix))
			continue;
		struct stat info;
		if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
			S_ISREG(info.st_mode) && now - info.st_mtime > kStaleTemporarySeconds)
			unlinkat(dirfd(dir), entry->d_name, 0);
	}
	closedir(dir);
}

} // namespace

status_t
write_file_atomically(const char* path, const void* data, size_t size)
{
	if (path == NULL || path[0] == '\0' || (data == NULL && size > 0))
		return B_BAD_VALUE;

	std::string target;
	status_t status = resolve_target(path, &target);
	if (status != B_OK)
		return status;

	struct stat old;
	bool replacing = stat(target.c_str(), &old) == 0;
	if (!replacing && errno != ENOENT)
		return BPrivate::last_error_status();
	if (replacing && S_ISDIR(old.st_mode))
		return B_IS_A_DIRECTORY;
	if (replacing && !S_ISREG(old.st_mode))
		return B_NOT_ALLOWED;
	if (replacing && mode_forbids_writing(target.c_str(), old))
		return B_PERMISSION_DENIED;

	std::string folder = folder_of(target);
	std::string prefix = "." + leaf_of(target);
	std::string temporary = folder + prefix + kTemporarySuffix;
	int fd = mkostemp(temporary.data(), O_CLOEXEC);
	if (fd < 0)
		return BPrivate::last_error_status();

	status = write_all(fd, data, size);
	if (status == B_OK && replacing) {
		// Only a privileged process may give a file to another owner; a file we could not give
		// away stays ours, which is what a plain rewrite by this user would give as well.
		int ignored = fchown(fd, old.st_uid, old.st_gid);
		(void)ignored;
	}
	if (status == B_OK && fchmod(fd, replacing ? old.st_mode & 07777 : default_file_mode()) != 0)
		status = BPrivate::last_error_status();
	if (status == B_OK && fsync(fd) != 0)
		status = BPrivate::last_error_status();
	if (close(fd) != 0 && status == B_OK)
		status = BPrivate::last_error_status();
	if (status == B_OK && rename(temporary.c_str(), target.c_str()) != 0)
		status = BPrivate::last_error_status();
	if (status != B_OK) {
		unlink(temporary.c_str());
		return status;
	}

	sync_folder(folder);
	remove_stale_temporaries(folder, prefix);
	return B_OK;
}
