// Start-up as a person sees it: from process start to the window mapped on the screen (on a
// private X server, Xvfb, as the server reports it) and to its first frame, with the peak memory
// of the process. Measured are the real application's main window (at scale 1 and 2) and the
// platform's window of twenty Japanese labels, against the least Cairo+Pango+SDL2 programs: a
// bare window of one line of text, and one of the same twenty labels. Headless, only the first
// frame is measured (there is no screen to map on).
//
// The programs take turns within each round, in an order that rotates from round to round, so
// that whatever else the machine does falls on all of them alike; figures are medians. Each
// start gets fresh XDG_RUNTIME_DIR and XDG_CONFIG_HOME folders (in the session's runtime folder
// when there is one, else in /dev/shm), so that no start finds what an earlier one left. The
// application is left running a moment after its first frame, so that its peak memory includes
// the start-up work done after it. STARTUP_ROUNDS sets the number of rounds (default 11).

#include "startup/MapWatch.h"
#include "startup/StartProgram.h"
#include "startup/Xvfb.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

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
	std::vector<double> mapped, frame, afterMap, cpu, mb;

	void Add(const Sample& sample)
	{
		mapped.push_back(sample.mappedMs);
		frame.push_back(sample.frameMs);
		afterMap.push_back(sample.frameMs - sample.mappedMs);
		cpu.push_back(sample.cpuMs);
		mb.push_back(sample.megabytes);
	}
};

int
rounds()
{
	const char* text = getenv("STARTUP_ROUNDS");
	int count = text != nullptr ? atoi(text) : 0;
	return count > 0 ? count : 11;
}

enum { kBare, kMinimal, kLabels, kApp, kAppScaled, kProgramCount };

void
startup(benchmark::State& state, bool desktop)
{
	std::vector<std::string> display = {"BEAPI_DISPLAY=headless"};
	std::vector<std::string> minimal = {STARTUP_MINIMAL_PATH};
	std::unique_ptr<MapWatch> watch;
	if (desktop) {
		const std::string& name = Xvfb::Name();
		if (name.empty()) {
			state.SkipWithError("Xvfb cannot run here");
			return;
		}
		display = {"DISPLAY=" + name, "BEAPI_DISPLAY=sdl"};
		minimal.push_back("sdl");
		watch = std::make_unique<MapWatch>(name);
		if (!watch->IsValid()) {
			state.SkipWithError("cannot watch the X server");
			return;
		}
	}
	std::vector<std::string> bare = minimal;
	bare.push_back("line");
	std::vector<std::string> scaled = display;
	scaled.push_back("BEAPI_SCALE=2");
	std::vector<Program> programs(kProgramCount);
	programs[kBare] = Program{bare, display, false};
	programs[kMinimal] = Program{minimal, display, false};
	programs[kLabels] = Program{{STARTUP_LABELS_PATH}, display, false};
	programs[kApp] = Program{{STARTUP_APP_PATH}, display, true};
	programs[kAppScaled] = Program{{STARTUP_APP_PATH}, scaled, true};
	if (access(STARTUP_APP_PATH, X_OK) != 0) {
		state.SkipWithError("the application is not built");
		return;
	}
	// One start of each first, so that all find the font cache and the libraries warm.
	for (const Program& program : programs) {
		if (!start_once(program, watch.get()).ok) {
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
			samples[which] = start_once(programs[which], watch.get());
			if (!samples[which].ok) {
				state.SkipWithError(
					("no first frame from " + programs[which].arguments[0]).c_str());
				return;
			}
		}
		round++;
		state.SetIterationTime(samples[kApp].frameMs / 1000.0);
		for (size_t i = 0; i < programs.size(); i++)
			series[i].Add(samples[i]);
	}
	auto ratio = [](double value, double base) { return base > 0 ? value / base : 0; };
	const Series& base = series[kBare];
	const Series& app = series[kApp];
	const Series& scaledApp = series[kAppScaled];
	if (desktop) {
		state.counters["bare_map_ms"] = median(base.mapped);
		state.counters["app_map_ms"] = median(app.mapped);
		state.counters["app_map_x"] = ratio(median(app.mapped), median(base.mapped));
		state.counters["app_frame_after_map_ms"] = median(app.afterMap);
		state.counters["bare_frame_after_map_ms"] = median(base.afterMap);
	}
	state.counters["bare_frame_ms"] = median(base.frame);
	state.counters["app_frame_ms"] = median(app.frame);
	state.counters["app_frame_x"] = ratio(median(app.frame), median(base.frame));
	state.counters["app_cpu_x"] = ratio(median(app.cpu), median(base.cpu));
	state.counters["bare_MB"] = median(base.mb);
	state.counters["app_MB"] = median(app.mb);
	state.counters["app_MB_x"] = ratio(median(app.mb), median(base.mb));
	// The application at scale 2 against itself at scale 1.
	state.counters["app2_frame_ms"] = median(scaledApp.frame);
	state.counters["app2_frame_x"] = ratio(median(scaledApp.frame), median(app.frame));
	state.counters["app2_MB"] = median(scaledApp.mb);
	state.counters["app2_MB_x"] = ratio(median(scaledApp.mb), median(app.mb));
	// The platform's window of labels against the same labels drawn with the libraries alone.
	state.counters["labels_frame_ms"] = median(series[kLabels].frame);
	state.counters["labels_x"] =
		ratio(median(series[kLabels].frame), median(series[kMinimal].frame));
	state.counters["labels_MB"] = median(series[kLabels].mb);
	state.counters["minimal_MB"] = median(series[kMinimal].mb);
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
