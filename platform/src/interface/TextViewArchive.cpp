#include <TextView.h>

#include <Message.h>

#include "ArchiveChecks.h"
#include <cstring>
#include <string>

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

BTextView::BTextView(BMessage* archive) : BView(archive)
{
	BRect textRect(0, 0, -1, -1);
	if (archive->FindRect("_trect", &textRect) != B_OK || !BPrivate::archived_frame(textRect))
		textRect = BRect(0, 0, -1, -1);
	_InitText(textRect);
	const char* text;
	if (archive->FindString("_text", &text) == B_OK)
		fText = text;
	int32 value;
	if (archive->FindInt32("_align", &value) == B_OK && value >= B_ALIGN_LEFT &&
		value <= B_ALIGN_CENTER)
		fAlign = alignment(value);
	float tab;
	if (archive->FindFloat("_tab", &tab) == B_OK && BPrivate::archived_length(tab))
		fTabWidth = tab;
	if (archive->FindInt32("_max", &value) == B_OK && value >= 0)
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
	if (status == B_OK)
		status = archive->AddString("_text", fText.c_str());
	if (status == B_OK)
		status = archive->AddInt32("_align", int32(fAlign));
	if (status == B_OK)
		status = archive->AddFloat("_tab", fTabWidth);
	if (status == B_OK)
		status = archive->AddInt32("_col_sp", 0);
	if (status == B_OK)
		status = archive->AddRect("_trect", fTextRect);
	if (status == B_OK)
		status = archive->AddInt32("_max", fMaxBytes);
	if (status == B_OK)
		status = archive->AddInt32("_sel", fSelStart);
	if (status == B_OK)
		status = archive->AddInt32("_sel", fSelEnd);
	if (status == B_OK)
		status = archive->AddBool("_stylable", fStylable);
	if (status == B_OK)
		status = archive->AddBool("_auto_in", fAutoindent);
	if (status == B_OK)
		status = archive->AddBool("_wrap", fWrap);
	if (status == B_OK)
		status = archive->AddBool("_nsel", !fSelectable);
	if (status == B_OK)
		status = archive->AddBool("_nedit", !fEditable);
	if (status == B_OK)
		status = archive->AddBool("_password", fHidden);
	if (!fDisallowed.empty()) {
		std::string characters;
		for (uint32 character : fDisallowed)
			characters.append(reinterpret_cast<const char*>(&character), 4);
		if (status == B_OK)
			status = archive->AddData("_dis_ch", B_RAW_TYPE, characters.data(),
									  ssize_t(characters.size()));
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
	if (status == B_OK)
		status = archive->AddData("_runs", B_RAW_TYPE, runs.data(), ssize_t(runs.size()));
	return status;
}
