#ifndef _BUTTON_H
#define _BUTTON_H

#include <Control.h>

// A push button: a click or Space (Enter too, when it has the focus or is the window's default
// button) invokes it once; its value is ON only while it is held down.
class BButton : public BControl {
public:
	BButton(BRect frame, const char* name, const char* label, BMessage* message,
			uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
			uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BButton(BMessage* archive);
	virtual ~BButton();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void Draw(BRect updateRect);
	virtual void AttachedToWindow();
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);

	virtual void MakeDefault(bool isDefault);
	bool IsDefault() const;

	virtual void SetLabel(const char* label);
	virtual void SetValue(int32 value);
	virtual void GetPreferredSize(float* width, float* height);
	virtual status_t Invoke(BMessage* message = NULL);

private:
	friend struct ButtonHooks;

	bool fDrawAsDefault;
	bool fWasDefault;
};

#endif
