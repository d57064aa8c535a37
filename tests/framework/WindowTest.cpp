#include "WindowTest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// Before anything starts the display: the headless one on a screen whose frame ends at
// (1024, 768), with the test fonts.
struct Environment {
	Environment()
	{
		setenv("BEAPI_DISPLAY", "headless", 1);
		setenv("BEAPI_SCREEN", "1025x769", 1);
		setenv("FONTCONFIG_FILE", BEAPI_SOURCE_DIR "/tests/fonts.conf", 1);
	}
} sEnvironment;

} // namespace

WindowWatchdog::WindowWatchdog(int seconds)
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

WindowWatchdog::~WindowWatchdog()
{
	mDone.store(true);
	mThread.join();
}

void
with_lock(BWindow* window, const std::function<void()>& function)
{
	ASSERT_TRUE(window->Lock());
	function();
	window->Unlock();
}

void
show_and_wait(BWindow* window)
{
	window->Show();
	ASSERT_EQ(BPrivate::headless::wait_for_window(window->Title()), window);
	ASSERT_EQ(BPrivate::headless::sync(window), B_OK);
}

void
quit_window(BWindow* window)
{
	if (window->Lock())
		window->Quit();
}
