#include "AppResourcesPrivate.h"

#include <cstdio>
#include <limits.h>
#include <unistd.h>

namespace BPrivate {

std::string
executable_path()
{
	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length <= 0)
		return std::string();
	return std::string(path, length);
}

std::vector<std::string>
program_arguments()
{
	std::vector<std::string> args;
	FILE* file = fopen("/proc/self/cmdline", "rb");
	if (file == NULL)
		return args;
	std::string current;
	int c;
	while ((c = fgetc(file)) != EOF) {
		if (c == '\0') {
			args.push_back(current);
			current.clear();
		} else {
			current.push_back((char)c);
		}
	}
	if (!current.empty())
		args.push_back(current);
	fclose(file);
	return args;
}

} // namespace BPrivate
