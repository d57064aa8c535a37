#include "KernelTest.h"

#include <OS.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

namespace {

using ThreadTest = KernelTest;

std::atomic<int> gBodyRuns{0};

status_t
return_five(void*)
{
	gBodyRuns.fetch_add(1);
	return 5;
}

TEST_F(ThreadTest, StartsOnlyWhenResumedAndGivesItsExitValue)
{
	gBodyRuns = 0;
	thread_id thread = spawn_thread(return_five, "five", B_NORMAL_PRIORITY, nullptr);
	ASSERT_GT(thread, 0);
	snooze(20000);
	EXPECT_EQ(gBodyRuns.load(), 0);
	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(info.state, B_THREAD_SUSPENDED);
	EXPECT_STREQ(info.name, "five");
	EXPECT_EQ(info.priority, B_NORMAL_PRIORITY);
	EXPECT_EQ(info.team, getpid());

	ASSERT_EQ(resume_thread(thread), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 5);
	EXPECT_EQ(gBodyRuns.load(), 1);
	EXPECT_EQ(get_thread_info(thread, &info), B_BAD_THREAD_ID);
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_ID);
	EXPECT_EQ(wait_for_thread(thread, &exitValue), B_BAD_THREAD_ID);
}

TEST_F(ThreadTest, WaitingForANeverStartedThreadStartsIt)
{
	gBodyRuns = 0;
	thread_id thread = spawn_thread(return_five, "five", B_NORMAL_PRIORITY, nullptr);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 5);
	EXPECT_EQ(gBodyRuns.load(), 1);
}

TEST_F(ThreadTest, KilledBeforeItStartsNeverRunsItsBody)
{
	gBodyRuns = 0;
	thread_id thread = spawn_thread(return_five, "never", B_NORMAL_PRIORITY, nullptr);
	ASSERT_EQ(kill_thread(thread), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, B_INTERRUPTED);
	EXPECT_EQ(gBodyRuns.load(), 0);
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_ID);
}

struct Trace {
	std::atomic<bool> started{false};
	std::atomic<bool> hookRan{false};
	std::atomic<bool> unwound{false};
	std::atomic<bool> pastWait{false};
	thread_id other = -1;
};

void
note_hook(void* data)
{
	static_cast<Trace*>(data)->hookRan = true;
}

struct Unwinds {
	Trace* trace;
	~Unwinds() { trace->unwound = true; }
};

status_t
sleep_for_long(void* data)
{
	Trace* trace = static_cast<Trace*>(data);
	on_exit_thread(note_hook, trace);
	Unwinds unwinds{trace};
	trace->started = true;
	snooze(60000000);
	trace->pastWait = true;
	return B_OK;
}

status_t
wait_for_other(void* data)
{
	Trace* trace = static_cast<Trace*>(data);
	on_exit_thread(note_hook, trace);
	trace->started = true;
	wait_for_thread(trace->other, nullptr);
	trace->pastWait = true;
	return B_OK;
}

void
wait_until(const std::atomic<bool>& flag)
{
	while (!flag.load())
		snooze(1000);
}

TEST_F(ThreadTest, KillWakesAThreadInItsWaitsAndRunsItsExitHooks)
{
	Trace sleeper;
	thread_id thread = spawn_thread(sleep_for_long, "sleeper", B_NORMAL_PRIORITY, &sleeper);
	resume_thread(thread);
	wait_until(sleeper.started);
	thread_info info;
	do {
		snooze(1000);
		ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	} while (info.state != B_THREAD_ASLEEP);

	Trace waiter;
	waiter.other = thread;
	thread_id waiting = spawn_thread(wait_for_other, "waiter", B_NORMAL_PRIORITY, &waiter);
	resume_thread(waiting);
	wait_until(waiter.started);
	bigtime_t before = system_time();
	ASSERT_EQ(kill_thread(waiting), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(waiting, &exitValue), B_OK);
	EXPECT_EQ(exitValue, B_INTERRUPTED);
	EXPECT_TRUE(waiter.hookRan);
	EXPECT_FALSE(waiter.pastWait);

	ASSERT_EQ(kill_thread(thread), B_OK);
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_LT(system_time() - before, 5000000);
	EXPECT_EQ(exitValue, B_INTERRUPTED);
	EXPECT_TRUE(sleeper.hookRan);
	EXPECT_TRUE(sleeper.unwound);
	EXPECT_FALSE(sleeper.pastWait);
}

std::vector<int>* gHookOrder;

void
record_one(void*)
{
	gHookOrder->push_back(1);
}

void
record_two(void*)
{
	gHookOrder->push_back(2);
}

status_t
leave_early(void*)
{
	on_exit_thread(record_one, nullptr);
	on_exit_thread(record_two, nullptr);
	exit_thread(42);
}

TEST_F(ThreadTest, ExitThreadRunsTheHooksLastFirstAndSetsTheExitValue)
{
	std::vector<int> order;
	gHookOrder = &order;
	thread_id thread = spawn_thread(leave_early, "leaver", B_NORMAL_PRIORITY, nullptr);
	resume_thread(thread);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 42);
	EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

status_t
suspend_myself(void* data)
{
	Trace* trace = static_cast<Trace*>(data);
	trace->started = true;
	suspend_thread(find_thread(nullptr));
	trace->pastWait = true;
	return 7;
}

TEST_F(ThreadTest, SuspendedThreadWaitsForResume)
{
	Trace trace;
	thread_id thread = spawn_thread(suspend_myself, "suspender", B_NORMAL_PRIORITY, &trace);
	EXPECT_EQ(resume_thread(thread), B_OK);
	wait_until(trace.started);
	thread_info info;
	do {
		snooze(1000);
		ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	} while (info.state != B_THREAD_SUSPENDED);
	snooze(20000);
	EXPECT_FALSE(trace.pastWait);
	ASSERT_EQ(resume_thread(thread), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 7);
	EXPECT_TRUE(trace.pastWait);
}

TEST_F(ThreadTest, SuspendingAThreadInAWaitParksIt)
{
	Trace sleeper;
	thread_id thread = spawn_thread(sleep_for_long, "sleeper", B_NORMAL_PRIORITY, &sleeper);
	resume_thread(thread);
	wait_until(sleeper.started);
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_STATE);
	ASSERT_EQ(suspend_thread(thread), B_OK);
	thread_info info;
	do {
		snooze(1000);
		ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	} while (info.state != B_THREAD_SUSPENDED);
	ASSERT_EQ(resume_thread(thread), B_OK);
	ASSERT_EQ(kill_thread(thread), B_OK);
	ASSERT_EQ(wait_for_thread(thread, nullptr), B_OK);
	EXPECT_FALSE(sleeper.pastWait);
}

TEST_F(ThreadTest, NamesAndPrioritiesAreRecorded)
{
	thread_id thread = spawn_thread(return_five, "first name", B_LOW_PRIORITY, nullptr);
	EXPECT_EQ(find_thread("first name"), thread);
	ASSERT_EQ(rename_thread(thread, "a name longer than the thirty-one bytes kept"), B_OK);
	EXPECT_EQ(find_thread("first name"), B_NAME_NOT_FOUND);
	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(std::string(info.name), std::string("a name longer than the thirty-one bytes kept")
										  .substr(0, B_OS_NAME_LENGTH - 1));
	EXPECT_EQ(set_thread_priority(thread, B_DISPLAY_PRIORITY), B_LOW_PRIORITY);
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(info.priority, B_DISPLAY_PRIORITY);
	EXPECT_EQ(find_thread(nullptr), find_thread(nullptr));
	EXPECT_NE(find_thread(nullptr), thread);
	ASSERT_EQ(get_thread_info(find_thread(nullptr), &info), B_OK);
	EXPECT_EQ(info.state, B_THREAD_RUNNING);
	EXPECT_EQ(kill_thread(find_thread(nullptr)), B_NOT_ALLOWED);
	kill_thread(thread);
	wait_for_thread(thread, nullptr);
}

TEST_F(ThreadTest, SnoozeSleepsAtLeastAsLongAsAsked)
{
	bigtime_t start = system_time();
	EXPECT_EQ(snooze(30000), B_OK);
	bigtime_t slept = system_time() - start;
	EXPECT_GE(slept, 30000);
	EXPECT_EQ(snooze_until(system_time() + 10000, B_SYSTEM_TIMEBASE), B_OK);
	EXPECT_EQ(snooze_until(0, 1), B_BAD_VALUE);
	EXPECT_EQ(spawn_thread(nullptr, "none", B_NORMAL_PRIORITY, nullptr), B_BAD_VALUE);
}

} // namespace
