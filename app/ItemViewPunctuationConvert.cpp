#include <app/ItemViewPunctuationConvert.h>

#include <app/ItemViewMessages.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>

#include <CheckBox.h>
#include <Message.h>

#include <string>

namespace {

constexpr char kLayoutName[] = "PrefsViewPunctuationConvertRsrc";

BCheckBox*
find_check_box(BView* parent, const char* name)
{
	return dynamic_cast<BCheckBox*>(parent->FindView(name));
}

void
set_message(BCheckBox* box, uint32 what)
{
	if (box != NULL)
		box->SetMessage(new BMessage(what));
}

void
set_label(BCheckBox* box, const char* key, const char* text)
{
	if (box != NULL)
		box->SetLabel(acc_label(key, gLocale.GetString(text)).c_str());
}

void
set_value(BCheckBox* box, bool on)
{
	if (box != NULL)
		box->SetValue(on ? B_CONTROL_ON : B_CONTROL_OFF);
}

void
set_enabled(BCheckBox* box, bool enabled)
{
	if (box != NULL)
		box->SetEnabled(enabled);
}

// A missing box leaves its field as it was.
void
take_value(BCheckBox* box, bool* field)
{
	if (box != NULL)
		*field = box->Value() != B_CONTROL_OFF;
}

} // namespace

TItemViewPunctuationConvert::TItemViewPunctuationConvert()
	: TItemView(kLayoutName), mCBoxCommaConvert(NULL), mCBoxExclamationConvert(NULL),
	  mCBoxPeriodConvert(NULL), mCBoxPunctuationConvert(NULL), mCBoxQuestionConvert(NULL)
{
	GetChildPointers();
	set_message(mCBoxPunctuationConvert, MSG_CBOX_PUNCTUATION_CONVERT);
	set_message(mCBoxPeriodConvert, MSG_CBOX_PUNCTUATION_CONVERT_OPTION);
	set_message(mCBoxCommaConvert, MSG_CBOX_PUNCTUATION_CONVERT_OPTION);
	set_message(mCBoxQuestionConvert, MSG_CBOX_PUNCTUATION_CONVERT_OPTION);
	set_message(mCBoxExclamationConvert, MSG_CBOX_PUNCTUATION_CONVERT_OPTION);
}

TItemViewPunctuationConvert::~TItemViewPunctuationConvert() {}

void
TItemViewPunctuationConvert::GetChildPointers()
{
	mCBoxCommaConvert = find_check_box(this, "CBoxCommaConvert");
	mCBoxExclamationConvert = find_check_box(this, "CBoxExclamationConvert");
	mCBoxPeriodConvert = find_check_box(this, "CBoxPeriodConvert");
	mCBoxPunctuationConvert = find_check_box(this, "CBoxPunctuationConvert");
	mCBoxQuestionConvert = find_check_box(this, "CBoxQuestionConvert");
	// A page that lacks a box it edits is not shown.
	if (mCBoxCommaConvert == NULL || mCBoxExclamationConvert == NULL ||
		mCBoxPeriodConvert == NULL || mCBoxPunctuationConvert == NULL ||
		mCBoxQuestionConvert == NULL)
		SetInitCheck(B_ERROR);
}

void
TItemViewPunctuationConvert::AllAttached()
{
	TItemView::AllAttached();
	SetViewLabels();
	UpdateCompos();
	SetTargetToThis(this, false);
}

void
TItemViewPunctuationConvert::SetViewLabels()
{
	set_label(mCBoxPunctuationConvert, "E", LKK_CBOX_PUNCTUATION_CONVERT);
	set_label(mCBoxPeriodConvert, "K", LKK_CBOX_PERIOD_CONVERT);
	set_label(mCBoxCommaConvert, "T", LKK_CBOX_COMMA_CONVERT);
	set_label(mCBoxQuestionConvert, "Q", LKK_CBOX_QUESTION_CONVERT);
	set_label(mCBoxExclamationConvert, "X", LKK_CBOX_EXCLAMATION_CONVERT);
}

void
TItemViewPunctuationConvert::UpdateCompos()
{
	set_value(mCBoxPunctuationConvert, gPrefs.mPunctuationConvert);
	UpdateOptionCompos();
	set_value(mCBoxPeriodConvert, gPrefs.mPeriodConvert);
	set_value(mCBoxCommaConvert, gPrefs.mCommaConvert);
	set_value(mCBoxQuestionConvert, gPrefs.mQuestionConvert);
	set_value(mCBoxExclamationConvert, gPrefs.mExclamationConvert);
}

void
TItemViewPunctuationConvert::UpdateOptionCompos()
{
	// The marks keep their ticks while the switch is off, so switching back on restores them.
	bool enabled =
		mCBoxPunctuationConvert != NULL && mCBoxPunctuationConvert->Value() != B_CONTROL_OFF;
	set_enabled(mCBoxPeriodConvert, enabled);
	set_enabled(mCBoxCommaConvert, enabled);
	set_enabled(mCBoxQuestionConvert, enabled);
	set_enabled(mCBoxExclamationConvert, enabled);
}

void
TItemViewPunctuationConvert::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_CBOX_PUNCTUATION_CONVERT:
		CBoxPunctuationConvertClicked();
		break;
	case MSG_CBOX_PUNCTUATION_CONVERT_OPTION:
		CBoxPunctuationConvertOptionClicked();
		break;
	default:
		TItemView::MessageReceived(message);
		break;
	}
}

void
TItemViewPunctuationConvert::CBoxPunctuationConvertClicked()
{
	if (mCBoxPunctuationConvert == NULL)
		return;
	gPrefs.mPunctuationConvert = mCBoxPunctuationConvert->Value() != B_CONTROL_OFF;
	UpdateOptionCompos();
	send_preferences();
}

void
TItemViewPunctuationConvert::CBoxPunctuationConvertOptionClicked()
{
	take_value(mCBoxPeriodConvert, &gPrefs.mPeriodConvert);
	take_value(mCBoxCommaConvert, &gPrefs.mCommaConvert);
	take_value(mCBoxQuestionConvert, &gPrefs.mQuestionConvert);
	take_value(mCBoxExclamationConvert, &gPrefs.mExclamationConvert);
	send_preferences();
}
