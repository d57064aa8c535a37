#include "../InterfaceTest.h"

#include <Archivable.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <RadioButton.h>
#include <StringView.h>

#include <cstring>
#include <memory>

namespace {

template <class T>
std::unique_ptr<T>
rebuild(const BArchivable& object)
{
	BMessage archive;
	EXPECT_EQ(object.Archive(&archive, true), B_OK);
	BArchivable* rebuilt = instantiate_object(&archive);
	T* typed = dynamic_cast<T*>(rebuilt);
	if (typed == NULL)
		delete rebuilt;
	return std::unique_ptr<T>(typed);
}

} // namespace

TEST(ControlArchives, ControlsKeepLabelValueMessageAndState)
{
	BButton button(BRect(1, 2, 80, 25), "ok", "OK", new BMessage('okok'));
	button.SetEnabled(false);
	button.MakeDefault(true);
	BMessage archive;
	ASSERT_EQ(button.Archive(&archive), B_OK);
	const char* text = NULL;
	EXPECT_EQ(archive.FindString("class", &text), B_OK);
	EXPECT_STREQ(text, "BButton");
	EXPECT_EQ(archive.FindString("_label", &text), B_OK);
	EXPECT_STREQ(text, "OK");
	bool flag = false;
	EXPECT_EQ(archive.FindBool("_disable", &flag), B_OK);
	EXPECT_TRUE(flag);
	EXPECT_EQ(archive.FindBool("_default", &flag), B_OK);
	// An OFF value is not written.
	EXPECT_FALSE(archive.HasInt32("_val"));
	BMessage message;
	EXPECT_EQ(archive.FindMessage("_msg", &message), B_OK);
	EXPECT_EQ(message.what, uint32('okok'));

	std::unique_ptr<BButton> copy = rebuild<BButton>(button);
	ASSERT_TRUE(copy);
	EXPECT_STREQ(copy->Label(), "OK");
	EXPECT_FALSE(copy->IsEnabled());
	EXPECT_TRUE(copy->IsDefault());
	ASSERT_NE(copy->Message(), nullptr);
	EXPECT_EQ(copy->Command(), uint32('okok'));
	EXPECT_EQ(copy->Frame(), BRect(1, 2, 80, 25));

	BCheckBox box(BRect(0, 0, 100, 20), "box", "", NULL);
	box.SetValue(B_CONTROL_ON);
	BMessage boxArchive;
	ASSERT_EQ(box.Archive(&boxArchive), B_OK);
	// An empty label is no label.
	EXPECT_FALSE(boxArchive.HasString("_label"));
	int32 value = 0;
	EXPECT_EQ(boxArchive.FindInt32("_val", &value), B_OK);
	EXPECT_EQ(value, 1);
	std::unique_ptr<BCheckBox> boxCopy = rebuild<BCheckBox>(box);
	ASSERT_TRUE(boxCopy);
	EXPECT_EQ(boxCopy->Value(), int32(B_CONTROL_ON));
	EXPECT_EQ(boxCopy->Label(), nullptr);

	BRadioButton radio(BRect(0, 0, 100, 20), "radio", "かな", new BMessage('kana'));
	std::unique_ptr<BRadioButton> radioCopy = rebuild<BRadioButton>(radio);
	ASSERT_TRUE(radioCopy);
	EXPECT_STREQ(radioCopy->Label(), "かな");
	EXPECT_EQ(radioCopy->Command(), uint32('kana'));
}

TEST(ControlArchives, StringViewAndBoxFields)
{
	BStringView view(BRect(0, 0, 60, 20), "sv", "ピリオド");
	view.SetAlignment(B_ALIGN_RIGHT);
	BMessage archive;
	ASSERT_EQ(view.Archive(&archive), B_OK);
	const char* text = NULL;
	EXPECT_EQ(archive.FindString("_text", &text), B_OK);
	EXPECT_STREQ(text, "ピリオド");
	int32 align = -1;
	EXPECT_EQ(archive.FindInt32("_align", &align), B_OK);
	EXPECT_EQ(align, 1);
	std::unique_ptr<BStringView> copy = rebuild<BStringView>(view);
	ASSERT_TRUE(copy);
	EXPECT_STREQ(copy->Text(), "ピリオド");
	EXPECT_EQ(copy->Alignment(), B_ALIGN_RIGHT);

	BBox box(BRect(0, 0, 200, 100), "box", B_FOLLOW_LEFT | B_FOLLOW_TOP,
			 B_WILL_DRAW | B_FRAME_EVENTS, B_PLAIN_BORDER);
	box.SetLabel("入力");
	box.AddChild(new BStringView(BRect(10, 20, 70, 40), "inner", "x"));
	box.AddChild(new BRadioButton(BRect(100, 20, 210, 39), "radio", "r", NULL));
	BMessage boxArchive;
	ASSERT_EQ(box.Archive(&boxArchive), B_OK);
	int32 style = -1;
	EXPECT_EQ(boxArchive.FindInt32("_style", &style), B_OK);
	EXPECT_EQ(style, 0);
	std::unique_ptr<BBox> boxCopy = rebuild<BBox>(box);
	ASSERT_TRUE(boxCopy);
	EXPECT_STREQ(boxCopy->Label(), "入力");
	EXPECT_EQ(boxCopy->Border(), B_PLAIN_BORDER);
	ASSERT_EQ(boxCopy->CountChildren(), 2);
	EXPECT_NE(dynamic_cast<BStringView*>(boxCopy->FindView("inner")), nullptr);
	EXPECT_NE(dynamic_cast<BRadioButton*>(boxCopy->FindView("radio")), nullptr);

	// Older archives say "fancy" with a bool.
	BMessage old;
	old.AddString("class", "BBox");
	old.AddString("_name", "old");
	old.AddRect("_frame", BRect(0, 0, 10, 10));
	old.AddBool("_style", false);
	std::unique_ptr<BBox> oldBox(dynamic_cast<BBox*>(instantiate_object(&old)));
	ASSERT_TRUE(oldBox);
	EXPECT_EQ(oldBox->Border(), B_PLAIN_BORDER);
}

TEST(ControlArchives, CheckBoxFromALayoutWithBufferingAndFontFields)
{
	BMessage archive;
	archive.AddString("class", "BCheckBox");
	archive.AddString("_name", "CBoxPeriodConvert");
	archive.AddRect("_frame", BRect(10, 30, 400, 50));
	archive.AddInt32("_resize_mode", 0x1212);
	archive.AddInt32("_flags", int32(0x22000000));
	archive.AddInt32("_dbuf", 5);
	archive.AddString("_fname", "Haru");
	archive.AddString("_fname", "Regular");
	archive.AddInt32("_color", 0x000000FF);
	archive.AddInt32("_color", int32(0xD8D8D8FF));
	archive.AddInt32("_color", int32(0xD8D8D8FF));
	archive.AddString("_label", "");
	std::unique_ptr<BCheckBox> box(dynamic_cast<BCheckBox*>(instantiate_object(&archive)));
	ASSERT_TRUE(box);
	EXPECT_EQ(box->Label(), nullptr);
	EXPECT_EQ(box->Value(), int32(B_CONTROL_OFF));
	EXPECT_TRUE(box->IsEnabled());
	EXPECT_EQ(box->Flags(), uint32(0x22000000));
	EXPECT_EQ(box->ViewColor(), make_color(216, 216, 216));
	BFont font;
	box->GetFont(&font);
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "Haru");
	BMessage again;
	ASSERT_EQ(box->Archive(&again), B_OK);
	const char* written = NULL;
	EXPECT_EQ(again.FindString("_fname", &written), B_OK);
	EXPECT_STREQ(written, "Haru");
}

TEST(ControlArchives, DisablingTakesOnlyTheNavigationTheControlHad)
{
	BCheckBox navigable(BRect(0, 0, 100, 20), "n", "n", NULL);
	BCheckBox plain(BRect(0, 0, 100, 20), "p", "p", NULL, B_FOLLOW_NONE, B_WILL_DRAW);
	for (BCheckBox* box : {&navigable, &plain}) {
		uint32 before = box->Flags();
		box->SetEnabled(false);
		EXPECT_EQ(box->Flags() & B_NAVIGABLE, 0u);
		box->SetEnabled(true);
		EXPECT_EQ(box->Flags(), before) << box->Name();
	}
	// Archived while disabled, it is navigable again once enabled.
	navigable.SetEnabled(false);
	BMessage archive;
	ASSERT_EQ(navigable.Archive(&archive), B_OK);
	std::unique_ptr<BCheckBox> copy(dynamic_cast<BCheckBox*>(instantiate_object(&archive)));
	ASSERT_TRUE(copy);
	EXPECT_FALSE(copy->IsEnabled());
	copy->SetEnabled(true);
	EXPECT_NE(copy->Flags() & B_NAVIGABLE, 0u);
}
