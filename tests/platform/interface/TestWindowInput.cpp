#include "InterfaceTest.h"

#include <AppDefs.h>
#include <InterfaceDefs.h>

#include <cstring>

using namespace BPrivate::headless;

TEST(WindowInput, ClicksReachTheViewUnderThePointerAtTheRightPoint)
{
	Watchdog watchdog;
	Scene scene("Clicks");
	ASSERT_EQ(click(scene.window, BPoint(95, 35)), B_OK);
	ASSERT_EQ(click(scene.window, BPoint(20, 25)), B_OK);

	ASSERT_TRUE(scene.window->Lock());
	std::vector<Seen> innerDowns = scene.inner->Take("down");
	ASSERT_EQ(innerDowns.size(), 1u);
	EXPECT_EQ(innerDowns[0].where, BPoint(5, 5));
	EXPECT_TRUE(scene.right->Take("down").empty());
	const BMessage& down = innerDowns[0].message;
	EXPECT_EQ(down.what, uint32(B_MOUSE_DOWN));
	BPoint where;
	EXPECT_EQ(down.FindPoint("be:view_where", &where), B_OK);
	EXPECT_EQ(where, BPoint(5, 5));
	EXPECT_EQ(down.FindPoint("where", &where), B_OK);
	EXPECT_EQ(where, BPoint(5, 5));
	int32 value = 0;
	EXPECT_EQ(down.FindInt32("buttons", &value), B_OK);
	EXPECT_EQ(value, B_PRIMARY_MOUSE_BUTTON);
	EXPECT_EQ(down.FindInt32("clicks", &value), B_OK);
	EXPECT_EQ(value, 1);
	EXPECT_EQ(down.FindInt32("modifiers", &value), B_OK);
	int64 when = 0;
	EXPECT_EQ(down.FindInt64("when", &when), B_OK);
	EXPECT_GT(when, 0);

	std::vector<Seen> leftDowns = scene.left->Take("down");
	ASSERT_EQ(leftDowns.size(), 1u);
	EXPECT_EQ(leftDowns[0].where, BPoint(10, 15));
	EXPECT_EQ(scene.left->Take("up").size(), 1u);
	// Moves carry the point in window coordinates in "where".
	std::vector<Seen> moves = scene.left->Take("moved");
	ASSERT_FALSE(moves.empty());
	EXPECT_EQ(moves.back().message.FindPoint("where", &where), B_OK);
	EXPECT_EQ(where, BPoint(20, 25));
	EXPECT_EQ(moves.back().transit, uint32(B_ENTERED_VIEW));
	EXPECT_EQ(scene.window->FindView(BPoint(95, 35)), scene.inner);
	EXPECT_EQ(scene.window->FindView(BPoint(5, 5)), nullptr);
	scene.window->Unlock();
}

TEST(WindowInput, HitTestingIsClippedByTheParent)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Clipped hits");
	RecordingView* parent = new RecordingView(BRect(10, 10, 49, 49), "parent");
	// Pokes out of its parent to the right.
	RecordingView* child = new RecordingView(BRect(20, 0, 79, 19), "child");
	parent->AddChild(child);
	window->AddChild(parent);
	window->ShowAndWait();
	ASSERT_EQ(click(window, BPoint(70, 15)), B_OK);
	ASSERT_EQ(click(window, BPoint(40, 15)), B_OK);
	window->Lock();
	EXPECT_EQ(child->Take("down").size(), 1u);
	EXPECT_TRUE(parent->Take("down").empty());
	window->Unlock();
	TestWindow::Close(window);
}

TEST(WindowInput, DoubleClicksCount)
{
	Watchdog watchdog;
	Scene scene("Double clicks");
	ASSERT_EQ(click(scene.window, BPoint(30, 30), 3), B_OK);
	// Separate presses in quick succession at one place count up as the platform does.
	ASSERT_EQ(mouse_down(scene.window, BPoint(40, 40)), B_OK);
	ASSERT_EQ(mouse_up(scene.window, BPoint(40, 40)), B_OK);
	ASSERT_EQ(mouse_down(scene.window, BPoint(40, 40)), B_OK);
	ASSERT_EQ(mouse_up(scene.window, BPoint(40, 40)), B_OK);
	ASSERT_EQ(click(scene.window, BPoint(30, 30), 1, B_SECONDARY_MOUSE_BUTTON), B_OK);

	scene.window->Lock();
	std::vector<Seen> downs = scene.left->Take("down");
	ASSERT_EQ(downs.size(), 6u);
	int32 expected[] = {1, 2, 3, 1, 2, 1};
	for (size_t i = 0; i < downs.size(); i++) {
		int32 clicks = 0;
		downs[i].message.FindInt32("clicks", &clicks);
		EXPECT_EQ(clicks, expected[i]) << "press " << i;
	}
	int32 buttons = 0;
	downs[5].message.FindInt32("buttons", &buttons);
	EXPECT_EQ(buttons, B_SECONDARY_MOUSE_BUTTON);
	scene.window->Unlock();
}

TEST(WindowInput, TheEventMaskKeepsThePointerOutsideTheView)
{
	Watchdog watchdog;
	Scene scene("Event mask");
	scene.window->Lock();
	scene.left->maskOnDown = true;
	scene.window->Unlock();
	// From inside the left view over the right one and its child, released there.
	ASSERT_EQ(drag(scene.window, BPoint(50, 30), BPoint(100, 40)), B_OK);

	scene.window->Lock();
	std::vector<Seen> moves = scene.left->Take("moved");
	std::vector<Seen> ups = scene.left->Take("up");
	ASSERT_EQ(ups.size(), 1u);
	EXPECT_EQ(ups[0].where, BPoint(90, 30));
	ASSERT_FALSE(moves.empty());
	EXPECT_EQ(moves.back().where, BPoint(90, 30));
	EXPECT_EQ(moves.back().transit, uint32(B_OUTSIDE_VIEW));
	bool exited = false;
	for (const Seen& move : moves)
		exited = exited || move.transit == B_EXITED_VIEW;
	EXPECT_TRUE(exited);
	EXPECT_TRUE(scene.right->Take("moved").empty());
	EXPECT_TRUE(scene.inner->Take("up").empty());
	scene.window->Unlock();

	// After the release the pointer belongs to the view under it again.
	ASSERT_EQ(mouse_move(scene.window, BPoint(101, 41)), B_OK);
	scene.window->Lock();
	EXPECT_EQ(scene.inner->Take("moved").size(), 1u);
	scene.window->Unlock();
}

TEST(WindowInput, GetMouseReportsThePointer)
{
	Watchdog watchdog;
	Scene scene("Get mouse");
	ASSERT_EQ(mouse_down(scene.window, BPoint(30, 20), B_SECONDARY_MOUSE_BUTTON), B_OK);
	scene.window->Lock();
	BPoint where;
	uint32 buttons = 0;
	scene.left->GetMouse(&where, &buttons);
	scene.window->Unlock();
	EXPECT_EQ(where, BPoint(20, 10));
	EXPECT_EQ(buttons, uint32(B_SECONDARY_MOUSE_BUTTON));
	ASSERT_EQ(mouse_up(scene.window, BPoint(30, 20)), B_OK);
}

TEST(WindowInput, ShowingActivatesUnlessTheWindowAvoidsFocus)
{
	Watchdog watchdog;
	TestWindow* first = new TestWindow("First active");
	RecordingView* view = new RecordingView(BRect(0, 0, 9, 9), "view");
	first->AddChild(view);
	first->ShowAndWait();
	EXPECT_TRUE(first->IsActive());
	first->Lock();
	EXPECT_EQ(view->Take("activated").size(), 1u);
	first->Unlock();

	TestWindow* tip = new TestWindow("Tip", BRect(0, 0, 50, 20), B_AVOID_FOCUS | B_AVOID_FRONT);
	tip->ShowAndWait();
	EXPECT_FALSE(tip->IsActive());
	ASSERT_EQ(sync(first), B_OK);
	EXPECT_TRUE(first->IsActive());

	TestWindow* second = new TestWindow("Second active");
	second->ShowAndWait();
	ASSERT_EQ(sync(first), B_OK);
	EXPECT_TRUE(second->IsActive());
	EXPECT_FALSE(first->IsActive());
	first->Lock();
	EXPECT_EQ(view->Take("deactivated").size(), 1u);
	first->Unlock();

	// Hiding the active window hands activation back.
	second->Hide();
	ASSERT_EQ(sync(first), B_OK);
	EXPECT_TRUE(first->IsActive());
	TestWindow::Close(second);
	TestWindow::Close(tip);
	TestWindow::Close(first);
}

TEST(WindowInput, ShowAndHideNest)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Nesting");
	EXPECT_TRUE(window->IsHidden());
	window->ShowAndWait();
	EXPECT_FALSE(window->IsHidden());
	window->Hide();
	window->Hide();
	EXPECT_TRUE(window->IsHidden());
	window->Show();
	EXPECT_TRUE(window->IsHidden());
	window->Show();
	EXPECT_FALSE(window->IsHidden());
	EXPECT_EQ(wait_for_window("Nesting"), window);
	TestWindow::Close(window);
}

namespace {

class RefusingWindow : public TestWindow {
public:
	RefusingWindow() : TestWindow("Refusing") {}
	std::atomic<int> asked{0};
	virtual bool QuitRequested()
	{
		asked++;
		return false;
	}
};

} // namespace

TEST(WindowInput, TheCloseBoxAsksQuitRequested)
{
	Watchdog watchdog;
	RefusingWindow* window = new RefusingWindow();
	window->ShowAndWait();
	EXPECT_EQ(close(window), B_OK);
	EXPECT_EQ(window->asked.load(), 1);
	EXPECT_EQ(wait_for_window("Refusing", 0), window);
	TestWindow::Close(window);

	TestWindow* closing = new TestWindow("Closing");
	closing->ShowAndWait();
	EXPECT_EQ(close(closing), B_OK);
	EXPECT_EQ(wait_for_window("Closing", 0), nullptr);
}
