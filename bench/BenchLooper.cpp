// Message delivery within a process: posting to a looper on its own thread, and a messenger's
// send that waits for the answer.

#include <benchmark/benchmark.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include <atomic>
#include <thread>

namespace {

class CountingLooper : public BLooper {
public:
	CountingLooper() : BLooper("bench") {}

	void MessageReceived(BMessage*) override { fCount.fetch_add(1, std::memory_order_release); }

	std::atomic<int64> fCount{0};
};

} // namespace

// Messages posted and handled per second, in batches of 100 with a few fields each.
static void
BM_PostAndHandle(benchmark::State& state)
{
	CountingLooper* looper = new CountingLooper;
	looper->Run();
	BMessage message('tick');
	message.AddInt32("index", 7);
	message.AddString("text", "a short text");
	int64 sent = 0;
	for (auto _ : state) {
		for (int i = 0; i < 100; i++)
			looper->PostMessage(&message);
		sent += 100;
		while (looper->fCount.load(std::memory_order_acquire) < sent)
			std::this_thread::yield();
	}
	state.SetItemsProcessed(sent);
	if (looper->Lock())
		looper->Quit();
}
BENCHMARK(BM_PostAndHandle);

// A send that waits for the answer: from this thread to the looper's and back.
static void
BM_SendAndWaitForReply(benchmark::State& state)
{
	CountingLooper* looper = new CountingLooper;
	looper->Run();
	BMessenger messenger(looper);
	BMessage message('ask?');
	BMessage reply;
	for (auto _ : state)
		messenger.SendMessage(&message, &reply);
	state.SetItemsProcessed(state.iterations());
	if (looper->Lock())
		looper->Quit();
}
BENCHMARK(BM_SendAndWaitForReply);
