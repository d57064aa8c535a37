#include <gtest/gtest.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <OS.h>

#include <mutex>
#include <vector>

#include "Watchdog.h"

namespace {

// Remembers when each message arrived.
class Clock : public BLooper {
public:
	Clock() : BLooper("clock") {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'tick')
			return;
		std::lock_guard<std::mutex> guard(fLock);
		fTimes.push_back(system_time());
	}

	std::vector<bigtime_t> Times()
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fTimes;
	}

	size_t WaitFor(size_t count, bigtime_t timeout)
	{
		bigtime_t end = system_time() + timeout;
		while (Times().size() < count && system_time() < end)
			snooze(2000);
		return Times().size();
	}

private:
	std::mutex fLock;
	std::vector<bigtime_t> fTimes;
};

struct RunningClock {
	Clock* clock = new Clock;
	RunningClock() { clock->Run(); }
	~RunningClock()
	{
		if (clock->Lock())
			clock->Quit();
	}
};

// Timers on a loaded machine run late, never early; allow generous lateness.
const bigtime_t kLate = 150000;

} // namespace

TEST(MessageRunner, OneShotSendsOnceAfterTheInterval)
{
	Watchdog watchdog(20);
	RunningClock c;
	BMessage tick('tick');
	bigtime_t start = system_time();
	BMessageRunner runner(BMessenger(c.clock), &tick, 50000, 1);
	ASSERT_EQ(B_OK, runner.InitCheck());
	ASSERT_EQ(1u, c.clock->WaitFor(1, 2000000));
	snooze(150000);
	std::vector<bigtime_t> times = c.clock->Times();
	ASSERT_EQ(1u, times.size());
	EXPECT_GE(times[0] - start, 50000);
	EXPECT_LT(times[0] - start, 50000 + kLate);
	// Spent: nothing more to tell.
	EXPECT_EQ(B_BAD_VALUE, runner.GetInfo(NULL, NULL));
}

TEST(MessageRunner, RepeatsCountTimesAtTheInterval)
{
	Watchdog watchdog(20);
	RunningClock c;
	BMessage tick('tick');
	bigtime_t start = system_time();
	BMessageRunner runner(BMessenger(c.clock), tick, 30000, 4);
	bigtime_t interval = 0;
	int32 count = 0;
	ASSERT_EQ(B_OK, runner.GetInfo(&interval, &count));
	EXPECT_EQ(30000, interval);
	EXPECT_EQ(4, count);
	ASSERT_EQ(4u, c.clock->WaitFor(4, 3000000));
	snooze(100000);
	std::vector<bigtime_t> times = c.clock->Times();
	ASSERT_EQ(4u, times.size());
	for (size_t i = 0; i < times.size(); i++)
		EXPECT_GE(times[i] - start, (bigtime_t)(i + 1) * 30000);
	EXPECT_LT(times[3] - start, 4 * 30000 + kLate);
}

TEST(MessageRunner, DeletionStopsIt)
{
	Watchdog watchdog(20);
	RunningClock c;
	BMessage tick('tick');
	BMessageRunner* runner = new BMessageRunner(BMessenger(c.clock), &tick, 20000);
	ASSERT_GE(c.clock->WaitFor(2, 2000000), 2u);
	delete runner;
	// Whatever was already sent may still be on its way; nothing new is sent.
	snooze(30000);
	size_t seen = c.clock->Times().size();
	snooze(150000);
	EXPECT_EQ(seen, c.clock->Times().size());
}

TEST(MessageRunner, IntervalAndCountCanChange)
{
	Watchdog watchdog(20);
	RunningClock c;
	BMessage tick('tick');
	BMessageRunner runner(BMessenger(c.clock), &tick, 5000000);
	EXPECT_EQ(B_OK, runner.SetInterval(20000));
	EXPECT_EQ(B_OK, runner.SetCount(2));
	ASSERT_EQ(2u, c.clock->WaitFor(2, 2000000));
	snooze(100000);
	EXPECT_EQ(2u, c.clock->Times().size());
	EXPECT_EQ(B_BAD_VALUE, runner.SetCount(3));
}

TEST(MessageRunner, RefusesBadArguments)
{
	BMessage tick('tick');
	BMessageRunner noTarget(BMessenger(), &tick, 10000);
	EXPECT_NE(B_OK, noTarget.InitCheck());
	RunningClock c;
	BMessageRunner noInterval(BMessenger(c.clock), &tick, 0);
	EXPECT_NE(B_OK, noInterval.InitCheck());
	BMessageRunner noMessage(BMessenger(c.clock), (const BMessage*)NULL, 10000);
	EXPECT_NE(B_OK, noMessage.InitCheck());
}

TEST(MessageRunner, StartSendingRunsOnItsOwn)
{
	Watchdog watchdog(20);
	RunningClock c;
	BMessage tick('tick');
	ASSERT_EQ(B_OK, BMessageRunner::StartSending(BMessenger(c.clock), &tick, 10000, 3));
	ASSERT_EQ(3u, c.clock->WaitFor(3, 2000000));
	snooze(50000);
	EXPECT_EQ(3u, c.clock->Times().size());
}
