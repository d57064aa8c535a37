#include "ProcessLaunch.h"

#include <Errors.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace BPrivate {

namespace {

// The desktop's opener, which starts the person's preferred program for an address or a file:
// the first executable of that name in the folders of PATH.
std::string
desktop_opener()
{
	const char* list = getenv("PATH");
	std::string folders = list != NULL ? list : "";
	size_t start = 0;
	while (start <= folders.size()) {
		size_t end = folders.find(':', start);
		if (end == std::string::npos)
			end = folders.size();
		std::string folder = folders.substr(start, end - start);
		start = end + 1;
		if (folder.empty() || folder[0] != '/')
			continue;
		std::string path = folder + "/xdg-open";
		if (is_executable(path))
			return path;
	}
	return std::string();
}

} // namespace

bool
is_executable(const std::string& path)
{
	struct stat st;
	return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

status_t
spawn_detached(const std::string& path, int argc, const char* const* args, team_id* team,
			   bool quiet)
{
	std::vector<char*> argv;
	argv.push_back(const_cast<char*>(path.c_str()));
	for (int i = 0; i < argc; i++)
		argv.push_back(const_cast<char*>(args[i]));
	argv.push_back(NULL);

	int report[2];
	if (pipe2(report, O_CLOEXEC) != 0)
		return B_LAUNCH_FAILED;
	pid_t middle = fork();
	if (middle < 0) {
		close(report[0]);
		close(report[1]);
		return B_LAUNCH_FAILED;
	}
	if (middle == 0) {
		pid_t child = fork();
		if (child == 0) {
			int nothing = quiet ? open("/dev/null", O_RDWR | O_CLOEXEC) : -1;
			if (nothing >= 0) {
				dup2(nothing, STDIN_FILENO);
				dup2(nothing, STDOUT_FILENO);
				dup2(nothing, STDERR_FILENO);
			}
			execv(argv[0], argv.data());
			int32 failure = -errno;
			ssize_t ignored = write(report[1], &failure, sizeof(failure));
			(void)ignored;
			_exit(127);
		}
		int32 value = child;
		ssize_t ignored = write(report[1], &value, sizeof(value));
		(void)ignored;
		_exit(child > 0 ? 0 : 1);
	}
	close(report[1]);
	int status;
	waitpid(middle, &status, 0);
	int32 values[2];
	ssize_t got = 0;
	while (got < (ssize_t)sizeof(values)) {
		ssize_t part = read(report[0], (char*)values + got, sizeof(values) - got);
		if (part <= 0)
			break;
		got += part;
	}
	close(report[0]);
	if (got < (ssize_t)sizeof(int32) || values[0] <= 0)
		return B_LAUNCH_FAILED;
	// A second number is the exec failure the child reported.
	if (got >= (ssize_t)(2 * sizeof(int32)))
		return B_LAUNCH_FAILED_EXECUTABLE;
	*team = values[0];
	return B_OK;
}

bool
is_document_type(const char* mimeType)
{
	return strncasecmp(mimeType, "application/x-vnd.", 18) != 0;
}

// One opener per argument, as the opener takes one; what it prints is not ours to show.
status_t
open_on_desktop(int argc, const char* const* args, team_id* appTeam)
{
	std::string opener = desktop_opener();
	if (opener.empty())
		return B_LAUNCH_FAILED_APP_NOT_FOUND;
	for (int i = 0; i < argc; i++) {
		team_id team;
		status_t status = spawn_detached(opener, 1, &args[i], &team, true);
		if (status != B_OK)
			return status;
		if (appTeam != NULL && i == 0)
			*appTeam = team;
	}
	return B_OK;
}

} // namespace BPrivate
