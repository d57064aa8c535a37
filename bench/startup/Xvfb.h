#ifndef STARTUP_XVFB_H
#define STARTUP_XVFB_H

// The private X server the start-up benchmark shows its windows on.

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// A private X server for the whole run, ended when the benchmark program ends.
class Xvfb {
public:
	static const std::string& Name()
	{
		static Xvfb sServer;
		return sServer.fName;
	}

	~Xvfb()
	{
		if (fPid > 0) {
			kill(fPid, SIGTERM);
			waitpid(fPid, nullptr, 0);
		}
	}

private:
	Xvfb()
	{
		int fds[2];
		if (pipe(fds) != 0)
			return;
		fcntl(fds[0], F_SETFD, FD_CLOEXEC);
		std::string fd = std::to_string(fds[1]);
		const char* argv[] = {"Xvfb",         "-displayfd", fd.c_str(), "-screen",  "0",
							  "1280x1024x24", "-nolisten",  "tcp",      "-noreset", nullptr};
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		// Xvfb's own messages would mix with the table.
		posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
		if (posix_spawnp(&fPid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
			fPid = -1;
		posix_spawn_file_actions_destroy(&actions);
		close(fds[1]);
		std::string number;
		while (fPid > 0 && number.find('\n') == std::string::npos) {
			pollfd wait = {fds[0], POLLIN, 0};
			if (poll(&wait, 1, 10000) <= 0)
				break;
			char buffer[32];
			ssize_t got = read(fds[0], buffer, sizeof(buffer));
			if (got <= 0)
				break;
			number.append(buffer, size_t(got));
		}
		close(fds[0]);
		if (number.find('\n') != std::string::npos)
			fName = ":" + number.substr(0, number.find('\n'));
	}

	pid_t fPid = -1;
	std::string fName;
};

#endif
