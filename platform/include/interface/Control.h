#ifndef _CONTROL_H
#define _CONTROL_H

#include <Invoker.h>
#include <View.h>

#include <string>

enum { B_CONTROL_OFF = 0, B_CONTROL_ON = 1 };

// A view the user operates to send a message: it has a label, a value and an enabled state,
// and on Invoke sends a copy of its message to its target (the window, unless set otherwise).
class BControl : public BView, public BInvoker {
public:
	BControl(BRect frame, const char* name, const char* label, BMessage* message,
			 uint32 resizingMode, uint32 flags);
	BControl(BMessage* archive);
	virtual ~BControl();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void AttachedToWindow();
	virtual void WindowActivated(bool active);
	virtual void MakeFocus(bool focus = true);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);

	virtual void SetLabel(const char* label);
	const char* Label() const;
	virtual void SetValue(int32 value);
	int32 Value() const;
	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const;

	virtual void GetPreferredSize(float* width, float* height);
	virtual void ResizeToPreferred();

	// Sends a copy of message (or of the control's own) with "when", "source" and
	// "be:value" added.
	virtual status_t Invoke(BMessage* message = NULL);

protected:
	bool IsTracking() const;
	void SetTracking(bool state);

private:
	void _InitControl(const char* label);

	std::string fLabel;
	bool fHasLabel;
	int32 fValue;
	bool fEnabled;
	bool fFocusChanging;
	bool fTracking;
	bool fWantsNavigation;
};

#endif
