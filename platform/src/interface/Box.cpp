#include <Box.h>

#include <Message.h>

#include "ControlLook.h"

#include <cmath>

BBox::BBox(BRect frame, const char* name, uint32 resizingMode, uint32 flags, border_style border)
	: BView(frame, name, resizingMode, flags | B_WILL_DRAW | B_FRAME_EVENTS), fHasLabel(false),
	  fStyle(border)
{
	BPrivate::register_control_classes();
	SetFont(be_bold_font);
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
	SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
}

BBox::BBox(BMessage* archive) : BView(archive), fHasLabel(false), fStyle(B_FANCY_BORDER)
{
	BPrivate::register_control_classes();
	const char* label;
	if (archive->FindString("_label", &label) == B_OK)
		SetLabel(label);
	int32 style;
	bool fancy;
	if (archive->FindInt32("_style", &style) == B_OK && style >= B_PLAIN_BORDER &&
		style <= B_NO_BORDER)
		fStyle = border_style(style);
	else if (archive->FindBool("_style", &fancy) == B_OK)
		fStyle = fancy ? B_FANCY_BORDER : B_PLAIN_BORDER;
}

BBox::~BBox() {}

BArchivable*
BBox::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BBox"))
		return NULL;
	return new BBox(archive);
}

status_t
BBox::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && fHasLabel)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && fStyle != B_FANCY_BORDER)
		status = archive->AddInt32("_style", int32(fStyle));
	return status;
}

void
BBox::Draw(BRect)
{
	BRect frame = Bounds();
	font_height fh;
	GetFontHeight(&fh);
	float labelWidth = 0;
	if (fHasLabel) {
		// The top edge runs through the middle of the label.
		frame.top = std::floor((fh.ascent + fh.descent) / 2);
		labelWidth = std::ceil(StringWidth(fLabel.c_str()));
	}
	rgb_color base = BPrivate::panel_color();
	rgb_color dark = tint_color(base, B_DARKEN_2_TINT);
	rgb_color light = ui_color(B_SHINE_COLOR);
	if (fStyle == B_FANCY_BORDER) {
		BRect outer = frame;
		outer.right -= 1;
		outer.bottom -= 1;
		SetHighColor(light);
		StrokeRect(outer.OffsetByCopy(1, 1));
		SetHighColor(dark);
		StrokeRect(outer);
	} else if (fStyle == B_PLAIN_BORDER) {
		SetHighColor(dark);
		StrokeRect(frame);
	}
	if (!fHasLabel)
		return;
	SetHighColor(ViewColor());
	FillRect(BRect(6, 0, 6 + labelWidth + 7, std::ceil(fh.ascent + fh.descent)));
	SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
	SetDrawingMode(B_OP_OVER);
	DrawString(fLabel.c_str(), BPoint(10, std::ceil(fh.ascent)));
	SetDrawingMode(B_OP_COPY);
}

void
BBox::SetBorder(border_style border)
{
	if (border == fStyle)
		return;
	fStyle = border;
	Invalidate();
}

border_style
BBox::Border() const
{
	return fStyle;
}

void
BBox::SetLabel(const char* label)
{
	if (BPrivate::set_optional_label(&fLabel, &fHasLabel, label))
		Invalidate();
}

const char*
BBox::Label() const
{
	return fHasLabel ? fLabel.c_str() : NULL;
}

void
BBox::GetPreferredSize(float* width, float* height)
{
	float w = fHasLabel ? std::ceil(StringWidth(fLabel.c_str())) + 20 : 0;
	float h = 0;
	if (fHasLabel)
		h = BPrivate::line_height(this);
	if (width != NULL)
		*width = w + 4;
	if (height != NULL)
		*height = h + 4;
}
