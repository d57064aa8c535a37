#include "ChildProcess.h"
#include "InterfaceTest.h"

#include <Bitmap.h>
#include <Screen.h>

#include <functional>
#include <unistd.h>

using namespace BPrivate::headless;

namespace {

// A view that fills itself and runs extra drawing given by the test.
class PaintView : public BView {
public:
	PaintView(BRect frame, const char* name, rgb_color fill,
			  std::function<void(BView*)> extra = nullptr)
		: BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW), fFill(fill), fExtra(extra)
	{}

	virtual void Draw(BRect updateRect)
	{
		updates.push_back(updateRect);
		SetHighColor(fFill);
		FillRect(Bounds());
		if (fExtra)
			fExtra(this);
	}

	std::vector<BRect> updates;

private:
	rgb_color fFill;
	std::function<void(BView*)> fExtra;
};

rgb_color
pixel(BWindow* window, int32 x, int32 y)
{
	rgb_color color = {0, 0, 0, 0};
	EXPECT_EQ(get_pixel(window, x, y, &color), B_OK) << x << "," << y;
	color.alpha = 255;
	return color;
}

const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};
const rgb_color kWhite = {255, 255, 255, 255};

} // namespace

TEST(Drawing, ViewsDrawClippedToThemselvesAndTheirAncestors)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Clipping", BRect(0, 0, 99, 59));
	PaintView* parent = new PaintView(BRect(10, 10, 49, 49), "parent", kBlue);
	PaintView* child = new PaintView(BRect(20, 0, 79, 19), "child", kRed);
	parent->AddChild(child);
	window->AddChild(parent);
	window->ShowAndWait();

	EXPECT_EQ(pixel(window, 35, 15), kRed);
	EXPECT_EQ(pixel(window, 49, 29), kRed);
	// The child pokes out of its parent, but nothing of it shows there.
	EXPECT_EQ(pixel(window, 50, 15), kWhite);
	EXPECT_EQ(pixel(window, 70, 15), kWhite);
	EXPECT_EQ(pixel(window, 35, 30), kBlue);
	// Inclusive frames: the last row and column belong to the view.
	EXPECT_EQ(pixel(window, 10, 49), kBlue);
	EXPECT_EQ(pixel(window, 10, 50), kWhite);
	EXPECT_EQ(pixel(window, 9, 10), kWhite);

	window->Lock();
	ASSERT_FALSE(child->updates.empty());
	BRect update = child->updates.back();
	EXPECT_TRUE(child->Bounds().Contains(update));
	child->updates.clear();
	child->Invalidate(BRect(0, 0, 4, 4));
	window->Unlock();
	ASSERT_EQ(sync(window), B_OK);
	window->Lock();
	ASSERT_EQ(child->updates.size(), 1u);
	EXPECT_EQ(child->updates[0], BRect(0, 0, 4, 4));
	window->Unlock();
	TestWindow::Close(window);
}

TEST(Drawing, HiddenAndTransparentViewsLeaveWhatIsBehind)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Transparent", BRect(0, 0, 99, 59));
	BView* back = new BView(BRect(0, 0, 99, 59), "back", B_FOLLOW_ALL, 0);
	back->SetViewColor(kBlue);
	BView* glass = new BView(BRect(0, 0, 29, 29), "glass", B_FOLLOW_NONE, 0);
	glass->SetViewColor(B_TRANSPARENT_COLOR);
	PaintView* hidden = new PaintView(BRect(40, 0, 69, 29), "hidden", kRed);
	back->AddChild(glass);
	back->AddChild(hidden);
	hidden->Hide();
	window->AddChild(back);
	window->ShowAndWait();
	EXPECT_EQ(pixel(window, 10, 10), kBlue);
	EXPECT_EQ(pixel(window, 50, 10), kBlue);

	window->Lock();
	hidden->Show();
	window->Unlock();
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_EQ(pixel(window, 50, 10), kRed);
	// A hidden view gets no clicks either.
	window->Lock();
	hidden->Hide();
	window->Unlock();
	ASSERT_EQ(sync(window), B_OK);
	window->Lock();
	EXPECT_EQ(window->FindView(BPoint(50, 10)), back);
	window->Unlock();
	TestWindow::Close(window);
}

TEST(Drawing, ShapesCoverThePixelsTheirCoordinatesName)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Shapes", BRect(0, 0, 99, 59));
	window->AddChild(new PaintView(BRect(0, 0, 99, 59), "shapes", kWhite, [](BView* view) {
		view->SetHighColor(0, 0, 0);
		view->StrokeLine(BPoint(2, 5), BPoint(11, 5));
		view->StrokeRect(BRect(20, 2, 29, 11));
		view->SetHighColor(0, 128, 0);
		view->FillRect(BRect(40, 2, 44, 6));
		view->SetDrawingMode(B_OP_ALPHA);
		view->SetHighColor(255, 0, 0, 128);
		view->FillRect(BRect(60, 2, 69, 11));
		view->SetDrawingMode(B_OP_COPY);
		view->SetHighColor(0, 0, 255, 10);
		view->FillRect(BRect(80, 2, 89, 11));
		view->BeginLineArray(2);
		view->AddLine(BPoint(0, 40), BPoint(9, 40), make_color(255, 0, 0));
		view->AddLine(BPoint(0, 42), BPoint(9, 42), make_color(0, 0, 255));
		view->EndLineArray();
	}));
	window->ShowAndWait();
	rgb_color black = make_color(0, 0, 0);
	EXPECT_EQ(pixel(window, 2, 5), black);
	EXPECT_EQ(pixel(window, 11, 5), black);
	EXPECT_EQ(pixel(window, 12, 5), kWhite);
	EXPECT_EQ(pixel(window, 1, 5), kWhite);
	EXPECT_EQ(pixel(window, 5, 4), kWhite);
	EXPECT_EQ(pixel(window, 5, 6), kWhite);
	EXPECT_EQ(pixel(window, 20, 2), black);
	EXPECT_EQ(pixel(window, 29, 11), black);
	EXPECT_EQ(pixel(window, 25, 6), kWhite);
	EXPECT_EQ(pixel(window, 30, 11), kWhite);
	EXPECT_EQ(pixel(window, 44, 6), make_color(0, 128, 0));
	EXPECT_EQ(pixel(window, 45, 6), kWhite);
	// Alpha blends; copy ignores the colour's alpha.
	rgb_color blended = pixel(window, 65, 6);
	EXPECT_EQ(blended.red, 255);
	EXPECT_NEAR(blended.green, 127, 2);
	EXPECT_EQ(pixel(window, 85, 6), kBlue);
	EXPECT_EQ(pixel(window, 9, 40), kRed);
	EXPECT_EQ(pixel(window, 9, 42), kBlue);
	TestWindow::Close(window);
}

TEST(Drawing, BitmapsDrawTheirPixels)
{
	Watchdog watchdog;
	BBitmap* bitmap = new BBitmap(BRect(0, 0, 1, 1), B_RGBA32);
	uint8* bits = static_cast<uint8*>(bitmap->Bits());
	// Blue, green, red, alpha per pixel: red, green / blue, half-transparent red.
	const uint8 pixels[16] = {0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255, 0, 0, 255, 128};
	memcpy(bits, pixels, 8);
	memcpy(bits + bitmap->BytesPerRow(), pixels + 8, 8);
	TestWindow* window = new TestWindow("Bitmaps", BRect(0, 0, 49, 19));
	window->AddChild(new PaintView(BRect(0, 0, 49, 19), "bitmaps", kWhite, [bitmap](BView* view) {
		view->DrawBitmap(bitmap, BPoint(5, 5));
		view->SetDrawingMode(B_OP_ALPHA);
		view->DrawBitmap(bitmap, BPoint(10, 5));
		view->SetDrawingMode(B_OP_COPY);
		view->DrawBitmap(bitmap, BRect(0, 0, 1, 1), BRect(20, 5, 23, 8));
		// Over leaves out the transparent pixels that copy draws.
		BBitmap clear(BRect(0, 0, 0, 0), B_RGBA32);
		uint8* pixel = static_cast<uint8*>(clear.Bits());
		pixel[0] = 255;
		view->SetDrawingMode(B_OP_OVER);
		view->DrawBitmap(&clear, BPoint(30, 5));
		view->SetDrawingMode(B_OP_COPY);
		view->DrawBitmap(&clear, BPoint(31, 5));
	}));
	window->ShowAndWait();
	EXPECT_EQ(pixel(window, 5, 5), kRed);
	EXPECT_EQ(pixel(window, 6, 5), make_color(0, 255, 0));
	EXPECT_EQ(pixel(window, 5, 6), kBlue);
	EXPECT_EQ(pixel(window, 6, 6), kRed);
	rgb_color blended = pixel(window, 11, 6);
	EXPECT_NEAR(blended.green, 127, 2);
	// Scaled twice: each bitmap pixel covers two by two.
	EXPECT_EQ(pixel(window, 21, 6), kRed);
	EXPECT_EQ(pixel(window, 22, 5), make_color(0, 255, 0));
	EXPECT_EQ(pixel(window, 20, 8), kBlue);
	EXPECT_EQ(pixel(window, 30, 5), kWhite);
	EXPECT_EQ(pixel(window, 31, 5), kBlue);
	TestWindow::Close(window);
	delete bitmap;
}

TEST(Drawing, TextIsMeasuredAsItIsDrawn)
{
	Watchdog watchdog;
	BFont font(be_plain_font);
	font.SetSize(24);
	const char* text = "Hg \xe6\xbc\xa2\xe5\xad\x97";
	float width = font.StringWidth(text);
	font_height height;
	font.GetHeight(&height);
	EXPECT_GT(width, 40.0f);
	EXPECT_LT(width, 24.0f * 6);
	EXPECT_GT(height.ascent, 12.0f);
	EXPECT_GT(height.descent, 2.0f);
	EXPECT_LT(height.ascent + height.descent, 24.0f * 1.6f);
	BFont small(font);
	small.SetSize(12);
	EXPECT_NEAR(small.StringWidth(text) * 2, width, 2.0f);
	EXPECT_EQ(font.StringWidth(text, 2), font.StringWidth("Hg"));
	EXPECT_EQ(font.StringWidth(""), 0.0f);
	// A Japanese character is as wide as the font is high, near enough.
	EXPECT_NEAR(font.StringWidth("\xe6\xbc\xa2"), 24.0f, 3.0f);

	TestWindow* window = new TestWindow("Text", BRect(0, 0, 199, 59));
	BPoint start(10, 40);
	window->AddChild(new PaintView(BRect(0, 0, 199, 59), "text", kWhite, [&](BView* view) {
		view->SetFont(&font);
		view->SetHighColor(0, 0, 0);
		view->DrawString(text, start);
	}));
	window->ShowAndWait();
	int inside = 0;
	int outside = 0;
	for (int y = 0; y < 60; y++) {
		for (int x = 0; x < 200; x++) {
			rgb_color color = pixel(window, x, y);
			if (color.red > 128)
				continue;
			bool inBox = x >= start.x - 1 && x <= start.x + width + 1 &&
						 y >= start.y - height.ascent - 1 && y <= start.y + height.descent + 1;
			if (inBox)
				inside++;
			else
				outside++;
		}
	}
	EXPECT_GT(inside, 50);
	EXPECT_EQ(outside, 0);
	window->Lock();
	BView* view = window->FindView("text");
	EXPECT_EQ(view->PenLocation(), BPoint(start.x + width, start.y));
	window->Unlock();
	TestWindow::Close(window);
}

TEST(Drawing, SystemColoursAndFonts)
{
	EXPECT_EQ(ui_color(B_PANEL_BACKGROUND_COLOR), make_color(216, 216, 216));
	EXPECT_EQ(ui_color(B_DOCUMENT_BACKGROUND_COLOR), make_color(255, 255, 255));
	EXPECT_EQ(ui_color(B_PANEL_TEXT_COLOR), make_color(0, 0, 0));
	EXPECT_EQ(tint_color(make_color(200, 200, 200), B_NO_TINT), make_color(200, 200, 200));
	rgb_color darker = tint_color(make_color(200, 200, 200), B_DARKEN_2_TINT);
	EXPECT_LT(darker.red, 200);
	EXPECT_EQ(be_plain_font->Size(), 12.0f);
	EXPECT_NE(be_bold_font->Face() & B_BOLD_FACE, 0);
	EXPECT_GT(be_bold_font->StringWidth("Wide"), be_plain_font->StringWidth("Wide"));
	font_family plain;
	font_family fixed;
	be_plain_font->GetFamilyAndStyle(&plain, NULL);
	be_fixed_font->GetFamilyAndStyle(&fixed, NULL);
	EXPECT_STRNE(plain, fixed);
	EXPECT_EQ(be_fixed_font->StringWidth("iiii"), be_fixed_font->StringWidth("MMMM"));
}

// Run in a child process of its own, which starts a display with the environment it is given.
TEST(DisplayChild, ScreenAndScreenshots)
{
	const char* expected = getenv("BEAPI_TEST_SCREEN");
	if (expected == nullptr)
		GTEST_SKIP() << "runs as a child of Display.ScreenSizeAndScreenshotNames";
	Watchdog watchdog;
	BRect frame = BScreen().Frame();
	char text[64];
	snprintf(text, sizeof(text), "%g %g %g %g", frame.left, frame.top, frame.right, frame.bottom);
	EXPECT_STREQ(text, expected);
	TestWindow* window = new TestWindow("Shots/with slash", BRect(10, 10, 560, 295));
	window->ShowAndWait();
	TestWindow::Close(window);
}

TEST(Display, ScreenSizeAndScreenshotNames)
{
	Watchdog watchdog;
	std::string folder = make_temporary_folder();
	ChildResult result = run_child(
		"/proc/self/exe",
		{"BEAPI_SCREEN=800x600", "BEAPI_TEST_SCREEN=0 0 799 599", "BEAPI_SCREENSHOT_DIR=" + folder},
		{"--gtest_filter=DisplayChild.*"});
	EXPECT_EQ(result.status, 0) << result.errors;
	std::string shot = folder + "/Shots_with slash.png";
	ASSERT_EQ(access(shot.c_str(), R_OK), 0);
	FILE* file = fopen(shot.c_str(), "rb");
	ASSERT_NE(file, nullptr);
	unsigned char header[24];
	ASSERT_EQ(fread(header, 1, 24, file), 24u);
	fclose(file);
	uint32 width = (header[16] << 24) | (header[17] << 16) | (header[18] << 8) | header[19];
	uint32 height = (header[20] << 24) | (header[21] << 16) | (header[22] << 8) | header[23];
	EXPECT_EQ(width, 551u);
	EXPECT_EQ(height, 286u);

	result = run_child("/proc/self/exe", {"BEAPI_TEST_SCREEN=0 0 1023 767"},
					   {"--gtest_filter=DisplayChild.*"});
	EXPECT_EQ(result.status, 0) << result.errors;
}
