#include <TextControl.h>

#include <Message.h>
#include <Window.h>

#include "ControlLook.h"
#include "TextInput.h"

#include "ArchiveChecks.h"
#include <cmath>

using BPrivate::_BTextInput_;

BTextControl::BTextControl(BRect frame, const char* name, const char* label,
						   const char* initialText, BMessage* message, uint32 resizingMode,
						   uint32 flags)
	: BControl(frame, name, label, message, resizingMode, flags & ~B_NAVIGABLE), fText(NULL),
	  fModificationMessage(NULL), fLabelAlign(B_ALIGN_LEFT), fDivider(0)
{
	const char* shown = Label();
	fDivider = shown != NULL ? std::ceil(StringWidth(shown)) + 5 : 0;
	BRect bounds = Bounds();
	fText = new _BTextInput_(BRect(fDivider + 3, 3, bounds.right - 3, bounds.bottom - 3),
							 BRect(0, 0, -1, -1), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
							 B_WILL_DRAW | B_FRAME_EVENTS | (flags & B_NAVIGABLE));
	AddChild(fText);
	_PlaceText();
	fText->SetText(initialText);
	fText->SetInvokedText(initialText);
}

BTextControl::BTextControl(BMessage* archive)
	: BControl(archive), fText(NULL), fModificationMessage(NULL), fLabelAlign(B_ALIGN_LEFT),
	  fDivider(0)
{
	int32 align;
	if (archive->FindInt32("_a_label", &align) == B_OK && align >= B_ALIGN_LEFT &&
		align <= B_ALIGN_CENTER)
		fLabelAlign = alignment(align);
	float divider;
	if (archive->FindFloat("_divide", &divider) == B_OK && BPrivate::archived_length(divider))
		fDivider = divider;
	BMessage message;
	if (archive->FindMessage("_mod_msg", &message) == B_OK)
		fModificationMessage = new BMessage(message);
	fText = dynamic_cast<_BTextInput_*>(FindView("_input_"));
	if (fText == NULL) {
		BRect bounds = Bounds();
		fText = new _BTextInput_(BRect(fDivider + 3, 3, bounds.right - 3, bounds.bottom - 3),
								 BRect(0, 0, -1, -1), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
								 B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
		AddChild(fText);
	}
	if (archive->FindInt32("_a_text", &align) == B_OK && align >= B_ALIGN_LEFT &&
		align <= B_ALIGN_CENTER)
		fText->SetAlignment(alignment(align));
	// The control hands the keyboard to its text.
	SetFlags(Flags() & ~B_NAVIGABLE);
	_PlaceText();
}

BTextControl::~BTextControl()
{
	delete fModificationMessage;
}

BArchivable*
BTextControl::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTextControl"))
		return NULL;
	return new BTextControl(archive);
}

status_t
BTextControl::Archive(BMessage* archive, bool) const
{
	// The text always travels, in the child that holds it.
	status_t status = BControl::Archive(archive, true);
	if (status == B_OK)
		status = archive->AddInt32("_a_label", int32(fLabelAlign));
	if (status == B_OK)
		status = archive->AddInt32("_a_text", int32(fText->Alignment()));
	if (status == B_OK)
		status = archive->AddFloat("_divide", fDivider);
	if (status == B_OK && fModificationMessage != NULL)
		status = archive->AddMessage("_mod_msg", fModificationMessage);
	return status;
}

void
BTextControl::_PlaceText()
{
	BRect bounds = Bounds();
	fText->MoveTo(fDivider + 3, 3);
	fText->ResizeTo(std::max(0.0f, bounds.right - 3 - (fDivider + 3)),
					std::max(0.0f, bounds.bottom - 6));
	float lineHeight = fText->LineHeight();
	BRect inner = fText->Bounds();
	float top = std::floor((inner.Height() + 1 - lineHeight) / 2);
	fText->SetTextRect(BRect(2, top, inner.right - 2, top + lineHeight - 1));
	Invalidate();
}

void
BTextControl::Draw(BRect)
{
	BRect frame = fText->Frame();
	const char* label = Label();
	if (label != NULL) {
		float width = StringWidth(label);
		float x = 0;
		if (fLabelAlign == B_ALIGN_RIGHT)
			x = fDivider - width - 3;
		else if (fLabelAlign == B_ALIGN_CENTER)
			x = std::floor((fDivider - width) / 2);
		float y = BPrivate::centred_baseline(this, frame.top, frame.Height());
		BPrivate::draw_label(this, label, BPoint(x, y), IsEnabled());
	}
	BRect around = frame.InsetByCopy(-1, -1);
	if (fText->IsFocus() && Window() != NULL && Window()->IsActive()) {
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		StrokeRect(around);
	} else {
		BPrivate::draw_sunken_frame(this, around, IsEnabled());
	}
}

void
BTextControl::MouseDown(BPoint)
{
	if (IsEnabled())
		fText->MakeFocus(true);
}

void
BTextControl::MakeFocus(bool focus)
{
	fText->MakeFocus(focus);
}

void
BTextControl::SetEnabled(bool enabled)
{
	if (enabled == IsEnabled())
		return;
	BControl::SetEnabled(enabled);
	SetFlags(Flags() & ~B_NAVIGABLE);
	if (!enabled && fText->IsFocus())
		fText->MakeFocus(false);
	fText->MakeEditable(enabled);
	fText->MakeSelectable(enabled);
	uint32 flags = fText->Flags();
	fText->SetFlags(enabled ? flags | B_NAVIGABLE : flags & ~B_NAVIGABLE);
	fText->SetViewColor(enabled ? ui_color(B_DOCUMENT_BACKGROUND_COLOR) : BPrivate::panel_color());
	fText->Invalidate();
}

void
BTextControl::SetLabel(const char* label)
{
	BControl::SetLabel(label);
}

void
BTextControl::GetPreferredSize(float* width, float* height)
{
	const char* label = Label();
	if (width != NULL)
		*width = (label != NULL ? std::ceil(StringWidth(label)) + 5 : 0) + 100;
	if (height != NULL)
		*height = fText->LineHeight() + 10;
}

void
BTextControl::SetText(const char* text)
{
	fText->SetText(text);
	fText->SetInvokedText(text);
}

const char*
BTextControl::Text() const
{
	return fText->Text();
}

int32
BTextControl::TextLength() const
{
	return fText->TextLength();
}

void
BTextControl::SetModificationMessage(BMessage* message)
{
	if (message == fModificationMessage)
		return;
	delete fModificationMessage;
	fModificationMessage = message;
}

BMessage*
BTextControl::ModificationMessage() const
{
	return fModificationMessage;
}

void
BTextControl::SetAlignment(alignment label, alignment text)
{
	fLabelAlign = label;
	fText->SetAlignment(text);
	Invalidate();
}

void
BTextControl::GetAlignment(alignment* label, alignment* text) const
{
	if (label != NULL)
		*label = fLabelAlign;
	if (text != NULL)
		*text = fText->Alignment();
}

void
BTextControl::SetDivider(float position)
{
	fDivider = std::floor(position + 0.5f);
	_PlaceText();
}

float
BTextControl::Divider() const
{
	return fDivider;
}

BTextView*
BTextControl::TextView() const
{
	return fText;
}

void
BTextControl::_Modified()
{
	if (fModificationMessage != NULL)
		Invoke(fModificationMessage);
}
