#ifndef _CHECK_BOX_H
#define _CHECK_BOX_H

#include <Control.h>

// A box with a check mark beside its label; each click or Space turns it on or off and invokes.
class BCheckBox : public BControl {
public:
	BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
			  uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
			  uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BCheckBox(BMessage* archive);
	virtual ~BCheckBox();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void Draw(BRect updateRect);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	virtual void GetPreferredSize(float* width, float* height);

private:
	bool fOutside;
};

#endif
