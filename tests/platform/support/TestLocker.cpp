#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include <Autolock.h>
#include <Locker.h>

namespace {

// Fails the test instead of hanging when a thread never finishes.
template <typename F>
void
run_with_watchdog(F body)
{
	auto done = std::async(std::launch::async, body);
	ASSERT_EQ(done.wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

} // namespace

TEST(Locker, RecursiveLockingCountsAndOwns)
{
	BLocker locker("test");
	EXPECT_FALSE(locker.IsLocked());
	EXPECT_EQ(locker.LockingThread(), -1);
	ASSERT_TRUE(locker.Lock());
	ASSERT_TRUE(locker.Lock());
	EXPECT_EQ(locker.CountLocks(), 2);
	EXPECT_TRUE(locker.IsLocked());
	EXPECT_GT(locker.LockingThread(), 0);
	locker.Unlock();
	EXPECT_TRUE(locker.IsLocked());
	locker.Unlock();
	EXPECT_FALSE(locker.IsLocked());
	EXPECT_EQ(locker.CountLocks(), 0);
}

TEST(Locker, OtherThreadsWaitOrTimeOut)
{
	BLocker locker;
	ASSERT_TRUE(locker.Lock());
	run_with_watchdog([&] {
		EXPECT_FALSE(locker.IsLocked());
		EXPECT_EQ(locker.LockWithTimeout(0), B_WOULD_BLOCK);
		EXPECT_EQ(locker.LockWithTimeout(20000), B_TIMED_OUT);
		// Unlock by a thread that does not hold the lock changes nothing.
		locker.Unlock();
	});
	EXPECT_EQ(locker.CountLocks(), 1);

	std::atomic<bool> got(false);
	std::thread waiter([&] {
		if (locker.Lock()) {
			got = true;
			locker.Unlock();
		}
	});
	std::this_thread::sleep_for(std::chrono::milliseconds(20));
	EXPECT_FALSE(got);
	locker.Unlock();
	run_with_watchdog([&] { waiter.join(); });
	EXPECT_TRUE(got);
}

TEST(Locker, AutolockReleasesAtScopeEnd)
{
	BLocker locker;
	{
		BAutolock lock(locker);
		EXPECT_TRUE(lock.IsLocked());
		EXPECT_TRUE(locker.IsLocked());
		BAutolock again(&locker);
		EXPECT_EQ(locker.CountLocks(), 2);
	}
	EXPECT_FALSE(locker.IsLocked());
	BAutolock none(static_cast<BLocker*>(nullptr));
	EXPECT_FALSE(none.IsLocked());
}
