#include <app/ItemViewPunctuationConvert.h>

#include <app/ItemViewMessages.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <framework/ViewFinder.h>
#include <locale/LocaleKeys.h>

#include <CheckBox.h>
#include <Message.h>

namespace {

constexpr char kLayoutName[] = "PrefsViewPunctuationConvertRsrc";

} // namespace

TItemViewPunctuationConvert::TItemViewPunctuationConvert()
	: TItemView(kLayoutName), mCBoxCommaConvert(NULL), mCBoxExclamationConvert(NULL),
	  mCBoxPeriodConvert(NULL), mCBoxPunctuationConvert(NULL), mCBoxQuestionConvert(NULL)
{
	GetChildPointers();
	BindControls();
}

TItemViewPunctuationConvert::~TItemViewPunctuationConvert() {}

void
TItemViewPunctuationConvert::GetChildPointers()
{
	TViewFinder views(this);
	mCBoxCommaConvert = views.Find<BCheckBox>("CBoxCommaConvert");
	mCBoxExclamationConvert = views.Find<BCheckBox>("CBoxExclamationConvert");
	mCBoxPeriodConvert = views.Find<BCheckBox>("CBoxPeriodConvert");
	mCBoxPunctuationConvert = views.Find<BCheckBox>("CBoxPunctuationConvert");
	mCBoxQuestionConvert = views.Find<BCheckBox>("CBoxQuestionConvert");
	// A page that lacks a box it edits is not shown.
	SetInitCheck(views.InitCheck());
}

// Which field each box edits and what it sends: the switch its own message, the four marks one
// message they share, so that a click on any of them reads all four. Every change reaches the
// input method at once. Then the labels, each with its letter, in the order they are set.
void
TItemViewPunctuationConvert::BindControls()
{
	mBindings.BindCheckBox(mCBoxPunctuationConvert, &gPrefs.mPunctuationConvert,
						   MSG_CBOX_PUNCTUATION_CONVERT, send_preferences);
	mBindings.BindCheckBox(mCBoxPeriodConvert, &gPrefs.mPeriodConvert,
						   MSG_CBOX_PUNCTUATION_CONVERT_OPTION, send_preferences);
	mBindings.BindCheckBox(mCBoxCommaConvert, &gPrefs.mCommaConvert,
						   MSG_CBOX_PUNCTUATION_CONVERT_OPTION, send_preferences);
	mBindings.BindCheckBox(mCBoxQuestionConvert, &gPrefs.mQuestionConvert,
						   MSG_CBOX_PUNCTUATION_CONVERT_OPTION, send_preferences);
	mBindings.BindCheckBox(mCBoxExclamationConvert, &gPrefs.mExclamationConvert,
						   MSG_CBOX_PUNCTUATION_CONVERT_OPTION, send_preferences);

	mBindings.BindLabel(mCBoxPunctuationConvert, LKK_CBOX_PUNCTUATION_CONVERT, "E");
	mBindings.BindLabel(mCBoxPeriodConvert, LKK_CBOX_PERIOD_CONVERT, "K");
	mBindings.BindLabel(mCBoxCommaConvert, LKK_CBOX_COMMA_CONVERT, "T");
	mBindings.BindLabel(mCBoxQuestionConvert, LKK_CBOX_QUESTION_CONVERT, "Q");
	mBindings.BindLabel(mCBoxExclamationConvert, LKK_CBOX_EXCLAMATION_CONVERT, "X");
}

void
TItemViewPunctuationConvert::AllAttached()
{
	TItemView::AllAttached();
	mBindings.SetLabels(gAPAppPrivacy.mAccFormat);
	mBindings.UpdateCompos();
	UpdateOptionCompos();
	SetTargetToThis(this, false);
}

void
TItemViewPunctuationConvert::UpdateOptionCompos()
{
	// The marks keep their ticks while the switch is off, so switching back on restores them.
	bool enabled =
		mCBoxPunctuationConvert != NULL && mCBoxPunctuationConvert->Value() != B_CONTROL_OFF;
	for (BCheckBox* box :
		 {mCBoxPeriodConvert, mCBoxCommaConvert, mCBoxQuestionConvert, mCBoxExclamationConvert}) {
		if (box != NULL)
			box->SetEnabled(enabled);
	}
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
	mBindings.Take(BMessage(MSG_CBOX_PUNCTUATION_CONVERT));
	UpdateOptionCompos();
}

void
TItemViewPunctuationConvert::CBoxPunctuationConvertOptionClicked()
{
	mBindings.Take(BMessage(MSG_CBOX_PUNCTUATION_CONVERT_OPTION));
}
