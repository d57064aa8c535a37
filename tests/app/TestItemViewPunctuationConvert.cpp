#include "PageTest.h"

#include <app/ItemViewMessages.h>
#include <app/ItemViewPunctuationConvert.h>
#include <app/ZorvyPrefsAppPrivacy.h>

#include <CheckBox.h>
#include <Message.h>
#include <Messenger.h>

#include <string>

namespace {

class ItemViewPunctuationConvertTest : public PageTest {
protected:
	void Open()
	{
		PageTest::Open(new TItemViewPunctuationConvert());
		mMaster = Child<BCheckBox>("CBoxPunctuationConvert");
		mOptions[0] = Child<BCheckBox>("CBoxPeriodConvert");
		mOptions[1] = Child<BCheckBox>("CBoxCommaConvert");
		mOptions[2] = Child<BCheckBox>("CBoxQuestionConvert");
		mOptions[3] = Child<BCheckBox>("CBoxExclamationConvert");
	}

	// The values of the master switch and the four marks, as "1" and "0", and after a bar which
	// boxes are enabled: "10110|01111".
	std::string State()
	{
		std::string values;
		std::string enabled;
		Locked([&] {
			values += mMaster->Value() != 0 ? '1' : '0';
			enabled += mMaster->IsEnabled() ? '1' : '0';
			for (BCheckBox* box : mOptions) {
				values += box->Value() != 0 ? '1' : '0';
				enabled += box->IsEnabled() ? '1' : '0';
			}
		});
		return values + "|" + enabled;
	}

	// The same five settings in the record, and in a delivered body.
	static std::string Fields()
	{
		std::string result;
		for (bool field : {gPrefs.mPunctuationConvert, gPrefs.mPeriodConvert, gPrefs.mCommaConvert,
						   gPrefs.mQuestionConvert, gPrefs.mExclamationConvert})
			result += field ? '1' : '0';
		return result;
	}

	static std::string Fields(const BMessage& body)
	{
		std::string result;
		for (const char* key : {"PctC", "PerC", "ComC", "QstC", "ExcC"}) {
			bool value = false;
			result += body.FindBool(key, &value) != B_OK ? '?' : (value ? '1' : '0');
		}
		return result;
	}

	BCheckBox* mMaster = NULL;
	BCheckBox* mOptions[4] = {};
};

TEST_F(ItemViewPunctuationConvertTest, DefaultsAndLabelsWithTheirKeys)
{
	Open();
	ASSERT_FALSE(HasFailure());
	EXPECT_EQ(State(), "11011|11111");
	Locked([&] {
		EXPECT_STREQ(mMaster->Label(), "句読点変換を有効にする(E)");
		EXPECT_STREQ(mOptions[0]->Label(), "句点（。．）が入力されたときに自動的に変換する(K)");
		EXPECT_STREQ(mOptions[1]->Label(), "読点（、，）が入力されたときに自動的に変換する(T)");
		EXPECT_STREQ(mOptions[2]->Label(), "疑問符（？）が入力されたときに自動的に変換する(Q)");
		EXPECT_STREQ(mOptions[3]->Label(), "感嘆符（！）が入力されたときに自動的に変換する(X)");
		EXPECT_EQ(mMaster->Message()->what, MSG_CBOX_PUNCTUATION_CONVERT);
		for (BCheckBox* box : mOptions) {
			EXPECT_EQ(box->Message()->what, MSG_CBOX_PUNCTUATION_CONVERT_OPTION);
			// The boxes keep their stored frames: nothing is fitted to the labels.
			EXPECT_EQ(box->Frame().left, 10.0f);
			EXPECT_EQ(box->Frame().right, 400.0f);
		}
		EXPECT_EQ(mOptions[3]->Frame().top, 90.0f);
	});
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewPunctuationConvertTest, TheSwitchDisablesTheMarksKeepingTheirTicks)
{
	Open();
	ASSERT_FALSE(HasFailure());
	Click(mMaster);
	EXPECT_EQ(State(), "01011|10000");
	EXPECT_EQ(Fields(), "01011");
	EXPECT_EQ(Fields(OneBody()), "01011");

	// Disabled marks take no click.
	for (BCheckBox* box : mOptions)
		Click(box);
	EXPECT_TRUE(NothingDelivered());
	EXPECT_EQ(State(), "01011|10000");

	Click(mMaster);
	EXPECT_EQ(State(), "11011|11111");
	EXPECT_EQ(Fields(OneBody()), "11011");
}

TEST_F(ItemViewPunctuationConvertTest, AClickOnAnyMarkWritesAllFour)
{
	Open();
	ASSERT_FALSE(HasFailure());
	// Boxes that differ from the record without having been clicked.
	Locked([&] {
		mOptions[0]->SetValue(B_CONTROL_OFF);
		mOptions[3]->SetValue(B_CONTROL_OFF);
	});
	EXPECT_TRUE(NothingDelivered());
	EXPECT_EQ(Fields(), "11011");

	Click(mOptions[1]);
	EXPECT_EQ(Fields(), "10110");
	EXPECT_EQ(Fields(OneBody()), "10110");

	Click(mOptions[2]);
	EXPECT_EQ(Fields(), "10100");
	EXPECT_EQ(Fields(OneBody()), "10100");
}

TEST_F(ItemViewPunctuationConvertTest, ControlAndTheLabelsLetterToggleABox)
{
	Open();
	ASSERT_FALSE(HasFailure());
	ControlKey("t");
	EXPECT_EQ(State(), "11111|11111");
	EXPECT_TRUE(gPrefs.mCommaConvert);
	EXPECT_EQ(Fields(OneBody()), "11111");
	Locked([&] { EXPECT_TRUE(mOptions[1]->IsFocus()); });

	ControlKey("x");
	EXPECT_EQ(Fields(OneBody()), "11110");
	ControlKey("q");
	EXPECT_EQ(Fields(OneBody()), "11100");
	ControlKey("k");
	EXPECT_EQ(Fields(OneBody()), "10100");

	ControlKey("e");
	EXPECT_EQ(State(), "00100|10000");
	EXPECT_EQ(Fields(OneBody()), "00100");
	// A disabled mark does not answer its letter.
	ControlKey("k");
	ControlKey("t");
	EXPECT_TRUE(NothingDelivered());
	EXPECT_EQ(State(), "00100|10000");

	ControlKey("e");
	EXPECT_EQ(State(), "10100|11111");
	EXPECT_EQ(Fields(OneBody()), "10100");
	// A letter no label carries does nothing.
	ControlKey("z");
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewPunctuationConvertTest, AStoredOffSwitchOpensWithTheMarksDisabled)
{
	gPrefs.mPunctuationConvert = false;
	gPrefs.mCommaConvert = true;
	gPrefs.mQuestionConvert = false;
	Open();
	ASSERT_FALSE(HasFailure());
	EXPECT_EQ(State(), "01101|10000");

	// Every attachment shows the record as it is then.
	gPrefs.mPunctuationConvert = true;
	gPrefs.mPeriodConvert = false;
	Reattach();
	EXPECT_EQ(State(), "10101|11111");
	EXPECT_TRUE(NothingDelivered());
	Click(mOptions[0]);
	EXPECT_EQ(Fields(OneBody()), "11101");
}

TEST_F(ItemViewPunctuationConvertTest, WithoutAnAcceleratorFormatTheLabelsCarryNoKey)
{
	gAPAppPrivacy.mAccFormat = "";
	Open();
	ASSERT_FALSE(HasFailure());
	Locked([&] { EXPECT_STREQ(mMaster->Label(), "句読点変換を有効にする"); });
	ControlKey("e");
	EXPECT_TRUE(NothingDelivered());
	EXPECT_TRUE(gPrefs.mPunctuationConvert);
}

} // namespace
