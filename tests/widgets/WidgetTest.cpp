#include "WidgetTest.h"

#include "HeadlessEnvironment.h"

namespace {

const HeadlessEnvironment sEnvironment;

} // namespace

TestWindow::TestWindow(const char* title, BRect frame)
	: BWindow(frame, title, B_TITLED_WINDOW, B_NOT_RESIZABLE)
{}

void
TestWindow::ShowAndWait()
{
	Show();
	ASSERT_EQ(BPrivate::headless::wait_for_window(Title()), this);
	ASSERT_EQ(BPrivate::headless::sync(this), B_OK);
}

void
TestWindow::Close(BWindow* window)
{
	if (window->Lock())
		window->Quit();
}

std::vector<BMessage>
TestWindow::Take(uint32 what)
{
	std::vector<BMessage> result;
	std::vector<BMessage> rest;
	Lock();
	for (const BMessage& message : fReceived)
		(message.what == what ? result : rest).push_back(message);
	fReceived = rest;
	Unlock();
	return result;
}

void
TestWindow::MessageReceived(BMessage* message)
{
	fReceived.push_back(*message);
	BWindow::MessageReceived(message);
}

bool
wait_until(BWindow* window, const std::function<bool()>& condition, bigtime_t timeout)
{
	bigtime_t end = system_time() + timeout;
	for (;;) {
		window->Lock();
		bool holds = condition();
		window->Unlock();
		if (holds)
			return true;
		if (system_time() > end)
			return false;
		snooze(5000);
	}
}
