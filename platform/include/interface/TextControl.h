#ifndef _TEXT_CONTROL_H
#define _TEXT_CONTROL_H

#include <Control.h>
#include <StringView.h>

class BTextView;

namespace BPrivate {
class _BTextInput_;
}

// A label and, right of the divider, one line of editable text. Each change the user makes
// sends the modification message; Enter (or leaving the field) after a change sends the
// control's message.
class BTextControl : public BControl {
public:
	BTextControl(BRect frame, const char* name, const char* label, const char* initialText,
				 BMessage* message, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
				 uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BTextControl(BMessage* archive);
	virtual ~BTextControl();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MakeFocus(bool focus = true);
	virtual void SetEnabled(bool enabled);
	virtual void SetLabel(const char* label);
	virtual void GetPreferredSize(float* width, float* height);

	virtual void SetText(const char* text);
	const char* Text() const;
	int32 TextLength() const;

	virtual void SetModificationMessage(BMessage* message);
	BMessage* ModificationMessage() const;

	virtual void SetAlignment(alignment label, alignment text);
	void GetAlignment(alignment* label, alignment* text) const;
	virtual void SetDivider(float position);
	float Divider() const;

	BTextView* TextView() const;

private:
	friend class BPrivate::_BTextInput_;

	void _InitControl(const char* initialText);
	void _PlaceText();
	void _Modified();

	BPrivate::_BTextInput_* fText;
	BMessage* fModificationMessage;
	alignment fLabelAlign;
	float fDivider;
};

#endif
