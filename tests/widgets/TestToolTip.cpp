#include "WidgetTest.h"

#include <StringView.h>

#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>
#include <widgets/ToolTip.h>
#include <widgets/ToolTipWindow.h>

using namespace BPrivate::headless;

namespace {

// Long enough that an opening within it cannot be the delay's doing.
const bigtime_t kLongDelay = 5000000;

struct TipScene {
	TestWindow* window;
	TToolBar* bar;
	TToolButton* one;
	TToolButton* two;

	TipScene(const char* title, bigtime_t delay)
	{
		window = new TestWindow(title, BRect(100, 100, 399, 199));
		bar = new TToolBar(BRect(0, 0, 10, 10), "bar", B_FOLLOW_LEFT_RIGHT);
		one = Add("one", "One", "Tip one", delay);
		two = Add("two", "Two", "Tip two", delay);
		window->AddChild(bar);
		window->ShowAndWait();
		// Far from the buttons, so that every test starts with the pointer outside them.
		EXPECT_EQ(mouse_move(window, BPoint(250, 80)), B_OK);
		window->Lock();
		TToolTip::smLastHideTime = 0;
		window->Unlock();
	}

	~TipScene()
	{
		TestWindow::Close(window);
		// Tooltip windows left open close by themselves; wait so that none outlives the test.
		bigtime_t end = system_time() + 3000000;
		while (TToolTipWindow::AnyOpen() && system_time() < end) {
			if (BWindow* open = TToolTipWindow::Find("TlTipWin_one"))
				BMessenger(open).SendMessage(B_QUIT_REQUESTED);
			if (BWindow* open = TToolTipWindow::Find("TlTipWin_two"))
				BMessenger(open).SendMessage(B_QUIT_REQUESTED);
			snooze(10000);
		}
	}

	TToolButton* Add(const char* name, const char* label, const char* tip, bigtime_t delay)
	{
		TToolButton* button = new TToolButton(BRect(0, 0, 1, 1), name, NULL, label,
											  new BMessage('tool'), TOOL_BUTTON_PUSH);
		button->SetTip(tip);
		button->ToolTip()->SetDelayTime(delay);
		bar->AddItem(button);
		return button;
	}

	BPoint Middle(TToolButton* button)
	{
		window->Lock();
		BRect frame = button->Frame();
		window->Unlock();
		return BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
	}

	void SetLastHideTime(bigtime_t when)
	{
		window->Lock();
		TToolTip::smLastHideTime = when;
		window->Unlock();
	}
};

bool
closes(const char* name)
{
	bigtime_t end = system_time() + 3000000;
	while (TToolTipWindow::Find(name) != NULL) {
		if (system_time() > end)
			return false;
		snooze(5000);
	}
	return true;
}

} // namespace

TEST(ToolTip, SettersRefuseNegativeTimesAndUnattachedTargets)
{
	TToolTip tip("named");
	EXPECT_EQ(tip.DelayTime(), 1000000);
	EXPECT_EQ(tip.ShowTime(), 5000000);
	EXPECT_EQ(tip.SetDelayTime(-1), B_ERROR);
	EXPECT_EQ(tip.SetShowTime(-1), B_ERROR);
	EXPECT_EQ(tip.SetShowTime(0), B_OK);
	EXPECT_EQ(tip.ShowTime(), 0);
	EXPECT_EQ(tip.ToolTipWindowName(), "TlTipWin_named");
	EXPECT_EQ(TToolTip(NULL).ToolTipWindowName(), "TlTipWin_");
	BView view(BRect(0, 0, 9, 9), "free", B_FOLLOW_NONE, 0);
	EXPECT_EQ(tip.SetTarget(&view), B_ERROR);
	EXPECT_EQ(tip.Target(), nullptr);
	bigtime_t before = TToolTip::smLastHideTime;
	tip.Hide();
	EXPECT_EQ(TToolTip::smLastHideTime.load(), before);
}

TEST(ToolTip, OpensAfterTheDelayBelowThePointerAndClosesOnExit)
{
	Watchdog watchdog;
	TipScene scene("Tip delay", 300000);
	BPoint middle = scene.Middle(scene.one);
	ASSERT_EQ(mouse_move(scene.window, middle), B_OK);
	EXPECT_EQ(TToolTipWindow::Find("TlTipWin_one"), nullptr);
	BWindow* tip = wait_for_window("TlTipWin_one", 3000000);
	ASSERT_NE(tip, nullptr);
	ASSERT_EQ(sync(tip), B_OK);

	BPoint pointer = scene.window->ConvertToScreen(middle);
	tip->Lock();
	EXPECT_EQ(tip->Frame().LeftTop(), pointer + BPoint(-16, 16));
	BStringView* text = dynamic_cast<BStringView*>(tip->ChildAt(0));
	ASSERT_NE(text, nullptr);
	EXPECT_STREQ(text->Text(), " Tip one ");
	EXPECT_EQ(tip->Bounds(), text->Bounds());
	tip->Unlock();
	rgb_color color;
	ASSERT_EQ(get_pixel(tip, 1, 1, &color), B_OK);
	EXPECT_EQ((std::vector<int>{color.red, color.green, color.blue}),
			  (std::vector<int>{255, 255, 225}));
	// The tooltip never takes the focus from the window it belongs to.
	ASSERT_EQ(sync(scene.window), B_OK);
	EXPECT_TRUE(scene.window->IsActive());

	bigtime_t before = system_time();
	ASSERT_EQ(mouse_move(scene.window, BPoint(250, 80)), B_OK);
	EXPECT_TRUE(closes("TlTipWin_one"));
	scene.window->Lock();
	EXPECT_GE(TToolTip::smLastHideTime.load(), before);
	scene.window->Unlock();
}

TEST(ToolTip, LeavingEarlyOrAnEmptyTipOpensNothing)
{
	Watchdog watchdog;
	TipScene scene("Tip early", 300000);
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.one)), B_OK);
	ASSERT_EQ(mouse_move(scene.window, BPoint(250, 80)), B_OK);
	scene.window->Lock();
	scene.two->SetTip("");
	scene.two->ToolTip()->SetDelayTime(0);
	scene.window->Unlock();
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.two)), B_OK);
	snooze(600000);
	EXPECT_FALSE(TToolTipWindow::AnyOpen());
}

TEST(ToolTip, ClosesOnAClickAndAfterItsShowTime)
{
	Watchdog watchdog;
	TipScene scene("Tip close", 0);
	BPoint middle = scene.Middle(scene.one);
	ASSERT_EQ(mouse_move(scene.window, middle), B_OK);
	ASSERT_NE(wait_for_window("TlTipWin_one", 3000000), nullptr);
	ASSERT_EQ(click(scene.window, middle), B_OK);
	EXPECT_TRUE(closes("TlTipWin_one"));

	scene.window->Lock();
	scene.two->ToolTip()->SetShowTime(200000);
	scene.window->Unlock();
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.two)), B_OK);
	ASSERT_NE(wait_for_window("TlTipWin_two", 3000000), nullptr);
	EXPECT_TRUE(closes("TlTipWin_two"));
}

TEST(ToolTip, OpensAtOnceJustAfterAHideOrWhileAnotherIsOpen)
{
	Watchdog watchdog;
	TipScene scene("Tip at once", kLongDelay);
	// Hidden a moment ago: at once. The hide is dated a little ahead, so that it is still
	// recent when the pointer arrives on a slow machine.
	scene.SetLastHideTime(system_time() + 100000);
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.one)), B_OK);
	ASSERT_NE(wait_for_window("TlTipWin_one", 1000000), nullptr);
	ASSERT_EQ(mouse_move(scene.window, BPoint(250, 80)), B_OK);
	ASSERT_TRUE(closes("TlTipWin_one"));

	// Hidden 0.3 s ago: the delay applies.
	scene.SetLastHideTime(system_time() - 300000);
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.two)), B_OK);
	snooze(500000);
	EXPECT_EQ(TToolTipWindow::Find("TlTipWin_two"), nullptr);
	ASSERT_EQ(mouse_move(scene.window, BPoint(250, 80)), B_OK);

	// Another tooltip's window is open: at once.
	scene.SetLastHideTime(0);
	TToolTipWindow* other =
		new TToolTipWindow(BRect(0, 0, 0, 0), "TlTipWin_other", "Other", kLongDelay);
	other->Show();
	ASSERT_EQ(wait_for_window("TlTipWin_other"), other);
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.two)), B_OK);
	EXPECT_NE(wait_for_window("TlTipWin_two", 1000000), nullptr);
	BMessenger(other).SendMessage(B_QUIT_REQUESTED);
	EXPECT_TRUE(closes("TlTipWin_other"));
}

TEST(ToolTip, NeverOpensWhileAButtonIsHeldOrTheWindowIsInactive)
{
	Watchdog watchdog;
	TipScene scene("Tip held", 0);
	// Pressed on the bar beside the buttons, then moved onto one.
	ASSERT_EQ(mouse_down(scene.window, BPoint(290, 5)), B_OK);
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.one)), B_OK);
	snooze(300000);
	EXPECT_FALSE(TToolTipWindow::AnyOpen());
	scene.window->Lock();
	EXPECT_FALSE(scene.one->IsHot());
	scene.window->Unlock();
	ASSERT_EQ(mouse_up(scene.window, scene.Middle(scene.one)), B_OK);
	ASSERT_EQ(mouse_move(scene.window, BPoint(250, 80)), B_OK);

	TestWindow* front = new TestWindow("Tip front", BRect(500, 500, 599, 599));
	front->ShowAndWait();
	ASSERT_TRUE(wait_until(scene.window, [&] { return !scene.window->IsActive(); }));
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.two)), B_OK);
	snooze(300000);
	EXPECT_FALSE(TToolTipWindow::AnyOpen());
	scene.window->Lock();
	EXPECT_FALSE(scene.two->IsHot());
	scene.window->Unlock();
	TestWindow::Close(front);
}

TEST(ToolTip, AButtonTakenOutOfItsWindowOutlivesIt)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Tip detach");
	TToolButton* button =
		new TToolButton(BRect(10, 10, 11, 11), "loose", NULL, "Loose", NULL, TOOL_BUTTON_PUSH);
	window->AddChild(button);
	window->ShowAndWait();
	window->Lock();
	EXPECT_EQ(button->ToolTip()->Looper(), window);
	ASSERT_TRUE(button->RemoveSelf());
	EXPECT_EQ(button->ToolTip()->Looper(), nullptr);
	window->Unlock();
	TestWindow::Close(window);
	delete button;
}
