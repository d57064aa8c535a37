#include <View.h>

#include <AppDefs.h>
#include <Message.h>
#include <Window.h>

#include "Display.h"
#include "WindowPrivate.h"

using BPrivate::WindowInternals;

void
BView::MouseDown(BPoint)
{}

void
BView::MouseUp(BPoint)
{}

void
BView::MouseMoved(BPoint, uint32, const BMessage*)
{}

void
BView::KeyDown(const char* bytes, int32 numBytes)
{
	// A key the view does not handle: Tab moves the focus, Enter presses the default button.
	if (fOwner == NULL || bytes == NULL || numBytes < 1)
		return;
	int32 modifiers = 0;
	if (BMessage* message = fOwner->CurrentMessage())
		message->FindInt32("modifiers", &modifiers);
	if (bytes[0] == B_TAB && numBytes == 1) {
		if ((modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0)
			WindowInternals::Navigate(fOwner, (modifiers & B_SHIFT_KEY) != 0);
		return;
	}
	if (bytes[0] == B_ENTER && numBytes == 1)
		WindowInternals::PressDefaultButton(fOwner, this, bytes, numBytes);
}

void
BView::KeyUp(const char*, int32)
{}

void
BView::MakeFocus(bool focus)
{
	if (fOwner == NULL)
		return;
	BView* current = fOwner->fFocus;
	if (focus) {
		if (current == this)
			return;
		if (current != NULL)
			current->MakeFocus(false);
		fOwner->fFocus = this;
		fOwner->SetPreferredHandler(this);
	} else if (current == this) {
		fOwner->fFocus = NULL;
		fOwner->SetPreferredHandler(NULL);
	}
}

bool
BView::IsFocus() const
{
	return fOwner != NULL && fOwner->fFocus == this;
}

status_t
BView::SetEventMask(uint32 mask, uint32 options)
{
	fEventMask = mask;
	fEventOptions = options;
	fEventMaskSet = true;
	return B_OK;
}

status_t
BView::SetMouseEventMask(uint32 mask, uint32 options)
{
	// Only while a button is down: the pointer events go to this view until it is released.
	if (fOwner == NULL)
		return B_ERROR;
	BMessage* current = fOwner->CurrentMessage();
	if (current == NULL || current->what != B_MOUSE_DOWN)
		return B_ERROR;
	WindowInternals& internals = WindowInternals::Of(fOwner);
	if ((mask & B_POINTER_EVENTS) != 0) {
		internals.mouseMaskView = this;
		internals.mouseMaskOptions = options;
	}
	return B_OK;
}

void
BView::GetMouse(BPoint* location, uint32* buttons, bool)
{
	BPoint where(0, 0);
	uint32 held = 0;
	if (fOwner != NULL)
		BPrivate::Display::Default()->GetPointer(fOwner, &where, &held);
	if (location != NULL)
		*location = where - _WindowOrigin();
	if (buttons != NULL)
		*buttons = held;
}
