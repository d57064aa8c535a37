#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include <Autolock.h>
#include <Locker.h>
#include <OS.h>

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

TEST(Locker, WaitersWakeWithAnErrorWhenTheLockIsDeleted)
{
	BLocker* locker = new BLocker("doomed");
	ASSERT_TRUE(locker->Lock());
	std::atomic<int> woke(0);
	std::atomic<bool> lockFailed(false);
	std::vector<status_t> results(2, B_OK);
	std::vector<std::thread> waiters;
	waiters.emplace_back([&] {
		lockFailed = !locker->Lock();
		woke++;
	});
	waiters.emplace_back([&] {
		results[0] = locker->LockWithTimeout(B_INFINITE_TIMEOUT);
		woke++;
	});
	waiters.emplace_back([&] {
		results[1] = locker->LockWithTimeout(60000000);
		woke++;
	});
	// Delete only once all three wait: the holder and three requests.
	const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
	while (locker->CountLockRequests() < 4 && std::chrono::steady_clock::now() < deadline)
		std::this_thread::sleep_for(std::chrono::milliseconds(1));
	ASSERT_EQ(locker->CountLockRequests(), 4);
	delete locker;
	run_with_watchdog([&] {
		for (std::thread& waiter : waiters)
			waiter.join();
	});
	EXPECT_EQ(woke.load(), 3);
	EXPECT_TRUE(lockFailed);
	EXPECT_EQ(results[0], B_BAD_SEM_ID);
	EXPECT_EQ(results[1], B_BAD_SEM_ID);
}

// A benaphore counts the holder and each waiting thread; a lock of semaphore style counts one
// more. Locking again by the holder is no new request, and a wait that times out withdraws its.
TEST(Locker, LockRequestsAreCountedPerStyle)
{
	for (bool benaphore : {true, false}) {
		SCOPED_TRACE(benaphore ? "benaphore" : "semaphore");
		BLocker locker("counted", benaphore);
		const int32 base = benaphore ? 0 : 1;
		EXPECT_EQ(locker.CountLockRequests(), base);
		ASSERT_TRUE(locker.Lock());
		ASSERT_TRUE(locker.Lock());
		EXPECT_EQ(locker.CountLockRequests(), base + 1);
		run_with_watchdog([&] { EXPECT_EQ(locker.LockWithTimeout(1000), B_TIMED_OUT); });
		EXPECT_EQ(locker.CountLockRequests(), base + 1);

		std::thread waiter([&] {
			if (locker.Lock())
				locker.Unlock();
		});
		const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
		while (locker.CountLockRequests() < base + 2 && std::chrono::steady_clock::now() < deadline)
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		EXPECT_EQ(locker.CountLockRequests(), base + 2);
		locker.Unlock();
		locker.Unlock();
		run_with_watchdog([&] { waiter.join(); });
		EXPECT_EQ(locker.CountLockRequests(), base);
	}
}
