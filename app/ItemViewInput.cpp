#include <app/ItemViewInput.h>

#include <app/InputModeMenu.h>
#include <app/ItemViewMessages.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <common_prefs/InterAppPrefs.h>
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

namespace {

// The child of that name, when it is there and of the expected class.
template <class T>
T*
find_child(BView* parent, const char* name, bool* missing)
{
	T* child = dynamic_cast<T*>(parent->FindView(name));
	if (child == NULL)
		*missing = true;
	return child;
}

} // namespace

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
}

TItemViewInput::~TItemViewInput() {}

void
TItemViewInput::GetChildPointers()
{
	bool missing = false;
	mBoxInput = find_child<BBox>(this, "BoxInput", &missing);
	mMFieldInputMode = find_child<BMenuField>(this, "MFieldInputMode", &missing);
	mMFieldKeyNavigation = find_child<BMenuField>(this, "MFieldKeyNavigation", &missing);
	mRButtonHiraganaModeKana = find_child<BRadioButton>(this, "RButtonHiraganaModeKana", &missing);
	mRButtonHiraganaModeRoman =
		find_child<BRadioButton>(this, "RButtonHiraganaModeRoman", &missing);
	mStrViewBracketType = find_child<BStringView>(this, "StrViewBracketType", &missing);
	mStrViewCommaType = find_child<BStringView>(this, "StrViewCommaType", &missing);
	mStrViewHiraganaMode = find_child<BStringView>(this, "StrViewHiraganaMode", &missing);
	mStrViewPeriodType = find_child<BStringView>(this, "StrViewPeriodType", &missing);
	mStrViewSlashType = find_child<BStringView>(this, "StrViewSlashType", &missing);
	mViewBracketType = find_child<BView>(this, "ViewBracketType", &missing);
	mViewCommaType = find_child<BView>(this, "ViewCommaType", &missing);
	mViewPeriodType = find_child<BView>(this, "ViewPeriodType", &missing);
	mViewSlashType = find_child<BView>(this, "ViewSlashType", &missing);
	// A layout that lacks a control leaves the page unusable: it is not shown.
	if (missing)
		SetInitCheck(B_ERROR);
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
	switch (message->what) {
	case MSG_POP_MITEM_INPUT_MODE:
		PopMItemInputModeClicked(message);
		break;
	case MSG_POP_MITEM_KEY_NAVIGATION:
		PopMItemKeyNavigationClicked(message);
		break;
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

// The start-up mode reaches the input method with the next delivery another control makes.
void
TItemViewInput::PopMItemInputModeClicked(BMessage* message)
{
	int32 mode = 0;
	if (message->FindInt32(INPUT_MODE_FIELD, &mode) == B_OK)
		gPrefs.mDefaultInputMode = mode;
}

void
TItemViewInput::PopMItemKeyNavigationClicked(BMessage* message)
{
	int32 value = 0;
	if (message->FindInt32(KEY_NAVIGATION_FIELD, &value) != B_OK)
		return;
	gPrefs.mKeyNavigation = value;
	send_preferences();
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
