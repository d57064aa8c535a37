#include "Watchdog.h"

#include <framework/Thread.h>

#include <gtest/gtest.h>

#include <atomic>

namespace {

class ThreadTest : public testing::Test {
protected:
	Watchdog fWatchdog{30};
};

class TFive : public TThread {
public:
	TFive(std::atomic<int>* runs, std::atomic<bool>* destroyed)
		: TThread("five", B_NORMAL_PRIORITY), fRuns(runs), fDestroyed(destroyed)
	{}
	~TFive() override
	{
		if (fDestroyed != nullptr)
			*fDestroyed = true;
	}
	int32 Execute() override
	{
		(*fRuns)++;
		return 5;
	}

private:
	std::atomic<int>* fRuns;
	std::atomic<bool>* fDestroyed;
};

// Polls the terminate request the way a serving thread does between its blocking reads.
class TPoller : public TThread {
public:
	TPoller() : TThread("poller", B_LOW_PRIORITY) {}
	TPoller(const TPoller& other) : TThread(other) {}
	int32 Execute() override
	{
		fRunning = true;
		while (!mTerminateRequested)
			snooze(1000);
		return 9;
	}
	void WaitUntilRunning() const
	{
		while (!fRunning)
			snooze(1000);
	}

private:
	std::atomic<bool> fRunning{false};
};

TEST_F(ThreadTest, ExecuteResultIsTheExitValue)
{
	std::atomic<int> runs{0};
	TFive thread(&runs, nullptr);
	EXPECT_TRUE(thread.IsSuspended());
	snooze(10000);
	EXPECT_EQ(runs.load(), 0);
	ASSERT_EQ(thread.Resume(), B_OK);
	EXPECT_FALSE(thread.IsSuspended());
	status_t exitValue = 0;
	ASSERT_EQ(thread.Wait(&exitValue), B_OK);
	EXPECT_EQ(exitValue, 5);
	EXPECT_EQ(runs.load(), 1);
	EXPECT_TRUE(thread.IsTerminated());
}

TEST_F(ThreadTest, AutoDeletedObjectIsGoneAfterWait)
{
	std::atomic<int> runs{0};
	std::atomic<bool> destroyed{false};
	TFive* thread = new TFive(&runs, &destroyed);
	thread->SetAutoDelete(true);
	thread->Resume();
	ASSERT_EQ(thread->Wait(NULL), B_OK);
	EXPECT_TRUE(destroyed.load());
	EXPECT_EQ(runs.load(), 1);
}

TEST_F(ThreadTest, DeletingANeverResumedThreadKillsIt)
{
	std::atomic<int> runs{0};
	TFive* thread = new TFive(&runs, nullptr);
	thread_id id = thread->ThreadID();
	ASSERT_GT(id, 0);
	delete thread;
	thread_info info;
	EXPECT_EQ(get_thread_info(id, &info), B_BAD_THREAD_ID);
	snooze(10000);
	EXPECT_EQ(runs.load(), 0);
}

TEST_F(ThreadTest, TerminateStopsAPollingBody)
{
	TPoller poller;
	poller.Resume();
	poller.WaitUntilRunning();
	EXPECT_FALSE(poller.IsTerminated());
	EXPECT_EQ(poller.Terminate(), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(poller.Wait(&exitValue), B_OK);
	EXPECT_EQ(exitValue, 9);
	EXPECT_TRUE(poller.IsTerminated());
}

TEST_F(ThreadTest, DeletingARunningThreadBlockedInAWaitEndsIt)
{
	TPoller* poller = new TPoller;
	poller->Resume();
	poller->WaitUntilRunning();
	thread_id id = poller->ThreadID();
	delete poller;
	thread_info info;
	EXPECT_EQ(get_thread_info(id, &info), B_BAD_THREAD_ID);
}

TEST_F(ThreadTest, CopyTakesNameAndPriorityAndStartsSuspended)
{
	TPoller original;
	ASSERT_EQ(original.SetName("renamed"), B_OK);
	ASSERT_EQ(original.SetPriority(B_DISPLAY_PRIORITY), B_LOW_PRIORITY);
	TPoller copy(original);
	EXPECT_NE(copy.ThreadID(), original.ThreadID());
	EXPECT_TRUE(copy.IsSuspended());
	thread_info info;
	ASSERT_EQ(get_thread_info(copy.ThreadID(), &info), B_OK);
	EXPECT_STREQ(info.name, "renamed");
	EXPECT_EQ(info.priority, B_DISPLAY_PRIORITY);
}

} // namespace
