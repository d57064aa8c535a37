// zorvy-prefs set, from the start of its process to the body decoded by portlisten, the stand-in
// for the input method: each sample starts the command, which loads, saves and delivers the
// record, and ends when portlisten has printed the body it decoded.

#include <app/PortMessageSender.h>

#include <OS.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

const char kCommand[] = BEAPI_BINARY_DIR "/tools/zorvy-prefs/zorvy-prefs";
const char kPortListen[] = BEAPI_BINARY_DIR "/tools/portlisten/portlisten";

pid_t
start(const std::vector<std::string>& arguments, int output)
{
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	if (output >= 0)
		posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
	posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
	std::vector<char*> argv;
	for (const std::string& argument : arguments)
		argv.push_back(const_cast<char*>(argument.c_str()));
	argv.push_back(nullptr);
	pid_t pid = -1;
	if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
		pid = -1;
	posix_spawn_file_actions_destroy(&actions);
	return pid;
}

double
percentile(std::vector<double> values, double fraction)
{
	if (values.empty())
		return 0;
	std::sort(values.begin(), values.end());
	size_t index = size_t(fraction * double(values.size() - 1) + 0.5);
	return values[std::min(index, values.size() - 1)];
}

void
set_to_decoded_body(benchmark::State& state)
{
	if (access(kCommand, X_OK) != 0 || access(kPortListen, X_OK) != 0) {
		state.SkipWithError("zorvy-prefs or portlisten is not built");
		return;
	}
	char folder[] = "/dev/shm/prefs-command-XXXXXX";
	int pipes[2];
	if (mkdtemp(folder) == nullptr || pipe(pipes) != 0) {
		state.SkipWithError("no scratch folder or pipe");
		return;
	}
	setenv("XDG_RUNTIME_DIR", folder, 1);
	setenv("XDG_CONFIG_HOME", (std::string(folder) + "/config").c_str(), 1);
	pid_t listener = start({kPortListen, "--json", PORT_NAME_PREFERENCES}, pipes[1]);
	close(pipes[1]);
	FILE* lines = fdopen(pipes[0], "r");
	for (int i = 0; i < 500 && find_port(PORT_NAME_PREFERENCES) < 0; i++)
		usleep(10000);
	std::vector<double> samples;
	char* line = nullptr;
	size_t capacity = 0;
	bool flag = false;
	for (auto _ : state) {
		flag = !flag;
		Clock::time_point started = Clock::now();
		pid_t command = start({kCommand, "set", flag ? "TKHI=false" : "TKHI=true"}, -1);
		bool decoded = command > 0 && getline(&line, &capacity, lines) > 0 &&
					   std::string(line).find("\"error\"") == std::string::npos;
		double seconds = std::chrono::duration<double>(Clock::now() - started).count();
		int status = 0;
		if (command > 0)
			waitpid(command, &status, 0);
		if (!decoded || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
			state.SkipWithError("the command failed, or no body was decoded");
			break;
		}
		state.SetIterationTime(seconds);
		samples.push_back(seconds * 1000.0);
	}
	free(line);
	if (listener > 0) {
		kill(listener, SIGTERM);
		waitpid(listener, nullptr, 0);
	}
	fclose(lines);
	state.counters["median_ms"] = percentile(samples, 0.5);
	state.counters["p90_ms"] = percentile(samples, 0.9);
	std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(set_to_decoded_body)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);
