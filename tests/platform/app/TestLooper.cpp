#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <MessageFilter.h>
#include <MessageQueue.h>
#include <Messenger.h>
#include <OS.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Watchdog.h"

namespace {

// What handlers saw, shared with the test thread.
struct Journal {
	std::mutex lock;
	std::condition_variable changed;
	std::vector<std::string> entries;

	void Add(const std::string& entry)
	{
		std::lock_guard<std::mutex> guard(lock);
		entries.push_back(entry);
		changed.notify_all();
	}

	bool WaitFor(size_t count)
	{
		std::unique_lock<std::mutex> guard(lock);
		return changed.wait_for(guard, std::chrono::seconds(10),
								[&] { return entries.size() >= count; });
	}

	std::vector<std::string> Snapshot()
	{
		std::lock_guard<std::mutex> guard(lock);
		return entries;
	}
};

std::string
code(uint32 what)
{
	char text[5] = {(char)(what >> 24), (char)(what >> 16), (char)(what >> 8), (char)what, 0};
	return text;
}

class RecordingHandler : public BHandler {
public:
	RecordingHandler(const char* name, Journal* journal) : BHandler(name), fJournal(journal) {}

	void MessageReceived(BMessage* message) override
	{
		int32 index;
		if (message->FindInt32("index", &index) != B_OK)
			index = -1;
		fJournal->Add(std::string(Name()) + ":" + code(message->what) +
					  (index >= 0 ? ":" + std::to_string(index) : ""));
		if (message->what == 'pass')
			BHandler::MessageReceived(message);
	}

private:
	Journal* fJournal;
};

class RecordingLooper : public BLooper {
public:
	RecordingLooper(Journal* journal, std::atomic<bool>* deleted = nullptr)
		: BLooper("recorder"), fJournal(journal), fDeleted(deleted)
	{}

	~RecordingLooper() override
	{
		if (fDeleted != nullptr)
			*fDeleted = true;
	}

	void MessageReceived(BMessage* message) override
	{
		int32 index;
		if (message->FindInt32("index", &index) != B_OK)
			index = -1;
		bool current = CurrentMessage() == message;
		fJournal->Add(std::string("looper:") + code(message->what) +
					  (index >= 0 ? ":" + std::to_string(index) : "") +
					  (current ? "" : ":not-current"));
		if (message->what == 'slow')
			snooze(100000);
		if (message->what == 'quit')
			Quit();
		if (message->what == 'keep')
			fKept = DetachCurrentMessage();
	}

	BMessage* fKept = nullptr;

private:
	Journal* fJournal;
	std::atomic<bool>* fDeleted;
};

BMessage
indexed(uint32 what, int32 index)
{
	BMessage message(what);
	message.AddInt32("index", index);
	return message;
}

} // namespace

TEST(Looper, MessagesArriveInOrderOnTheLoopersThread)
{
	Watchdog watchdog(20);
	Journal journal;
	RecordingLooper* looper = new RecordingLooper(&journal);
	EXPECT_TRUE(looper->IsLocked());
	thread_id thread = looper->Run();
	ASSERT_GE(thread, 0);
	EXPECT_EQ(thread, looper->Thread());
	EXPECT_FALSE(looper->IsLocked());
	EXPECT_EQ(looper, BLooper::LooperForThread(thread));

	for (int32 i = 0; i < 50; i++) {
		BMessage message = indexed('ordr', i);
		ASSERT_EQ(B_OK, looper->PostMessage(&message));
	}
	ASSERT_TRUE(journal.WaitFor(50));
	std::vector<std::string> seen = journal.Snapshot();
	for (int32 i = 0; i < 50; i++)
		EXPECT_EQ("looper:ordr:" + std::to_string(i), seen[i]);

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}

TEST(Looper, PostMessageTargetsHandlersOfThisLooperOnly)
{
	Watchdog watchdog(20);
	Journal journal;
	RecordingLooper* looper = new RecordingLooper(&journal);
	RecordingHandler* handler = new RecordingHandler("first", &journal);
	looper->AddHandler(handler);
	RecordingHandler stranger("stranger", &journal);
	looper->Run();

	EXPECT_EQ(B_OK, looper->PostMessage('hand', handler));
	EXPECT_EQ(B_MISMATCHED_VALUES, looper->PostMessage('lost', &stranger));
	// No handler: the preferred one, which is the looper until one is set.
	EXPECT_EQ(B_OK, looper->PostMessage('pref', NULL));
	ASSERT_TRUE(journal.WaitFor(2));

	ASSERT_TRUE(looper->Lock());
	looper->SetPreferredHandler(handler);
	looper->Unlock();
	EXPECT_EQ(B_OK, looper->PostMessage('pre2', NULL));
	ASSERT_TRUE(journal.WaitFor(3));
	EXPECT_EQ((std::vector<std::string>{"first:hand", "looper:pref", "first:pre2"}),
			  journal.Snapshot());

	ASSERT_TRUE(looper->Lock());
	EXPECT_TRUE(looper->RemoveHandler(handler));
	EXPECT_EQ(nullptr, handler->Looper());
	EXPECT_EQ(nullptr, looper->PreferredHandler());
	looper->Quit();
	delete handler;
}

TEST(Looper, NextHandlerReceivesWhatAHandlerPassesOn)
{
	Watchdog watchdog(20);
	Journal journal;
	RecordingLooper* looper = new RecordingLooper(&journal);
	RecordingHandler* first = new RecordingHandler("first", &journal);
	RecordingHandler* second = new RecordingHandler("second", &journal);
	looper->AddHandler(first);
	looper->AddHandler(second);
	first->SetNextHandler(second);
	EXPECT_EQ(second, first->NextHandler());
	looper->Run();

	// The last handler of the chain passes on to the looper it was added to.
	looper->PostMessage('pass', first);
	ASSERT_TRUE(journal.WaitFor(3));
	EXPECT_EQ((std::vector<std::string>{"first:pass", "second:pass", "looper:pass"}),
			  journal.Snapshot());

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
	delete first;
	delete second;
}

namespace {

filter_result
drop_odd(BMessage* message, BHandler**, BMessageFilter*)
{
	int32 index = 0;
	message->FindInt32("index", &index);
	return index % 2 == 1 ? B_SKIP_MESSAGE : B_DISPATCH_MESSAGE;
}

class RedirectFilter : public BMessageFilter {
public:
	RedirectFilter(uint32 what, BHandler* to) : BMessageFilter(what), fTo(to) {}

	filter_result Filter(BMessage*, BHandler** target) override
	{
		*target = fTo;
		return B_DISPATCH_MESSAGE;
	}

private:
	BHandler* fTo;
};

} // namespace

TEST(Looper, FiltersDropAndRedirectMessages)
{
	Watchdog watchdog(20);
	Journal journal;
	RecordingLooper* looper = new RecordingLooper(&journal);
	RecordingHandler* first = new RecordingHandler("first", &journal);
	RecordingHandler* second = new RecordingHandler("second", &journal);
	looper->AddHandler(first);
	looper->AddHandler(second);
	looper->AddCommonFilter(new BMessageFilter('odd?', drop_odd));
	// A common filter sends 'redi' to the first handler, whose own filter moves it on.
	looper->AddCommonFilter(new RedirectFilter('redi', first));
	first->AddFilter(new RedirectFilter('redi', second));
	looper->AddCommonFilter(new BMessageFilter(B_ANY_DELIVERY, B_REMOTE_SOURCE, 'remo', drop_odd));
	EXPECT_EQ(3, looper->CountCommonFilters());
	EXPECT_EQ(looper, looper->CommonFilterAt(0)->Looper());
	looper->Run();

	for (int32 i = 0; i < 4; i++) {
		BMessage message = indexed('odd?', i);
		looper->PostMessage(&message);
	}
	looper->PostMessage('redi');
	// A filter for remote senders leaves messages from this process alone.
	BMessage local = indexed('remo', 1);
	looper->PostMessage(&local);
	ASSERT_TRUE(journal.WaitFor(4));
	snooze(50000);
	EXPECT_EQ((std::vector<std::string>{"looper:odd?:0", "looper:odd?:2", "second:redi",
										"looper:remo:1"}),
			  journal.Snapshot());

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
	delete first;
	delete second;
}

TEST(Looper, FilterMayNotRedirectToAnotherLoopersHandler)
{
	Watchdog watchdog(20);
	Journal journal;
	RecordingLooper* looper = new RecordingLooper(&journal);
	RecordingHandler outside("outside", &journal);
	looper->AddCommonFilter(new RedirectFilter('away', &outside));
	looper->Run();
	looper->PostMessage('away');
	looper->PostMessage('next');
	ASSERT_TRUE(journal.WaitFor(1));
	EXPECT_EQ((std::vector<std::string>{"looper:next"}), journal.Snapshot());
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}

TEST(Looper, LockingFromOtherThreadsExcludesTheLoop)
{
	Watchdog watchdog(20);
	Journal journal;
	RecordingLooper* looper = new RecordingLooper(&journal);
	looper->Run();

	ASSERT_TRUE(looper->Lock());
	EXPECT_TRUE(looper->IsLocked());
	EXPECT_EQ(find_thread(NULL), looper->LockingThread());
	ASSERT_TRUE(looper->Lock());
	EXPECT_EQ(2, looper->CountLocks());
	looper->PostMessage('held');
	snooze(50000);
	// The loop cannot handle anything while we hold the lock.
	EXPECT_TRUE(journal.Snapshot().empty());

	std::atomic<status_t> other{B_OK};
	std::thread contender([&] { other = looper->LockWithTimeout(20000); });
	contender.join();
	EXPECT_EQ(B_TIMED_OUT, other.load());

	looper->Unlock();
	looper->Unlock();
	ASSERT_TRUE(journal.WaitFor(1));

	// Many threads take turns.
	std::atomic<int> inside{0};
	std::atomic<int> overlaps{0};
	std::vector<std::thread> threads;
	for (int t = 0; t < 4; t++) {
		threads.emplace_back([&] {
			for (int i = 0; i < 200; i++) {
				if (!looper->Lock())
					return;
				if (inside.fetch_add(1) != 0)
					overlaps++;
				inside.fetch_sub(1);
				looper->Unlock();
			}
		});
	}
	for (int i = 0; i < 100; i++)
		looper->PostMessage('busy');
	for (std::thread& thread : threads)
		thread.join();
	EXPECT_EQ(0, overlaps.load());

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}

TEST(Looper, CurrentMessageAndDetachDuringAHandler)
{
	Watchdog watchdog(20);
	Journal journal;
	RecordingLooper* looper = new RecordingLooper(&journal);
	looper->Run();

	BMessage keep = indexed('keep', 7);
	looper->PostMessage(&keep);
	looper->PostMessage('next');
	ASSERT_TRUE(journal.WaitFor(2));
	EXPECT_EQ((std::vector<std::string>{"looper:keep:7", "looper:next"}), journal.Snapshot());

	ASSERT_TRUE(looper->Lock());
	EXPECT_EQ(nullptr, looper->CurrentMessage());
	ASSERT_NE(nullptr, looper->fKept);
	EXPECT_EQ((uint32)'keep', looper->fKept->what);
	delete looper->fKept;
	looper->Quit();
}

TEST(Looper, QuitFromAHandlerDropsWhatIsStillQueued)
{
	Watchdog watchdog(20);
	Journal journal;
	std::atomic<bool> deleted{false};
	RecordingLooper* looper = new RecordingLooper(&journal, &deleted);
	// Queue everything before the loop starts, so the quit request is handled with work waiting.
	looper->PostMessage('slow');
	looper->PostMessage('quit');
	for (int32 i = 0; i < 20; i++)
		looper->PostMessage('late');
	thread_id thread = looper->Run();
	status_t result;
	EXPECT_EQ(B_OK, wait_for_thread(thread, &result));
	EXPECT_TRUE(deleted.load());
	EXPECT_EQ((std::vector<std::string>{"looper:slow", "looper:quit"}), journal.Snapshot());
}

TEST(Looper, QuitFromAnotherThreadHandlesWhatCameBefore)
{
	Watchdog watchdog(20);
	Journal journal;
	std::atomic<bool> deleted{false};
	RecordingLooper* looper = new RecordingLooper(&journal, &deleted);
	looper->Run();
	for (int32 i = 0; i < 5; i++) {
		BMessage message = indexed('ordr', i);
		looper->PostMessage(&message);
	}
	ASSERT_TRUE(looper->Lock());
	BMessenger messenger(looper);
	looper->Quit();
	// Quit returns once the loop has ended and the looper is gone.
	EXPECT_TRUE(deleted.load());
	EXPECT_EQ(5u, journal.Snapshot().size());
	EXPECT_FALSE(messenger.IsValid());
	EXPECT_FALSE(messenger.LockTarget());
}

TEST(Looper, QuitRequestedAsksTheLooper)
{
	Watchdog watchdog(20);
	Journal journal;
	std::atomic<bool> deleted{false};

	class Reluctant : public RecordingLooper {
	public:
		using RecordingLooper::RecordingLooper;
		bool QuitRequested() override { return fAgree; }
		std::atomic<bool> fAgree{false};
	};

	Reluctant* looper = new Reluctant(&journal, &deleted);
	thread_id thread = looper->Run();
	BMessenger messenger(looper);
	BMessage reply;
	ASSERT_EQ(B_OK, messenger.SendMessage(B_QUIT_REQUESTED, &reply));
	EXPECT_EQ((uint32)B_REPLY, reply.what);
	bool result = true;
	EXPECT_EQ(B_OK, reply.FindBool("result", &result));
	EXPECT_FALSE(result);
	EXPECT_FALSE(deleted.load());

	looper->fAgree = true;
	ASSERT_EQ(B_OK, messenger.SendMessage(B_QUIT_REQUESTED, &reply));
	EXPECT_EQ(B_OK, reply.FindBool("result", &result));
	EXPECT_TRUE(result);
	status_t exitValue;
	wait_for_thread(thread, &exitValue);
	EXPECT_TRUE(deleted.load());
}

TEST(Looper, MessageQueueKeepsOrderAndFinds)
{
	BMessageQueue queue;
	EXPECT_TRUE(queue.IsEmpty());
	BMessage* a = new BMessage('aaaa');
	BMessage* b = new BMessage('bbbb');
	BMessage* c = new BMessage('aaaa');
	queue.AddMessage(a);
	queue.AddMessage(b);
	queue.AddMessage(c);
	EXPECT_EQ(3, queue.CountMessages());
	EXPECT_EQ(c, queue.FindMessage('aaaa', 1));
	EXPECT_EQ(nullptr, queue.FindMessage('aaaa', 2));
	EXPECT_EQ(b, queue.FindMessage((int32)1));
	EXPECT_TRUE(queue.IsNextMessage(a));
	queue.RemoveMessage(b);
	delete b;
	EXPECT_EQ(a, queue.NextMessage());
	delete a;
	EXPECT_TRUE(queue.Lock());
	EXPECT_TRUE(queue.IsLocked());
	queue.Unlock();
	EXPECT_FALSE(queue.IsLocked());
	// The last message goes with the queue.
}
