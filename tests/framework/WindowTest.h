#ifndef FRAMEWORK_WINDOW_TEST_H
#define FRAMEWORK_WINDOW_TEST_H

// Shared by the tests that drive the library's windows on the headless display: a watchdog
// that ends a hung test, and helpers that run code in a window's thread.

#include <Window.h>

#include <headless/HeadlessInput.h>

#include <atomic>
#include <functional>
#include <thread>

class WindowWatchdog {
public:
	explicit WindowWatchdog(int seconds = 60);
	~WindowWatchdog();

private:
	std::atomic<bool> mDone{false};
	std::thread mThread;
};

// Runs the function with the window locked.
void with_lock(BWindow* window, const std::function<void()>& function);
// Shows the window and waits until the display has its first frame.
void show_and_wait(BWindow* window);
// Locks and quits the window.
void quit_window(BWindow* window);

#endif
