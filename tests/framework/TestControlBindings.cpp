#include "WindowTest.h"

#include <framework/ControlBindings.h>
#include <framework/DialogView.h>
#include <framework/DialogWindow.h>
#include <framework/ViewFinder.h>
#include <util/UIHelpers.h>

#include <Box.h>
#include <CheckBox.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <StringView.h>

#include <headless/HeadlessDisplay.h>

#include <gtest/gtest.h>

#include <atomic>

using namespace BPrivate::headless;

namespace {

const uint32 kFlagChanged = 'flag';
const uint32 kPairChanged = 'pair';
const uint32 kChoiceChosen = 'chos';
const uint32 kStoredChosen = 'stor';
const char kValueName[] = "Value";

// Keys without a translation: the catalogue gives them back as they are.
const char kFlagLabel[] = "Flag";
const char kChoiceLabel[] = "Choice";
const char kColon[] = ":";

struct Record {
	bool flag = true;
	bool left = false;
	bool right = false;
	int32 choice = 1;
	int32 stored = 0;
};

Record sRecord;
std::atomic<int> sDeliveries{0};

void
deliver()
{
	sDeliveries++;
}

BMenuField*
make_menu_field(const char* name, BRect frame, uint32 what, int32 items)
{
	BPopUpMenu* menu = new BPopUpMenu("Menu");
	for (int32 i = 0; i < items; i++) {
		if (i == 2) {
			menu->AddItem(new BSeparatorItem());
			continue;
		}
		BMessage* message = new BMessage(what);
		message->AddInt32(kValueName, i);
		menu->AddItem(new BMenuItem(("Item " + std::to_string(i)).c_str(), message));
	}
	return new BMenuField(frame, name, "", menu);
}

// A dialog view whose controls are tied to sRecord through the bindings, as a settings page is.
class BoundView : public TDialogView {
public:
	BoundView() : TDialogView(BRect(0, 0, 399, 199), "Bound", B_FOLLOW_ALL, B_WILL_DRAW)
	{
		AddChild(new BBox(BRect(0, 0, 390, 20), "Box"));
		AddChild(new BStringView(BRect(0, 25, 40, 40), "Caption", ""));
		AddChild(new BCheckBox(BRect(0, 45, 200, 60), "Flag", "", NULL));
		AddChild(new BCheckBox(BRect(0, 65, 100, 80), "Left", "", NULL));
		AddChild(new BCheckBox(BRect(110, 65, 200, 80), "Right", "", NULL));
		AddChild(make_menu_field("Choice", BRect(0, 90, 250, 110), kChoiceChosen, 4));
		AddChild(make_menu_field("Stored", BRect(0, 120, 250, 140), kStoredChosen, 2));

		TViewFinder views(this);
		BCheckBox* flag = views.Find<BCheckBox>("Flag");
		BCheckBox* left = views.Find<BCheckBox>("Left");
		BCheckBox* right = views.Find<BCheckBox>("Right");
		choice = views.Find<BMenuField>("Choice");
		BMenuField* stored = views.Find<BMenuField>("Stored");
		initCheck = views.InitCheck();

		bindings.BindCheckBox(flag, &sRecord.flag, kFlagChanged, deliver);
		bindings.BindCheckBox(left, &sRecord.left, kPairChanged, deliver);
		bindings.BindCheckBox(right, &sRecord.right, kPairChanged, deliver);
		bindings.BindMenuField(choice, &sRecord.choice, kChoiceChosen, kValueName, deliver);
		bindings.BindMenuField(stored, &sRecord.stored, kStoredChosen, kValueName, NULL);
		bindings.BindLabel(FindView("Box"), "Box title");
		bindings.BindLabel(FindView("Caption"), "A longer caption", NULL, kColon);
		bindings.BindLabel(flag, kFlagLabel, "F");
		bindings.BindLabel(choice, kChoiceLabel, "C", kColon);
	}

	virtual void AllAttached()
	{
		TDialogView::AllAttached();
		bindings.SetLabels("\x02(a)");
		bindings.UpdateCompos();
		SetTargetToThis(this, false);
		for (const char* name : {"Choice", "Stored"})
			static_cast<BMenuField*>(FindView(name))->Menu()->SetTargetForItems(this);
	}

	virtual void MessageReceived(BMessage* message)
	{
		if (!bindings.Take(*message))
			TDialogView::MessageReceived(message);
	}

	TControlBindings bindings;
	BMenuField* choice = NULL;
	status_t initCheck = B_ERROR;
};

class ControlBindingsTest : public testing::Test {
protected:
	void SetUp() override
	{
		sRecord = Record();
		sDeliveries = 0;
		mWindow = new TDialogWindow(BRect(100, 100, 499, 299), "Bindings", B_TITLED_WINDOW, 0);
		mView = new BoundView();
		mWindow->AddChild(mView);
		show_and_wait(mWindow);
	}

	void TearDown() override { quit_window(mWindow); }

	BPoint Middle(BView* view)
	{
		BPoint middle;
		with_lock(mWindow, [&] {
			BRect frame = view->ConvertToScreen(view->Bounds());
			middle = mWindow->ConvertFromScreen(
				BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2));
		});
		return middle;
	}

	void Choose(const char* name, int32 index)
	{
		BMenuField* field = static_cast<BMenuField*>(mView->FindView(name));
		ASSERT_EQ(click(mWindow, Middle(field->MenuBar())), B_OK);
		BWindow* menuWindow = wait_for_window("Menu");
		ASSERT_NE(menuWindow, nullptr);
		BRect frame;
		with_lock(menuWindow, [&] { frame = field->Menu()->ItemAt(index)->Frame(); });
		ASSERT_EQ(click(menuWindow,
						BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2)),
				  B_OK);
		BPrivate::HeadlessDisplay* display = BPrivate::HeadlessDisplay::Get();
		for (int i = 0; i < 500 && display->IsShown(menuWindow); i++)
			snooze(10000);
		ASSERT_EQ(sync(mWindow), B_OK);
	}

	int32 Value(const char* name)
	{
		int32 value = -1;
		with_lock(mWindow, [&] { value = static_cast<BControl*>(mView->FindView(name))->Value(); });
		return value;
	}

	Watchdog mWatchdog;
	TDialogWindow* mWindow = NULL;
	BoundView* mView = NULL;
};

TEST_F(ControlBindingsTest, ControlsShowTheirFieldsAndLabelsWithLetterAndSuffix)
{
	EXPECT_EQ(mView->initCheck, B_OK);
	EXPECT_EQ(Value("Flag"), B_CONTROL_ON);
	EXPECT_EQ(Value("Left"), B_CONTROL_OFF);
	with_lock(mWindow, [&] {
		EXPECT_STREQ(static_cast<BBox*>(mView->FindView("Box"))->Label(), "Box title");
		BStringView* caption = static_cast<BStringView*>(mView->FindView("Caption"));
		EXPECT_STREQ(caption->Text(), "A longer caption:");
		// The caption was cut to 40 pixels in its layout; it now fits its text.
		EXPECT_GT(caption->Bounds().Width(), 40);
		EXPECT_STREQ(static_cast<BCheckBox*>(mView->FindView("Flag"))->Label(), "Flag(F)");
		EXPECT_STREQ(mView->choice->Label(), "Choice(C):");
		EXPECT_GT(mView->choice->Divider(), 0);
		EXPECT_EQ(mView->choice->Menu()->FindMarkedIndex(), 1);
		EXPECT_STREQ(mView->choice->MenuItem()->Label(), "Item 1");
	});
	EXPECT_EQ(sDeliveries, 0);
}

TEST_F(ControlBindingsTest, ClicksAndLettersWriteTheFieldAndDeliverOnce)
{
	ASSERT_EQ(click(mWindow, Middle(mView->FindView("Flag"))), B_OK);
	EXPECT_FALSE(sRecord.flag);
	EXPECT_EQ(sDeliveries, 1);
	ASSERT_EQ(press_key(mWindow, "f", modifier_bits("control")), B_OK);
	EXPECT_TRUE(sRecord.flag);
	EXPECT_EQ(sDeliveries, 2);

	// Two boxes that share a message are read together, and the record goes out once.
	sRecord.right = true;
	ASSERT_EQ(click(mWindow, Middle(mView->FindView("Left"))), B_OK);
	EXPECT_TRUE(sRecord.left);
	EXPECT_FALSE(sRecord.right);
	EXPECT_EQ(sDeliveries, 3);
}

TEST_F(ControlBindingsTest, MenuChoicesWriteTheirValueAndStoredOnlyRowsDeliverNothing)
{
	Choose("Choice", 3);
	EXPECT_EQ(sRecord.choice, 3);
	EXPECT_EQ(sDeliveries, 1);
	// The same choice again is delivered again.
	Choose("Choice", 3);
	EXPECT_EQ(sDeliveries, 2);

	Choose("Stored", 1);
	EXPECT_EQ(sRecord.stored, 1);
	EXPECT_EQ(sDeliveries, 2);

	// A choice without its value, and a code nothing is bound to.
	with_lock(mWindow, [&] {
		EXPECT_TRUE(mView->bindings.Take(BMessage(kChoiceChosen)));
		EXPECT_FALSE(mView->bindings.Take(BMessage('none')));
	});
	EXPECT_EQ(sRecord.choice, 3);
	EXPECT_EQ(sDeliveries, 2);
}

TEST_F(ControlBindingsTest, AValueWithoutAnItemShowsNoChoiceUntilOneIsShown)
{
	// Out of range, a separator's place, then a real item again.
	for (int32 value : {7, 2, -1}) {
		SCOPED_TRACE(value);
		sRecord.choice = value;
		with_lock(mWindow, [&] {
			mView->bindings.UpdateCompos();
			EXPECT_EQ(mView->choice->Menu()->FindMarked(), nullptr);
			EXPECT_STREQ(mView->choice->MenuItem()->Label(), "");
		});
	}
	sRecord.choice = 0;
	with_lock(mWindow, [&] {
		mView->bindings.UpdateCompos();
		EXPECT_EQ(mView->choice->Menu()->FindMarkedIndex(), 0);
		EXPECT_STREQ(mView->choice->MenuItem()->Label(), "Item 0");
	});
	EXPECT_EQ(sRecord.choice, 0);
}

TEST_F(ControlBindingsTest, AFinderFailsForAMissingViewOrOneOfAnotherClass)
{
	with_lock(mWindow, [&] {
		TViewFinder views(mView);
		EXPECT_NE(views.Find<BCheckBox>("Flag"), nullptr);
		EXPECT_EQ(views.InitCheck(), B_OK);
		EXPECT_EQ(views.Find<BMenuField>("Flag"), nullptr);
		EXPECT_NE(views.InitCheck(), B_OK);
		// Later finds do not clear the failure.
		EXPECT_NE(views.Find<BCheckBox>("Left"), nullptr);
		EXPECT_NE(views.InitCheck(), B_OK);

		TViewFinder missing(mView);
		EXPECT_EQ(missing.Find<BView>("Nowhere"), nullptr);
		EXPECT_NE(missing.InitCheck(), B_OK);
	});
}

} // namespace
