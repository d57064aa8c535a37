#ifndef ZORVY_ITEM_VIEW_PUNCTUATION_CONVERT_H
#define ZORVY_ITEM_VIEW_PUNCTUATION_CONVERT_H

#include <app/ItemView.h>

class BCheckBox;

// The Punctuation-conversion page: a master switch and the four marks (period, comma, question
// and exclamation mark) on which the input method converts by itself. The marks can be changed
// only while the switch is on. Every change reaches the input method at once.
class TItemViewPunctuationConvert : public TItemView {
public:
	TItemViewPunctuationConvert();
	virtual ~TItemViewPunctuationConvert();

	virtual void AllAttached();
	virtual void MessageReceived(BMessage* message);

	void CBoxPunctuationConvertClicked();
	// Whichever mark was clicked, all four are read from their boxes.
	void CBoxPunctuationConvertOptionClicked();

private:
	void GetChildPointers();
	void BindControls();
	void UpdateOptionCompos();

	BCheckBox* mCBoxCommaConvert;
	BCheckBox* mCBoxExclamationConvert;
	BCheckBox* mCBoxPeriodConvert;
	BCheckBox* mCBoxPunctuationConvert;
	BCheckBox* mCBoxQuestionConvert;
};

#endif
