#include <TextView.h>

#include <Message.h>
#include <Window.h>

#include <cstring>

namespace {

// The code point of the UTF-8 character the bytes start with.
uint32
first_character(const char* bytes, int32 numBytes)
{
	const uint8* b = reinterpret_cast<const uint8*>(bytes);
	if (numBytes <= 0)
		return 0;
	if (b[0] < 0x80 || numBytes < 2)
		return b[0];
	if ((b[0] & 0xe0) == 0xc0)
		return (uint32(b[0] & 0x1f) << 6) | (b[1] & 0x3f);
	if ((b[0] & 0xf0) == 0xe0 && numBytes >= 3)
		return (uint32(b[0] & 0x0f) << 12) | (uint32(b[1] & 0x3f) << 6) | (b[2] & 0x3f);
	if (numBytes >= 4)
		return (uint32(b[0] & 0x07) << 18) | (uint32(b[1] & 0x3f) << 12) |
			   (uint32(b[2] & 0x3f) << 6) | (b[3] & 0x3f);
	return b[0];
}

} // namespace

void
BTextView::AttachedToWindow()
{
	BView::AttachedToWindow();
	if (!fTextRect.IsValid())
		fTextRect = Bounds();
}

void
BTextView::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	Invalidate();
}

void
BTextView::WindowActivated(bool active)
{
	BView::WindowActivated(active);
	if (IsFocus())
		Invalidate();
}

void
BTextView::MouseDown(BPoint where)
{
	if (!fSelectable && !fEditable)
		return;
	if (!IsFocus())
		MakeFocus(true);
	int32 offset = OffsetAt(where);
	int32 modifiers = 0;
	int32 clicks = 1;
	if (BMessage* message = Window()->CurrentMessage()) {
		message->FindInt32("modifiers", &modifiers);
		if (message->FindInt32("clicks", &clicks) != B_OK)
			clicks = 1;
	}
	if (clicks >= 3) {
		int32 line = LineAt(offset);
		Select(_LineStart(line), _LineEnd(line));
		return;
	}
	_MoveCaret(offset, (modifiers & B_SHIFT_KEY) != 0);
	fTracking = true;
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
}

void
BTextView::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (fTracking)
		_MoveCaret(OffsetAt(where), true);
}

void
BTextView::MouseUp(BPoint)
{
	fTracking = false;
}

void
BTextView::_MoveCaret(int32 offset, bool extend)
{
	offset = std::max(int32(0), std::min(offset, TextLength()));
	if (!fSelectable)
		extend = false;
	if (!extend)
		fAnchor = offset;
	fSelStart = std::min(fAnchor, offset);
	fSelEnd = std::max(fAnchor, offset);
	Invalidate();
}

void
BTextView::_Type(const char* bytes, int32 numBytes)
{
	if (fDisallowed.count(first_character(bytes, numBytes)) != 0)
		return;
	int32 selected = fSelEnd - fSelStart;
	if (TextLength() - selected + numBytes > fMaxBytes)
		return;
	if (selected > 0)
		DeleteText(fSelStart, fSelEnd);
	int32 at = fSelStart;
	InsertText(bytes, numBytes, at, NULL);
	fSelStart = fSelEnd = fAnchor = at + numBytes;
}

void
BTextView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes < 1)
		return;
	int32 modifiers = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	bool shift = (modifiers & B_SHIFT_KEY) != 0;
	int32 caret = fAnchor == fSelStart ? fSelEnd : fSelStart;
	uint8 key = uint8(bytes[0]);
	if (numBytes == 1 && (modifiers & B_COMMAND_KEY) != 0) {
		if (key == 'a')
			SelectAll();
		else
			BView::KeyDown(bytes, numBytes);
		return;
	}
	switch (numBytes == 1 ? key : 0) {
	case B_LEFT_ARROW:
		if (fSelStart != fSelEnd && !shift)
			_MoveCaret(fSelStart, false);
		else
			_MoveCaret(_PreviousCharacter(caret), shift);
		return;
	case B_RIGHT_ARROW:
		if (fSelStart != fSelEnd && !shift)
			_MoveCaret(fSelEnd, false);
		else
			_MoveCaret(_NextCharacter(caret), shift);
		return;
	case B_UP_ARROW:
	case B_DOWN_ARROW: {
		int32 line = LineAt(caret) + (key == B_UP_ARROW ? -1 : 1);
		if (line < 0 || line >= CountLines()) {
			_MoveCaret(line < 0 ? 0 : TextLength(), shift);
			return;
		}
		BPoint point = PointAt(caret);
		point.y = TextRect().top + LineHeight() * float(line);
		_MoveCaret(OffsetAt(point), shift);
		return;
	}
	case B_HOME:
		_MoveCaret(_LineStart(LineAt(caret)), shift);
		return;
	case B_END:
		_MoveCaret(_LineEnd(LineAt(caret)), shift);
		return;
	case B_BACKSPACE:
		if (!fEditable)
			return;
		if (fSelStart != fSelEnd)
			DeleteText(fSelStart, fSelEnd);
		else if (fSelStart > 0)
			DeleteText(_PreviousCharacter(fSelStart), fSelStart);
		fAnchor = fSelEnd = fSelStart;
		return;
	case B_DELETE:
		if (!fEditable)
			return;
		if (fSelStart != fSelEnd)
			DeleteText(fSelStart, fSelEnd);
		else if (fSelStart < TextLength())
			DeleteText(fSelStart, _NextCharacter(fSelStart));
		fAnchor = fSelEnd = fSelStart;
		return;
	case B_ENTER:
		if (fEditable)
			_Type("\n", 1);
		return;
	case B_TAB:
	case B_ESCAPE:
	case B_PAGE_UP:
	case B_PAGE_DOWN:
	case B_INSERT:
	case B_FUNCTION_KEY:
		BView::KeyDown(bytes, numBytes);
		return;
	default:
		break;
	}
	if (key < 0x20 || !fEditable) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	_Type(bytes, numBytes);
}
