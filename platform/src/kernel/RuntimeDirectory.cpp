#include "RuntimeDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace BPrivate {

namespace {

status_t
refuse(std::string* problem, const std::string& path, const std::string& why)
{
	if (problem != nullptr)
		*problem = "cannot use the runtime folder \"" + path + "\": " + why;
	return B_PERMISSION_DENIED;
}

} // namespace

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
runtime_directory(std::string* path, std::string* problem)
{
	*path = runtime_directory_path();
	if (mkdir(path->c_str(), 0700) != 0 && errno != EEXIST)
		return refuse(problem, *path, strerror(errno));
	struct stat info;
	if (lstat(path->c_str(), &info) != 0)
		return refuse(problem, *path, strerror(errno));
	if (S_ISLNK(info.st_mode))
		return refuse(problem, *path, "it is a symbolic link");
	if (!S_ISDIR(info.st_mode))
		return refuse(problem, *path, "it is not a folder");
	if (info.st_uid != getuid())
		return refuse(problem, *path,
					  "it belongs to user " + std::to_string(info.st_uid) +
						  " (set XDG_RUNTIME_DIR to a folder of your own)");
	if ((info.st_mode & 077) != 0 && chmod(path->c_str(), 0700) != 0)
		return refuse(problem, *path, std::string("cannot make it private: ") + strerror(errno));
	return B_OK;
}

bool
lock_file_within(int fd, bigtime_t timeout)
{
	if (fd < 0)
		return false;
	timespec start;
	clock_gettime(CLOCK_MONOTONIC, &start);
	long pause = 1000000;
	for (;;) {
		if (flock(fd, LOCK_EX | LOCK_NB) == 0)
			return true;
		if (errno != EWOULDBLOCK && errno != EINTR)
			return false;
		timespec now;
		clock_gettime(CLOCK_MONOTONIC, &now);
		bigtime_t waited =
			bigtime_t(now.tv_sec - start.tv_sec) * 1000000 + (now.tv_nsec - start.tv_nsec) / 1000;
		if (waited >= timeout)
			return false;
		// From a millisecond up to 20: a lock held briefly is taken at once, a long wait costs
		// little.
		timespec sleep = {0, pause};
		nanosleep(&sleep, nullptr);
		if (pause < 20000000)
			pause *= 2;
	}
}

} // namespace BPrivate
