#include <StringView.h>

#include <Message.h>

#include "ControlLook.h"

#include <cmath>

BStringView::BStringView(BRect frame, const char* name, const char* text, uint32 resizingMode,
						 uint32 flags)
	: BView(frame, name, resizingMode, flags), fHasText(false), fAlign(B_ALIGN_LEFT)
{
	BPrivate::register_control_classes();
	SetText(text);
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
	SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
}

BStringView::BStringView(BMessage* archive) : BView(archive), fHasText(false), fAlign(B_ALIGN_LEFT)
{
	BPrivate::register_control_classes();
	const char* text;
	if (archive->FindString("_text", &text) == B_OK)
		SetText(text);
	int32 align;
	if (archive->FindInt32("_align", &align) == B_OK && align >= B_ALIGN_LEFT &&
		align <= B_ALIGN_CENTER)
		fAlign = alignment(align);
}

BStringView::~BStringView() {}

BArchivable*
BStringView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BStringView"))
		return NULL;
	return new BStringView(archive);
}

status_t
BStringView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && fHasText)
		status = archive->AddString("_text", fText.c_str());
	if (status == B_OK)
		status = archive->AddInt32("_align", int32(fAlign));
	return status;
}

void
BStringView::AttachedToWindow()
{
	BView::AttachedToWindow();
}

void
BStringView::Draw(BRect)
{
	if (!fHasText)
		return;
	BRect bounds = Bounds();
	float width = StringWidth(fText.c_str());
	float x = bounds.left;
	if (fAlign == B_ALIGN_RIGHT)
		x = bounds.right - width;
	else if (fAlign == B_ALIGN_CENTER)
		x = std::floor(bounds.left + (bounds.Width() - width) / 2);
	font_height fh;
	GetFontHeight(&fh);
	float y = BPrivate::centred_baseline(this, bounds.top, bounds.Height());
	SetDrawingMode(B_OP_OVER);
	DrawString(fText.c_str(), BPoint(x, y));
	SetDrawingMode(B_OP_COPY);
}

void
BStringView::SetText(const char* text)
{
	bool has = text != NULL && text[0] != '\0';
	if (has == fHasText && (!has || fText == text))
		return;
	fHasText = has;
	fText = has ? text : "";
	Invalidate();
}

const char*
BStringView::Text() const
{
	return fHasText ? fText.c_str() : NULL;
}

void
BStringView::SetAlignment(alignment flag)
{
	if (flag == fAlign)
		return;
	fAlign = flag;
	Invalidate();
}

alignment
BStringView::Alignment() const
{
	return fAlign;
}

void
BStringView::GetPreferredSize(float* width, float* height)
{
	font_height fh;
	GetFontHeight(&fh);
	if (width != NULL)
		*width = fHasText ? std::ceil(StringWidth(fText.c_str())) : 0;
	if (height != NULL)
		*height = std::ceil(fh.ascent + fh.descent + fh.leading);
}

void
BStringView::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}
