#include "InterfaceTest.h"

#include <GraphicsDefs.h>

using namespace BPrivate::headless;

namespace {

// Fills itself with the colour it is given.
class ColourView : public BView {
public:
	explicit ColourView(BRect frame) : BView(frame, "colour", B_FOLLOW_ALL, B_WILL_DRAW) {}

	virtual void Draw(BRect)
	{
		SetHighColor(colour);
		FillRect(Bounds());
	}

	rgb_color colour = {255, 0, 0, 255};
};

uint32
rgb_at(BWindow* window, int32 x, int32 y)
{
	rgb_color color;
	if (get_pixel(window, x, y, &color) != B_OK)
		return 0xdeadbeef;
	return uint32(color.red) << 16 | uint32(color.green) << 8 | color.blue;
}

// The headless display reads a frame from the window's own image until the window draws again:
// whatever is read is the frame last shown, whether or not it was read in between, and drawing
// outside an update is shown too.
TEST(FrameCopies, WhatIsReadIsTheFrameLastShown)
{
	Watchdog watchdog;
	BWindow* window = new BWindow(BRect(50, 50, 149, 99), "Frames", B_TITLED_WINDOW, 0);
	ColourView* view = new ColourView(window->Bounds());
	window->AddChild(view);
	window->Show();
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_EQ(rgb_at(window, 10, 10), 0xff0000u);

	auto repaint = [&](rgb_color colour) {
		ASSERT_TRUE(window->Lock());
		view->colour = colour;
		view->Invalidate();
		window->Unlock();
		ASSERT_EQ(sync(window), B_OK);
	};
	// Two frames with no reading between them, then one read at once.
	repaint({0, 255, 0, 255});
	repaint({0, 0, 255, 255});
	EXPECT_EQ(rgb_at(window, 10, 10), 0x0000ffu);
	repaint({255, 255, 0, 255});
	EXPECT_EQ(rgb_at(window, 99, 49), 0xffff00u);

	// Drawn outside Draw, straight into the window's image.
	ASSERT_TRUE(window->Lock());
	view->SetHighColor(0, 255, 255);
	view->FillRect(BRect(0, 0, 9, 9));
	window->Unlock();
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_EQ(rgb_at(window, 5, 5), 0x00ffffu);
	EXPECT_EQ(rgb_at(window, 20, 20), 0xffff00u);

	// A frame of a new size is read whole.
	ASSERT_TRUE(window->Lock());
	window->ResizeTo(199, 79);
	window->Unlock();
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_EQ(rgb_at(window, 199, 79), 0xffff00u);

	ASSERT_TRUE(window->Lock());
	window->Quit();
}

} // namespace
