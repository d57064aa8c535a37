#include "WidgetTest.h"

#include <Bitmap.h>

#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>

#include <cstdlib>
#include <unistd.h>

using namespace BPrivate::headless;

namespace {

// A 12×12 image: a dark blue disc-like cross on a transparent ground.
BBitmap*
cross_image()
{
	BBitmap* image = new BBitmap(BRect(0, 0, 11, 11), B_RGBA32);
	uint8* bits = static_cast<uint8*>(image->Bits());
	for (int y = 0; y < 12; y++) {
		for (int x = 0; x < 12; x++) {
			uint8* pixel = bits + y * image->BytesPerRow() + x * 4;
			bool inside = (x >= 4 && x < 8) || (y >= 4 && y < 8);
			pixel[0] = 160;
			pixel[1] = 40;
			pixel[2] = 20;
			pixel[3] = inside ? 255 : 0;
		}
	}
	return image;
}

// Off, on, disabled, an image button and one left for the pointer.
TToolBar*
look_bar(float top, bool flat)
{
	TToolBar* bar =
		new TToolBar(BRect(0, top, 10, top + 10), flat ? "flat" : "raised", B_FOLLOW_LEFT_RIGHT);
	bar->SetBarFlat(flat);
	bar->SetButtonFlat(flat);
	const char* labels[] = {"Off", "On", "Disabled", "Hot"};
	for (const char* label : labels) {
		bar->AddItem(
			new TToolButton(BRect(0, 0, 1, 1), label, NULL, label, NULL, TOOL_BUTTON_TOGGLE));
	}
	bar->AddSeparatorItem();
	bar->AddItem(new TToolButton(BRect(0, 0, 1, 1), "Image", cross_image(), "Image", NULL,
								 TOOL_BUTTON_TOGGLE));
	bar->FindItem("On")->SetValue(1);
	bar->FindItem("Disabled")->SetEnabled(false);
	return bar;
}

// Compares with the reference picture of that name; BEAPI_UPDATE_REFERENCES=1 writes it.
void
expect_looks_like(BWindow* window, const char* name)
{
	std::string reference = std::string(BEAPI_SOURCE_DIR "/tests/widgets/ref/") + name;
	if (getenv("BEAPI_UPDATE_REFERENCES") != NULL) {
		ASSERT_EQ(screenshot(window, reference.c_str()), B_OK);
		return;
	}
	char folder[] = "/tmp/widgets-shot-XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	std::string shot = std::string(folder) + "/" + name;
	ASSERT_EQ(screenshot(window, shot.c_str()), B_OK);
	double difference = png_difference(shot, reference);
	EXPECT_GE(difference, 0) << "cannot compare " << shot << " with " << reference;
	EXPECT_LT(difference, 0.005) << shot << " differs from " << reference;
	if (!::testing::Test::HasFailure()) {
		unlink(shot.c_str());
		rmdir(folder);
	}
}

} // namespace

TEST(ToolBarLook, RaisedAndFlatBarsInEveryState)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Toolbar looks", BRect(100, 100, 339, 169));
	TToolBar* raised = look_bar(0, false);
	TToolBar* flat = look_bar(36, true);
	window->AddChild(raised);
	window->AddChild(flat);
	window->ShowAndWait();

	TToolButton* hot = flat->FindItem("Hot");
	window->Lock();
	BPoint middle = hot->ConvertToParent(hot->Bounds().LeftTop() + BPoint(5, 5));
	middle = flat->ConvertToParent(middle);
	window->Unlock();
	ASSERT_EQ(mouse_move(window, middle), B_OK);
	expect_looks_like(window, "flat-hot.png");

	hot = raised->FindItem("Hot");
	window->Lock();
	middle = raised->ConvertToParent(hot->ConvertToParent(BPoint(5, 5)));
	window->Unlock();
	ASSERT_EQ(mouse_move(window, middle), B_OK);
	expect_looks_like(window, "raised-hot.png");
	TestWindow::Close(window);
}
