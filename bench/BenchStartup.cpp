// Process start to the first frame on the screen, and the peak memory of that process: the
// platform's window of twenty Japanese labels and the real application's main window, against
// the least Cairo+Pango(+SDL2) program that draws the same labels. Headless, and on a private X
// server (Xvfb) through the desktop display (skipped where Xvfb cannot run).
//
// The three programs take turns within each round, in an order that rotates from round to
// round, so that whatever else the machine does falls on all of them alike; figures are
// medians. Each start gets fresh XDG_RUNTIME_DIR and XDG_CONFIG_HOME folders (in the session's
// runtime folder when there is one, else in /dev/shm, as a desktop session's would be), so that
// no start finds what an earlier one left. STARTUP_ROUNDS in the environment sets the number of
// rounds (default 21).

#include "startup/Xvfb.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
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

namespace {

// The file descriptor on which the application reports its first frame.
const int kFrameFd = 3;

struct Program {
	std::vector<std::string> arguments;
	std::vector<std::string> environment;
	// Reports on kFrameFd and keeps running (the application), rather than printing "frame"
	// on its output and ending.
	bool reportsOnFd = false;
};

struct Sample {
	bool ok = false;
	double milliseconds = 0;
	double cpuMilliseconds = 0;
	double megabytes = 0;
};

// Where the per-start folders go: a memory file system where the system has one.
std::string
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

std::vector<std::string>
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

// Starts the program and waits for its line "frame…"; a program that keeps running is then
// killed. Its peak resident size comes from its accounting once it has ended.
Sample
start_once(const Program& program)
{
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
	while (output.find('\n') == std::string::npos) {
		pollfd wait = {fds[0], POLLIN, 0};
		if (poll(&wait, 1, 20000) <= 0)
			break;
		char buffer[256];
		ssize_t got = read(fds[0], buffer, sizeof(buffer));
		if (got <= 0)
			break;
		output.append(buffer, size_t(got));
	}
	auto shown = std::chrono::steady_clock::now();
	close(fds[0]);
	bool framed = output.rfind("frame", 0) == 0;
	if (!framed || program.reportsOnFd)
		kill(pid, SIGKILL);
	int exitStatus = 0;
	rusage usage;
	memset(&usage, 0, sizeof(usage));
	wait4(pid, &exitStatus, 0, &usage);
	std::filesystem::remove_all(folder);
	bool ended = program.reportsOnFd ? WIFSIGNALED(exitStatus)
									 : WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0;
	sample.ok = framed && ended;
	sample.milliseconds = std::chrono::duration<double, std::milli>(shown - start).count();
	sample.cpuMilliseconds = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
							 (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
	sample.megabytes = double(usage.ru_maxrss) / 1024.0;
	return sample;
}

double
median(std::vector<double> values)
{
	if (values.empty())
		return 0;
	std::sort(values.begin(), values.end());
	size_t middle = values.size() / 2;
	return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Series {
	std::vector<double> ms, cpu, mb;

	void Add(const Sample& sample)
	{
		ms.push_back(sample.milliseconds);
		cpu.push_back(sample.cpuMilliseconds);
		mb.push_back(sample.megabytes);
	}
};

int
rounds()
{
	const char* text = getenv("STARTUP_ROUNDS");
	int count = text != nullptr ? atoi(text) : 0;
	return count > 0 ? count : 21;
}

bool
application_built()
{
	return access(STARTUP_APP_PATH, X_OK) == 0;
}

void
startup(benchmark::State& state, bool desktop)
{
	std::vector<std::string> display;
	std::vector<std::string> minimalArguments = {STARTUP_MINIMAL_PATH};
	if (desktop) {
		const std::string& name = Xvfb::Name();
		if (name.empty()) {
			state.SkipWithError("Xvfb cannot run here");
			return;
		}
		display = {"DISPLAY=" + name, "BEAPI_DISPLAY=sdl"};
		minimalArguments.push_back("sdl");
	} else {
		display = {"BEAPI_DISPLAY=headless"};
	}
	std::vector<Program> programs = {
		Program{{STARTUP_LABELS_PATH}, display, false},
		Program{minimalArguments, display, false},
	};
	if (application_built())
		programs.push_back(Program{{STARTUP_APP_PATH}, display, true});
	// One start of each first, so that all find the font cache and the libraries warm.
	for (const Program& program : programs) {
		if (!start_once(program).ok) {
			state.SkipWithError(("no first frame from " + program.arguments[0]).c_str());
			return;
		}
	}
	std::vector<Series> series(programs.size());
	double load[3] = {0, 0, 0};
	getloadavg(load, 3);
	size_t round = 0;
	for (auto _ : state) {
		std::vector<Sample> samples(programs.size());
		for (size_t i = 0; i < programs.size(); i++) {
			size_t which = (round + i) % programs.size();
			samples[which] = start_once(programs[which]);
			if (!samples[which].ok) {
				state.SkipWithError(
					("no first frame from " + programs[which].arguments[0]).c_str());
				return;
			}
		}
		round++;
		state.SetIterationTime(samples[0].milliseconds / 1000.0);
		for (size_t i = 0; i < programs.size(); i++)
			series[i].Add(samples[i]);
	}
	double baseMs = median(series[1].ms);
	double baseCpu = median(series[1].cpu);
	state.counters["minimal_ms"] = baseMs;
	state.counters["minimal_MB"] = median(series[1].mb);
	state.counters["labels_ms"] = median(series[0].ms);
	state.counters["labels_x"] = baseMs > 0 ? median(series[0].ms) / baseMs : 0;
	state.counters["labels_cpu_x"] = baseCpu > 0 ? median(series[0].cpu) / baseCpu : 0;
	state.counters["labels_MB"] = median(series[0].mb);
	if (programs.size() > 2) {
		state.counters["app_ms"] = median(series[2].ms);
		state.counters["app_x"] = baseMs > 0 ? median(series[2].ms) / baseMs : 0;
		state.counters["app_cpu_x"] = baseCpu > 0 ? median(series[2].cpu) / baseCpu : 0;
		state.counters["app_MB"] = median(series[2].mb);
	}
	// How busy the machine was when the run began (1-minute load average).
	state.counters["load"] = load[0];
}

BENCHMARK_CAPTURE(startup, headless, false)
	->UseManualTime()
	->Iterations(rounds())
	->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startup, xvfb, true)
	->UseManualTime()
	->Iterations(rounds())
	->Unit(benchmark::kMillisecond);

} // namespace
