#include "../InterfaceTest.h"

#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <RadioButton.h>
#include <StringView.h>

#include <cmath>
#include <cstring>

using namespace BPrivate::headless;

namespace {

const uint32 kPressed = 'prsd';
const uint32 kOther = 'othr';

std::vector<BMessage>
take(TestWindow* window, uint32 what)
{
	std::vector<BMessage> result;
	std::vector<BMessage> rest;
	window->Lock();
	for (const BMessage& message : window->received)
		(message.what == what ? result : rest).push_back(message);
	window->received = rest;
	window->Unlock();
	return result;
}

} // namespace

TEST(Controls, AClickedButtonSendsItsMessageToTheWindowOnce)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Button click");
	BButton* button = new BButton(BRect(10, 10, 109, 39), "ok", "OK", new BMessage(kPressed));
	window->AddChild(button);
	window->ShowAndWait();

	ASSERT_EQ(click(window, BPoint(50, 25)), B_OK);
	std::vector<BMessage> sent = take(window, kPressed);
	ASSERT_EQ(sent.size(), 1u);
	int64 when = 0;
	EXPECT_EQ(sent[0].FindInt64("when", &when), B_OK);
	EXPECT_GT(when, 0);
	void* source = NULL;
	EXPECT_EQ(sent[0].FindPointer("source", &source), B_OK);
	EXPECT_EQ(source, static_cast<BControl*>(button));
	int32 value = -1;
	EXPECT_EQ(sent[0].FindInt32("be:value", &value), B_OK);
	EXPECT_EQ(value, int32(B_CONTROL_ON));

	// Pressed, then released outside: nothing is sent and the button comes back up.
	ASSERT_EQ(mouse_down(window, BPoint(50, 25)), B_OK);
	window->Lock();
	EXPECT_EQ(button->Value(), int32(B_CONTROL_ON));
	window->Unlock();
	ASSERT_EQ(mouse_move(window, BPoint(150, 80)), B_OK);
	ASSERT_EQ(mouse_up(window, BPoint(150, 80)), B_OK);
	EXPECT_TRUE(take(window, kPressed).empty());
	window->Lock();
	EXPECT_EQ(button->Value(), int32(B_CONTROL_OFF));
	// A disabled button ignores clicks.
	button->SetEnabled(false);
	window->Unlock();
	ASSERT_EQ(click(window, BPoint(50, 25)), B_OK);
	EXPECT_TRUE(take(window, kPressed).empty());
	TestWindow::Close(window);
}

TEST(Controls, EnterPressesTheDefaultButtonOnceAndSpaceOperatesTheFocus)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Default button");
	BButton* button = new BButton(BRect(100, 60, 189, 89), "ok", "OK", new BMessage(kPressed));
	BCheckBox* box = new BCheckBox(BRect(10, 10, 150, 29), "box", "Check", new BMessage(kOther));
	window->AddChild(box);
	window->AddChild(button);
	button->MakeDefault(true);
	window->ShowAndWait();

	window->Lock();
	EXPECT_EQ(window->DefaultButton(), button);
	EXPECT_TRUE(button->IsDefault());
	box->MakeFocus(true);
	window->Unlock();
	// The focused check box passes Enter on; Space toggles it.
	ASSERT_EQ(press_key(window, "enter"), B_OK);
	EXPECT_EQ(take(window, kPressed).size(), 1u);
	ASSERT_EQ(press_key(window, "space"), B_OK);
	std::vector<BMessage> toggled = take(window, kOther);
	ASSERT_EQ(toggled.size(), 1u);
	int32 value = 0;
	toggled[0].FindInt32("be:value", &value);
	EXPECT_EQ(value, int32(B_CONTROL_ON));

	// The default button with the focus handles Enter itself, still once.
	window->Lock();
	button->MakeFocus(true);
	window->Unlock();
	ASSERT_EQ(press_key(window, "enter"), B_OK);
	EXPECT_EQ(take(window, kPressed).size(), 1u);
	// No focus at all: the window presses the default button.
	window->Lock();
	button->MakeFocus(false);
	window->Unlock();
	ASSERT_EQ(press_key(window, "enter"), B_OK);
	EXPECT_EQ(take(window, kPressed).size(), 1u);

	window->Lock();
	button->MakeDefault(false);
	EXPECT_EQ(window->DefaultButton(), nullptr);
	EXPECT_FALSE(button->IsDefault());
	window->Unlock();
	ASSERT_EQ(press_key(window, "enter"), B_OK);
	EXPECT_TRUE(take(window, kPressed).empty());
	TestWindow::Close(window);
}

TEST(Controls, CheckBoxesToggleAndRadioButtonsExcludeTheirSiblings)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Marks", BRect(100, 100, 399, 249));
	BCheckBox* box = new BCheckBox(BRect(10, 10, 150, 29), "box", "入力", new BMessage(kOther));
	BView* group = new BView(BRect(0, 40, 299, 149), "group", B_FOLLOW_NONE, B_WILL_DRAW);
	BRadioButton* roman =
		new BRadioButton(BRect(10, 0, 140, 19), "roman", "ローマ字", new BMessage('roma'));
	BRadioButton* kana =
		new BRadioButton(BRect(150, 0, 290, 19), "kana", "かな", new BMessage('kana'));
	// A radio button elsewhere in the window is not a sibling.
	BRadioButton* apart =
		new BRadioButton(BRect(10, 160 - 40, 140, 179 - 40), "apart", "Apart", NULL);
	group->AddChild(roman);
	group->AddChild(kana);
	window->AddChild(box);
	window->AddChild(group);
	window->AddChild(apart);
	window->Lock();
	apart->SetValue(B_CONTROL_ON);
	window->Unlock();
	window->ShowAndWait();

	ASSERT_EQ(click(window, BPoint(20, 20)), B_OK);
	ASSERT_EQ(click(window, BPoint(20, 20)), B_OK);
	std::vector<BMessage> toggles = take(window, kOther);
	ASSERT_EQ(toggles.size(), 2u);
	int32 value = -1;
	toggles[1].FindInt32("be:value", &value);
	EXPECT_EQ(value, int32(B_CONTROL_OFF));

	ASSERT_EQ(click(window, BPoint(20, 50)), B_OK);
	window->Lock();
	EXPECT_EQ(roman->Value(), int32(B_CONTROL_ON));
	window->Unlock();
	ASSERT_EQ(click(window, BPoint(160, 50)), B_OK);
	window->Lock();
	EXPECT_EQ(roman->Value(), int32(B_CONTROL_OFF));
	EXPECT_EQ(kana->Value(), int32(B_CONTROL_ON));
	EXPECT_EQ(apart->Value(), int32(B_CONTROL_ON));
	window->Unlock();
	EXPECT_EQ(take(window, 'roma').size(), 1u);
	EXPECT_EQ(take(window, 'kana').size(), 1u);

	// A disabled radio button stays off when clicked.
	window->Lock();
	roman->SetEnabled(false);
	window->Unlock();
	ASSERT_EQ(click(window, BPoint(20, 50)), B_OK);
	window->Lock();
	EXPECT_EQ(roman->Value(), int32(B_CONTROL_OFF));
	EXPECT_EQ(kana->Value(), int32(B_CONTROL_ON));
	window->Unlock();
	TestWindow::Close(window);
}

TEST(Controls, AControlSendsToTheTargetItWasGiven)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Targets");
	RecordingView* target = new RecordingView(BRect(150, 50, 189, 89), "target");
	BCheckBox* box = new BCheckBox(BRect(10, 10, 140, 29), "box", "Box", new BMessage(kOther));
	window->AddChild(target);
	window->AddChild(box);
	window->Lock();
	box->SetTarget(target);
	window->Unlock();
	window->ShowAndWait();
	ASSERT_EQ(click(window, BPoint(15, 20)), B_OK);
	window->Lock();
	std::vector<Seen> messages = target->Take("message");
	ASSERT_EQ(messages.size(), 1u);
	EXPECT_EQ(messages[0].message.what, kOther);
	EXPECT_EQ(box->Value(), int32(B_CONTROL_ON));
	window->Unlock();
	TestWindow::Close(window);
}

TEST(Controls, JapaneseLabelsAreMeasuredWithTheFontTheyAreDrawnIn)
{
	BStringView view(BRect(0, 0, 10, 10), "text", "句読点の変換");
	float width = 0;
	float height = 0;
	view.GetPreferredSize(&width, &height);
	EXPECT_GT(width, 6 * 8.0f);
	EXPECT_FLOAT_EQ(width, std::ceil(view.StringWidth("句読点の変換")));
	view.ResizeToPreferred();
	EXPECT_FLOAT_EQ(view.Bounds().Width(), width);
	EXPECT_FLOAT_EQ(view.Bounds().Height(), height);
	BCheckBox box(BRect(0, 0, 10, 10), "box", "句読点の変換", NULL);
	box.GetPreferredSize(&width, &height);
	EXPECT_FLOAT_EQ(width, 20 + std::ceil(box.StringWidth("句読点の変換")));
}
