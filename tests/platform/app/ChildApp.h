#ifndef CHILD_APP_H
#define CHILD_APP_H

#include <OS.h>

#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// A helper application started as a real child process; what it receives it writes to a file.
class ChildApp {
public:
	ChildApp(const std::string& executable, const std::string& signature, const std::string& output)
		: fOutput(output)
	{
		std::vector<std::string> args = {executable, "serve", signature, output};
		std::vector<char*> argv;
		for (std::string& arg : args)
			argv.push_back(arg.data());
		argv.push_back(nullptr);
		if (posix_spawn(&fPid, executable.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
			fPid = -1;
	}

	~ChildApp()
	{
		if (fPid > 0 && !fReaped) {
			kill(fPid, SIGKILL);
			waitpid(fPid, nullptr, 0);
		}
	}

	pid_t Pid() const { return fPid; }

	std::vector<std::string> Lines() const
	{
		std::vector<std::string> lines;
		std::ifstream file(fOutput);
		std::string line;
		while (std::getline(file, line))
			lines.push_back(line);
		return lines;
	}

	bool HasLine(const std::string& prefix) const
	{
		for (const std::string& line : Lines()) {
			if (line.compare(0, prefix.size(), prefix) == 0)
				return true;
		}
		return false;
	}

	// Waits until a line starting with the prefix appears.
	bool WaitForLine(const std::string& prefix, bigtime_t timeout = 10000000) const
	{
		bigtime_t end = system_time() + timeout;
		while (!HasLine(prefix)) {
			if (system_time() > end)
				return false;
			snooze(10000);
		}
		return true;
	}

	// The exit status, or -1 when the process did not end in time.
	int WaitForExit(bigtime_t timeout = 10000000)
	{
		bigtime_t end = system_time() + timeout;
		for (;;) {
			int status;
			pid_t done = waitpid(fPid, &status, WNOHANG);
			if (done == fPid) {
				fReaped = true;
				return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
			}
			if (system_time() > end)
				return -1;
			snooze(10000);
		}
	}

	void Kill()
	{
		kill(fPid, SIGKILL);
		waitpid(fPid, nullptr, 0);
		fReaped = true;
	}

private:
	pid_t fPid = -1;
	bool fReaped = false;
	std::string fOutput;
};

#endif
