#include <TextView.h>

#include <Message.h>

#include "ControlLook.h"

#include <cstring>

BTextView::BTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode,
					 uint32 flags)
	: BView(frame, name, resizingMode, flags | B_FRAME_EVENTS)
{
	_InitText(textRect);
	SetViewColor(ui_color(B_DOCUMENT_BACKGROUND_COLOR));
	SetLowColor(ui_color(B_DOCUMENT_BACKGROUND_COLOR));
	SetHighColor(ui_color(B_DOCUMENT_TEXT_COLOR));
}

BTextView::BTextView(BRect frame, const char* name, BRect textRect, const BFont* initialFont,
					 const rgb_color* initialColor, uint32 resizingMode, uint32 flags)
	: BTextView(frame, name, textRect, resizingMode, flags)
{
	if (initialFont != NULL)
		SetFont(initialFont);
	if (initialColor != NULL)
		SetHighColor(*initialColor);
}

void
BTextView::_InitText(BRect textRect)
{
	BPrivate::register_control_classes();
	fTextRect = textRect;
	fSelStart = fSelEnd = fAnchor = 0;
	fMaxBytes = INT32_MAX;
	fTabWidth = 28;
	fAlign = B_ALIGN_LEFT;
	fEditable = true;
	fSelectable = true;
	fWrap = true;
	fAutoindent = false;
	fStylable = false;
	fHidden = false;
	fTracking = false;
}

BTextView::~BTextView() {}

void
BTextView::SetText(const char* text, const text_run_array* runs)
{
	SetText(text, text != NULL ? int32(strlen(text)) : 0, runs);
}

void
BTextView::SetText(const char* text, int32 length, const text_run_array* runs)
{
	if (!fText.empty())
		DeleteText(0, TextLength());
	if (text != NULL && length > 0)
		InsertText(text, length, 0, runs);
	fSelStart = fSelEnd = fAnchor = 0;
	Invalidate();
}

void
BTextView::Insert(const char* text, const text_run_array* runs)
{
	Insert(text, text != NULL ? int32(strlen(text)) : 0, runs);
}

void
BTextView::Insert(const char* text, int32 length, const text_run_array* runs)
{
	Insert(fSelStart, text, length, runs);
}

void
BTextView::Insert(int32 offset, const char* text, int32 length, const text_run_array* runs)
{
	if (text == NULL || length <= 0)
		return;
	offset = std::max(int32(0), std::min(offset, TextLength()));
	length = std::min(length, int32(strnlen(text, size_t(length))));
	InsertText(text, length, offset, runs);
}

void
BTextView::Delete()
{
	Delete(fSelStart, fSelEnd);
}

void
BTextView::Delete(int32 startOffset, int32 endOffset)
{
	startOffset = std::max(int32(0), std::min(startOffset, TextLength()));
	endOffset = std::max(startOffset, std::min(endOffset, TextLength()));
	if (startOffset < endOffset)
		DeleteText(startOffset, endOffset);
}

void
BTextView::InsertText(const char* text, int32 length, int32 offset, const text_run_array*)
{
	fText.insert(size_t(offset), text, size_t(length));
	if (fSelStart >= offset)
		fSelStart += length;
	if (fSelEnd >= offset)
		fSelEnd += length;
	_Changed();
}

void
BTextView::DeleteText(int32 fromOffset, int32 toOffset)
{
	fText.erase(size_t(fromOffset), size_t(toOffset - fromOffset));
	auto shift = [fromOffset, toOffset](int32 offset) {
		if (offset >= toOffset)
			return offset - (toOffset - fromOffset);
		return std::min(offset, fromOffset);
	};
	fSelStart = shift(fSelStart);
	fSelEnd = shift(fSelEnd);
	fAnchor = shift(fAnchor);
	_Changed();
}

void
BTextView::_Changed()
{
	Invalidate();
}

const char*
BTextView::Text() const
{
	return fText.c_str();
}

int32
BTextView::TextLength() const
{
	return int32(fText.size());
}

uint8
BTextView::ByteAt(int32 offset) const
{
	if (offset < 0 || offset >= TextLength())
		return 0;
	return uint8(fText[size_t(offset)]);
}

void
BTextView::Select(int32 startOffset, int32 endOffset)
{
	if (!fSelectable)
		return;
	startOffset = std::max(int32(0), std::min(startOffset, TextLength()));
	endOffset = std::max(startOffset, std::min(endOffset, TextLength()));
	fSelStart = startOffset;
	fSelEnd = endOffset;
	fAnchor = startOffset;
	Invalidate();
}

void
BTextView::SelectAll()
{
	Select(0, TextLength());
}

void
BTextView::GetSelection(int32* start, int32* end) const
{
	if (start != NULL)
		*start = fSelStart;
	if (end != NULL)
		*end = fSelEnd;
}
