#ifndef _RADIO_BUTTON_H
#define _RADIO_BUTTON_H

#include <Control.h>

// A round button beside its label; turning one on turns off the radio buttons that share its
// parent.
class BRadioButton : public BControl {
public:
	BRadioButton(BRect frame, const char* name, const char* label, BMessage* message,
				 uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
				 uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BRadioButton(BMessage* archive);
	virtual ~BRadioButton();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void Draw(BRect updateRect);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	virtual void SetValue(int32 value);
	virtual void GetPreferredSize(float* width, float* height);

private:
	bool fOutside;
};

#endif
