#include <TextView.h>

#include <Message.h>

#include "ControlLook.h"

#include <cstring>

namespace {

const uint32 kRunsMagic = 'Ali!';

void
put_be32(std::string* out, uint32 value)
{
	for (int shift = 24; shift >= 0; shift -= 8)
		out->push_back(char(value >> shift));
}

void
put_be16(std::string* out, uint16 value)
{
	out->push_back(char(value >> 8));
	out->push_back(char(value));
}

} // namespace

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

BTextView::BTextView(BMessage* archive) : BView(archive)
{
	BRect textRect(0, 0, -1, -1);
	archive->FindRect("_trect", &textRect);
	_InitText(textRect);
	const char* text;
	if (archive->FindString("_text", &text) == B_OK)
		fText = text;
	int32 value;
	if (archive->FindInt32("_align", &value) == B_OK && value >= B_ALIGN_LEFT &&
		value <= B_ALIGN_CENTER)
		fAlign = alignment(value);
	float tab;
	if (archive->FindFloat("_tab", &tab) == B_OK)
		fTabWidth = tab;
	if (archive->FindInt32("_max", &value) == B_OK)
		fMaxBytes = value;
	int32 start;
	int32 end;
	if (archive->FindInt32("_sel", 0, &start) == B_OK &&
		archive->FindInt32("_sel", 1, &end) == B_OK)
		Select(start, end);
	bool flag;
	if (archive->FindBool("_stylable", &flag) == B_OK)
		fStylable = flag;
	if (archive->FindBool("_auto_in", &flag) == B_OK)
		fAutoindent = flag;
	if (archive->FindBool("_wrap", &flag) == B_OK)
		fWrap = flag;
	if (archive->FindBool("_nsel", &flag) == B_OK)
		fSelectable = !flag;
	if (archive->FindBool("_nedit", &flag) == B_OK)
		fEditable = !flag;
	if (archive->FindBool("_password", &flag) == B_OK)
		fHidden = flag;
	const void* data;
	ssize_t size;
	if (archive->FindData("_dis_ch", B_RAW_TYPE, &data, &size) == B_OK) {
		for (ssize_t i = 0; i + 4 <= size; i += 4) {
			uint32 character;
			memcpy(&character, static_cast<const char*>(data) + i, 4);
			fDisallowed.insert(character);
		}
	}
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

BArchivable*
BTextView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTextView"))
		return NULL;
	return new BTextView(archive);
}

status_t
BTextView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	status |= archive->AddString("_text", fText.c_str());
	status |= archive->AddInt32("_align", int32(fAlign));
	status |= archive->AddFloat("_tab", fTabWidth);
	status |= archive->AddInt32("_col_sp", 0);
	status |= archive->AddRect("_trect", fTextRect);
	status |= archive->AddInt32("_max", fMaxBytes);
	status |= archive->AddInt32("_sel", fSelStart);
	status |= archive->AddInt32("_sel", fSelEnd);
	status |= archive->AddBool("_stylable", fStylable);
	status |= archive->AddBool("_auto_in", fAutoindent);
	status |= archive->AddBool("_wrap", fWrap);
	status |= archive->AddBool("_nsel", !fSelectable);
	status |= archive->AddBool("_nedit", !fEditable);
	status |= archive->AddBool("_password", fHidden);
	if (!fDisallowed.empty()) {
		std::string characters;
		for (uint32 character : fDisallowed)
			characters.append(reinterpret_cast<const char*>(&character), 4);
		status |=
			archive->AddData("_dis_ch", B_RAW_TYPE, characters.data(), ssize_t(characters.size()));
	}
	// One run: the whole text in the view's font and colour.
	std::string runs;
	put_be32(&runs, kRunsMagic);
	put_be32(&runs, 0);
	put_be32(&runs, 1);
	put_be32(&runs, 0);
	BFont font;
	GetFont(&font);
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	// Each name sits NUL-terminated in a 64-byte slot, the rest zero.
	for (const char* text : {static_cast<const char*>(family), static_cast<const char*>(style)}) {
		char name[64] = {};
		memcpy(name, text, strnlen(text, sizeof(name) - 1));
		runs.append(name, sizeof(name));
	}
	float size = font.Size();
	float shear = font.Shear();
	uint32 bits;
	memcpy(&bits, &size, 4);
	put_be32(&runs, bits);
	memcpy(&bits, &shear, 4);
	put_be32(&runs, bits);
	put_be16(&runs, font.Face());
	rgb_color color = HighColor();
	runs.push_back(char(color.red));
	runs.push_back(char(color.green));
	runs.push_back(char(color.blue));
	runs.push_back(char(255));
	put_be16(&runs, 0);
	status |= archive->AddData("_runs", B_RAW_TYPE, runs.data(), ssize_t(runs.size()));
	return status;
}

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

void
BTextView::GetText(int32 offset, int32 length, char* buffer) const
{
	if (buffer == NULL)
		return;
	offset = std::max(int32(0), std::min(offset, TextLength()));
	length = std::max(int32(0), std::min(length, TextLength() - offset));
	memcpy(buffer, fText.data() + offset, size_t(length));
	buffer[length] = '\0';
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
