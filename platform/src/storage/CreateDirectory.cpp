#include <Directory.h>

#include <cerrno>
#include <string>
#include <sys/stat.h>

#include "StoragePrivate.h"

status_t
create_directory(const char* path, mode_t mode)
{
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	std::string full = path;
	// Every folder on the way, from the top down; existing ones are fine as long as they are
	// folders.
	size_t position = 0;
	while (position != std::string::npos) {
		position = full.find('/', position + 1);
		std::string part = full.substr(0, position);
		if (part.empty())
			continue;
		if (mkdir(part.c_str(), mode) == 0)
			continue;
		int error = errno;
		struct stat st;
		if (stat(part.c_str(), &st) == 0) {
			if (!S_ISDIR(st.st_mode))
				return B_NOT_A_DIRECTORY;
			continue;
		}
		return BPrivate::status_for_errno(error);
	}
	return B_OK;
}
