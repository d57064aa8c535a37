#include "WindowTest.h"

#include <framework/DialogView.h>
#include <framework/DialogWindow.h>
#include <framework/ShortCutReceiver.h>

#include <Button.h>
#include <CheckBox.h>
#include <Control.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <RadioButton.h>
#include <TextControl.h>
#include <TextView.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace BPrivate::headless;

namespace {

// A tool-button-like control: reacts to its shortcut without taking the focus.
class PressableControl : public BControl, public TShortCutReceiver {
public:
	PressableControl(BRect frame, const char* name, const char* label, BMessage* message)
		: BControl(frame, name, label, message, B_FOLLOW_NONE, B_WILL_DRAW)
	{}

	virtual void ShortCutPressed()
	{
		SetValue(B_CONTROL_ON);
		Invoke();
	}
};

class RecordingDialogView : public TDialogView {
public:
	RecordingDialogView() : TDialogView(BRect(0, 0, 399, 299), "Dialog", B_FOLLOW_ALL, B_WILL_DRAW)
	{}

	virtual void AllAttached()
	{
		TDialogView::AllAttached();
		SetTargetToThis(this, false);
	}

	virtual void ShortCutDown(int32 rawChar, int32 key)
	{
		shortCuts.push_back(rawChar);
		TDialogView::ShortCutDown(rawChar, key);
	}

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what > 0xffff)
			received.push_back(message->what);
		TDialogView::MessageReceived(message);
	}

	std::vector<uint32> received;
	std::vector<int32> shortCuts;
};

BButton*
button(const char* name, const char* label, uint32 what, float top)
{
	return new BButton(BRect(300, top, 390, top + 24), name, label, new BMessage(what));
}

class DialogWindowTest : public testing::Test {
protected:
	void SetUp() override
	{
		mWindow = new TDialogWindow(BRect(100, 100, 499, 399), "Dialog", B_TITLED_WINDOW,
									B_NOT_RESIZABLE);
		mView = new RecordingDialogView();
		mOK = button("ButtonOK", "OK", 'okok', 10);
		mCancel = button("ButtonCancel", "Cancel", 'cncl', 40);
		mView->AddChild(mOK);
		mView->AddChild(mCancel);

		// A group holds the first controls, so that the search goes into children.
		BView* group = new BView(BRect(0, 0, 290, 150), "Group", B_FOLLOW_NONE, 0);
		mDisabled = new BCheckBox(BRect(5, 5, 150, 25), "CBoxOff", "Off(D)", new BMessage('cbof'));
		mDisabled->SetEnabled(false);
		mSave = new BCheckBox(BRect(5, 30, 150, 50), "CBoxSave", "Save(S)", new BMessage('cbsv'));
		mAlpha = new BRadioButton(BRect(5, 55, 150, 75), "RButtonAlpha", "Alpha(A)",
								  new BMessage('rbal'));
		mFirst =
			new BCheckBox(BRect(5, 80, 150, 100), "CBoxFirst", "First(T)", new BMessage('cbft'));
		mName = new BTextControl(BRect(5, 105, 280, 125), "TCtrlName", "Name(N)", "",
								 new BMessage('tcnm'));
		group->AddChild(mDisabled);
		group->AddChild(mSave);
		group->AddChild(mAlpha);
		group->AddChild(mFirst);
		group->AddChild(mName);
		mView->AddChild(group);

		mEnabled = new BCheckBox(BRect(5, 160, 150, 180), "CBoxOn", "On(D)", new BMessage('cbon'));
		mSecond =
			new BCheckBox(BRect(5, 185, 150, 205), "CBoxSecond", "Second(T)", new BMessage('cbsc'));
		mTool = new PressableControl(BRect(160, 160, 200, 180), "Tool", "Tool(P)",
									 new BMessage('tool'));
		mMemo = new BTextView(BRect(5, 210, 280, 290), "Memo", BRect(0, 0, 270, 80), B_FOLLOW_NONE,
							  B_WILL_DRAW | B_NAVIGABLE);
		mView->AddChild(mEnabled);
		mView->AddChild(mSecond);
		mView->AddChild(mTool);
		mView->AddChild(mMemo);

		mWindow->AddChild(mView);
		with_lock(mWindow, [&] { mWindow->SetDefaultButton(mOK); });
		show_and_wait(mWindow);
	}

	void TearDown() override { quit_window(mWindow); }

	void Focus(BView* view)
	{
		with_lock(mWindow, [&] { view->MakeFocus(true); });
	}

	void Key(const char* key, uint32 modifiers = 0)
	{
		ASSERT_EQ(press_key(mWindow, key, modifiers), B_OK);
		ASSERT_EQ(sync(mWindow), B_OK);
	}

	void ControlKey(const char* key) { Key(key, modifier_bits("control")); }

	std::vector<uint32> Received()
	{
		std::vector<uint32> result;
		with_lock(mWindow, [&] {
			result = mView->received;
			mView->received.clear();
		});
		return result;
	}

	using Whats = std::vector<uint32>;

	Watchdog mWatchdog;
	TDialogWindow* mWindow = nullptr;
	RecordingDialogView* mView = nullptr;
	BButton* mOK = nullptr;
	BButton* mCancel = nullptr;
	BCheckBox* mDisabled = nullptr;
	BCheckBox* mSave = nullptr;
	BRadioButton* mAlpha = nullptr;
	BCheckBox* mFirst = nullptr;
	BTextControl* mName = nullptr;
	BCheckBox* mEnabled = nullptr;
	BCheckBox* mSecond = nullptr;
	PressableControl* mTool = nullptr;
	BTextView* mMemo = nullptr;
};

TEST_F(DialogWindowTest, EnterPressesTheDefaultButtonFromATextField)
{
	Focus(mName);
	Key("enter");
	EXPECT_EQ(Received(), Whats{'okok'});
}

TEST_F(DialogWindowTest, EnterPressesTheFocusedButton)
{
	Focus(mCancel);
	Key("enter");
	EXPECT_EQ(Received(), Whats{'cncl'});
}

TEST_F(DialogWindowTest, EnterInAMultiLineTextViewBreaksTheLine)
{
	Focus(mMemo);
	ASSERT_EQ(type_text(mWindow, "ab"), B_OK);
	Key("enter");
	Key("c");
	EXPECT_EQ(Received(), Whats{});
	with_lock(mWindow, [&] { EXPECT_STREQ(mMemo->Text(), "ab\nc"); });
}

TEST_F(DialogWindowTest, EscapePressesTheCancelButtonUnlessItIsDisabled)
{
	Focus(mName);
	Key("escape");
	EXPECT_EQ(Received(), Whats{'cncl'});
	with_lock(mWindow, [&] { mCancel->SetEnabled(false); });
	Key("escape");
	EXPECT_EQ(Received(), Whats{});
}

TEST_F(DialogWindowTest, ControlLetterTogglesACheckBox)
{
	ControlKey("s");
	EXPECT_EQ(Received(), Whats{'cbsv'});
	with_lock(mWindow, [&] {
		EXPECT_EQ(mSave->Value(), B_CONTROL_ON);
		EXPECT_TRUE(mSave->IsFocus());
	});
	ControlKey("S");
	EXPECT_EQ(Received(), Whats{'cbsv'});
	with_lock(mWindow, [&] { EXPECT_EQ(mSave->Value(), B_CONTROL_OFF); });
}

TEST_F(DialogWindowTest, ControlLetterSelectsARadioButtonAgainAndAgain)
{
	ControlKey("a");
	ControlKey("a");
	EXPECT_EQ(Received(), (Whats{'rbal', 'rbal'}));
	with_lock(mWindow, [&] { EXPECT_EQ(mAlpha->Value(), B_CONTROL_ON); });
}

TEST_F(DialogWindowTest, ControlLetterFocusesATextField)
{
	Focus(mMemo);
	ControlKey("n");
	EXPECT_EQ(Received(), Whats{});
	with_lock(mWindow, [&] {
		BView* focus = mWindow->CurrentFocus();
		EXPECT_TRUE(focus == mName || focus == mName->TextView());
	});
}

TEST_F(DialogWindowTest, DisabledControlsAreSkippedAndTheFirstMatchWins)
{
	ControlKey("d");
	EXPECT_EQ(Received(), Whats{'cbon'});
	with_lock(mWindow, [&] { EXPECT_EQ(mDisabled->Value(), B_CONTROL_OFF); });
	ControlKey("t");
	EXPECT_EQ(Received(), Whats{'cbft'});
	with_lock(mWindow, [&] { EXPECT_EQ(mSecond->Value(), B_CONTROL_OFF); });
}

TEST_F(DialogWindowTest, ControlsOfTheirOwnKindReactThemselves)
{
	Focus(mName);
	ControlKey("p");
	EXPECT_EQ(Received(), Whats{'tool'});
	with_lock(mWindow, [&] {
		EXPECT_EQ(mTool->Value(), B_CONTROL_ON);
		EXPECT_FALSE(mTool->IsFocus());
	});
}

TEST_F(DialogWindowTest, OnlyShortCutKeysReachTheSearch)
{
	Focus(mName);
	Key("s");
	Key("f5");
	ControlKey("z");
	with_lock(mWindow, [&] {
		ASSERT_EQ(mView->shortCuts.size(), 2u);
		EXPECT_EQ(mView->shortCuts[0], B_FUNCTION_KEY);
		EXPECT_EQ(mView->shortCuts[1], 'z');
		// The plain key reached the text field; the unmatched Control+Z did not.
		EXPECT_STREQ(mName->Text(), "s");
		EXPECT_EQ(mSave->Value(), B_CONTROL_OFF);
	});
	EXPECT_EQ(Received(), Whats{});
}

TEST_F(DialogWindowTest, SetTargetToThisKeepsOtherTargetsUnlessForced)
{
	BHandler other;
	with_lock(mWindow, [&] {
		EXPECT_EQ(mSave->Target(), mView);
		mWindow->AddHandler(&other);
		mSave->SetTarget(&other);
		mView->SetTargetToThis(mView, false);
		EXPECT_EQ(mSave->Target(), &other);
		mView->SetTargetToThis(mView, true);
		EXPECT_EQ(mSave->Target(), mView);
		mWindow->RemoveHandler(&other);
	});
}

TEST_F(DialogWindowTest, InvokeSendsTheStoredMessageToTheTarget)
{
	EXPECT_EQ(mWindow->Message(), nullptr);
	EXPECT_NE(mWindow->Invoke(), B_OK);
	mWindow->SetTarget(BMessenger(mView));
	mWindow->SetMessage(new BMessage('rslt'));
	mWindow->SetMessage(new BMessage('rsl2'));
	EXPECT_EQ(mWindow->Invoke(), B_OK);
	BMessage given('gven');
	EXPECT_EQ(mWindow->Invoke(&given), B_OK);
	ASSERT_EQ(sync(mWindow), B_OK);
	EXPECT_EQ(Received(), (Whats{'rsl2', 'gven'}));
}

} // namespace
