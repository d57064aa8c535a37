#include <CheckBox.h>

#include <Message.h>
#include <Window.h>

#include "ControlLook.h"

BCheckBox::BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
					 uint32 resizingMode, uint32 flags)
	: BControl(frame, name, label, message, resizingMode, flags | B_WILL_DRAW), fOutside(false)
{}

BCheckBox::BCheckBox(BMessage* archive) : BControl(archive), fOutside(false) {}

BCheckBox::~BCheckBox() {}

BArchivable*
BCheckBox::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BCheckBox"))
		return NULL;
	return new BCheckBox(archive);
}

status_t
BCheckBox::Archive(BMessage* archive, bool deep) const
{
	return BControl::Archive(archive, deep);
}

void
BCheckBox::Draw(BRect)
{
	BRect box = BPrivate::mark_frame(this);
	BPrivate::draw_check_box(this, box, Value() == B_CONTROL_ON, IsTracking() && !fOutside,
							 IsEnabled());
	BPrivate::draw_mark_label(this, box.right + 6);
}

void
BCheckBox::KeyDown(const char* bytes, int32 numBytes)
{
	BControl::KeyDown(bytes, numBytes);
}

void
BCheckBox::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	fOutside = false;
	SetTracking(true);
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
	Invalidate();
}

void
BCheckBox::MouseMoved(BPoint where, uint32, const BMessage*)
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
BCheckBox::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	Invalidate();
	if (!Bounds().Contains(where))
		return;
	SetValue(Value() == B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF);
	Invoke();
}

void
BCheckBox::GetPreferredSize(float* width, float* height)
{
	BPrivate::mark_preferred_size(this, width, height);
}
