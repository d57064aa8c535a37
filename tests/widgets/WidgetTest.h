#ifndef WIDGET_TEST_H
#define WIDGET_TEST_H

// Shared by the widget tests: a watchdog, a window on the headless display that records the
// messages sent to it, waiting for a condition; pictures are compared with PngImage.h.

#include "PngImage.h"
#include "Watchdog.h"

#include <Message.h>
#include <OS.h>
#include <Window.h>

#include <headless/HeadlessInput.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class TestWindow : public BWindow {
public:
	TestWindow(const char* title, BRect frame = BRect(100, 100, 299, 199));
	// Shows the window and waits until its first frame is there.
	void ShowAndWait();
	static void Close(BWindow* window);
	// The messages of that code received so far, which are forgotten.
	std::vector<BMessage> Take(uint32 what);

	virtual void MessageReceived(BMessage* message);

private:
	std::vector<BMessage> fReceived;
};

// Checks the condition with the window locked every few milliseconds until it holds or the
// timeout passes.
bool wait_until(BWindow* window, const std::function<bool()>& condition,
				bigtime_t timeout = 3000000);

#endif
