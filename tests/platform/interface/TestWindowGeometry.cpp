#include "InterfaceTest.h"

#include <AppDefs.h>

#include "Display.h"

using namespace BPrivate::headless;

namespace {

class FrameView : public BView {
public:
	FrameView(BRect frame, uint32 mode)
		: BView(frame, "frame view", mode, B_WILL_DRAW | B_FRAME_EVENTS)
	{}

	virtual void FrameResized(float width, float height)
	{
		resized.push_back(BPoint(width, height));
	}

	std::vector<BPoint> resized;
};

class ResizeWindow : public TestWindow {
public:
	ResizeWindow() : TestWindow("Resizing", BRect(50, 60, 249, 159), 0) {}

	virtual void FrameResized(float width, float height) { sizes.push_back(BPoint(width, height)); }
	virtual void FrameMoved(BPoint where) { moves.push_back(where); }

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what == 'pain') {
			// Draws at once, the way a pressed button shows before the window sleeps.
			BView* view = FindView("frame view");
			view->SetViewColor(0, 0, 255);
			view->Invalidate();
			UpdateIfNeeded();
			rgb_color color = {0, 0, 0, 0};
			get_pixel(this, 5, 5, &color);
			drawnAtOnce = color.blue == 255 && color.red == 0;
			return;
		}
		TestWindow::MessageReceived(message);
	}

	std::vector<BPoint> sizes;
	std::vector<BPoint> moves;
	bool drawnAtOnce = false;
};

} // namespace

TEST(WindowGeometry, ResizingMovesAndResizesTheViews)
{
	Watchdog watchdog;
	ResizeWindow* window = new ResizeWindow();
	FrameView* stretch = new FrameView(BRect(0, 0, 199, 99), B_FOLLOW_ALL);
	FrameView* corner = new FrameView(BRect(150, 80, 199, 99), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	window->AddChild(stretch);
	window->AddChild(corner);
	window->ShowAndWait();
	EXPECT_EQ(window->Frame(), BRect(50, 60, 249, 159));
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 199, 99));

	window->Lock();
	window->ResizeTo(299, 149);
	window->MoveTo(10, 20);
	EXPECT_EQ(stretch->Frame(), BRect(0, 0, 299, 149));
	EXPECT_EQ(corner->Frame(), BRect(250, 130, 299, 149));
	ASSERT_EQ(stretch->resized.size(), 1u);
	EXPECT_EQ(stretch->resized[0], BPoint(299, 149));
	EXPECT_TRUE(corner->resized.empty());
	window->Unlock();
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_EQ(window->Frame(), BRect(10, 20, 309, 169));
	window->Lock();
	ASSERT_EQ(window->sizes.size(), 1u);
	EXPECT_EQ(window->sizes[0], BPoint(299, 149));
	ASSERT_EQ(window->moves.size(), 1u);
	EXPECT_EQ(window->moves[0], BPoint(10, 20));
	BPoint screen = stretch->ConvertToScreen(BPoint(1, 2));
	EXPECT_EQ(screen, BPoint(11, 22));
	window->Unlock();

	// The image follows the new size.
	rgb_color color;
	EXPECT_EQ(get_pixel(window, 299, 149, &color), B_OK);
	EXPECT_EQ(get_pixel(window, 300, 149, &color), B_BAD_VALUE);

	window->Lock();
	window->SetSizeLimits(100, 400, 50, 200);
	window->ResizeTo(1000, 10);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 400, 50));
	window->Unlock();

	window->PostMessage('pain');
	ASSERT_EQ(sync(window), B_OK);
	window->Lock();
	EXPECT_TRUE(window->drawnAtOnce);
	window->Unlock();
	TestWindow::Close(window);
}

TEST(WindowGeometry, TheTitleIsTheName)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Old title");
	window->ShowAndWait();
	EXPECT_STREQ(window->Title(), "Old title");
	window->Lock();
	window->SetTitle("New title");
	window->Unlock();
	EXPECT_STREQ(window->Name(), "New title");
	EXPECT_EQ(wait_for_window("New title", 0), window);
	EXPECT_EQ(wait_for_window("Old title", 0), nullptr);
	EXPECT_EQ(window->Type(), B_TITLED_WINDOW);
	EXPECT_EQ(window->Look(), B_TITLED_WINDOW_LOOK);
	EXPECT_EQ(window->Feel(), B_NORMAL_WINDOW_FEEL);
	TestWindow::Close(window);

	BWindow* floating = new BWindow(BRect(0, 0, 10, 10), "Tip window", B_BORDERED_WINDOW_LOOK,
									B_FLOATING_APP_WINDOW_FEEL, B_AVOID_FRONT | B_AVOID_FOCUS);
	EXPECT_TRUE(floating->IsFloating());
	EXPECT_FALSE(floating->IsModal());
	EXPECT_EQ(floating->Flags(), uint32(B_AVOID_FRONT | B_AVOID_FOCUS));
	floating->Lock();
	floating->Quit();
}

namespace {

class BlockingWindow : public TestWindow {
public:
	BlockingWindow() : TestWindow("Blocking") {}

	std::atomic<bool> release{false};

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what != 'blok') {
			TestWindow::MessageReceived(message);
			return;
		}
		// Waits the way a modal alert does, telling the display so.
		while (!release.load()) {
			BPrivate::Display::Default()->WindowBlocked(this);
			snooze(5000);
		}
	}
};

} // namespace

TEST(WindowGeometry, ABlockedWindowDoesNotHoldUpWhoWaitsForIt)
{
	Watchdog watchdog;
	BlockingWindow* window = new BlockingWindow();
	window->ShowAndWait();
	window->PostMessage('blok');
	bigtime_t start = system_time();
	EXPECT_EQ(sync(window, 3000000), B_OK);
	EXPECT_LT(system_time() - start, 2000000);
	window->release.store(true);
	EXPECT_EQ(sync(window), B_OK);
	TestWindow::Close(window);
}
