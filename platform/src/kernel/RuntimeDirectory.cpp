#include "RuntimeDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace BPrivate {

std::string
runtime_directory_path()
{
	// A relative value is no runtime folder (it would change with the working folder).
	const char* base = getenv("XDG_RUNTIME_DIR");
	if (base != nullptr && base[0] == '/')
		return std::string(base) + "/beapi";
	return "/tmp/beapi-" + std::to_string(getuid());
}

status_t
runtime_directory(std::string* path)
{
	*path = runtime_directory_path();
	if (mkdir(path->c_str(), 0700) != 0 && errno != EEXIST)
		return B_PERMISSION_DENIED;
	struct stat info;
	if (lstat(path->c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
		return B_PERMISSION_DENIED;
	if ((info.st_mode & 077) != 0 && chmod(path->c_str(), 0700) != 0)
		return B_PERMISSION_DENIED;
	return B_OK;
}

} // namespace BPrivate
