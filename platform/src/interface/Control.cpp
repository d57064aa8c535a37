#include <Control.h>

#include <Message.h>
#include <Window.h>

#include "ControlLook.h"

BControl::BControl(BRect frame, const char* name, const char* label, BMessage* message,
				   uint32 resizingMode, uint32 flags)
	: BView(frame, name, resizingMode, flags), BInvoker(message, NULL, NULL)
{
	_InitControl(label);
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
}

BControl::BControl(BMessage* archive) : BView(archive)
{
	_InitControl(NULL);
	// The colours came with the archive.
	BMessage message;
	if (archive->FindMessage("_msg", &message) == B_OK)
		SetMessage(new BMessage(message));
	const char* label;
	if (archive->FindString("_label", &label) == B_OK)
		SetLabel(label);
	int32 value;
	if (archive->FindInt32("_val", &value) == B_OK)
		fValue = value;
	bool disabled;
	if (archive->FindBool("_disable", &disabled) == B_OK)
		fEnabled = !disabled;
	// A disabled control was archived without the navigation it gets back when enabled.
	bool wantsNavigation;
	if (archive->FindBool("be:wants_nav", &wantsNavigation) == B_OK)
		fWantsNavigation = wantsNavigation;
	else
		fWantsNavigation = fWantsNavigation || !fEnabled;
}

void
BControl::_InitControl(const char* label)
{
	BPrivate::register_control_classes();
	fHasLabel = false;
	fValue = B_CONTROL_OFF;
	fEnabled = true;
	fFocusChanging = false;
	fTracking = false;
	fWantsNavigation = (Flags() & B_NAVIGABLE) != 0;
	if (label != NULL && label[0] != '\0') {
		fLabel = label;
		fHasLabel = true;
	}
}

BControl::~BControl() {}

BArchivable*
BControl::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BControl"))
		return NULL;
	return new BControl(archive);
}

status_t
BControl::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && Message() != NULL)
		status = archive->AddMessage("_msg", Message());
	if (status == B_OK && fHasLabel)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && fValue != B_CONTROL_OFF)
		status = archive->AddInt32("_val", fValue);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	return status;
}

void
BControl::AttachedToWindow()
{
	// Without a target of its own a control talks to its window.
	if (!Messenger().IsValid())
		SetTarget(Window());
	BView::AttachedToWindow();
}

void
BControl::WindowActivated(bool active)
{
	BView::WindowActivated(active);
	if (IsFocus())
		Invalidate();
}

void
BControl::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	fFocusChanging = true;
	BView::MakeFocus(focus);
	Invalidate();
	fFocusChanging = false;
}

void
BControl::KeyDown(const char* bytes, int32 numBytes)
{
	// Space operates the control; other keys (Enter for the default button) go on.
	if (numBytes == 1 && bytes[0] == B_SPACE) {
		if (!fEnabled)
			return;
		SetValue(fValue == B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF);
		Invoke();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}

void
BControl::MouseDown(BPoint where)
{
	BView::MouseDown(where);
}

void
BControl::MouseUp(BPoint where)
{
	BView::MouseUp(where);
}

void
BControl::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	BView::MouseMoved(where, transit, dragMessage);
}

void
BControl::SetLabel(const char* label)
{
	if (BPrivate::set_optional_label(&fLabel, &fHasLabel, label))
		Invalidate();
}

const char*
BControl::Label() const
{
	return fHasLabel ? fLabel.c_str() : NULL;
}

void
BControl::SetValue(int32 value)
{
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
}

int32
BControl::Value() const
{
	return fValue;
}

void
BControl::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	// A disabled control cannot be reached with the keyboard.
	if (fWantsNavigation) {
		uint32 flags = Flags();
		SetFlags(enabled ? flags | B_NAVIGABLE : flags & ~B_NAVIGABLE);
	}
	if (!enabled && IsFocus())
		MakeFocus(false);
	Invalidate();
}

bool
BControl::IsEnabled() const
{
	return fEnabled;
}

void
BControl::GetPreferredSize(float* width, float* height)
{
	float w = fHasLabel ? StringWidth(fLabel.c_str()) : 0;
	if (width != NULL)
		*width = w;
	if (height != NULL)
		*height = BPrivate::line_height(this);
}

void
BControl::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}

status_t
BControl::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	copy.AddInt32("be:value", fValue);
	return BInvoker::Invoke(&copy);
}

bool
BControl::IsTracking() const
{
	return fTracking;
}

void
BControl::SetTracking(bool state)
{
	fTracking = state;
}
