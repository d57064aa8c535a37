#include <TextView.h>

#include <Window.h>

#include <algorithm>
#include <cmath>

void
BTextView::SetTextRect(BRect rect)
{
	fTextRect = rect;
	Invalidate();
}

BRect
BTextView::TextRect() const
{
	return fTextRect;
}

void
BTextView::MakeEditable(bool editable)
{
	fEditable = editable;
	Invalidate();
}

void
BTextView::MakeSelectable(bool selectable)
{
	fSelectable = selectable;
	if (!selectable)
		fSelStart = fSelEnd;
	Invalidate();
}

void
BTextView::SetMaxBytes(int32 max)
{
	fMaxBytes = max < 0 ? INT32_MAX : max;
	if (TextLength() > fMaxBytes) {
		int32 cut = fMaxBytes;
		// Never in the middle of a character.
		while (cut > 0 && (ByteAt(cut) & 0xc0) == 0x80)
			cut--;
		Delete(cut, TextLength());
	}
}

void
BTextView::SetAlignment(alignment flag)
{
	fAlign = flag;
	Invalidate();
}

alignment
BTextView::Alignment() const
{
	return fAlign;
}

void
BTextView::SetTabWidth(float width)
{
	fTabWidth = width;
}

float
BTextView::TabWidth() const
{
	return fTabWidth;
}

int32
BTextView::CountLines() const
{
	return int32(std::count(fText.begin(), fText.end(), '\n')) + 1;
}

int32
BTextView::LineAt(int32 offset) const
{
	offset = std::max(int32(0), std::min(offset, TextLength()));
	return int32(std::count(fText.begin(), fText.begin() + offset, '\n'));
}

int32
BTextView::CurrentLine() const
{
	return LineAt(fSelStart);
}

int32
BTextView::_LineStart(int32 line) const
{
	int32 offset = 0;
	for (int32 i = 0; i < line; i++) {
		size_t next = fText.find('\n', size_t(offset));
		if (next == std::string::npos)
			return TextLength();
		offset = int32(next) + 1;
	}
	return offset;
}

int32
BTextView::_LineEnd(int32 line) const
{
	size_t next = fText.find('\n', size_t(_LineStart(line)));
	return next == std::string::npos ? TextLength() : int32(next);
}

int32
BTextView::_PreviousCharacter(int32 offset) const
{
	if (offset <= 0)
		return 0;
	offset--;
	while (offset > 0 && (ByteAt(offset) & 0xc0) == 0x80)
		offset--;
	return offset;
}

int32
BTextView::_NextCharacter(int32 offset) const
{
	if (offset >= TextLength())
		return TextLength();
	offset++;
	while (offset < TextLength() && (ByteAt(offset) & 0xc0) == 0x80)
		offset++;
	return offset;
}

std::string
BTextView::_Shown(int32 from, int32 to) const
{
	if (!fHidden)
		return fText.substr(size_t(from), size_t(to - from));
	// Hidden typing shows one bullet for each character.
	std::string shown;
	for (int32 i = from; i < to; i = _NextCharacter(i))
		shown += "\u2022";
	return shown;
}

float
BTextView::_X(int32 line, int32 offset) const
{
	int32 start = _LineStart(line);
	float lineWidth = StringWidth(_Shown(start, _LineEnd(line)).c_str());
	float x = fTextRect.left;
	if (fAlign == B_ALIGN_RIGHT)
		x = fTextRect.right - lineWidth;
	else if (fAlign == B_ALIGN_CENTER)
		x = fTextRect.left + std::floor((fTextRect.Width() - lineWidth) / 2);
	return x + StringWidth(_Shown(start, offset).c_str());
}

float
BTextView::LineHeight(int32) const
{
	font_height fh;
	GetFontHeight(&fh);
	return std::ceil(fh.ascent + fh.descent + fh.leading);
}

float
BTextView::TextHeight(int32 startLine, int32 endLine) const
{
	startLine = std::max(int32(0), startLine);
	endLine = std::min(CountLines() - 1, endLine);
	if (endLine < startLine)
		return 0;
	return LineHeight() * float(endLine - startLine + 1);
}

BPoint
BTextView::PointAt(int32 offset, float* height) const
{
	int32 line = LineAt(offset);
	if (height != NULL)
		*height = LineHeight();
	return BPoint(_X(line, offset), fTextRect.top + LineHeight() * float(line));
}

int32
BTextView::OffsetAt(BPoint point) const
{
	int32 line = int32(std::floor((point.y - fTextRect.top) / LineHeight()));
	if (line < 0)
		return 0;
	if (line >= CountLines())
		return TextLength();
	int32 end = _LineEnd(line);
	int32 best = _LineStart(line);
	float bestDistance = std::fabs(_X(line, best) - point.x);
	for (int32 offset = _NextCharacter(best); offset <= end && offset > best;) {
		float distance = std::fabs(_X(line, offset) - point.x);
		if (distance < bestDistance) {
			bestDistance = distance;
			best = offset;
		}
		if (offset == end)
			break;
		offset = _NextCharacter(offset);
	}
	return best;
}

void
BTextView::Draw(BRect)
{
	font_height fh;
	GetFontHeight(&fh);
	float lineHeight = LineHeight();
	bool active = IsFocus() && Window() != NULL && Window()->IsActive();
	for (int32 line = 0; line < CountLines(); line++) {
		int32 start = _LineStart(line);
		int32 end = _LineEnd(line);
		float top = fTextRect.top + lineHeight * float(line);
		int32 from = std::max(start, fSelStart);
		int32 to = std::min(end, fSelEnd);
		if (fSelStart != fSelEnd && from <= to && (from < to || fSelEnd > end)) {
			float right = _X(line, to) + (fSelEnd > end ? 4 : 0);
			SetHighColor(active ? ui_color(B_LIST_SELECTED_BACKGROUND_COLOR)
								: tint_color(ViewColor(), B_DARKEN_1_TINT));
			FillRect(BRect(_X(line, from), top, right - 1, top + lineHeight - 1));
		}
		SetHighColor(ui_color(B_DOCUMENT_TEXT_COLOR));
		SetDrawingMode(B_OP_OVER);
		DrawString(_Shown(start, end).c_str(), BPoint(_X(line, start), top + std::ceil(fh.ascent)));
		SetDrawingMode(B_OP_COPY);
	}
	if (active && fEditable && fSelStart == fSelEnd) {
		BPoint caret = PointAt(fSelStart);
		SetHighColor(ui_color(B_DOCUMENT_TEXT_COLOR));
		StrokeLine(caret, BPoint(caret.x, caret.y + lineHeight - 1));
	}
}
