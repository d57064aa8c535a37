#include <app/ItemViewInput.h>

#include <app/InputModeMenu.h>
#include <app/ItemViewMessages.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <common_prefs/InterAppPrefs.h>
#include <framework/ViewFinder.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>
#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>

#include <Box.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <StringView.h>

#include <iterator>

TItemViewInput::TItemViewInput()
	: TItemView("PrefsViewInputRsrc"), mBoxInput(NULL), mMFieldInputMode(NULL),
	  mMFieldKeyNavigation(NULL), mRButtonHiraganaModeKana(NULL), mRButtonHiraganaModeRoman(NULL),
	  mStrViewBracketType(NULL), mStrViewCommaType(NULL), mStrViewHiraganaMode(NULL),
	  mStrViewPeriodType(NULL), mStrViewSlashType(NULL), mViewBracketType(NULL),
	  mViewCommaType(NULL), mViewPeriodType(NULL), mViewSlashType(NULL), mToolBarBracketType(NULL),
	  mToolBarCommaType(NULL), mToolBarPeriodType(NULL), mToolBarSlashType(NULL)
{
	GetChildPointers();
	CreateToolBar("Period", &mToolBarPeriodType, mViewPeriodType, "。", "．");
	CreateToolBar("Comma", &mToolBarCommaType, mViewCommaType, "、", "，");
	CreateToolBar("Slash", &mToolBarSlashType, mViewSlashType, "・", "／");
	CreateToolBar("Bracket", &mToolBarBracketType, mViewBracketType, "「」", "［］");
	if (mRButtonHiraganaModeRoman != NULL)
		mRButtonHiraganaModeRoman->SetMessage(new BMessage(MSG_RBUTTON_HIRAGANA_MODE));
	if (mRButtonHiraganaModeKana != NULL)
		mRButtonHiraganaModeKana->SetMessage(new BMessage(MSG_RBUTTON_HIRAGANA_MODE));
	SetMFieldInputMode();
	SetMFieldKeyNavigation();
	BindControls();
}

TItemViewInput::~TItemViewInput() {}

void
TItemViewInput::GetChildPointers()
{
	TViewFinder views(this);
	mBoxInput = views.Find<BBox>("BoxInput");
	mMFieldInputMode = views.Find<BMenuField>("MFieldInputMode");
	mMFieldKeyNavigation = views.Find<BMenuField>("MFieldKeyNavigation");
	mRButtonHiraganaModeKana = views.Find<BRadioButton>("RButtonHiraganaModeKana");
	mRButtonHiraganaModeRoman = views.Find<BRadioButton>("RButtonHiraganaModeRoman");
	mStrViewBracketType = views.Find<BStringView>("StrViewBracketType");
	mStrViewCommaType = views.Find<BStringView>("StrViewCommaType");
	mStrViewHiraganaMode = views.Find<BStringView>("StrViewHiraganaMode");
	mStrViewPeriodType = views.Find<BStringView>("StrViewPeriodType");
	mStrViewSlashType = views.Find<BStringView>("StrViewSlashType");
	mViewBracketType = views.Find<BView>("ViewBracketType");
	mViewCommaType = views.Find<BView>("ViewCommaType");
	mViewPeriodType = views.Find<BView>("ViewPeriodType");
	mViewSlashType = views.Find<BView>("ViewSlashType");
	// A layout that lacks a control leaves the page unusable: it is not shown.
	SetInitCheck(views.InitCheck());
}

// The start-up input mode is only stored: it reaches the input method with the next delivery
// another control makes. The key-binding style is delivered at once. Then the labels, in the
// order they are set.
void
TItemViewInput::BindControls()
{
	mBindings.BindMenuField(mMFieldInputMode, &gPrefs.mDefaultInputMode, MSG_POP_MITEM_INPUT_MODE,
							INPUT_MODE_FIELD, NULL);
	mBindings.BindMenuField(mMFieldKeyNavigation, &gPrefs.mKeyNavigation,
							MSG_POP_MITEM_KEY_NAVIGATION, KEY_NAVIGATION_FIELD, send_preferences);

	mBindings.BindLabel(mBoxInput, LKK_BOX_INPUT);
	mBindings.BindLabel(mStrViewHiraganaMode, LKK_STR_VIEW_HIRAGANA_MODE, NULL, LKK_COLON_SPACE);
	mBindings.BindLabel(mRButtonHiraganaModeRoman, LKK_RBUTTON_HIRAGANA_MODE_ROMAN, "R");
	mBindings.BindLabel(mRButtonHiraganaModeKana, LKK_RBUTTON_HIRAGANA_MODE_KANA, "K");
	mBindings.BindLabel(mMFieldInputMode, LKK_MFIELD_INPUT_MODE, "N", LKK_COLON_SPACE);
	mBindings.BindLabel(mStrViewPeriodType, LKK_STR_VIEW_PERIOD_TYPE, NULL, LKK_COLON_SPACE);
	mBindings.BindLabel(mStrViewCommaType, LKK_STR_VIEW_COMMA_TYPE, NULL, LKK_COLON_SPACE);
	mBindings.BindLabel(mStrViewSlashType, LKK_STR_VIEW_SLASH_TYPE, NULL, LKK_COLON_SPACE);
	mBindings.BindLabel(mStrViewBracketType, LKK_STR_VIEW_BRACKET_TYPE, NULL, LKK_COLON_SPACE);
	mBindings.BindLabel(mMFieldKeyNavigation, LKK_MFIELD_KEY_NAVIGATION, "E", LKK_COLON_SPACE);
}

void
TItemViewInput::CreateToolBar(const std::string& typeName, TToolBar** toolBar, BView* holder,
							  const char* falseLabel, const char* trueLabel)
{
	// Without its holder the bar would belong to nobody.
	if (holder == NULL)
		return;
	bool flat = false;
	gIAPs.GetBool("FlatToolBar", &flat);

	TToolBar* bar = new TToolBar(BRect(0, 0, -1, -1), ("ToolBar" + typeName + "Type").c_str(),
								 B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	*toolBar = bar;
	bar->SetBarFlat(true);
	bar->AddItem(new TToolButton(BRect(0, 0, -1, -1), (typeName + "False").c_str(), NULL,
								 falseLabel, new BMessage(MSG_TBUTTON_PUNCTUATION_TYPE),
								 TOOL_BUTTON_TOGGLE));
	TToolButton* second =
		new TToolButton(BRect(0, 0, -1, -1), (typeName + "True").c_str(), NULL, trueLabel,
						new BMessage(MSG_TBUTTON_PUNCTUATION_TYPE), TOOL_BUTTON_TOGGLE);
	bar->AddItem(second);
	second->SetRadioMode(true);
	bar->SetButtonFlat(flat);

	holder->ResizeTo(second->Frame().right, second->Frame().bottom);
	holder->AddChild(bar);
}

void
TItemViewInput::SetMFieldInputMode()
{
	if (mMFieldInputMode != NULL)
		add_input_mode_mitem(mMFieldInputMode->Menu(), false, "");
}

void
TItemViewInput::SetMFieldKeyNavigation()
{
	if (mMFieldKeyNavigation == NULL)
		return;
	BMenu* menu = mMFieldKeyNavigation->Menu();
	for (int32 value = 0; value < int32(std::size(LKK_POP_MITEM_KEY_NAVIGATION)); value++) {
		menu->AddItem(new BMenuItem(gLocale.GetString(LKK_POP_MITEM_KEY_NAVIGATION[value]),
									CreatePopMItemKeyNavigationMessage(value)));
	}
}

BMessage*
TItemViewInput::CreatePopMItemKeyNavigationMessage(int32 value)
{
	BMessage* message = new BMessage(MSG_POP_MITEM_KEY_NAVIGATION);
	message->AddInt32(KEY_NAVIGATION_FIELD, value);
	return message;
}

void
TItemViewInput::MessageReceived(BMessage* message)
{
	if (mBindings.Take(*message))
		return;
	switch (message->what) {
	case MSG_RBUTTON_HIRAGANA_MODE:
		RButtonHiraganaModeClicked();
		break;
	case MSG_TBUTTON_PUNCTUATION_TYPE:
		TButtonPunctuationTypeClicked();
		break;
	default:
		TItemView::MessageReceived(message);
		break;
	}
}

// Like the start-up mode, the typing method is stored without being delivered.
void
TItemViewInput::RButtonHiraganaModeClicked()
{
	if (mRButtonHiraganaModeRoman == NULL)
		return;
	gPrefs.mDefaultHiraganaMode = mRButtonHiraganaModeRoman->Value() == B_CONTROL_ON ? 0 : 1;
}

void
TItemViewInput::TButtonPunctuationTypeClicked()
{
	struct Choice {
		TToolBar* bar;
		bool* field;
	};
	const Choice choices[] = {
		{mToolBarPeriodType, &gPrefs.mPeriodType},
		{mToolBarCommaType, &gPrefs.mCommaType},
		{mToolBarSlashType, &gPrefs.mSlashType},
		{mToolBarBracketType, &gPrefs.mBracketType},
	};
	for (const Choice& choice : choices) {
		if (choice.bar != NULL)
			*choice.field = choice.bar->IndexOf(choice.bar->FindPushed(0)) != 0;
	}
	send_preferences();
}
