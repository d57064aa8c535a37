#include "PageTest.h"

#include <app/ItemViewInputAssist.h>
#include <app/ItemViewMessages.h>

#include <Box.h>
#include <CheckBox.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Messenger.h>

#include <headless/HeadlessInput.h>

#include <cmath>
#include <string>

using namespace BPrivate::headless;

namespace {

class ItemViewInputAssistTest : public PageTest {
protected:
	void Open()
	{
		PageTest::Open(new TItemViewInputAssist());
		mHalf = Child<BCheckBox>("CBoxTenKeyHalfInput");
		mConfirm = Child<BCheckBox>("CBoxTenKeyConfirmInput");
		mFixed = Child<BCheckBox>("CBoxFixedConfirmInput");
		mSpace = Child<BMenuField>("MFieldSpaceMode");
		mShiftSpace = Child<BMenuField>("MFieldShiftSpaceMode");
	}

	int32 Marked(BMenuField* field)
	{
		int32 index = -2;
		Locked([&] { index = field->Menu()->FindMarkedIndex(); });
		return index;
	}

	std::string Shown(BMenuField* field)
	{
		std::string label;
		Locked([&] { label = field->MenuItem()->Label(); });
		return label;
	}

	BCheckBox* mHalf = NULL;
	BCheckBox* mConfirm = NULL;
	BCheckBox* mFixed = NULL;
	BMenuField* mSpace = NULL;
	BMenuField* mShiftSpace = NULL;
};

TEST_F(ItemViewInputAssistTest, DefaultsLabelsAndMenus)
{
	Open();
	ASSERT_FALSE(HasFailure());
	EXPECT_EQ(Value(mHalf), B_CONTROL_ON);
	EXPECT_EQ(Value(mConfirm), B_CONTROL_ON);
	EXPECT_EQ(Value(mFixed), B_CONTROL_OFF);
	EXPECT_EQ(Marked(mSpace), 0);
	EXPECT_EQ(Shown(mSpace), "入力文字種と同じ");
	EXPECT_EQ(Marked(mShiftSpace), 3);
	EXPECT_EQ(Shown(mShiftSpace), "スペースの逆");

	BBox* box = Child<BBox>("BoxSpaceMode");
	Locked([&] {
		EXPECT_STREQ(mHalf->Label(), "テンキーからの入力を半角にする");
		EXPECT_STREQ(mConfirm->Label(), "テンキーからの入力を確定文字で入力する");
		EXPECT_STREQ(mFixed->Label(), "固定入力を確定文字で入力する");
		EXPECT_STREQ(box->Label(), "スペースキーで入力する空白文字");
		EXPECT_STREQ(mSpace->Label(), "スペースキーで入力する空白文字：");
		EXPECT_STREQ(mShiftSpace->Label(), "Shift+スペースキーで入力する空白文字：");
		// The menu begins where the label ends, and stays whole inside its field, which keeps
		// its place.
		for (BMenuField* field : {mSpace, mShiftSpace}) {
			EXPECT_EQ(field->Divider(), std::ceil(field->StringWidth(field->Label())) + 2);
			EXPECT_EQ(field->MenuBar()->Frame().left, field->Divider() + 1);
			EXPECT_LE(field->MenuBar()->Frame().right, field->Bounds().right);
			EXPECT_EQ(field->Frame().left, 10.0f);
		}
		EXPECT_EQ(mSpace->Frame().top, 25.0f);
		EXPECT_EQ(mShiftSpace->Frame().top, 55.0f);

		// "スペースの逆" is a width only Shift+Space can type.
		BMenu* space = mSpace->Menu();
		BMenu* shiftSpace = mShiftSpace->Menu();
		ASSERT_EQ(space->CountItems(), 3);
		ASSERT_EQ(shiftSpace->CountItems(), 4);
		EXPECT_EQ(space->FindItem("スペースの逆"), nullptr);
		EXPECT_STREQ(shiftSpace->ItemAt(3)->Label(), "スペースの逆");
		const char* const labels[] = {"入力文字種と同じ", "常に全角", "常に半角"};
		for (int32 i = 0; i < 3; i++) {
			EXPECT_STREQ(space->ItemAt(i)->Label(), labels[i]);
			EXPECT_STREQ(shiftSpace->ItemAt(i)->Label(), labels[i]);
			EXPECT_EQ(space->ItemAt(i)->Message()->what, MSG_POP_MITEM_SPACE_MODE);
			EXPECT_EQ(space->ItemAt(i)->Message()->GetInt32(SPACE_MODE_FIELD, -1), i);
		}
		EXPECT_EQ(shiftSpace->ItemAt(3)->Message()->what, MSG_POP_MITEM_SHIFT_SPACE_MODE);
		EXPECT_EQ(shiftSpace->ItemAt(3)->Message()->GetInt32(SPACE_MODE_FIELD, -1), 3);
	});
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewInputAssistTest, EachBoxClickWritesItsFieldAndDeliversOnce)
{
	Open();
	ASSERT_FALSE(HasFailure());
	struct Case {
		BCheckBox* box;
		bool* field;
		const char* key;
	} cases[] = {
		{mHalf, &gPrefs.mTenKeyHalfInput, "TKHI"},
		{mConfirm, &gPrefs.mTenKeyConfirmInput, "TKCI"},
		{mFixed, &gPrefs.mFixedConfirmInput, "FxCI"},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.key);
		bool before = *c.field;
		Click(c.box);
		EXPECT_EQ(*c.field, !before);
		BMessage body = OneBody();
		EXPECT_EQ(body.GetBool(c.key, before), !before);
		Click(c.box);
		EXPECT_EQ(*c.field, before);
		EXPECT_EQ(OneBody().GetBool(c.key, !before), before);
	}
	// The other settings travel along unchanged.
	Click(mFixed);
	BMessage body = OneBody();
	EXPECT_EQ(body.GetInt32("SSMd", -1), 3);
	EXPECT_EQ(body.GetBool("PctC", false), true);
	EXPECT_STREQ(body.GetString("CWFF", ""), "Haru");
}

TEST_F(ItemViewInputAssistTest, EveryMenuChoiceDeliversOnceEvenWhenUnchanged)
{
	Open();
	ASSERT_FALSE(HasFailure());
	Choose(mSpace, 2);
	EXPECT_EQ(gPrefs.mSpaceMode, 2);
	EXPECT_EQ(OneBody().GetInt32("SpMd", -1), 2);
	EXPECT_EQ(Shown(mSpace), "常に半角");

	Choose(mSpace, 2);
	EXPECT_EQ(gPrefs.mSpaceMode, 2);
	EXPECT_EQ(OneBody().GetInt32("SpMd", -1), 2);

	Choose(mShiftSpace, 3);
	EXPECT_EQ(gPrefs.mShiftSpaceMode, 3);
	EXPECT_EQ(OneBody().GetInt32("SSMd", -1), 3);

	Choose(mShiftSpace, 1);
	EXPECT_EQ(gPrefs.mShiftSpaceMode, 1);
	BMessage body = OneBody();
	EXPECT_EQ(body.GetInt32("SSMd", -1), 1);
	EXPECT_EQ(body.GetInt32("SpMd", -1), 2);
	EXPECT_EQ(Marked(mShiftSpace), 1);
}

TEST_F(ItemViewInputAssistTest, TheKeyboardChoosesFromAFocusedMenu)
{
	Open();
	ASSERT_FALSE(HasFailure());
	Locked([&] { mShiftSpace->MakeFocus(true); });
	ASSERT_EQ(press_key(mWindow, "space"), B_OK);
	BWindow* menuWindow = wait_for_window("Menu");
	ASSERT_NE(menuWindow, nullptr);
	// From the marked "スペースの逆" one up.
	ASSERT_EQ(press_key(menuWindow, "up"), B_OK);
	press_key(menuWindow, "enter");
	for (int i = 0; i < 500 && port_count(mPort) == 0; i++)
		snooze(10000);
	ASSERT_EQ(sync(mWindow), B_OK);
	EXPECT_EQ(gPrefs.mShiftSpaceMode, 2);
	EXPECT_EQ(OneBody().GetInt32("SSMd", -1), 2);
	EXPECT_EQ(gPrefs.mSpaceMode, 0);
}

TEST_F(ItemViewInputAssistTest, AStoredWidthWithoutAnItemShowsNoChoiceAndStaysUntilChosen)
{
	gPrefs.mSpaceMode = 7;
	gPrefs.mShiftSpaceMode = -1;
	Open();
	ASSERT_FALSE(HasFailure());
	EXPECT_EQ(Marked(mSpace), -1);
	EXPECT_EQ(Marked(mShiftSpace), -1);
	EXPECT_EQ(Shown(mSpace), "");
	EXPECT_EQ(Shown(mShiftSpace), "");
	EXPECT_EQ(gPrefs.mSpaceMode, 7);
	EXPECT_EQ(gPrefs.mShiftSpaceMode, -1);

	// Another change delivers the stored values as they are.
	Click(mHalf);
	BMessage body = OneBody();
	EXPECT_EQ(body.GetInt32("SpMd", 0), 7);
	EXPECT_EQ(body.GetInt32("SSMd", 0), -1);

	Choose(mSpace, 1);
	EXPECT_EQ(gPrefs.mSpaceMode, 1);
	EXPECT_EQ(OneBody().GetInt32("SpMd", -1), 1);
	EXPECT_EQ(Shown(mSpace), "常に全角");

	// A value that went out of range again (a restored record) takes the old choice away.
	gPrefs.mSpaceMode = 3;
	Reattach();
	EXPECT_EQ(Marked(mSpace), -1);
	EXPECT_EQ(Shown(mSpace), "");
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewInputAssistTest, EachAttachmentShowsTheRecordAsItIsThen)
{
	Open();
	ASSERT_FALSE(HasFailure());
	gPrefs.mTenKeyHalfInput = false;
	gPrefs.mFixedConfirmInput = true;
	gPrefs.mSpaceMode = 1;
	gPrefs.mShiftSpaceMode = 0;
	Reattach();
	EXPECT_EQ(Value(mHalf), B_CONTROL_OFF);
	EXPECT_EQ(Value(mConfirm), B_CONTROL_ON);
	EXPECT_EQ(Value(mFixed), B_CONTROL_ON);
	EXPECT_EQ(Marked(mSpace), 1);
	EXPECT_EQ(Marked(mShiftSpace), 0);
	EXPECT_EQ(Shown(mShiftSpace), "入力文字種と同じ");
	EXPECT_TRUE(NothingDelivered());

	// The items are made once: attaching again adds none.
	Locked([&] {
		EXPECT_EQ(mSpace->Menu()->CountItems(), 3);
		EXPECT_EQ(mShiftSpace->Menu()->CountItems(), 4);
	});
	// And the controls still reach the page after the new attachment.
	Click(mConfirm);
	EXPECT_FALSE(gPrefs.mTenKeyConfirmInput);
	EXPECT_EQ(OneBody().GetBool("TKCI", true), false);
}

TEST_F(ItemViewInputAssistTest, MessagesWithoutAWidthChangeNothing)
{
	Open();
	ASSERT_FALSE(HasFailure());
	BMessenger(mPage).SendMessage(MSG_POP_MITEM_SPACE_MODE);
	BMessenger(mPage).SendMessage(MSG_POP_MITEM_SHIFT_SPACE_MODE);
	EXPECT_TRUE(NothingDelivered());
	EXPECT_EQ(gPrefs.mSpaceMode, 0);
	EXPECT_EQ(gPrefs.mShiftSpaceMode, 3);
}

} // namespace
