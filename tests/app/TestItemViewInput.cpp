#include "PageTest.h"

#include <app/InputModeMenu.h>
#include <app/ItemViewInput.h>
#include <app/ItemViewMessages.h>
#include <app/Prefs.h>
#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>

#include <Box.h>
#include <Control.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <RadioButton.h>
#include <StringView.h>

#include <string>

namespace {

class ItemViewInputTest : public PageTest {
protected:
	void Open() { PageTest::Open(new TItemViewInput()); }
};

TEST_F(ItemViewInputTest, LabelsMenusAndToolbarsComeFromTheLayoutAndTheCatalogue)
{
	Open();
	Locked([&] {
		EXPECT_STREQ(static_cast<BBox*>(mPage->FindView("BoxInput"))->Label(), "起動時の入力方法");
		EXPECT_STREQ(static_cast<BStringView*>(mPage->FindView("StrViewHiraganaMode"))->Text(),
					 "方法：");
		EXPECT_STREQ(static_cast<BStringView*>(mPage->FindView("StrViewBracketType"))->Text(),
					 "括弧：");
		EXPECT_STREQ(static_cast<BControl*>(mPage->FindView("RButtonHiraganaModeRoman"))->Label(),
					 "ローマ字入力(R)");
		EXPECT_STREQ(static_cast<BControl*>(mPage->FindView("RButtonHiraganaModeKana"))->Label(),
					 "かな入力(K)");
		BMenuField* inputMode = static_cast<BMenuField*>(mPage->FindView("MFieldInputMode"));
		BMenuField* keys = static_cast<BMenuField*>(mPage->FindView("MFieldKeyNavigation"));
		EXPECT_STREQ(inputMode->Label(), "文字種(N)：");
		EXPECT_STREQ(keys->Label(), "キー操作(E)：");

		// The input-mode menu ends before code input; the key-binding styles are all there.
		EXPECT_EQ(inputMode->Menu()->CountItems(), INPUT_MODE_MENU_ROWS);
		ASSERT_EQ(keys->Menu()->CountItems(), 5);
		EXPECT_STREQ(keys->Menu()->ItemAt(1)->Label(), "Zorvy（↓次候補、←→文節移動）");
		EXPECT_STREQ(keys->Menu()->ItemAt(4)->Label(), "MS-IME");
		EXPECT_EQ(keys->Menu()->ItemAt(4)->Message()->GetInt32(KEY_NAVIGATION_FIELD, -1), 4);
		EXPECT_EQ(inputMode->Menu()->FindMarkedIndex(), 0);
		EXPECT_EQ(keys->Menu()->FindMarkedIndex(), 0);
		EXPECT_STREQ(keys->MenuItem()->Label(), "Zorvy");

		const char* const types[] = {"Period", "Comma", "Slash", "Bracket"};
		const char* const labels[][2] = {
			{"。", "．"}, {"、", "，"}, {"・", "／"}, {"「」", "［］"}};
		for (int i = 0; i < 4; i++) {
			std::string type = types[i];
			SCOPED_TRACE(type);
			TToolBar* bar =
				dynamic_cast<TToolBar*>(mPage->FindView(("ToolBar" + type + "Type").c_str()));
			ASSERT_NE(bar, nullptr);
			EXPECT_EQ(bar->Parent(), mPage->FindView(("View" + type + "Type").c_str()));
			EXPECT_TRUE(bar->IsBarFlat());
			ASSERT_EQ(bar->CountItems(), 2);
			EXPECT_STREQ(bar->ItemAt(0)->Name(), (type + "False").c_str());
			EXPECT_STREQ(bar->ItemAt(1)->Name(), (type + "True").c_str());
			EXPECT_STREQ(bar->ItemAt(0)->Label(), labels[i][0]);
			EXPECT_STREQ(bar->ItemAt(1)->Label(), labels[i][1]);
			EXPECT_TRUE(bar->ItemAt(0)->IsRadioMode());
			EXPECT_EQ(bar->ItemAt(0)->Value(), 1);
			EXPECT_EQ(bar->ItemAt(1)->Value(), 0);
			// The holder is cut to the two buttons.
			BRect holder = bar->Parent()->Bounds();
			EXPECT_EQ(holder.right, bar->ItemAt(1)->Frame().right);
			EXPECT_EQ(holder.bottom, bar->ItemAt(1)->Frame().bottom);
		}
	});
}

TEST_F(ItemViewInputTest, CaptionsLineUpWithTheFieldAndTheirHolders)
{
	Open();
	Locked([&] {
		BView* caption = mPage->FindView("StrViewHiraganaMode");
		BMenuField* field = static_cast<BMenuField*>(mPage->FindView("MFieldInputMode"));
		BView* roman = mPage->FindView("RButtonHiraganaModeRoman");
		BView* kana = mPage->FindView("RButtonHiraganaModeKana");
		EXPECT_EQ(caption->Frame().right, field->Frame().left + field->Divider());
		EXPECT_EQ(caption->Frame().top, 20);
		EXPECT_EQ(roman->Frame().left, caption->Frame().right + 10);
		EXPECT_EQ(kana->Frame().left, roman->Frame().right + 10);
		EXPECT_EQ(roman->Frame().top, 20);
		EXPECT_EQ(kana->Frame().top, 20);

		const char* const types[] = {"Period", "Comma", "Slash", "Bracket"};
		const float lefts[] = {0, 90, 180, 270};
		const float tops[] = {95, 95, 95, 90};
		for (int i = 0; i < 4; i++) {
			std::string type = types[i];
			SCOPED_TRACE(type);
			BView* label = mPage->FindView(("StrView" + type + "Type").c_str());
			BView* holder = mPage->FindView(("View" + type + "Type").c_str());
			EXPECT_EQ(label->Frame().left, lefts[i]);
			EXPECT_EQ(label->Frame().top, tops[i]);
			EXPECT_EQ(holder->Frame().left, label->Frame().right);
			EXPECT_EQ(holder->Frame().top, tops[i]);
		}
	});
}

TEST_F(ItemViewInputTest, OnlyTheReleasedGlyphButtonWritesAndDelivers)
{
	Open();
	const char* const types[] = {"Period", "Comma", "Slash", "Bracket"};
	const char* const keys[] = {"PerT", "ComT", "SlsT", "BrkT"};
	for (int i = 0; i < 4; i++) {
		std::string type = types[i];
		SCOPED_TRACE(type);
		TToolButton* pushed = Child<TToolButton>((type + "False").c_str());
		TToolButton* released = Child<TToolButton>((type + "True").c_str());
		ASSERT_NE(released, nullptr);
		Click(pushed);
		EXPECT_TRUE(NothingDelivered());

		Click(released);
		BMessage body = OneBody();
		EXPECT_TRUE(body.GetBool(keys[i], false));
		// The choices made before are in the same record.
		for (int j = 0; j < i; j++)
			EXPECT_TRUE(body.GetBool(keys[j], false)) << keys[j];
		for (int j = i + 1; j < 4; j++)
			EXPECT_FALSE(body.GetBool(keys[j], true)) << keys[j];
		Locked([&] {
			EXPECT_EQ(released->Value(), 1);
			EXPECT_EQ(pushed->Value(), 0);
		});
		Click(released);
		EXPECT_TRUE(NothingDelivered());
	}
	EXPECT_TRUE(gPrefs.mPeriodType && gPrefs.mCommaType && gPrefs.mSlashType &&
				gPrefs.mBracketType);

	// And back.
	Click(Child<TToolButton>("CommaFalse"));
	BMessage body = OneBody();
	EXPECT_FALSE(body.GetBool("ComT", true));
	EXPECT_TRUE(body.GetBool("PerT", false));
	EXPECT_FALSE(gPrefs.mCommaType);
}

TEST_F(ItemViewInputTest, StoredGlyphsAndKanaOpenPushed)
{
	gPrefs.mBracketType = true;
	gPrefs.mSlashType = true;
	gPrefs.mDefaultHiraganaMode = 1;
	gPrefs.mDefaultInputMode = INPUT_MODE_FIXED_KATAKANA;
	gPrefs.mKeyNavigation = 3;
	Open();
	EXPECT_EQ(Value("BracketTrue"), 1);
	EXPECT_EQ(Value("BracketFalse"), 0);
	EXPECT_EQ(Value("SlashTrue"), 1);
	EXPECT_EQ(Value("PeriodFalse"), 1);
	EXPECT_EQ(Value("RButtonHiraganaModeKana"), 1);
	EXPECT_EQ(Value("RButtonHiraganaModeRoman"), 0);
	Locked([&] {
		BMenuField* inputMode = static_cast<BMenuField*>(mPage->FindView("MFieldInputMode"));
		EXPECT_EQ(inputMode->Menu()->FindMarkedIndex(), INPUT_MODE_FIXED_KATAKANA);
		EXPECT_STREQ(inputMode->MenuItem()->Label(), "カタカナ固定");
		BMenuField* keys = static_cast<BMenuField*>(mPage->FindView("MFieldKeyNavigation"));
		EXPECT_EQ(keys->Menu()->FindMarkedIndex(), 3);
	});
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewInputTest, StartUpChoicesWaitForTheNextDelivery)
{
	Open();
	BMenuField* inputMode = Child<BMenuField>("MFieldInputMode");
	BMenuField* keys = Child<BMenuField>("MFieldKeyNavigation");
	ASSERT_NE(keys, nullptr);
	Choose(inputMode, INPUT_MODE_FIXED_HALF_ALPHANUMERIC);
	EXPECT_EQ(gPrefs.mDefaultInputMode, INPUT_MODE_FIXED_HALF_ALPHANUMERIC);
	Click(Child<BRadioButton>("RButtonHiraganaModeKana"));
	EXPECT_EQ(gPrefs.mDefaultHiraganaMode, 1);
	EXPECT_TRUE(NothingDelivered());

	Choose(keys, 2);
	EXPECT_EQ(gPrefs.mKeyNavigation, 2);
	BMessage body = OneBody();
	EXPECT_EQ(body.GetInt32("KyNv", -1), 2);
	EXPECT_EQ(body.GetInt32("DIMd", -1), INPUT_MODE_FIXED_HALF_ALPHANUMERIC);
	EXPECT_EQ(body.GetInt32("DHgM", -1), 1);

	Click(Child<BRadioButton>("RButtonHiraganaModeRoman"));
	EXPECT_EQ(gPrefs.mDefaultHiraganaMode, 0);
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewInputTest, ControlLettersChooseTheMethodAndFocusTheFields)
{
	Open();
	ControlKey("k");
	EXPECT_EQ(gPrefs.mDefaultHiraganaMode, 1);
	EXPECT_EQ(Value("RButtonHiraganaModeKana"), 1);
	ControlKey("r");
	EXPECT_EQ(gPrefs.mDefaultHiraganaMode, 0);
	EXPECT_EQ(Value("RButtonHiraganaModeRoman"), 1);
	EXPECT_EQ(Value("RButtonHiraganaModeKana"), 0);
	ControlKey("n");
	Locked([&] { EXPECT_EQ(mWindow->CurrentFocus(), mPage->FindView("MFieldInputMode")); });
	ControlKey("e");
	Locked([&] { EXPECT_EQ(mWindow->CurrentFocus(), mPage->FindView("MFieldKeyNavigation")); });
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewInputTest, AStoredValueWithoutItsItemMarksNothingAndStays)
{
	gPrefs.mDefaultInputMode = 12;
	gPrefs.mKeyNavigation = 7;
	Open();
	BMenuField* inputMode = Child<BMenuField>("MFieldInputMode");
	BMenuField* keys = Child<BMenuField>("MFieldKeyNavigation");
	ASSERT_NE(inputMode, nullptr);
	ASSERT_NE(keys, nullptr);
	Locked([&] {
		EXPECT_EQ(inputMode->Menu()->FindMarked(), nullptr);
		EXPECT_EQ(keys->Menu()->FindMarked(), nullptr);
		EXPECT_STREQ(inputMode->MenuItem()->Label(), "");
		EXPECT_STREQ(keys->MenuItem()->Label(), "");
	});

	// Another choice delivers the odd values untouched.
	Click(Child<TToolButton>("PeriodTrue"));
	BMessage body = OneBody();
	EXPECT_EQ(body.GetInt32("DIMd", -1), 12);
	EXPECT_EQ(body.GetInt32("KyNv", -1), 7);

	// A separator's place is no mode either; a page shown again forgets its earlier mark.
	gPrefs.mDefaultInputMode = 1;
	gPrefs.mKeyNavigation = 4;
	Reattach();
	Locked([&] {
		EXPECT_EQ(inputMode->Menu()->FindMarked(), nullptr);
		EXPECT_EQ(keys->Menu()->FindMarkedIndex(), 4);
		EXPECT_STREQ(keys->MenuItem()->Label(), "MS-IME");
	});
	gPrefs.mKeyNavigation = -1;
	Reattach();
	Locked([&] {
		EXPECT_EQ(keys->Menu()->FindMarked(), nullptr);
		EXPECT_STREQ(keys->MenuItem()->Label(), "");
	});
	EXPECT_EQ(gPrefs.mKeyNavigation, -1);
	EXPECT_EQ(gPrefs.mDefaultInputMode, 1);

	// Choosing sets the value again.
	Choose(keys, 0);
	EXPECT_EQ(OneBody().GetInt32("KyNv", -1), 0);
}

TEST_F(ItemViewInputTest, MessagesWithoutTheirFieldChangeNothing)
{
	gPrefs.mDefaultInputMode = 2;
	gPrefs.mKeyNavigation = 1;
	Open();
	BMessenger page(mPage);
	ASSERT_EQ(page.SendMessage(MSG_POP_MITEM_INPUT_MODE), B_OK);
	ASSERT_EQ(page.SendMessage(MSG_POP_MITEM_KEY_NAVIGATION), B_OK);
	EXPECT_TRUE(NothingDelivered());
	EXPECT_EQ(gPrefs.mDefaultInputMode, 2);
	EXPECT_EQ(gPrefs.mKeyNavigation, 1);

	BMessage choice(MSG_POP_MITEM_KEY_NAVIGATION);
	choice.AddInt32(KEY_NAVIGATION_FIELD, 3);
	ASSERT_EQ(page.SendMessage(&choice), B_OK);
	EXPECT_EQ(OneBody().GetInt32("KyNv", -1), 3);
}

} // namespace
