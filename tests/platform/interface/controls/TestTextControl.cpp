#include "../InterfaceTest.h"

#include <Button.h>
#include <TextControl.h>
#include <TextView.h>

#include <memory>

using namespace BPrivate::headless;

namespace {

const uint32 kModified = 'tmod';
const uint32 kInvoked = 'tinv';

size_t
count(TestWindow* window, uint32 what)
{
	window->Lock();
	size_t n = 0;
	std::vector<BMessage> rest;
	for (const BMessage& message : window->received) {
		if (message.what == what)
			n++;
		else
			rest.push_back(message);
	}
	window->received = rest;
	window->Unlock();
	return n;
}

} // namespace

TEST(TextControl, TypingChangesTheTextWithOneModificationMessageEachAndEnterInvokes)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Text typing", BRect(100, 100, 399, 199));
	BTextControl* control = new BTextControl(BRect(10, 10, 260, 35), "locale", "Locale: ", "ja",
											 new BMessage(kInvoked));
	control->SetModificationMessage(new BMessage(kModified));
	BButton* button = new BButton(BRect(180, 60, 270, 89), "ok", "OK", new BMessage('okok'));
	window->AddChild(control);
	window->AddChild(button);
	button->MakeDefault(true);
	window->ShowAndWait();

	window->Lock();
	BRect text = control->ConvertToParent(control->TextView()->Frame());
	window->Unlock();
	// A click in the field gives it the focus with the text selected: typing replaces it.
	ASSERT_EQ(click(window, BPoint(text.left + 20, (text.top + text.bottom) / 2)), B_OK);
	window->Lock();
	EXPECT_TRUE(control->TextView()->IsFocus());
	control->TextView()->SelectAll();
	window->Unlock();
	ASSERT_EQ(type_text(window, "en"), B_OK);
	ASSERT_EQ(type_text(window, "_日本"), B_OK);
	window->Lock();
	EXPECT_STREQ(control->Text(), "en_日本");
	window->Unlock();
	EXPECT_EQ(count(window, kModified), 5u);
	// Backspace takes a whole character.
	ASSERT_EQ(press_key(window, "backspace"), B_OK);
	ASSERT_EQ(press_key(window, "left"), B_OK);
	ASSERT_EQ(press_key(window, "left"), B_OK);
	ASSERT_EQ(press_key(window, "delete"), B_OK);
	window->Lock();
	EXPECT_STREQ(control->Text(), "en日");
	int32 start = -1;
	int32 end = -1;
	control->TextView()->GetSelection(&start, &end);
	EXPECT_EQ(start, 2);
	EXPECT_EQ(end, 2);
	window->Unlock();
	// Moving the caret is no change.
	EXPECT_EQ(count(window, kModified), 2u);

	ASSERT_EQ(press_key(window, "enter"), B_OK);
	EXPECT_EQ(count(window, kInvoked), 1u);
	EXPECT_EQ(count(window, 'okok'), 1u);
	// Unchanged since: Enter only presses the default button.
	ASSERT_EQ(press_key(window, "enter"), B_OK);
	EXPECT_EQ(count(window, kInvoked), 0u);
	EXPECT_EQ(count(window, 'okok'), 1u);

	// From code: no modification message.
	window->Lock();
	control->SetText("ko");
	EXPECT_EQ(control->TextLength(), 2);
	window->Unlock();
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_EQ(count(window, kModified), 0u);

	// Disabled: the keys change nothing.
	window->Lock();
	control->SetEnabled(false);
	EXPECT_FALSE(control->TextView()->IsFocus());
	window->Unlock();
	ASSERT_EQ(click(window, BPoint(text.left + 20, (text.top + text.bottom) / 2)), B_OK);
	ASSERT_EQ(type_text(window, "x"), B_OK);
	window->Lock();
	EXPECT_STREQ(control->Text(), "ko");
	window->Unlock();
	EXPECT_EQ(count(window, kModified), 0u);
	TestWindow::Close(window);
}

TEST(TextView, EnterBreaksTheLineAndShiftArrowsSelect)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Text area", BRect(100, 100, 399, 249));
	BTextView* view = new BTextView(BRect(10, 10, 280, 130), "area", BRect(2, 2, 266, 116),
									B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE);
	window->AddChild(view);
	window->ShowAndWait();
	ASSERT_EQ(click(window, BPoint(50, 50)), B_OK);
	ASSERT_EQ(type_text(window, "あい"), B_OK);
	ASSERT_EQ(press_key(window, "enter"), B_OK);
	ASSERT_EQ(type_text(window, "abc"), B_OK);
	window->Lock();
	EXPECT_STREQ(view->Text(), "あい\nabc");
	EXPECT_EQ(view->CountLines(), 2);
	EXPECT_EQ(view->CurrentLine(), 1);
	window->Unlock();
	ASSERT_EQ(press_key(window, "left", B_SHIFT_KEY), B_OK);
	ASSERT_EQ(press_key(window, "left", B_SHIFT_KEY), B_OK);
	ASSERT_EQ(type_text(window, "Z"), B_OK);
	ASSERT_EQ(press_key(window, "up"), B_OK);
	ASSERT_EQ(press_key(window, "home"), B_OK);
	ASSERT_EQ(press_key(window, "delete"), B_OK);
	window->Lock();
	EXPECT_STREQ(view->Text(), "い\naZ");
	// The offset under a point and the point of an offset agree.
	BPoint second = view->PointAt(view->TextLength());
	EXPECT_EQ(view->OffsetAt(second), view->TextLength());
	EXPECT_EQ(view->LineAt(view->TextLength()), 1);
	view->SetMaxBytes(4);
	EXPECT_STREQ(view->Text(), "い\n");
	window->Unlock();
	ASSERT_EQ(type_text(window, "xy"), B_OK);
	window->Lock();
	EXPECT_STREQ(view->Text(), "い\n");
	window->Unlock();
	TestWindow::Close(window);
}

TEST(TextControlArchives, TheTextTravelsInTheInputChild)
{
	BTextControl control(BRect(0, 0, 200, 25), "locale", "Locale: ", "ja_JP", new BMessage('a'));
	control.SetModificationMessage(new BMessage(kModified));
	control.SetDivider(60);
	control.SetAlignment(B_ALIGN_RIGHT, B_ALIGN_LEFT);
	BMessage archive;
	ASSERT_EQ(control.Archive(&archive, false), B_OK);
	float divider = 0;
	EXPECT_EQ(archive.FindFloat("_divide", &divider), B_OK);
	EXPECT_EQ(divider, 60.0f);
	int32 align = -1;
	EXPECT_EQ(archive.FindInt32("_a_label", &align), B_OK);
	EXPECT_EQ(align, int32(B_ALIGN_RIGHT));
	EXPECT_TRUE(archive.HasMessage("_mod_msg"));
	EXPECT_FALSE(archive.HasString("_text"));
	BMessage input;
	ASSERT_EQ(archive.FindMessage("_views", &input), B_OK);
	const char* text = NULL;
	EXPECT_EQ(input.FindString("class", &text), B_OK);
	EXPECT_STREQ(text, "BPrivate::_BTextInput_");
	EXPECT_EQ(input.FindString("_name", &text), B_OK);
	EXPECT_STREQ(text, "_input_");
	EXPECT_EQ(input.FindString("_text", &text), B_OK);
	EXPECT_STREQ(text, "ja_JP");
	const void* runs = NULL;
	ssize_t size = 0;
	ASSERT_EQ(input.FindData("_runs", B_RAW_TYPE, &runs, &size), B_OK);
	ASSERT_EQ(size, 12 + 148);
	EXPECT_EQ(memcmp(runs, "Ali!", 4), 0);

	std::unique_ptr<BTextControl> copy(dynamic_cast<BTextControl*>(instantiate_object(&archive)));
	ASSERT_TRUE(copy);
	EXPECT_STREQ(copy->Text(), "ja_JP");
	EXPECT_STREQ(copy->Label(), "Locale: ");
	EXPECT_EQ(copy->Divider(), 60.0f);
	ASSERT_NE(copy->ModificationMessage(), nullptr);
	EXPECT_EQ(copy->ModificationMessage()->what, kModified);
	EXPECT_EQ(copy->CountChildren(), 1);

	// Older archives name the input without its namespace.
	input.ReplaceString("class", "_BTextInput_");
	archive.ReplaceMessage("_views", &input);
	std::unique_ptr<BTextControl> old(dynamic_cast<BTextControl*>(instantiate_object(&archive)));
	ASSERT_TRUE(old);
	EXPECT_STREQ(old->Text(), "ja_JP");
	EXPECT_EQ(old->CountChildren(), 1);
}
