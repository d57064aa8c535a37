#include "PageTest.h"

#include "HeadlessEnvironment.h"

#include <app/ItemView.h>
#include <app/PortMessageSender.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <framework/DialogWindow.h>

#include <Control.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>

#include <headless/HeadlessDisplay.h>
#include <headless/HeadlessInput.h>

#include <cstdlib>

using namespace BPrivate::headless;

namespace {

// Every page test and the main window's tests in this executable open their windows on it.
const HeadlessEnvironment sEnvironment;

const char kTitle[] = "Settings page";

} // namespace

void
PageTest::SetUp()
{
	mWatchdog = std::make_unique<Watchdog>();
	char folder[] = "/tmp/settings-page-XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	mFolder = folder;
	setenv("XDG_RUNTIME_DIR", folder, 1);
	mSavedPrefs = gPrefs;
	mSavedFormat = gAPAppPrivacy.mAccFormat;
	gPrefs = TPrefs();
	gAPAppPrivacy.mAccFormat = "\x02(a)";
	mPort = create_port(20, PORT_NAME_PREFERENCES);
	ASSERT_GE(mPort, 0);
	gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);
}

void
PageTest::TearDown()
{
	if (mWindow != NULL && mWindow->Lock())
		mWindow->Quit();
	delete gPortMessageSender;
	gPortMessageSender = NULL;
	delete_port(mPort);
	gPrefs = mSavedPrefs;
	gAPAppPrivacy.mAccFormat = mSavedFormat;
	std::string command = "rm -rf '" + mFolder + "'";
	(void)!system(command.c_str());
	mWatchdog.reset();
}

void
PageTest::Open(TItemView* page)
{
	if (page->InitCheck() != B_OK) {
		delete page;
		FAIL() << "the page's layout is missing or lacks a control";
	}
	mPage = page;
	mWindow =
		new TDialogWindow(BRect(100, 100, 499, 299), kTitle, B_TITLED_WINDOW, B_NOT_RESIZABLE);
	mWindow->AddChild(mPage);
	mWindow->Show();
	ASSERT_EQ(wait_for_window(kTitle), mWindow);
	ASSERT_EQ(sync(mWindow), B_OK);
}

void
PageTest::Reattach()
{
	Locked([&] {
		mWindow->RemoveChild(mPage);
		mWindow->AddChild(mPage);
	});
	ASSERT_EQ(sync(mWindow), B_OK);
}

void
PageTest::Locked(const std::function<void()>& function)
{
	ASSERT_TRUE(mWindow->Lock());
	function();
	mWindow->Unlock();
}

int32
PageTest::Value(BControl* control)
{
	int32 value = -1;
	if (control != NULL)
		Locked([&] { value = control->Value(); });
	return value;
}

int32
PageTest::Value(const char* name)
{
	return Value(Child<BControl>(name));
}

BPoint
PageTest::Middle(BView* view)
{
	BPoint middle;
	Locked([&] {
		BRect frame = view->ConvertToScreen(view->Bounds());
		middle = mWindow->ConvertFromScreen(
			BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2));
	});
	return middle;
}

void
PageTest::Click(BView* view)
{
	ASSERT_EQ(click(mWindow, Middle(view)), B_OK);
	ASSERT_EQ(sync(mWindow), B_OK);
}

void
PageTest::ControlKey(const char* key)
{
	ASSERT_EQ(press_key(mWindow, key, modifier_bits("control")), B_OK);
	ASSERT_EQ(sync(mWindow), B_OK);
}

void
PageTest::Choose(BMenuField* field, int32 index)
{
	ASSERT_EQ(click(mWindow, Middle(field->MenuBar())), B_OK);
	BWindow* menuWindow = wait_for_window("Menu");
	ASSERT_NE(menuWindow, nullptr);
	ASSERT_TRUE(menuWindow->Lock());
	BMenuItem* item = field->Menu()->ItemAt(index);
	BRect frame = item != NULL ? item->Frame() : BRect();
	menuWindow->Unlock();
	ASSERT_NE(item, nullptr);
	ASSERT_EQ(
		click(menuWindow, BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2)),
		B_OK);
	BPrivate::HeadlessDisplay* display = BPrivate::HeadlessDisplay::Get();
	for (int i = 0; i < 500 && display->IsShown(menuWindow); i++)
		snooze(10000);
	ASSERT_FALSE(display->IsShown(menuWindow));
	ASSERT_EQ(sync(mWindow), B_OK);
}

std::vector<BMessage>
PageTest::Bodies()
{
	std::vector<BMessage> bodies;
	std::vector<char> buffer(65536);
	for (;;) {
		int32 code = -1;
		ssize_t size = read_port_etc(mPort, &code, buffer.data(), buffer.size(), B_RELATIVE_TIMEOUT,
									 bodies.empty() ? 200000 : 0);
		if (size < 0)
			break;
		EXPECT_EQ(code, 0);
		BMessage body;
		EXPECT_EQ(body.Unflatten(buffer.data()), B_OK);
		EXPECT_EQ(body.what, MSG_PREFERENCES_CHANGED);
		bodies.push_back(body);
	}
	return bodies;
}

BMessage
PageTest::OneBody()
{
	std::vector<BMessage> bodies = Bodies();
	EXPECT_EQ(bodies.size(), 1u);
	return bodies.empty() ? BMessage() : bodies.front();
}

bool
PageTest::NothingDelivered()
{
	return sync(mWindow) == B_OK && port_count(mPort) == 0;
}
