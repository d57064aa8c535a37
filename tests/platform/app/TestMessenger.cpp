#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Handler.h>
#include <Invoker.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "Watchdog.h"

namespace {

// Counts what arrives and remembers the last message.
class Sink : public BHandler {
public:
	Sink(const char* name = "sink") : BHandler(name) {}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> guard(fLock);
		fLast = *message;
		fDelivered = message->WasDelivered();
		fCount++;
		if (message->what == 'ignr')
			BHandler::MessageReceived(message);
		if (message->what == 'slow')
			snooze(300000);
	}

	int Count()
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fCount;
	}

	bool LastWasDelivered()
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fDelivered;
	}

	BMessage Last()
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fLast;
	}

	bool WaitFor(int count)
	{
		for (int i = 0; i < 1000 && Count() < count; i++)
			snooze(5000);
		return Count() >= count;
	}

private:
	std::mutex fLock;
	BMessage fLast;
	int fCount = 0;
	bool fDelivered = false;
};

// A running looper with one sink handler, quit at the end of the test.
struct Fixture {
	BLooper* looper;
	Sink* sink;

	Fixture()
	{
		looper = new BLooper("fixture");
		sink = new Sink;
		looper->AddHandler(sink);
		looper->Run();
	}

	~Fixture()
	{
		if (looper->Lock()) {
			looper->RemoveHandler(sink);
			looper->Quit();
		}
		delete sink;
	}
};

} // namespace

TEST(Messenger, ReachesAHandlerAndItsLooper)
{
	Watchdog watchdog(20);
	Fixture f;
	status_t status;
	BMessenger toSink(f.sink, NULL, &status);
	EXPECT_EQ(B_OK, status);
	EXPECT_TRUE(toSink.IsValid());
	EXPECT_TRUE(toSink.IsTargetLocal());
	BLooper* looper = NULL;
	EXPECT_EQ(f.sink, toSink.Target(&looper));
	EXPECT_EQ(f.looper, looper);

	BMessage message('ping');
	message.AddString("text", "こんにちは");
	ASSERT_EQ(B_OK, toSink.SendMessage(&message));
	ASSERT_TRUE(f.sink->WaitFor(1));
	EXPECT_EQ((uint32)'ping', f.sink->Last().what);
	EXPECT_STREQ("こんにちは", f.sink->Last().GetString("text", ""));
	EXPECT_TRUE(f.sink->LastWasDelivered());

	// A messenger to the looper alone goes to its preferred handler.
	BMessenger toLooper(NULL, f.looper);
	EXPECT_EQ(nullptr, toLooper.Target(&looper));
	EXPECT_EQ(f.looper, looper);
	ASSERT_TRUE(f.looper->Lock());
	f.looper->SetPreferredHandler(f.sink);
	f.looper->Unlock();
	ASSERT_EQ(B_OK, toLooper.SendMessage('pref'));
	ASSERT_TRUE(f.sink->WaitFor(2));
	EXPECT_EQ((uint32)'pref', f.sink->Last().what);

	EXPECT_EQ(toSink, BMessenger(f.sink));
	EXPECT_NE(toSink, toLooper);
}

TEST(Messenger, RefusesMismatchesAndEmptyTargets)
{
	Fixture f;
	BLooper* other = new BLooper("other");
	status_t status;
	BMessenger mismatch(f.sink, other, &status);
	EXPECT_EQ(B_MISMATCHED_VALUES, status);
	EXPECT_FALSE(mismatch.IsValid());
	Sink loose;
	BMessenger toLoose(&loose, NULL, &status);
	EXPECT_EQ(B_MISMATCHED_VALUES, status);
	BMessenger empty;
	EXPECT_FALSE(empty.IsValid());
	EXPECT_EQ(B_BAD_PORT_ID, empty.SendMessage('none'));
	other->Quit();
}

TEST(Messenger, GoesInvalidWhenTheTargetGoes)
{
	Watchdog watchdog(20);
	BLooper* looper = new BLooper("short-lived");
	Sink* sink = new Sink;
	looper->AddHandler(sink);
	looper->Run();
	BMessenger toSink(sink);
	BMessenger toLooper(looper);
	EXPECT_TRUE(toSink.IsValid());

	ASSERT_TRUE(looper->Lock());
	looper->RemoveHandler(sink);
	looper->Unlock();
	EXPECT_FALSE(toSink.IsValid());
	EXPECT_EQ(B_BAD_PORT_ID, toSink.SendMessage('gone'));

	ASSERT_TRUE(toLooper.LockTarget());
	looper->Quit();
	EXPECT_FALSE(toLooper.IsValid());
	EXPECT_EQ(B_BAD_PORT_ID, toLooper.SendMessage('gone'));
	delete sink;
}

TEST(Messenger, LockTargetWaitsForTheLock)
{
	Watchdog watchdog(20);
	Fixture f;
	BMessenger messenger(f.sink);
	ASSERT_TRUE(f.looper->Lock());
	std::atomic<status_t> result{B_OK};
	std::thread other([&] { result = messenger.LockTargetWithTimeout(30000); });
	other.join();
	EXPECT_EQ(B_TIMED_OUT, result.load());
	f.looper->Unlock();
	std::thread again([&] {
		result = messenger.LockTargetWithTimeout(1000000);
		if (result == B_OK)
			f.looper->Unlock();
	});
	again.join();
	EXPECT_EQ(B_OK, result.load());
}

TEST(Messenger, SynchronousSendsGetAnAnswer)
{
	Watchdog watchdog(20);
	Fixture f;
	BMessenger messenger(f.sink);
	BMessage reply;

	// A handler that keeps quiet: the sender hears that no reply comes.
	ASSERT_EQ(B_OK, messenger.SendMessage('quie', &reply));
	EXPECT_EQ((uint32)B_NO_REPLY, reply.what);

	// The end of the handler chain says it did not understand.
	ASSERT_EQ(B_OK, messenger.SendMessage('ignr', &reply));
	EXPECT_EQ((uint32)B_MESSAGE_NOT_UNDERSTOOD, reply.what);

	// A slow handler makes the wait time out.
	BMessage slow('slow');
	EXPECT_EQ(B_TIMED_OUT, messenger.SendMessage(&slow, &reply, B_INFINITE_TIMEOUT, 20000));
	ASSERT_TRUE(f.sink->WaitFor(3));
}

TEST(Messenger, RepliesGoToTheNamedHandler)
{
	Watchdog watchdog(20);
	Fixture f;
	Sink* replies = new Sink("replies");
	ASSERT_TRUE(f.looper->Lock());
	f.looper->AddHandler(replies);
	f.looper->Unlock();

	BMessenger messenger(f.sink);
	ASSERT_EQ(B_OK, messenger.SendMessage('ignr', replies));
	ASSERT_TRUE(replies->WaitFor(1));
	EXPECT_EQ((uint32)B_MESSAGE_NOT_UNDERSTOOD, replies->Last().what);

	ASSERT_TRUE(f.looper->Lock());
	f.looper->RemoveHandler(replies);
	f.looper->Unlock();
	delete replies;
}

TEST(Messenger, WaitingOnTheOwnLoopIsRefused)
{
	Watchdog watchdog(20);

	class SelfAsker : public BLooper {
	public:
		void MessageReceived(BMessage* message) override
		{
			if (message->what != 'ask!')
				return;
			BMessage reply;
			fResult = BMessenger(this).SendMessage('self', &reply);
		}
		std::atomic<status_t> fResult{B_OK};
	};

	SelfAsker* looper = new SelfAsker;
	looper->Run();
	looper->PostMessage('ask!');
	for (int i = 0; i < 200 && looper->fResult == B_OK; i++)
		snooze(5000);
	EXPECT_EQ(B_MESSAGE_TO_SELF, looper->fResult.load());
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}

TEST(Invoker, SendsACopyWithWhenAndSource)
{
	Watchdog watchdog(20);
	Fixture f;
	BMessage* model = new BMessage('invk');
	model->AddInt32("value", 3);
	BInvoker invoker(model, f.sink);
	EXPECT_EQ(model, invoker.Message());
	EXPECT_EQ((uint32)'invk', invoker.Command());
	EXPECT_EQ(f.sink, invoker.Target());
	EXPECT_TRUE(invoker.IsTargetLocal());

	bigtime_t before = system_time();
	ASSERT_EQ(B_OK, invoker.Invoke());
	ASSERT_TRUE(f.sink->WaitFor(1));
	BMessage sent = f.sink->Last();
	EXPECT_EQ((uint32)'invk', sent.what);
	EXPECT_EQ(3, sent.GetInt32("value", 0));
	int64 when = 0;
	EXPECT_EQ(B_OK, sent.FindInt64("when", &when));
	EXPECT_GE(when, before);
	const void* source = NULL;
	EXPECT_EQ(B_OK, sent.FindPointer("source", const_cast<void**>(&source)));
	EXPECT_EQ(&invoker, source);
	// The model itself is untouched.
	EXPECT_FALSE(model->HasInt64("when"));

	BMessage other('othr');
	ASSERT_EQ(B_OK, invoker.Invoke(&other));
	ASSERT_TRUE(f.sink->WaitFor(2));
	EXPECT_EQ((uint32)'othr', f.sink->Last().what);

	// A new message replaces (and frees) the old one.
	invoker.SetMessage(new BMessage('new '));
	EXPECT_EQ((uint32)'new ', invoker.Command());
	invoker.SetMessage(NULL);
	EXPECT_EQ(B_BAD_VALUE, invoker.Invoke());
}

TEST(Invoker, InvokeKindDuringNotify)
{
	class Probe : public BInvoker {
	public:
		status_t Invoke(BMessage* message) override
		{
			bool notify = false;
			fKind = InvokeKind(&notify);
			fNotify = notify;
			return BInvoker::Invoke(message);
		}
		uint32 fKind = 0;
		bool fNotify = false;
	};

	Fixture f;
	Probe probe;
	probe.SetTarget(f.sink);
	BMessage message('kind');
	probe.Invoke(&message);
	EXPECT_EQ((uint32)B_CONTROL_INVOKED, probe.fKind);
	EXPECT_FALSE(probe.fNotify);
	probe.InvokeNotify(&message, B_CONTROL_MODIFIED);
	EXPECT_EQ((uint32)B_CONTROL_MODIFIED, probe.fKind);
	EXPECT_TRUE(probe.fNotify);
	ASSERT_TRUE(f.sink->WaitFor(2));
}
