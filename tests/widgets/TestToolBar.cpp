#include "WidgetTest.h"

#include <Bitmap.h>

#include <memory>

#include <widgets/SeparatorButton.h>
#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>

namespace {

TToolButton*
text_button(const char* name, const char* label, uint32 behavior = TOOL_BUTTON_TOGGLE)
{
	return new TToolButton(BRect(0, 0, 10, 10), name, NULL, label, new BMessage('tool'), behavior);
}

// A 16×16 image: transparent with an opaque red square of 8×8 in its middle.
BBitmap*
square_image()
{
	BBitmap* image = new BBitmap(BRect(0, 0, 15, 15), B_RGBA32);
	uint8* bits = static_cast<uint8*>(image->Bits());
	for (int y = 0; y < 16; y++) {
		for (int x = 0; x < 16; x++) {
			uint8* pixel = bits + y * image->BytesPerRow() + x * 4;
			bool inside = x >= 4 && x < 12 && y >= 4 && y < 12;
			pixel[0] = 10;
			pixel[1] = 20;
			pixel[2] = inside ? 200 : 30;
			pixel[3] = inside ? 255 : 0;
		}
	}
	return image;
}

const uint8*
pixel_at(const BBitmap* image, int x, int y)
{
	return static_cast<const uint8*>(image->Bits()) + y * image->BytesPerRow() + x * 4;
}

} // namespace

TEST(ToolBar, SizesAndRelocationFollowTheButtons)
{
	TToolBar bar(BRect(0, 0, 99, 9), "bar", B_FOLLOW_LEFT_RIGHT);
	float width = 0;
	float height = 0;
	bar.GetPreferredSize(&width, &height);
	EXPECT_EQ(width, 3);
	EXPECT_EQ(height, 6);
	EXPECT_EQ(bar.FindPushed(0), nullptr);

	TToolButton* first = text_button("first", "Alpha");
	font_height metrics;
	first->GetFontHeight(&metrics);
	// Frames are whole pixels.
	EXPECT_NEAR(first->Bounds().Width(), first->StringWidth("Alpha") + 6, 0.5);
	EXPECT_NEAR(first->Bounds().Height(), metrics.ascent + metrics.descent + 6, 0.5);
	EXPECT_EQ(first->MinWidth(), first->Bounds().Width());

	EXPECT_FALSE(bar.AddItem(first, 1));
	EXPECT_FALSE(bar.AddItem(first, -1));
	ASSERT_TRUE(bar.AddItem(first));
	EXPECT_FLOAT_EQ(bar.Bounds().Height(), first->Bounds().Height() + 6);
	EXPECT_EQ(bar.Bounds().Width(), 99);
	TToolButton* second = text_button("second", "Beta");
	ASSERT_TRUE(bar.AddItem(second));
	ASSERT_TRUE(bar.AddSeparatorItem());
	EXPECT_EQ(bar.ItemAt(2)->Bounds().Width(), 8);
	EXPECT_FLOAT_EQ(bar.ItemAt(2)->Bounds().Height(), first->Bounds().Height());
	// Inserting at the front moves every button after it along.
	TToolButton* front = text_button("front", "Gamma");
	ASSERT_TRUE(bar.AddItem(front, 0));
	ASSERT_EQ(bar.CountItems(), 4);
	EXPECT_EQ(bar.Frame().left, 0);
	EXPECT_EQ(front->Frame().LeftTop(), BPoint(3, 3));
	EXPECT_EQ(first->Frame().left, front->Frame().right + 1);
	EXPECT_EQ(second->Frame().left, first->Frame().right + 1);
	EXPECT_EQ(bar.ItemAt(3)->Frame().left, second->Frame().right + 1);
	bar.GetPreferredSize(&width, &height);
	EXPECT_EQ(width, bar.ItemAt(3)->Frame().right + 3);
	EXPECT_FLOAT_EQ(height, first->Bounds().Height() + 6);

	EXPECT_EQ(bar.FindItem("second"), second);
	EXPECT_EQ(bar.FindItem("none"), nullptr);
	EXPECT_EQ(bar.IndexOf(first), 1);
	EXPECT_EQ(bar.ItemAt(4), nullptr);
	EXPECT_EQ(bar.ItemAt(-1), nullptr);
	second->SetValue(1);
	EXPECT_EQ(bar.FindPushed(0), second);
	EXPECT_EQ(bar.FindPushed(3), nullptr);
}

TEST(ToolBar, RadioGroupsEndAtSeparators)
{
	TToolBar bar(BRect(0, 0, 199, 9), "bar", B_FOLLOW_LEFT_RIGHT);
	TToolButton* a = text_button("a", "A");
	TToolButton* b = text_button("b", "B");
	TToolButton* c = text_button("c", "C");
	TToolButton* push = text_button("p", "P", TOOL_BUTTON_PUSH);
	bar.AddItem(a);
	bar.AddItem(b);
	bar.AddSeparatorItem();
	bar.AddItem(c);
	bar.AddItem(push);

	std::vector<TToolButton*> brothers;
	b->GetBrothers(&brothers);
	EXPECT_EQ(brothers, std::vector<TToolButton*>{a});
	brothers.clear();
	c->GetBrothers(&brothers);
	EXPECT_EQ(brothers, std::vector<TToolButton*>{push});

	// A push button cannot join a radio group, and a refusal changes nothing.
	EXPECT_EQ(push->SetRadioMode(true), B_ERROR);
	EXPECT_FALSE(push->IsRadioMode());
	EXPECT_FALSE(c->IsRadioMode());

	a->SetValue(1);
	ASSERT_EQ(b->SetRadioMode(true), B_OK);
	EXPECT_TRUE(a->IsRadioMode());
	EXPECT_EQ(a->Value(), 0);
	EXPECT_FALSE(c->IsRadioMode());
	a->SetValue(5);
	EXPECT_EQ(a->Value(), 1);
	b->SetValue(1);
	EXPECT_EQ(a->Value(), 0);
	c->SetValue(1);
	EXPECT_EQ(b->Value(), 1);

	// Becoming a push button turns a toggle off.
	ASSERT_EQ(c->SetBehavior(TOOL_BUTTON_PUSH), B_OK);
	EXPECT_EQ(c->Value(), 0);
}

TEST(ToolButton, ImagesAreCheckedAndDerived)
{
	TToolButton* bare = text_button("bare", "Bare");
	// A refused image stays the caller's.
	std::unique_ptr<BBitmap> refused(square_image());
	EXPECT_EQ(bare->SetImage(1, refused.get()), B_ERROR);
	EXPECT_EQ(bare->SetDefaultImages(), B_ERROR);
	delete bare;

	BBitmap* base = square_image();
	TToolButton button(BRect(0, 0, 1, 1), "image", base, "Label", NULL, TOOL_BUTTON_PUSH);
	EXPECT_EQ(button.Divider(), 15 + 6);
	EXPECT_NEAR(button.Bounds().Width(), 15 + 6 + button.StringWidth("Label") + 6, 0.5);

	EXPECT_EQ(button.SetImage(5, refused.get()), B_ERROR);
	BBitmap* wrongSize = new BBitmap(BRect(0, 0, 7, 7), B_RGBA32);
	EXPECT_EQ(button.SetImage(2, wrongSize), B_ERROR);
	delete wrongSize;
	EXPECT_EQ(button.Image(0), base);

	ASSERT_EQ(button.SetDefaultImages(), B_OK);
	EXPECT_EQ(button.SetDefaultImages(), B_ERROR);
	for (int32 slot = 1; slot <= 4; slot++)
		ASSERT_NE(button.Image(slot), nullptr) << slot;
	EXPECT_EQ(button.Image(5), nullptr);

	// Disabled: a grey silhouette, transparent where the image is.
	const uint8* pixel = pixel_at(button.Image(2), 6, 6);
	EXPECT_EQ((std::vector<uint8>{pixel[0], pixel[1], pixel[2], pixel[3]}),
			  (std::vector<uint8>{128, 128, 128, 255}));
	pixel = pixel_at(button.Image(2), 0, 0);
	EXPECT_EQ((std::vector<uint8>{pixel[0], pixel[1], pixel[2], pixel[3]}),
			  (std::vector<uint8>{10, 20, 30, 0}));
	// Hot: the image on its hover background.
	pixel = pixel_at(button.Image(4), 0, 0);
	EXPECT_EQ((std::vector<uint8>{pixel[0], pixel[1], pixel[2], pixel[3]}),
			  (std::vector<uint8>{240, 240, 240, 255}));
	pixel = pixel_at(button.Image(4), 6, 6);
	EXPECT_EQ((std::vector<uint8>{pixel[0], pixel[1], pixel[2], pixel[3]}),
			  (std::vector<uint8>{10, 20, 200, 255}));
	// On: the image on the pressed background; disabled and on: the silhouette on it.
	pixel = pixel_at(button.Image(1), 15, 15);
	EXPECT_EQ(pixel[0], 192);
	EXPECT_EQ(pixel[3], 255);
	pixel = pixel_at(button.Image(3), 6, 6);
	EXPECT_EQ(pixel[2], 128);
	pixel = pixel_at(button.Image(3), 1, 1);
	EXPECT_EQ(pixel[2], 192);

	EXPECT_EQ(button.ClearImages(), B_OK);
	EXPECT_EQ(button.Image(1), nullptr);
	EXPECT_EQ(button.Image(0), base);
	BBitmap* replacement = square_image();
	EXPECT_EQ(button.SetImage(4, replacement), B_OK);
	EXPECT_EQ(button.Image(4), replacement);
}
