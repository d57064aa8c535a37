#include "TextInput.h"

#include <Message.h>
#include <TextControl.h>
#include <Window.h>

namespace BPrivate {

_BTextInput_::_BTextInput_(BRect frame, BRect textRect, uint32 resizingMode, uint32 flags)
	: BTextView(frame, "_input_", textRect, resizingMode, flags), fChanged(false)
{}

_BTextInput_::_BTextInput_(BMessage* archive) : BTextView(archive), fChanged(false)
{
	fInvokedText = Text();
}

_BTextInput_::~_BTextInput_() {}

BArchivable*
_BTextInput_::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "_BTextInput_"))
		return NULL;
	return new _BTextInput_(archive);
}

BTextControl*
_BTextInput_::_Control() const
{
	return dynamic_cast<BTextControl*>(Parent());
}

void
_BTextInput_::SetInvokedText(const char* text)
{
	fInvokedText = text != NULL ? text : "";
}

void
_BTextInput_::_InvokeIfChanged()
{
	BTextControl* control = _Control();
	if (control == NULL || !control->IsEnabled() || fInvokedText == Text())
		return;
	fInvokedText = Text();
	control->Invoke();
}

void
_BTextInput_::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && bytes[0] == B_ENTER) {
		// One line only: Enter sends the control's message when the text changed, then goes
		// on to the default button.
		_InvokeIfChanged();
		SelectAll();
		BView::KeyDown(bytes, numBytes);
		return;
	}
	fChanged = false;
	BTextView::KeyDown(bytes, numBytes);
	if (fChanged) {
		fChanged = false;
		if (BTextControl* control = _Control())
			control->_Modified();
	}
}

void
_BTextInput_::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	if (!focus)
		_InvokeIfChanged();
	BTextView::MakeFocus(focus);
	if (focus)
		SelectAll();
	if (Parent() != NULL)
		Parent()->Invalidate();
}

void
_BTextInput_::InsertText(const char* text, int32 length, int32 offset, const text_run_array* runs)
{
	// Line feeds have no place in one line.
	std::string line(text, size_t(length));
	for (char& c : line) {
		if (c == '\n')
			c = ' ';
	}
	BTextView::InsertText(line.c_str(), length, offset, runs);
	fChanged = true;
}

void
_BTextInput_::DeleteText(int32 fromOffset, int32 toOffset)
{
	BTextView::DeleteText(fromOffset, toOffset);
	fChanged = true;
}

} // namespace BPrivate
