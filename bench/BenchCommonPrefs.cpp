// The common preferences window as the maker's applications meet it. The window lives in the
// benchmark's process on the headless display and is reached through its port, as every
// application reaches it.
//   ShowWindowToComponents: from ShowWindow of an application with the accelerator-format and
//     flat-toolbar items to the window showing both components (a fresh window each sample).
//   MenuChoiceToOtherApplication: from a choice in the format menu (the entry's message
//     reaching the window) to the change handled by another application, a child process whose
//     store takes it and answers on a port.

#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/IAPMessages.h>
#include <common_prefs/IAPView.h>
#include <common_prefs/IAPWindow.h>
#include <common_prefs/InterAppPrefs.h>

#include <Application.h>
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

TInterAppPrefs gIAPs;

namespace {

const char kAnswerPortName[] = "BenchCommonPrefsAnswer";
const char kReceiverSignature[] = "application/x-vnd.MOZELT-BenchReceiver";
const char kSignature[] = "application/x-vnd.MOZELT-BenchCommonPrefs";
const BRect kFrame(100, 100, 400, 300);
constexpr int kSamples = 200;

// The other application: takes every change into its store and answers.
class Receiver : public BApplication {
public:
	Receiver() : BApplication(kReceiverSignature) {}

	void ReadyToRun() override { write_port(find_port(kAnswerPortName), 0, nullptr, 0); }

	void MessageReceived(BMessage* message) override
	{
		if (message->what != MSG_IAP_CHANGED) {
			BApplication::MessageReceived(message);
			return;
		}
		int32 status = gIAPs.SetValue(*message);
		write_port(find_port(kAnswerPortName), status, nullptr, 0);
	}
};

struct ReceiverPart {
	ReceiverPart()
	{
		if (getenv("BEAPI_BENCH_IAP_RECEIVER") == nullptr)
			return;
		gIAPs.SetAppSignatureRef(kReceiverSignature);
		gIAPs.AddItem(new TIAPItemAccKeyFormat());
		Receiver* receiver = new Receiver();
		receiver->Run();
		delete receiver;
		_exit(0);
	}
} sReceiverPart;

// Settings, ports and the roster in folders of the benchmark's own; windows on the headless
// display.
class Folders {
public:
	Folders()
	{
		char folder[] = "/tmp/beapi-bench-iap-XXXXXX";
		if (mkdtemp(folder) == nullptr)
			return;
		fFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
		setenv("XDG_CONFIG_HOME", folder, 1);
		setenv("BEAPI_DISPLAY", "headless", 1);
	}

	~Folders()
	{
		std::string command = "rm -rf '" + fFolder + "'";
		(void)!system(command.c_str());
	}

	bool IsReady() const { return !fFolder.empty(); }

private:
	std::string fFolder;
};

// A new window in this process, serving the port.
TIAPWindow*
open_window()
{
	TIAPWindow* window = new TIAPWindow(kFrame);
	window->Show();
	while (window->Port() == IAP_PORT_NOT_YET)
		snooze(100);
	return window;
}

void
close_window(TIAPWindow* window)
{
	if (window->Lock())
		window->Quit();
}

int32
count_children(TIAPWindow* window)
{
	int32 count = 0;
	if (window->Lock()) {
		count = window->View()->CountChildren();
		window->Unlock();
	}
	return count;
}

double
median(std::vector<bigtime_t> samples)
{
	std::sort(samples.begin(), samples.end());
	return samples.empty() ? 0 : double(samples[samples.size() / 2]);
}

void
BM_ShowWindowToComponents(benchmark::State& state)
{
	Folders folders;
	TInterAppPrefs store;
	store.SetAppSignatureRef(kSignature);
	store.AddItem(new TIAPItemAccKeyFormat());
	store.AddItem(new TIAPItemFlatToolBar());
	std::vector<bigtime_t> samples;
	for (auto _ : state) {
		state.PauseTiming();
		TIAPWindow* window = open_window();
		state.ResumeTiming();
		bigtime_t start = system_time();
		store.ShowWindow(kFrame);
		// The two components and the buttons' strip.
		while (count_children(window) < 3)
			snooze(50);
		samples.push_back(system_time() - start);
		state.PauseTiming();
		close_window(window);
		while (find_port(PORT_NAME) >= 0)
			snooze(100);
		state.ResumeTiming();
	}
	state.counters["median_us"] = median(samples);
}
BENCHMARK(BM_ShowWindowToComponents)->Iterations(kSamples)->UseRealTime();

void
BM_MenuChoiceToOtherApplication(benchmark::State& state)
{
	Folders folders;
	port_id answers = create_port(100, kAnswerPortName);
	pid_t child = spawn_self("BEAPI_BENCH_IAP_RECEIVER=1");
	int32 code = -1;
	if (child < 0 || read_port_etc(answers, &code, nullptr, 0, B_RELATIVE_TIMEOUT, 10000000) < 0) {
		state.SkipWithError("the other application did not start");
		return;
	}

	TInterAppPrefs store;
	store.SetAppSignatureRef(kSignature);
	store.AddItem(new TIAPItemAccKeyFormat());
	TIAPWindow* window = open_window();
	store.AddComponents(window->Port());
	while (count_children(window) < 2)
		snooze(100);
	// The messages of two entries of the format menu, chosen in turn.
	TIAPItemAccKeyFormat item;
	item.SetAppSignatureRef(kSignature);
	BMessage choices[2];
	for (BMessage& choice : choices)
		item.GetValue(&choice, false);
	choices[0].what = choices[1].what = MSG_IAP_CONTROL_CHANGED;
	choices[0].ReplaceString(IAP_ITEM_NAME_ACC_KEY_FORMAT, "\x01"
														   "a) ");
	choices[1].ReplaceString(IAP_ITEM_NAME_ACC_KEY_FORMAT, "\x02(a)");

	std::vector<bigtime_t> samples;
	int turn = 0;
	for (auto _ : state) {
		bigtime_t start = system_time();
		window->PostMessage(&choices[turn++ % 2], window->View());
		code = -1;
		read_port_etc(answers, &code, nullptr, 0, B_RELATIVE_TIMEOUT, 10000000);
		if (code != B_OK) {
			state.SkipWithError("the other application did not take the change");
			break;
		}
		samples.push_back(system_time() - start);
	}
	state.counters["median_us"] = median(samples);
	close_window(window);
	kill(child, SIGKILL);
	waitpid(child, nullptr, 0);
	delete_port(answers);
}
BENCHMARK(BM_MenuChoiceToOtherApplication)->Iterations(kSamples)->UseRealTime();

} // namespace
