// A click on a control that delivers, to the body decoded by the reader of the input method's
// port: the Input-assist page in a window of the headless display, its check box pressed and
// released as a person would, the preference record written by gPortMessageSender to a real
// port and read and unflattened by a thread of its own. Each sample runs from the release of
// the button to the decoded body; the window is left to finish drawing before the next press.

#include <app/ItemViewInputAssist.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <framework/DialogWindow.h>

#include <CheckBox.h>
#include <Message.h>
#include <OS.h>

#include <headless/HeadlessInput.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace BPrivate::headless;
using Clock = std::chrono::steady_clock;

namespace {

const char kTitle[] = "Click benchmark";

// Before anything starts the display.
struct Environment {
	Environment() { setenv("BEAPI_DISPLAY", "headless", 1); }
} sEnvironment;

// Plays the input method: reads the port and decodes every body, noting when it had one.
class Reader {
public:
	explicit Reader(port_id port) : fPort(port)
	{
		fThread = std::thread([this] { _Run(); });
	}

	~Reader() { fThread.join(); }

	// Waits for the next decoded body; its time, or nothing after a second.
	bool Next(Clock::time_point* when)
	{
		std::unique_lock<std::mutex> guard(fLock);
		if (!fChanged.wait_for(guard, std::chrono::seconds(1), [&] { return fDecoded > fTaken; }))
			return false;
		fTaken++;
		*when = fWhen;
		return fGood;
	}

private:
	void _Run()
	{
		std::vector<char> buffer(1024 * 1024);
		for (;;) {
			int32 code;
			ssize_t size = read_port(fPort, &code, buffer.data(), buffer.size());
			if (size < 0)
				return;
			BMessage body;
			bool good = body.Unflatten(buffer.data()) == B_OK &&
						body.what == MSG_PREFERENCES_CHANGED && !body.IsEmpty();
			Clock::time_point when = Clock::now();
			std::lock_guard<std::mutex> guard(fLock);
			fWhen = when;
			fGood = good;
			fDecoded++;
			fChanged.notify_one();
		}
	}

	port_id fPort;
	std::thread fThread;
	std::mutex fLock;
	std::condition_variable fChanged;
	Clock::time_point fWhen;
	bool fGood = false;
	int fDecoded = 0;
	int fTaken = 0;
};

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
click_to_body(benchmark::State& state)
{
	char folder[] = "/dev/shm/click-XXXXXX";
	if (mkdtemp(folder) == nullptr) {
		state.SkipWithError("no scratch folder");
		return;
	}
	setenv("XDG_RUNTIME_DIR", folder, 1);
	port_id port = create_port(20, PORT_NAME_PREFERENCES);
	gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);
	TItemViewInputAssist* page = new TItemViewInputAssist();
	if (port < 0 || page->InitCheck() != B_OK) {
		delete page;
		state.SkipWithError("no port or no page layout");
		return;
	}
	TDialogWindow* window =
		new TDialogWindow(BRect(100, 100, 499, 299), kTitle, B_TITLED_WINDOW, B_NOT_RESIZABLE);
	window->AddChild(page);
	window->Show();
	BPoint middle;
	bool found = wait_for_window(kTitle) == window && sync(window) == B_OK && window->Lock();
	if (found) {
		BView* box = page->FindView("CBoxFixedConfirmInput");
		found = dynamic_cast<BCheckBox*>(box) != nullptr;
		if (found) {
			BRect frame = box->ConvertToScreen(box->Bounds());
			middle = window->ConvertFromScreen(
				BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2));
		}
		window->Unlock();
	}
	std::vector<double> samples;
	{
		Reader reader(port);
		if (!found)
			state.SkipWithError("the page has no check box to click");
		for (auto _ : state) {
			if (!found)
				break;
			mouse_down(window, middle);
			Clock::time_point released = Clock::now();
			mouse_up(window, middle);
			Clock::time_point decoded;
			if (!reader.Next(&decoded)) {
				state.SkipWithError("no body, or one that does not decode");
				break;
			}
			double seconds = std::chrono::duration<double>(decoded - released).count();
			state.SetIterationTime(seconds);
			samples.push_back(seconds * 1000.0);
			sync(window);
		}
		// Ends the reader.
		delete_port(port);
	}
	state.counters["median_ms"] = percentile(samples, 0.5);
	state.counters["p99_ms"] = percentile(samples, 0.99);
	if (window->Lock())
		window->Quit();
	delete gPortMessageSender;
	gPortMessageSender = nullptr;
	std::filesystem::remove_all(folder);
}

BENCHMARK(click_to_body)->UseManualTime()->Iterations(500)->Unit(benchmark::kMicrosecond);

} // namespace
