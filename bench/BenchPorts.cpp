// Delivery of the preference record to another process, against the bare port round trip of
// the same bytes. A child process plays the input method: it owns the port, decodes every body
// and answers on a reply port; each sample is the time from the send to that answer.

#include <app/PortMessageSender.h>
#include <app/Prefs.h>

#include <Message.h>
#include <OS.h>

#include "SpawnSelf.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char kReplyPortName[] = "BenchPortsReply";
constexpr int32 kRawCode = 1;
constexpr int kSamples = 2000;

// The child: reads the port; a body with code 0 is decoded as the input method would.
int
serve()
{
	port_id port = create_port(100, PORT_NAME_PREFERENCES);
	port_id reply = find_port(kReplyPortName);
	if (port < 0 || reply < 0)
		return 1;
	write_port(reply, 0, nullptr, 0);
	std::vector<char> buffer(1024 * 1024);
	int32 code;
	for (;;) {
		ssize_t size = read_port(port, &code, buffer.data(), buffer.size());
		if (size < 0)
			return 1;
		int32 answer = 0;
		if (code == 0) {
			BMessage message;
			answer =
				message.Unflatten(buffer.data()) == B_OK && message.what == MSG_PREFERENCES_CHANGED
					? message.CountNames(B_ANY_TYPE)
					: -1;
		}
		write_port(reply, answer, nullptr, 0);
	}
}

struct ServerPart {
	ServerPart()
	{
		if (getenv("BEAPI_BENCH_SERVE") != nullptr)
			_exit(serve());
	}
} sServerPart;

// Starts the child once per run, in a runtime folder of the benchmark's own.
class InputMethod {
public:
	InputMethod()
	{
		char folder[] = "/tmp/beapi-bench-XXXXXX";
		if (mkdtemp(folder) == nullptr)
			return;
		fFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
		fReply = create_port(100, kReplyPortName);
		fChild = spawn_self("BEAPI_BENCH_SERVE=1");
		if (fChild < 0)
			return;
		int32 code;
		read_port_etc(fReply, &code, nullptr, 0, B_RELATIVE_TIMEOUT, 5000000);
		gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);
		fPort = find_port(PORT_NAME_PREFERENCES);
	}

	~InputMethod()
	{
		delete gPortMessageSender;
		gPortMessageSender = nullptr;
		if (fChild > 0) {
			kill(fChild, SIGKILL);
			waitpid(fChild, nullptr, 0);
		}
		delete_port(fReply);
		std::string command = "rm -rf '" + fFolder + "'";
		(void)!system(command.c_str());
	}

	// Microseconds until the child has taken the body.
	bigtime_t Deliver()
	{
		bigtime_t start = system_time();
		send_preferences();
		return Answered(start);
	}

	bigtime_t RoundTrip(const std::vector<char>& bytes)
	{
		bigtime_t start = system_time();
		write_port(fPort, kRawCode, bytes.data(), bytes.size());
		return Answered(start);
	}

	bool IsReady() const { return gPortMessageSender != nullptr && fChild > 0; }

private:
	bigtime_t Answered(bigtime_t start)
	{
		int32 code = -1;
		read_port(fReply, &code, nullptr, 0);
		if (code < 0)
			return -1;
		return system_time() - start;
	}

	std::string fFolder;
	port_id fReply = -1;
	port_id fPort = -1;
	pid_t fChild = -1;
};

double
percentile(std::vector<bigtime_t> samples, double fraction)
{
	std::sort(samples.begin(), samples.end());
	size_t index = std::min(samples.size() - 1, size_t(fraction * double(samples.size())));
	return double(samples[index]);
}

void
BM_DeliveryAgainstRoundTrip(benchmark::State& state)
{
	InputMethod inputMethod;
	if (!inputMethod.IsReady()) {
		state.SkipWithError("the child input method did not start");
		return;
	}
	BMessage body(MSG_PREFERENCES_CHANGED);
	gPrefs.Archive(&body, true);
	std::vector<char> bytes(size_t(body.FlattenedSize()));
	body.Flatten(bytes.data(), ssize_t(bytes.size()));

	std::vector<bigtime_t> delivery;
	std::vector<bigtime_t> roundTrip;
	for (auto _ : state) {
		delivery.clear();
		roundTrip.clear();
		// Interleaved, so that both see the same machine.
		for (int i = 0; i < kSamples; i++) {
			roundTrip.push_back(inputMethod.RoundTrip(bytes));
			bigtime_t took = inputMethod.Deliver();
			if (took < 0) {
				state.SkipWithError("the child could not decode a body");
				return;
			}
			delivery.push_back(took);
		}
	}
	double deliveryMedian = percentile(delivery, 0.5);
	double roundTripMedian = percentile(roundTrip, 0.5);
	state.counters["body_bytes"] = double(bytes.size());
	state.counters["delivery_median_us"] = deliveryMedian;
	state.counters["delivery_p99_us"] = percentile(delivery, 0.99);
	state.counters["roundtrip_median_us"] = roundTripMedian;
	state.counters["roundtrip_p99_us"] = percentile(roundTrip, 0.99);
	state.counters["median_ratio"] = roundTripMedian > 0 ? deliveryMedian / roundTripMedian : 0;
}
BENCHMARK(BM_DeliveryAgainstRoundTrip)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
