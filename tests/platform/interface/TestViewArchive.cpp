#include <Bitmap.h>
#include <Message.h>
#include <View.h>
#include <beapi/MessageFormats.h>

#include <DataIO.h>

#include <gtest/gtest.h>

#include <limits>

#include <cstring>
#include <memory>

namespace {

int32
packed(uint8 r, uint8 g, uint8 b, uint8 a = 255)
{
	return int32((uint32(r) << 24) | (uint32(g) << 16) | (uint32(b) << 8) | a);
}

// Writes the message in the format and reads it back, as a file would bring it.
bool
through_format(const BMessage& in, message_format format, BMessage* out)
{
	BMallocIO buffer;
	if (flatten_message(in, format, &buffer) != B_OK)
		return false;
	message_format found = B_MESSAGE_FORMAT_UNKNOWN;
	if (unflatten_message(out, buffer.Buffer(), buffer.BufferLength(), NULL, &found) != B_OK)
		return false;
	return found == format;
}

std::unique_ptr<BView>
instantiate_view(BMessage* archive)
{
	BArchivable* object = instantiate_object(archive);
	BView* view = dynamic_cast<BView*>(object);
	if (view == NULL)
		delete object;
	return std::unique_ptr<BView>(view);
}

} // namespace

TEST(ViewArchive, FieldsHaveThePlatformsNamesAndTypes)
{
	BView view(BRect(1, 2, 551, 287), "MainView", B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE);
	view.SetViewColor(216, 216, 216);
	BMessage archive;
	ASSERT_EQ(view.Archive(&archive, false), B_OK);

	const char* text = NULL;
	EXPECT_EQ(archive.FindString("class", &text), B_OK);
	EXPECT_STREQ(text, "BView");
	EXPECT_EQ(archive.FindString("_name", &text), B_OK);
	EXPECT_STREQ(text, "MainView");
	type_code type;
	int32 count;
	ASSERT_EQ(archive.GetInfo("_frame", &type, &count), B_OK);
	EXPECT_EQ(type, B_RECT_TYPE);
	ASSERT_EQ(archive.GetInfo("_resize_mode", &type, &count), B_OK);
	EXPECT_EQ(type, B_INT32_TYPE);
	int32 value = 0;
	archive.FindInt32("_resize_mode", &value);
	EXPECT_EQ(uint32(value), uint32(B_FOLLOW_ALL));
	archive.FindInt32("_flags", &value);
	EXPECT_EQ(uint32(value), B_WILL_DRAW | B_NAVIGABLE);
	ASSERT_EQ(archive.GetInfo("_color", &type, &count), B_OK);
	EXPECT_EQ(type, B_INT32_TYPE);
	EXPECT_EQ(count, 3);
	archive.FindInt32("_color", 0, &value);
	EXPECT_EQ(value, 255);
	archive.FindInt32("_color", 2, &value);
	EXPECT_EQ(uint32(value), 0xD8D8D8FFu);
	// No font was set, so none is written; a shallow archive has no children.
	EXPECT_EQ(archive.GetInfo("_fname", &type, &count), B_NAME_NOT_FOUND);
	EXPECT_EQ(archive.GetInfo("_views", &type, &count), B_NAME_NOT_FOUND);
	int16 shown = -1;
	EXPECT_EQ(archive.FindInt16("_show", &shown), B_OK);
	EXPECT_EQ(shown, 0);
}

TEST(ViewArchive, ATreeRoundTrips)
{
	BView root(BRect(0, 0, 300, 200), "root", B_FOLLOW_ALL, B_WILL_DRAW | B_FRAME_EVENTS);
	root.SetViewUIColor(B_PANEL_BACKGROUND_COLOR);
	BView* first = new BView(BRect(10, 10, 110, 40), "first", B_FOLLOW_LEFT | B_FOLLOW_TOP,
							 B_WILL_DRAW | B_NAVIGABLE);
	BFont font(be_bold_font);
	font.SetSize(15);
	first->SetFont(&font);
	first->SetHighColor(10, 20, 30);
	first->SetLowColor(40, 50, 60, 70);
	first->SetPenSize(2);
	first->MovePenTo(3, 4);
	first->SetDrawingMode(B_OP_ALPHA);
	BView* second = new BView(BRect(10, 50, 110, 80), "second", B_FOLLOW_RIGHT, 0);
	second->AddChild(new BView(BRect(1, 1, 5, 5), "leaf", B_FOLLOW_NONE, 0));
	second->Hide();
	root.AddChild(first);
	root.AddChild(second);

	BMessage archive;
	ASSERT_EQ(root.Archive(&archive, true), B_OK);
	BMessage flat;
	ASSERT_TRUE(through_format(archive, B_MESSAGE_FORMAT_NATIVE, &flat));
	std::unique_ptr<BView> copy = instantiate_view(&flat);
	ASSERT_NE(copy, nullptr);

	EXPECT_STREQ(copy->Name(), "root");
	EXPECT_EQ(copy->Frame(), root.Frame());
	EXPECT_EQ(copy->Flags(), root.Flags());
	EXPECT_EQ(copy->ViewColor(), make_color(216, 216, 216));
	EXPECT_EQ(copy->ViewUIColor(), B_PANEL_BACKGROUND_COLOR);
	ASSERT_EQ(copy->CountChildren(), 2);
	BView* firstCopy = copy->ChildAt(0);
	EXPECT_STREQ(firstCopy->Name(), "first");
	EXPECT_EQ(firstCopy->Frame(), first->Frame());
	EXPECT_EQ(firstCopy->ResizingMode(), uint32(B_FOLLOW_LEFT | B_FOLLOW_TOP));
	EXPECT_EQ(firstCopy->HighColor(), make_color(10, 20, 30));
	EXPECT_EQ(firstCopy->LowColor(), make_color(40, 50, 60, 70));
	EXPECT_EQ(firstCopy->PenSize(), 2.0f);
	EXPECT_EQ(firstCopy->PenLocation(), BPoint(3, 4));
	EXPECT_EQ(firstCopy->DrawingMode(), B_OP_ALPHA);
	BFont copiedFont;
	firstCopy->GetFont(&copiedFont);
	EXPECT_EQ(copiedFont.Size(), 15.0f);
	font_family family;
	font_style style;
	copiedFont.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Bold");
	BView* secondCopy = copy->FindView("second");
	ASSERT_NE(secondCopy, nullptr);
	EXPECT_TRUE(secondCopy->IsHidden());
	EXPECT_NE(copy->FindView("leaf"), nullptr);
}

TEST(ViewArchive, AHandBuiltR5ArchiveIsRead)
{
	BMessage child;
	child.AddString("class", "BView");
	child.AddString("_name", "ButtonArea");
	child.AddRect("_frame", BRect(5, 6, 55, 26));
	child.AddInt32("_resize_mode", B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	child.AddInt32("_flags", B_WILL_DRAW | B_NAVIGABLE);
	child.AddInt32("_color", packed(0, 0, 0));
	child.AddInt32("_color", packed(216, 216, 216));
	child.AddInt32("_color", packed(216, 216, 216));

	BMessage top;
	top.AddString("class", "BView");
	top.AddString("_name", "Page");
	top.AddRect("_frame", BRect(0, 0, 400, 300));
	top.AddInt32("_resize_mode", B_FOLLOW_ALL);
	top.AddInt32("_flags", B_WILL_DRAW | B_FRAME_EVENTS);
	top.AddString("_fname", "DejaVu Sans");
	top.AddString("_fname", "Book");
	top.AddFloat("_fflt", 10.0f);
	top.AddFloat("_fflt", 90.0f);
	top.AddFloat("_fflt", 0.0f);
	top.AddInt32("_color", packed(1, 2, 3));
	top.AddInt32("_color", packed(4, 5, 6));
	top.AddInt32("_color", packed(7, 8, 9));
	top.AddPoint("_ploc", BPoint(2, 3));
	top.AddMessage("_views", &child);
	// A child of a class nobody knows is left out.
	BMessage stranger;
	stranger.AddString("class", "NoSuchView");
	top.AddMessage("_views", &stranger);

	BMessage read;
	ASSERT_TRUE(through_format(top, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, &read));
	std::unique_ptr<BView> view = instantiate_view(&read);
	ASSERT_NE(view, nullptr);
	EXPECT_STREQ(view->Name(), "Page");
	EXPECT_EQ(view->Bounds(), BRect(0, 0, 400, 300));
	EXPECT_EQ(view->HighColor(), make_color(1, 2, 3));
	EXPECT_EQ(view->LowColor(), make_color(4, 5, 6));
	EXPECT_EQ(view->ViewColor(), make_color(7, 8, 9));
	EXPECT_EQ(view->PenLocation(), BPoint(2, 3));
	BFont font;
	view->GetFont(&font);
	EXPECT_EQ(font.Size(), 10.0f);
	ASSERT_EQ(view->CountChildren(), 1);
	BView* button = view->FindView("ButtonArea");
	ASSERT_NE(button, nullptr);
	EXPECT_EQ(button->Frame(), BRect(5, 6, 55, 26));
	EXPECT_EQ(button->Flags(), B_WILL_DRAW | B_NAVIGABLE);
	EXPECT_EQ(button->ResizingMode(), uint32(B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM));
	EXPECT_EQ(button->ViewColor(), make_color(216, 216, 216));
}

TEST(ViewArchive, UnknownSystemColoursAndBadTintsAreIgnored)
{
	BMessage archive;
	archive.AddString("class", "BView");
	archive.AddRect("_frame", BRect(0, 0, 10, 10));
	archive.AddInt32("_color", packed(1, 2, 3));
	archive.AddInt32("_color", packed(4, 5, 6));
	archive.AddInt32("_color", packed(7, 8, 9));
	archive.AddInt32("_uicolor", 1600716800);
	archive.AddInt32("_uicolor", -3);
	archive.AddInt32("_uicolor", B_PANEL_BACKGROUND_COLOR);
	archive.AddFloat("_uitint", 1.0f);
	archive.AddFloat("_uitint", 1.0f);
	archive.AddFloat("_uitint", std::numeric_limits<float>::quiet_NaN());

	std::unique_ptr<BView> view = instantiate_view(&archive);
	ASSERT_NE(view, nullptr);
	EXPECT_EQ(view->HighColor(), make_color(1, 2, 3));
	EXPECT_EQ(view->LowColor(), make_color(4, 5, 6));
	EXPECT_EQ(view->ViewColor(), ui_color(B_PANEL_BACKGROUND_COLOR));
}

TEST(ViewArchive, AManagedArchiveWithTokensIsReadFromDano)
{
	// Token 0 is the top view, 1 its child, 2 the child's child; -42 stands for no view.
	BMessage grandchild;
	grandchild.AddString("class", "BView");
	grandchild.AddString("_name", "grandchild");
	grandchild.AddRect("_frame", BRect(1, 1, 4, 4));

	BMessage child;
	child.AddString("class", "BView");
	child.AddString("_name", "child");
	child.AddRect("_frame", BRect(10, 10, 50, 50));
	child.AddInt32("_views", 2);

	BMessage top;
	top.AddString("class", "BView");
	top.AddString("_name", "top");
	top.AddRect("_frame", BRect(0, 0, 100, 100));
	top.AddInt32("_views", 1);
	top.AddInt32("_views", -42);
	top.AddMessage("_managed_archivable", &child);
	top.AddMessage("_managed_archivable", &grandchild);
	top.AddBool("_managed_archive", true);

	BMessage read;
	ASSERT_TRUE(through_format(top, B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN, &read));
	std::unique_ptr<BView> view = instantiate_view(&read);
	ASSERT_NE(view, nullptr);
	ASSERT_EQ(view->CountChildren(), 1);
	BView* childView = view->ChildAt(0);
	EXPECT_STREQ(childView->Name(), "child");
	EXPECT_EQ(childView->Frame(), BRect(10, 10, 50, 50));
	ASSERT_EQ(childView->CountChildren(), 1);
	EXPECT_STREQ(childView->ChildAt(0)->Name(), "grandchild");
}

// Archiving stops at the first field the message refuses and reports that failure itself, not
// a mixture of codes; nothing after it is written.
TEST(ViewArchive, TheFirstFailureIsReturnedAndEndsTheArchive)
{
	BView view(BRect(0, 0, 9, 9), "stops", B_FOLLOW_NONE, 0);
	BMessage archive;
	archive.AddString("_flags", "not a number");
	EXPECT_EQ(view.Archive(&archive), B_BAD_TYPE);
	EXPECT_TRUE(archive.HasRect("_frame"));
	EXPECT_FALSE(archive.HasInt32("_color"));
	EXPECT_FALSE(archive.HasInt16("_show"));

	BView parent(BRect(0, 0, 99, 99), "parent", B_FOLLOW_NONE, 0);
	parent.AddChild(new BView(BRect(0, 0, 9, 9), "child", B_FOLLOW_NONE, 0));
	BMessage deep;
	deep.AddInt32("_views", 7);
	EXPECT_EQ(parent.Archive(&deep, true), B_BAD_TYPE);
}

TEST(BitmapArchive, PixelsAndFieldsRoundTrip)
{
	BBitmap bitmap(BRect(0, 0, 2, 1), B_RGBA32);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	EXPECT_EQ(bitmap.BytesPerRow(), 12);
	EXPECT_EQ(bitmap.BitsLength(), 24);
	EXPECT_EQ(bitmap.Bounds(), BRect(0, 0, 2, 1));
	uint8* bits = static_cast<uint8*>(bitmap.Bits());
	for (int i = 0; i < 24; i++)
		bits[i] = uint8(i * 7);

	BMessage archive;
	ASSERT_EQ(bitmap.Archive(&archive), B_OK);
	const char* name = NULL;
	archive.FindString("class", &name);
	EXPECT_STREQ(name, "BBitmap");
	BRect frame;
	EXPECT_EQ(archive.FindRect("_frame", &frame), B_OK);
	EXPECT_EQ(frame, BRect(0, 0, 2, 1));
	int32 value = 0;
	archive.FindInt32("_cspace", &value);
	EXPECT_EQ(value, int32(B_RGBA32));
	EXPECT_EQ(archive.FindInt32("_bmflags", &value), B_OK);
	archive.FindInt32("_rowbytes", &value);
	EXPECT_EQ(value, 12);
	const void* data = NULL;
	ssize_t size = 0;
	ASSERT_EQ(archive.FindData("_data", B_RAW_TYPE, &data, &size), B_OK);
	EXPECT_EQ(size, 24);

	BArchivable* object = instantiate_object(&archive);
	BBitmap* copy = dynamic_cast<BBitmap*>(object);
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->Bounds(), bitmap.Bounds());
	EXPECT_EQ(copy->ColorSpace(), B_RGBA32);
	EXPECT_EQ(memcmp(copy->Bits(), bitmap.Bits(), 24), 0);
	delete copy;

	BBitmap bad(BRect(0, 0, -1, -1), B_RGBA32);
	EXPECT_NE(bad.InitCheck(), B_OK);
	BBitmap gray(BRect(0, 0, 4, 0), B_GRAY8);
	EXPECT_EQ(gray.BytesPerRow(), 8);
}
