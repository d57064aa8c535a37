#ifndef ZORVY_ITEM_VIEW_INPUT_H
#define ZORVY_ITEM_VIEW_INPUT_H

#include <app/ItemView.h>

#include <string>

class BBox;
class BMenuField;
class BRadioButton;
class BStringView;
class TToolBar;

// The Input page: the input method's start-up input mode and kana-typing method, the glyphs
// typed for period, comma, slash and brackets, and the key-binding style. The start-up
// settings are only stored; every other choice is delivered to the input method at once.
class TItemViewInput : public TItemView {
public:
	TItemViewInput();
	virtual ~TItemViewInput();

	virtual void AllAttached();
	virtual void MessageReceived(BMessage* message);

private:
	void GetChildPointers();
	void BindControls();
	void CreateToolBar(const std::string& typeName, TToolBar** toolBar, BView* holder,
					   const char* falseLabel, const char* trueLabel);
	void SetMFieldInputMode();
	void SetMFieldKeyNavigation();
	static BMessage* CreatePopMItemKeyNavigationMessage(int32 value);

	void LayoutCompos();
	void UpdateCompos();

	void RButtonHiraganaModeClicked();
	void TButtonPunctuationTypeClicked();

	BBox* mBoxInput;
	BMenuField* mMFieldInputMode;
	BMenuField* mMFieldKeyNavigation;
	BRadioButton* mRButtonHiraganaModeKana;
	BRadioButton* mRButtonHiraganaModeRoman;
	BStringView* mStrViewBracketType;
	BStringView* mStrViewCommaType;
	BStringView* mStrViewHiraganaMode;
	BStringView* mStrViewPeriodType;
	BStringView* mStrViewSlashType;
	BView* mViewBracketType;
	BView* mViewCommaType;
	BView* mViewPeriodType;
	BView* mViewSlashType;
	TToolBar* mToolBarBracketType;
	TToolBar* mToolBarCommaType;
	TToolBar* mToolBarPeriodType;
	TToolBar* mToolBarSlashType;
};

#endif
