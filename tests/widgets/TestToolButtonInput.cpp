#include "WidgetTest.h"

#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>

using namespace BPrivate::headless;

namespace {

const uint32 kLeft = 'left';
const uint32 kRight = 'rigt';
const uint32 kOther = 'othr';
const uint32 kPush = 'push';

// A bar of two radio buttons, a separator, a radio pair and a push button.
struct BarScene {
	TestWindow* window;
	TToolBar* bar;
	TToolButton* left;
	TToolButton* right;
	TToolButton* other;
	TToolButton* otherPair;
	TToolButton* push;

	explicit BarScene(const char* title)
	{
		window = new TestWindow(title, BRect(100, 100, 399, 199));
		bar = new TToolBar(BRect(0, 0, 10, 10), "bar", B_FOLLOW_LEFT_RIGHT);
		left = Add("left", "Left", kLeft, TOOL_BUTTON_TOGGLE);
		right = Add("right", "Right", kRight, TOOL_BUTTON_TOGGLE);
		bar->AddSeparatorItem();
		other = Add("other", "Other", kOther, TOOL_BUTTON_TOGGLE);
		otherPair = Add("pair", "Pair", kOther, TOOL_BUTTON_TOGGLE);
		push = Add("push", "Push", kPush, TOOL_BUTTON_PUSH);
		left->SetRadioMode(true);
		other->SetRadioMode(true);
		left->SetValue(1);
		window->AddChild(bar);
		window->ShowAndWait();
	}

	~BarScene() { TestWindow::Close(window); }

	TToolButton* Add(const char* name, const char* label, uint32 what, uint32 behavior)
	{
		TToolButton* button =
			new TToolButton(BRect(0, 0, 1, 1), name, NULL, label, new BMessage(what), behavior);
		bar->AddItem(button);
		return button;
	}

	BPoint Middle(TToolButton* button)
	{
		window->Lock();
		BRect frame = button->ConvertToScreen(button->Bounds());
		window->Unlock();
		BPoint middle((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
		return window->ConvertFromScreen(middle);
	}

	int32 ValueOf(TToolButton* button)
	{
		window->Lock();
		int32 value = button->Value();
		window->Unlock();
		return value;
	}
};

} // namespace

TEST(ToolButtonInput, RadioClicksSendOnceAndSwitchOnlyTheirGroup)
{
	Watchdog watchdog;
	BarScene scene("Radio bar");
	EXPECT_EQ(scene.bar->Bounds().right, scene.window->Bounds().right);

	// The button already on: nothing is sent and nothing changes.
	ASSERT_EQ(click(scene.window, scene.Middle(scene.left)), B_OK);
	EXPECT_TRUE(scene.window->Take(kLeft).empty());
	EXPECT_EQ(scene.ValueOf(scene.left), 1);

	ASSERT_EQ(click(scene.window, scene.Middle(scene.right)), B_OK);
	std::vector<BMessage> sent = scene.window->Take(kRight);
	ASSERT_EQ(sent.size(), 1u);
	int32 value = -1;
	EXPECT_EQ(sent[0].FindInt32("be:value", &value), B_OK);
	EXPECT_EQ(value, 1);
	EXPECT_EQ(scene.ValueOf(scene.right), 1);
	EXPECT_EQ(scene.ValueOf(scene.left), 0);
	EXPECT_TRUE(scene.window->Take(kLeft).empty());

	// Across the separator the other group is independent.
	ASSERT_EQ(click(scene.window, scene.Middle(scene.other)), B_OK);
	EXPECT_EQ(scene.window->Take(kOther).size(), 1u);
	EXPECT_EQ(scene.ValueOf(scene.other), 1);
	EXPECT_EQ(scene.ValueOf(scene.right), 1);
	ASSERT_EQ(click(scene.window, scene.Middle(scene.otherPair)), B_OK);
	EXPECT_EQ(scene.ValueOf(scene.other), 0);
	EXPECT_EQ(scene.ValueOf(scene.right), 1);

	// A push button sends each click and stays off.
	ASSERT_EQ(click(scene.window, scene.Middle(scene.push)), B_OK);
	ASSERT_EQ(click(scene.window, scene.Middle(scene.push)), B_OK);
	EXPECT_EQ(scene.window->Take(kPush).size(), 2u);
	EXPECT_EQ(scene.ValueOf(scene.push), 0);

	// Pressed, then released outside: nothing is sent.
	ASSERT_EQ(mouse_down(scene.window, scene.Middle(scene.push)), B_OK);
	ASSERT_EQ(mouse_move(scene.window, BPoint(150, 80)), B_OK);
	ASSERT_EQ(mouse_up(scene.window, BPoint(150, 80)), B_OK);
	EXPECT_TRUE(scene.window->Take(kPush).empty());
}

TEST(ToolButtonInput, DisabledButtonsAndBarsIgnoreClicks)
{
	Watchdog watchdog;
	BarScene scene("Disabled bar");
	scene.window->Lock();
	scene.push->SetEnabled(false);
	scene.window->Unlock();
	ASSERT_EQ(click(scene.window, scene.Middle(scene.push)), B_OK);
	EXPECT_TRUE(scene.window->Take(kPush).empty());

	scene.window->Lock();
	scene.push->SetEnabled(true);
	scene.bar->SetEnabled(false);
	EXPECT_EQ(scene.push->DrawingState(), TOOL_STATE_DISABLED_OFF);
	EXPECT_EQ(scene.left->DrawingState(), TOOL_STATE_DISABLED_ON);
	scene.window->Unlock();
	ASSERT_EQ(click(scene.window, scene.Middle(scene.push)), B_OK);
	ASSERT_EQ(click(scene.window, scene.Middle(scene.right)), B_OK);
	EXPECT_TRUE(scene.window->Take(kPush).empty());
	EXPECT_TRUE(scene.window->Take(kRight).empty());
	EXPECT_EQ(scene.ValueOf(scene.right), 0);
}

TEST(ToolButtonInput, HoverHighlightComesAndGoesWithThePointer)
{
	Watchdog watchdog;
	BarScene scene("Hover bar");
	BPoint middle = scene.Middle(scene.right);
	ASSERT_EQ(mouse_move(scene.window, middle), B_OK);
	scene.window->Lock();
	EXPECT_TRUE(scene.right->IsHot());
	EXPECT_EQ(scene.right->DrawingState(), TOOL_STATE_HOT);
	BPoint corner = scene.right->ConvertToScreen(BPoint(1, 1));
	scene.window->Unlock();
	corner = scene.window->ConvertFromScreen(corner);
	rgb_color color;
	ASSERT_EQ(get_pixel(scene.window, int32(corner.x), int32(corner.y), &color), B_OK);
	EXPECT_EQ(color.red, 240);
	EXPECT_EQ(color.blue, 240);

	// Pressed while hot it looks on; released it is on and still hot.
	ASSERT_EQ(mouse_down(scene.window, middle), B_OK);
	scene.window->Lock();
	EXPECT_EQ(scene.right->DrawingState(), TOOL_STATE_ENABLED_ON);
	scene.window->Unlock();
	ASSERT_EQ(mouse_up(scene.window, middle), B_OK);

	ASSERT_EQ(mouse_move(scene.window, BPoint(150, 80)), B_OK);
	scene.window->Lock();
	EXPECT_FALSE(scene.right->IsHot());
	EXPECT_FALSE(scene.left->IsHot());
	scene.window->Unlock();

	// Moving straight from one button to the next moves the highlight.
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.other)), B_OK);
	ASSERT_EQ(mouse_move(scene.window, scene.Middle(scene.otherPair)), B_OK);
	scene.window->Lock();
	EXPECT_FALSE(scene.other->IsHot());
	EXPECT_TRUE(scene.otherPair->IsHot());
	scene.window->Unlock();

	// Another window in front takes the highlight away.
	TestWindow* front = new TestWindow("Hover front", BRect(500, 500, 599, 599));
	front->ShowAndWait();
	EXPECT_TRUE(wait_until(scene.window, [&] { return !scene.otherPair->IsHot(); }));
	TestWindow::Close(front);
}
