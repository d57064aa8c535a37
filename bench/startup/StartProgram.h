#ifndef STARTUP_START_PROGRAM_H
#define STARTUP_START_PROGRAM_H

// One start of a program for the start-up benchmark: when its window was mapped and its first
// frame shown, how much processor time and memory it took.

#include "MapWatch.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

struct Program {
	std::vector<std::string> arguments;
	std::vector<std::string> environment;
	// Reports its first frame on kFrameFd and keeps running (the application), rather than
	// printing "frame" on its output and ending.
	bool reportsOnFd = false;
};

struct Sample {
	bool ok = false;
	double mappedMs = 0;
	double frameMs = 0;
	double cpuMs = 0;
	double megabytes = 0;
};

namespace startup_detail {

// The file descriptor on which the application reports its first frame.
const int kFrameFd = 3;
// How long the application runs on after its first frame before it is ended.
const int kSettleMs = 250;

// Where the per-start folders go: a memory file system where the system has one.
inline std::string
scratch_base()
{
	const char* runtime = getenv("XDG_RUNTIME_DIR");
	if (runtime != nullptr && runtime[0] == '/' && access(runtime, W_OK) == 0)
		return runtime;
	if (access("/dev/shm", W_OK) == 0)
		return "/dev/shm";
	const char* temporary = getenv("TMPDIR");
	return temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp";
}

inline std::vector<std::string>
inherited_environment()
{
	std::vector<std::string> environment;
	for (char** entry = environ; *entry != nullptr; entry++) {
		std::string text = *entry;
		if (text.rfind("WAYLAND_DISPLAY=", 0) != 0 && text.rfind("DISPLAY=", 0) != 0 &&
			text.rfind("BEAPI_", 0) != 0 && text.rfind("XDG_RUNTIME_DIR=", 0) != 0 &&
			text.rfind("XDG_CONFIG_HOME=", 0) != 0)
			environment.push_back(text);
	}
	return environment;
}

inline double
since(std::chrono::steady_clock::time_point start)
{
	return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
		.count();
}

} // namespace startup_detail

// Starts the program and waits for its line "frame…" and, with a watch, for its window to be
// mapped; a program that keeps running is then ended. Its peak resident size comes from its
// accounting once it has ended.
inline Sample
start_once(const Program& program, MapWatch* watch)
{
	using namespace startup_detail;
	Sample sample;
	char folder[4096];
	snprintf(folder, sizeof(folder), "%s/startup-XXXXXX", scratch_base().c_str());
	if (mkdtemp(folder) == nullptr)
		return sample;
	std::string runtime = std::string(folder) + "/runtime";
	std::string config = std::string(folder) + "/config";
	mkdir(runtime.c_str(), 0700);
	mkdir(config.c_str(), 0700);

	std::vector<std::string> environment = inherited_environment();
	environment.insert(environment.end(), program.environment.begin(), program.environment.end());
	environment.push_back("XDG_RUNTIME_DIR=" + runtime);
	environment.push_back("XDG_CONFIG_HOME=" + config);
	if (program.reportsOnFd)
		environment.push_back("BEAPI_FRAME_FD=" + std::to_string(kFrameFd));
	std::vector<char*> argv;
	for (const std::string& argument : program.arguments)
		argv.push_back(const_cast<char*>(argument.c_str()));
	argv.push_back(nullptr);
	std::vector<char*> envp;
	for (const std::string& entry : environment)
		envp.push_back(const_cast<char*>(entry.c_str()));
	envp.push_back(nullptr);

	int fds[2];
	if (pipe2(fds, O_CLOEXEC) != 0)
		return sample;
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	if (program.reportsOnFd) {
		posix_spawn_file_actions_adddup2(&actions, fds[1], kFrameFd);
		posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
	} else {
		posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
	}
	if (watch != nullptr)
		watch->Drain();
	auto start = std::chrono::steady_clock::now();
	pid_t pid = -1;
	int status = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
	posix_spawn_file_actions_destroy(&actions);
	close(fds[1]);
	if (status != 0) {
		close(fds[0]);
		std::filesystem::remove_all(folder);
		return sample;
	}
	std::string output;
	bool framed = false;
	bool mapped = watch == nullptr;
	while (!framed || !mapped) {
		pollfd waits[2] = {{fds[0], POLLIN, 0},
						   {watch != nullptr ? watch->Descriptor() : -1, POLLIN, 0}};
		if (poll(waits, 2, 20000) <= 0)
			break;
		if (!mapped && watch->Mapped()) {
			mapped = true;
			sample.mappedMs = since(start);
		}
		if (!framed && (waits[0].revents & (POLLIN | POLLHUP)) != 0) {
			char buffer[256];
			ssize_t got = read(fds[0], buffer, sizeof(buffer));
			if (got <= 0)
				break;
			output.append(buffer, size_t(got));
			if (output.find('\n') != std::string::npos) {
				framed = true;
				sample.frameMs = since(start);
			}
		}
	}
	close(fds[0]);
	framed = framed && output.rfind("frame", 0) == 0;
	if (framed && mapped && program.reportsOnFd)
		usleep(kSettleMs * 1000);
	if (!framed || !mapped || program.reportsOnFd)
		kill(pid, SIGKILL);
	int exitStatus = 0;
	rusage usage;
	memset(&usage, 0, sizeof(usage));
	wait4(pid, &exitStatus, 0, &usage);
	std::filesystem::remove_all(folder);
	bool ended = program.reportsOnFd ? WIFSIGNALED(exitStatus)
									 : WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0;
	sample.ok = framed && mapped && ended;
	sample.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
				   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
	sample.megabytes = double(usage.ru_maxrss) / 1024.0;
	return sample;
}

#endif
