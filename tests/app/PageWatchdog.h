#ifndef ZORVY_TESTS_PAGE_WATCHDOG_H
#define ZORVY_TESTS_PAGE_WATCHDOG_H

#include <atomic>
#include <thread>

// Ends the process when a test hangs, so that a stuck looper fails the run instead of stalling
// it; the test is over when the watchdog is destroyed.
class PageWatchdog {
public:
	explicit PageWatchdog(int seconds = 60);
	~PageWatchdog();

private:
	std::atomic<bool> mDone{false};
	std::thread mThread;
};

#endif
