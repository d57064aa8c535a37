#include "WindowTest.h"

#include <framework/MouseDownManager.h>

#include <View.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace BPrivate::headless;

namespace {

// A view that forwards its raw mouse events and writes down each hook with its points.
class MouseView : public BView, public TMouseDownManager {
public:
	MouseView()
		: BView(BRect(0, 0, 199, 149), "mouse", B_FOLLOW_ALL, B_WILL_DRAW), TMouseDownManager(this)
	{}

	virtual void MouseDown(BPoint where) { ManageMouseDown(where); }
	virtual void MouseUp(BPoint where) { ManageMouseUp(where); }
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
	{
		ManageMouseMoved(where, transit, dragMessage);
	}

	virtual void MouseClickLeftDouble(BPoint p) { Note("clickLeftDouble", p); }
	virtual void MouseClickLeftSingle(BPoint p) { Note("clickLeftSingle", p); }
	virtual void MouseClickRightDouble(BPoint p) { Note("clickRightDouble", p); }
	virtual void MouseClickRightSingle(BPoint p) { Note("clickRightSingle", p); }
	virtual void MouseDownLeft(BPoint p) { Note("downLeft", p); }
	virtual void MouseDownRight(BPoint p) { Note("downRight", p); }
	virtual void MouseDragBeginLeft(BPoint d, BPoint p) { Note("dragBeginLeft", p, d); }
	virtual void MouseDragBeginRight(BPoint d, BPoint p) { Note("dragBeginRight", p, d); }
	virtual void MouseDragEndLeft(BPoint d, BPoint p) { Note("dragEndLeft", p, d); }
	virtual void MouseDragEndRight(BPoint d, BPoint p) { Note("dragEndRight", p, d); }
	virtual void MouseDraggingLeft(BPoint d, BPoint p) { Note("draggingLeft", p, d); }
	virtual void MouseDraggingRight(BPoint d, BPoint p) { Note("draggingRight", p, d); }
	virtual void MouseUpLeft(BPoint p) { Note("upLeft", p); }
	virtual void MouseUpRight(BPoint p) { Note("upRight", p); }

	std::vector<std::string> hooks;
	std::vector<BPoint> points;
	std::vector<BPoint> downPoints;

private:
	void Note(const char* hook, BPoint where, BPoint down = BPoint(-1, -1))
	{
		hooks.push_back(hook);
		points.push_back(where);
		downPoints.push_back(down);
	}
};

class MouseDownManagerTest : public testing::Test {
protected:
	void SetUp() override
	{
		mWindow = new BWindow(BRect(100, 100, 299, 249), "Mouse", B_TITLED_WINDOW, B_NOT_RESIZABLE);
		mView = new MouseView();
		mWindow->AddChild(mView);
		show_and_wait(mWindow);
	}

	void TearDown() override { quit_window(mWindow); }

	// The hooks called since the last call.
	std::vector<std::string> Take()
	{
		std::vector<std::string> result;
		with_lock(mWindow, [&] {
			result = mView->hooks;
			mView->hooks.clear();
			mView->points.clear();
			mView->downPoints.clear();
		});
		return result;
	}

	using Hooks = std::vector<std::string>;

	Watchdog mWatchdog;
	BWindow* mWindow = nullptr;
	MouseView* mView = nullptr;
};

TEST_F(MouseDownManagerTest, SingleDoubleTripleAndFourthClick)
{
	ASSERT_EQ(click(mWindow, BPoint(20, 30)), B_OK);
	EXPECT_EQ(Take(), (Hooks{"downLeft", "clickLeftSingle", "upLeft"}));

	ASSERT_EQ(mouse_down(mWindow, BPoint(50, 50), B_PRIMARY_MOUSE_BUTTON, 1), B_OK);
	ASSERT_EQ(mouse_up(mWindow, BPoint(50, 50)), B_OK);
	EXPECT_EQ(Take(), (Hooks{"downLeft", "clickLeftSingle", "upLeft"}));
	ASSERT_EQ(mouse_down(mWindow, BPoint(50, 50), B_PRIMARY_MOUSE_BUTTON, 2), B_OK);
	ASSERT_EQ(mouse_up(mWindow, BPoint(50, 50)), B_OK);
	EXPECT_EQ(Take(), (Hooks{"clickLeftDouble"}));
	ASSERT_EQ(mouse_down(mWindow, BPoint(50, 50), B_PRIMARY_MOUSE_BUTTON, 3), B_OK);
	ASSERT_EQ(mouse_up(mWindow, BPoint(50, 50)), B_OK);
	EXPECT_EQ(Take(), Hooks{});
	ASSERT_EQ(mouse_down(mWindow, BPoint(50, 50), B_PRIMARY_MOUSE_BUTTON, 4), B_OK);
	ASSERT_EQ(mouse_up(mWindow, BPoint(50, 50)), B_OK);
	EXPECT_EQ(Take(), (Hooks{"downLeft", "clickLeftSingle", "upLeft"}));
}

TEST_F(MouseDownManagerTest, RightButtonClicks)
{
	ASSERT_EQ(click(mWindow, BPoint(40, 40), 2, B_SECONDARY_MOUSE_BUTTON), B_OK);
	EXPECT_EQ(Take(), (Hooks{"downRight", "clickRightSingle", "upRight", "clickRightDouble"}));
}

TEST_F(MouseDownManagerTest, DragBeyondTheThreshold)
{
	ASSERT_EQ(mouse_down(mWindow, BPoint(50, 50), B_PRIMARY_MOUSE_BUTTON, 1), B_OK);
	ASSERT_EQ(mouse_move(mWindow, BPoint(53, 53)), B_OK);
	ASSERT_EQ(mouse_move(mWindow, BPoint(60, 58)), B_OK);
	ASSERT_EQ(mouse_up(mWindow, BPoint(61, 59)), B_OK);
	with_lock(mWindow, [&] {
		EXPECT_EQ(mView->hooks, (Hooks{"downLeft", "dragBeginLeft", "draggingLeft", "draggingLeft",
									   "dragEndLeft", "upLeft"}));
		ASSERT_EQ(mView->points.size(), 6u);
		EXPECT_EQ(mView->points[1], BPoint(53, 53));
		EXPECT_EQ(mView->downPoints[1], BPoint(50, 50));
		EXPECT_EQ(mView->points[3], BPoint(60, 58));
		EXPECT_EQ(mView->points[4], BPoint(61, 59));
		EXPECT_EQ(mView->downPoints[4], BPoint(50, 50));
	});
}

TEST_F(MouseDownManagerTest, FourPixelsIsStillAClick)
{
	ASSERT_EQ(mouse_down(mWindow, BPoint(50, 50), B_PRIMARY_MOUSE_BUTTON, 1), B_OK);
	ASSERT_EQ(mouse_move(mWindow, BPoint(54, 50)), B_OK);
	ASSERT_EQ(mouse_move(mWindow, BPoint(50, 46)), B_OK);
	ASSERT_EQ(mouse_up(mWindow, BPoint(50, 46)), B_OK);
	EXPECT_EQ(Take(), (Hooks{"downLeft", "clickLeftSingle", "upLeft"}));
}

TEST_F(MouseDownManagerTest, DragFromTheSecondClickHasNoUpHook)
{
	ASSERT_EQ(click(mWindow, BPoint(50, 50)), B_OK);
	Take();
	ASSERT_EQ(mouse_down(mWindow, BPoint(50, 50), B_PRIMARY_MOUSE_BUTTON, 2), B_OK);
	ASSERT_EQ(mouse_move(mWindow, BPoint(70, 50)), B_OK);
	ASSERT_EQ(mouse_up(mWindow, BPoint(70, 50)), B_OK);
	EXPECT_EQ(Take(), (Hooks{"dragBeginLeft", "draggingLeft", "dragEndLeft"}));
}

TEST_F(MouseDownManagerTest, ReleaseOutsideTheViewStillEndsTheDrag)
{
	ASSERT_EQ(mouse_down(mWindow, BPoint(150, 100), B_SECONDARY_MOUSE_BUTTON, 1), B_OK);
	ASSERT_EQ(mouse_move(mWindow, BPoint(250, 100)), B_OK);
	ASSERT_EQ(mouse_up(mWindow, BPoint(260, 100)), B_OK);
	EXPECT_EQ(Take(),
			  (Hooks{"downRight", "dragBeginRight", "draggingRight", "dragEndRight", "upRight"}));
}

TEST_F(MouseDownManagerTest, BothButtonsGiveNoHooksAndReturnToIdle)
{
	ASSERT_EQ(
		mouse_down(mWindow, BPoint(50, 50), B_PRIMARY_MOUSE_BUTTON | B_SECONDARY_MOUSE_BUTTON, 1),
		B_OK);
	ASSERT_EQ(mouse_move(mWindow, BPoint(80, 80)), B_OK);
	ASSERT_EQ(mouse_up(mWindow, BPoint(80, 80)), B_OK);
	// Idle again: a move without a press does nothing.
	ASSERT_EQ(mouse_move(mWindow, BPoint(120, 120)), B_OK);
	EXPECT_EQ(Take(), Hooks{});
	ASSERT_EQ(click(mWindow, BPoint(120, 120)), B_OK);
	EXPECT_EQ(Take(), (Hooks{"downLeft", "clickLeftSingle", "upLeft"}));
}

} // namespace
