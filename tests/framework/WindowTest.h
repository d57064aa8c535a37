#ifndef FRAMEWORK_WINDOW_TEST_H
#define FRAMEWORK_WINDOW_TEST_H

// Shared by the tests that drive the library's windows on the headless display: a watchdog
// that ends a hung test, and helpers that run code in a window's thread.

#include "Watchdog.h"

#include <Window.h>

#include <headless/HeadlessInput.h>

#include <functional>

// Runs the function with the window locked.
void with_lock(BWindow* window, const std::function<void()>& function);
// Shows the window and waits until the display has its first frame.
void show_and_wait(BWindow* window);
// Locks and quits the window.
void quit_window(BWindow* window);

#endif
