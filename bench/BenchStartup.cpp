// Process start to the first frame of a 550×285 window of twenty Japanese labels, and the peak
// memory of that process: the platform's program against the least Cairo+Pango(+SDL2) program
// that draws the same, both started in turn in the same run. Headless, and on a private X
// server (Xvfb) through the desktop display; skipped where Xvfb cannot run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Sample {
	bool ok = false;
	double milliseconds = 0;
	double megabytes = 0;
};

// Starts the program and reads its output until the line "frame"; the program then ends and
// its peak resident size is read from its accounting.
Sample
start_once(const std::vector<std::string>& arguments, const std::vector<std::string>& extra)
{
	Sample sample;
	std::vector<std::string> environment;
	for (char** entry = environ; *entry != nullptr; entry++) {
		std::string text = *entry;
		if (text.rfind("WAYLAND_DISPLAY=", 0) != 0 && text.rfind("DISPLAY=", 0) != 0 &&
			text.rfind("BEAPI_", 0) != 0)
			environment.push_back(text);
	}
	environment.insert(environment.end(), extra.begin(), extra.end());
	std::vector<char*> argv;
	for (const std::string& argument : arguments)
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
	posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
	auto start = std::chrono::steady_clock::now();
	pid_t pid = -1;
	int status = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
	posix_spawn_file_actions_destroy(&actions);
	close(fds[1]);
	if (status != 0) {
		close(fds[0]);
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
	if (output.rfind("frame\n", 0) != 0)
		kill(pid, SIGKILL);
	int exitStatus = 0;
	rusage usage;
	memset(&usage, 0, sizeof(usage));
	wait4(pid, &exitStatus, 0, &usage);
	sample.ok =
		output.rfind("frame\n", 0) == 0 && WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0;
	sample.milliseconds = std::chrono::duration<double, std::milli>(shown - start).count();
	sample.megabytes = double(usage.ru_maxrss) / 1024.0;
	return sample;
}

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
		const char* argv[] = {"Xvfb",         "-displayfd", fd.c_str(), "-screen", "0",
							  "1280x1024x24", "-nolisten",  "tcp",      nullptr};
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

double
median(std::vector<double> values)
{
	if (values.empty())
		return 0;
	std::sort(values.begin(), values.end());
	return values[values.size() / 2];
}

void
startup(benchmark::State& state, bool desktop)
{
	std::vector<std::string> oursEnvironment;
	std::vector<std::string> minimal = {STARTUP_MINIMAL_PATH};
	if (desktop) {
		const std::string& display = Xvfb::Name();
		if (display.empty()) {
			state.SkipWithError("Xvfb cannot run here");
			return;
		}
		oursEnvironment.push_back("DISPLAY=" + display);
		oursEnvironment.push_back("BEAPI_DISPLAY=sdl");
		minimal.push_back("sdl");
	} else {
		oursEnvironment.push_back("BEAPI_DISPLAY=headless");
	}
	std::vector<std::string> minimalEnvironment(oursEnvironment.begin(), oursEnvironment.end());
	std::vector<std::string> ours = {STARTUP_LABELS_PATH};
	// One start of each first, so that both find the font cache and the libraries warm.
	if (!start_once(ours, oursEnvironment).ok || !start_once(minimal, minimalEnvironment).ok) {
		state.SkipWithError("a start-up program did not show its frame");
		return;
	}
	std::vector<double> oursTime, oursMemory, minimalTime, minimalMemory;
	for (auto _ : state) {
		Sample a = start_once(ours, oursEnvironment);
		Sample b = start_once(minimal, minimalEnvironment);
		if (!a.ok || !b.ok) {
			state.SkipWithError("a start-up program did not show its frame");
			return;
		}
		state.SetIterationTime(a.milliseconds / 1000.0);
		oursTime.push_back(a.milliseconds);
		oursMemory.push_back(a.megabytes);
		minimalTime.push_back(b.milliseconds);
		minimalMemory.push_back(b.megabytes);
	}
	double ms = median(oursTime);
	double baseMs = median(minimalTime);
	double mb = median(oursMemory);
	double baseMb = median(minimalMemory);
	state.counters["ours_ms"] = ms;
	state.counters["minimal_ms"] = baseMs;
	state.counters["time_ratio"] = baseMs > 0 ? ms / baseMs : 0;
	state.counters["ours_MB"] = mb;
	state.counters["minimal_MB"] = baseMb;
	state.counters["memory_ratio"] = baseMb > 0 ? mb / baseMb : 0;
}

BENCHMARK_CAPTURE(startup, headless, false)
	->UseManualTime()
	->Iterations(15)
	->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startup, xvfb, true)
	->UseManualTime()
	->Iterations(15)
	->Unit(benchmark::kMillisecond);

} // namespace
