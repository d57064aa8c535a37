#include <RadioButton.h>

#include <Message.h>
#include <Window.h>

#include "ControlLook.h"

BRadioButton::BRadioButton(BRect frame, const char* name, const char* label, BMessage* message,
						   uint32 resizingMode, uint32 flags)
	: BControl(frame, name, label, message, resizingMode, flags | B_WILL_DRAW), fOutside(false)
{}

BRadioButton::BRadioButton(BMessage* archive) : BControl(archive), fOutside(false) {}

BRadioButton::~BRadioButton() {}

BArchivable*
BRadioButton::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BRadioButton"))
		return NULL;
	return new BRadioButton(archive);
}

status_t
BRadioButton::Archive(BMessage* archive, bool deep) const
{
	return BControl::Archive(archive, deep);
}

void
BRadioButton::Draw(BRect)
{
	BRect circle = BPrivate::mark_frame(this);
	BPrivate::draw_radio(this, circle, Value() == B_CONTROL_ON, IsTracking() && !fOutside,
						 IsEnabled());
	BPrivate::draw_mark_label(this, circle.right + 6);
}

void
BRadioButton::SetValue(int32 value)
{
	if (value != B_CONTROL_OFF)
		value = B_CONTROL_ON;
	if (value == Value())
		return;
	BControl::SetValue(value);
	if (value != B_CONTROL_ON || Parent() == NULL)
		return;
	// Only one of the radio buttons sharing a parent is on.
	for (int32 i = 0; i < Parent()->CountChildren(); i++) {
		BRadioButton* sibling = dynamic_cast<BRadioButton*>(Parent()->ChildAt(i));
		if (sibling != NULL && sibling != this)
			sibling->SetValue(B_CONTROL_OFF);
	}
}

void
BRadioButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && bytes[0] == B_SPACE) {
		if (!IsEnabled())
			return;
		SetValue(B_CONTROL_ON);
		Invoke();
		return;
	}
	BControl::KeyDown(bytes, numBytes);
}

void
BRadioButton::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	fOutside = false;
	SetTracking(true);
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
	Invalidate();
}

void
BRadioButton::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (!IsTracking())
		return;
	bool outside = !Bounds().Contains(where);
	if (outside != fOutside) {
		fOutside = outside;
		Invalidate();
	}
}

void
BRadioButton::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	Invalidate();
	if (!Bounds().Contains(where))
		return;
	SetValue(B_CONTROL_ON);
	Invoke();
}

void
BRadioButton::GetPreferredSize(float* width, float* height)
{
	BPrivate::mark_preferred_size(this, width, height);
}
