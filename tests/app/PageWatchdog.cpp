#include "PageWatchdog.h"

#include <chrono>
#include <cstdio>
#include <unistd.h>

PageWatchdog::PageWatchdog(int seconds)
{
	mThread = std::thread([this, seconds] {
		for (int i = 0; i < seconds * 10; i++) {
			if (mDone.load())
				return;
			std::this_thread::sleep_for(std::chrono::milliseconds(100));
		}
		fprintf(stderr, "watchdog: the test hangs, giving up\n");
		fflush(stderr);
		_exit(2);
	});
}

PageWatchdog::~PageWatchdog()
{
	mDone.store(true);
	mThread.join();
}
