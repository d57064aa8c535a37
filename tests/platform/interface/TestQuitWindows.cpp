#include "Watchdog.h"

#include <AppDefs.h>
#include <Application.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const uint32 kCloseLater = 'clsL';
const uint32 kCloseNow = 'clsN';

// A window that closes itself after passing a message to itself a few times, so that windows
// leave at scattered moments while the application goes through its list. As it goes it closes
// the window made before it, the one the application turns to next.
class RestlessWindow : public BWindow {
public:
	RestlessWindow(int32 index, BMessenger older)
		: BWindow(BRect(10, 10, 109, 59), "restless", B_TITLED_WINDOW, 0), fIndex(index),
		  fOlder(older)
	{}

	~RestlessWindow() override { fOlder.SendMessage(kCloseNow); }

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kCloseNow) {
			Quit();
			return;
		}
		if (message->what != kCloseLater) {
			BWindow::MessageReceived(message);
			return;
		}
		int32 left = message->GetInt32("left", 0);
		if (left <= 0) {
			PostMessage(B_QUIT_REQUESTED);
			return;
		}
		BMessage again(kCloseLater);
		again.AddInt32("left", left - 1);
		PostMessage(&again);
	}

	// Every third window refuses a polite request: only a forced quit ends it.
	bool QuitRequested() override { return fIndex % 3 != 0; }

private:
	int32 fIndex;
	BMessenger fOlder;
};

// The application's registration goes into a runtime folder of the test's own.
class QuitWindows : public testing::Test {
protected:
	void SetUp() override
	{
		const char* runtime = getenv("XDG_RUNTIME_DIR");
		fOldRuntime = runtime != NULL ? runtime : "";
		char pattern[] = "/tmp/beapi-quit-windows-XXXXXX";
		ASSERT_NE(nullptr, mkdtemp(pattern));
		fFolder = pattern;
		setenv("XDG_RUNTIME_DIR", fFolder.c_str(), 1);
	}

	void TearDown() override
	{
		if (fOldRuntime.empty())
			unsetenv("XDG_RUNTIME_DIR");
		else
			setenv("XDG_RUNTIME_DIR", fOldRuntime.c_str(), 1);
		std::string command = "rm -rf '" + fFolder + "'";
		EXPECT_EQ(0, system(command.c_str()));
	}

	std::string fFolder;
	std::string fOldRuntime;
};

} // namespace

// The application asks its windows to quit, then forces them, while they close themselves on
// their own threads; no window may be touched after it is gone, and none may be left running.
TEST_F(QuitWindows, ApplicationQuitsWhileWindowsCloseThemselves)
{
	Watchdog watchdog(240);
	const int32 kRounds = 25;
	const int32 kWindows = 30;
	for (int32 round = 0; round < kRounds; round++) {
		BApplication* app = new BApplication("application/x-vnd.beapi-test-quit-windows");
		ASSERT_EQ(B_OK, app->InitCheck());
		std::vector<BMessenger> windows;
		for (int32 i = 0; i < kWindows; i++) {
			RestlessWindow* window =
				new RestlessWindow(i, windows.empty() ? BMessenger() : windows.back());
			window->Run();
			windows.push_back(BMessenger(window));
		}
		ASSERT_EQ(kWindows, app->CountWindows());
		// One of the oldest windows closes itself early, taking the ones before it along.
		BMessage close(kCloseLater);
		close.AddInt32("left", round % 5);
		ASSERT_EQ(B_OK, windows[round % 4].SendMessage(&close));
		// A polite request stops at a window that refuses, unless it went meanwhile; what is left
		// is forced as the application goes.
		if (round % 2 == 0)
			app->QuitRequested();
		delete app;
		// A window that closed itself may still be finishing on its own thread.
		for (const BMessenger& window : windows) {
			for (int32 wait = 0; wait < 1000 && window.IsValid(); wait++)
				snooze(10000);
			EXPECT_FALSE(window.IsValid());
		}
	}
}
