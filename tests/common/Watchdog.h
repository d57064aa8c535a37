#ifndef TESTS_COMMON_WATCHDOG_H
#define TESTS_COMMON_WATCHDOG_H

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <unistd.h>

// Ends the whole test process when a test is still running after the given time, so that a
// stuck thread, looper, port or child fails the run at once instead of stalling it until the
// test runner's own limit. The test is over when the watchdog is destroyed.
class Watchdog {
public:
	explicit Watchdog(int seconds = 60)
		: fThread([this, seconds] {
			  std::unique_lock<std::mutex> lock(fLock);
			  if (fOver.wait_for(lock, std::chrono::seconds(seconds), [this] { return fDone; }))
				  return;
			  fprintf(stderr, "watchdog: the test still runs after %d s, giving up\n", seconds);
			  fflush(stderr);
			  _exit(2);
		  })
	{}

	~Watchdog()
	{
		{
			std::lock_guard<std::mutex> lock(fLock);
			fDone = true;
		}
		fOver.notify_all();
		fThread.join();
	}

	Watchdog(const Watchdog&) = delete;
	Watchdog& operator=(const Watchdog&) = delete;

private:
	std::mutex fLock;
	std::condition_variable fOver;
	bool fDone = false;
	std::thread fThread;
};

#endif
