#include "StoragePrivate.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace BPrivate {

status_t
status_for_errno(int error)
{
	switch (error) {
	case 0:
		return B_OK;
	case ENOENT:
	case ENODATA:
		return B_ENTRY_NOT_FOUND;
	case EACCES:
	case EPERM:
		return B_PERMISSION_DENIED;
	case EEXIST:
		return B_FILE_EXISTS;
	case ENOTDIR:
		return B_NOT_A_DIRECTORY;
	case EISDIR:
		return B_IS_A_DIRECTORY;
	case ENOTEMPTY:
		return B_DIRECTORY_NOT_EMPTY;
	case ENOSPC:
	case EDQUOT:
		return B_DEVICE_FULL;
	case EROFS:
		return B_READ_ONLY_DEVICE;
	case ENAMETOOLONG:
		return B_NAME_TOO_LONG;
	case EMFILE:
	case ENFILE:
		return B_NO_MORE_FDS;
	case EXDEV:
		return B_CROSS_DEVICE_LINK;
	case ELOOP:
		return B_LINK_LIMIT;
	case EPIPE:
		return B_BUSTED_PIPE;
	case ENOTSUP:
	case ENOSYS:
		return B_NOT_SUPPORTED;
	case EOVERFLOW:
		return B_BUFFER_OVERFLOW;
	case ENOMEM:
		return B_NO_MEMORY;
	case EIO:
		return B_IO_ERROR;
	case EINVAL:
	case E2BIG:
	case ERANGE:
	case EFBIG:
		return B_BAD_VALUE;
	case EBADF:
		return B_FILE_ERROR;
	case EBUSY:
	case ETXTBSY:
		return B_BUSY;
	case EINTR:
		return B_INTERRUPTED;
	case EAGAIN:
		return B_WOULD_BLOCK;
	case ETIMEDOUT:
		return B_TIMED_OUT;
	default:
		return B_ERROR;
	}
}

status_t
last_error_status()
{
	return status_for_errno(errno);
}

static bool
ends_with(const char* text, size_t length, const char* suffix)
{
	size_t suffixLength = strlen(suffix);
	return length >= suffixLength && strcmp(text + length - suffixLength, suffix) == 0;
}

bool
path_needs_normalizing(const char* path)
{
	if (path[0] != '/')
		return true;
	size_t length = strlen(path);
	if (length > 1 && path[length - 1] == '/')
		return true;
	return strstr(path, "//") != nullptr || strstr(path, "/./") != nullptr ||
		   strstr(path, "/../") != nullptr || ends_with(path, length, "/.") ||
		   ends_with(path, length, "/..");
}

static status_t
real_folder(const std::string& folder, std::string* result)
{
	char* resolved = realpath(folder.c_str(), nullptr);
	if (resolved == nullptr)
		return last_error_status();
	*result = resolved;
	free(resolved);
	struct stat st;
	if (stat(result->c_str(), &st) != 0)
		return last_error_status();
	if (!S_ISDIR(st.st_mode))
		return B_NOT_A_DIRECTORY;
	return B_OK;
}

status_t
normalize_path(const char* path, std::string* result)
{
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	std::string absolute;
	if (path[0] != '/') {
		char* cwd = getcwd(nullptr, 0);
		if (cwd == nullptr)
			return last_error_status();
		absolute = cwd;
		free(cwd);
		absolute += '/';
	}
	absolute += path;
	while (absolute.size() > 1 && absolute.back() == '/')
		absolute.pop_back();

	size_t slash = absolute.rfind('/');
	std::string folder = slash == 0 ? std::string("/") : absolute.substr(0, slash);
	std::string leaf = absolute.substr(slash + 1);
	if (leaf.empty() || leaf == "." || leaf == "..")
		return real_folder(absolute, result);

	std::string realFolder;
	status_t status = real_folder(folder, &realFolder);
	if (status != B_OK)
		return status;
	if (realFolder.back() != '/')
		realFolder += '/';
	*result = realFolder + leaf;
	return B_OK;
}

namespace {

struct DirectoryKey {
	int32 device;
	int64 node;
	bool operator<(const DirectoryKey& other) const
	{
		return device != other.device ? device < other.device : node < other.node;
	}
};

std::mutex sDirectoryLock;
std::map<DirectoryKey, std::string> sDirectories;

bool
same_node(const std::string& path, int32 device, int64 node)
{
	struct stat st;
	return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && int32(st.st_dev) == device &&
		   int64(st.st_ino) == node;
}

} // namespace

void
remember_directory(int32 device, int64 node, const std::string& path)
{
	std::lock_guard<std::mutex> lock(sDirectoryLock);
	sDirectories[DirectoryKey{device, node}] = path;
}

status_t
directory_for(int32 device, int64 node, std::string* path)
{
	std::string candidate;
	{
		std::lock_guard<std::mutex> lock(sDirectoryLock);
		auto found = sDirectories.find(DirectoryKey{device, node});
		if (found != sDirectories.end())
			candidate = found->second;
	}
	// The folder may have been moved or removed since it was remembered.
	if (candidate.empty() || !same_node(candidate, device, node))
		return search_directory(device, node, path);
	*path = std::move(candidate);
	return B_OK;
}

status_t
path_for_ref(int32 device, int64 directory, const char* name, std::string* path)
{
	if (name == nullptr || name[0] == '\0' || strchr(name, '/') != nullptr)
		return B_BAD_VALUE;
	std::string folder;
	status_t status = directory_for(device, directory, &folder);
	if (status != B_OK)
		return status;
	if (strcmp(name, ".") == 0) {
		*path = folder;
		return B_OK;
	}
	if (folder.back() != '/')
		folder += '/';
	*path = folder + name;
	return B_OK;
}

status_t
ref_fields_for_path(const std::string& path, int32* device, int64* directory, std::string* name)
{
	if (path == "/") {
		// The root is its own folder; it is named "." inside itself.
		struct stat st;
		if (stat("/", &st) != 0)
			return last_error_status();
		*device = int32(st.st_dev);
		*directory = int64(st.st_ino);
		*name = ".";
		remember_directory(*device, *directory, "/");
		return B_OK;
	}
	size_t slash = path.rfind('/');
	std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
	struct stat st;
	if (stat(folder.c_str(), &st) != 0)
		return last_error_status();
	*device = int32(st.st_dev);
	*directory = int64(st.st_ino);
	*name = path.substr(slash + 1);
	remember_directory(*device, *directory, folder);
	return B_OK;
}

} // namespace BPrivate
