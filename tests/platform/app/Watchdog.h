#ifndef WATCHDOG_H
#define WATCHDOG_H

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// Ends the test run when a test that runs loops hangs, instead of stalling the build.
class Watchdog {
public:
	explicit Watchdog(int seconds = 20)
		: fThread([this, seconds] {
			  std::unique_lock<std::mutex> lock(fLock);
			  if (!fDone.wait_for(lock, std::chrono::seconds(seconds),
								  [this] { return fDisarmed; })) {
				  fprintf(stderr, "watchdog: test still running after %d s\n", seconds);
				  std::abort();
			  }
		  })
	{}

	~Watchdog()
	{
		{
			std::lock_guard<std::mutex> lock(fLock);
			fDisarmed = true;
		}
		fDone.notify_all();
		fThread.join();
	}

private:
	std::mutex fLock;
	std::condition_variable fDone;
	bool fDisarmed = false;
	std::thread fThread;
};

#endif
