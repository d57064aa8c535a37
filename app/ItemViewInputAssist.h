#ifndef ZORVY_ITEM_VIEW_INPUT_ASSIST_H
#define ZORVY_ITEM_VIEW_INPUT_ASSIST_H

#include <app/ItemView.h>

class BBox;
class BCheckBox;
class BMenuField;

// The Input-assist page: how the numeric keypad types, whether fixed modes type confirmed
// characters, and the blank that Space and Shift+Space type. Every change reaches the input
// method at once.
class TItemViewInputAssist : public TItemView {
public:
	TItemViewInputAssist();
	virtual ~TItemViewInputAssist();

	virtual void AllAttached();
	virtual void MessageReceived(BMessage* message);

	void CBoxTenKeyHalfInputClicked();
	void CBoxTenKeyConfirmInputClicked();
	void CBoxFixedConfirmInputClicked();
	void PopMItemSpaceModeClicked(BMessage* message);
	void PopMItemShiftSpaceModeClicked(BMessage* message);

	// A new message with the code and "SpaceMode" = value; the caller owns it.
	static BMessage* CreatePopMItemSpaceModeMessage(uint32 what, int32 value);

private:
	void GetChildPointers();
	void BindControls();
	void SetMFieldSpaceMode();
	void SetMFieldShiftSpaceMode();

	BBox* mBoxSpaceMode;
	BCheckBox* mCBoxTenKeyConfirmInput;
	BCheckBox* mCBoxTenKeyHalfInput;
	BCheckBox* mCBoxFixedConfirmInput;
	BMenuField* mMFieldShiftSpaceMode;
	BMenuField* mMFieldSpaceMode;
};

#endif
