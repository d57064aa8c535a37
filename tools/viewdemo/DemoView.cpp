#include "DemoView.h"

#include <InterfaceDefs.h>

#include <cmath>
#include <cstdint>

namespace {

// A disc shading from blue to orange, transparent around it.
BBitmap*
make_bitmap()
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, 47, 47), B_RGBA32);
	uint8* bits = static_cast<uint8*>(bitmap->Bits());
	for (int y = 0; y < 48; y++) {
		uint8* row = bits + y * bitmap->BytesPerRow();
		for (int x = 0; x < 48; x++) {
			float dx = x - 23.5f;
			float dy = y - 23.5f;
			bool inside = dx * dx + dy * dy <= 23.0f * 23.0f;
			row[x * 4 + 0] = uint8(255 - x * 5);
			row[x * 4 + 1] = uint8(80 + y * 2);
			row[x * 4 + 2] = uint8(x * 5);
			row[x * 4 + 3] = inside ? 255 : 0;
		}
	}
	return bitmap;
}

} // namespace

DemoView::DemoView(BRect frame)
	: BView(frame, "DemoView", B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE), fBitmap(make_bitmap()),
	  fMarked(false)
{
	SetViewUIColor(B_PANEL_BACKGROUND_COLOR);
}

DemoView::~DemoView()
{
	delete fBitmap;
}

void
DemoView::Draw(BRect)
{
	BRect bounds = Bounds();

	// A frame around the view.
	SetHighColor(120, 120, 120);
	StrokeRect(bounds);

	// A fan of lines.
	for (int i = 0; i <= 8; i++) {
		SetHighColor(uint8(i * 30), 40, uint8(255 - i * 30));
		StrokeLine(BPoint(20, 120), BPoint(20 + i * 15, 20));
	}

	// Rectangles: filled, stroked, and one drawn over the others with alpha.
	SetHighColor(255, 255, 255);
	FillRect(BRect(180, 20, 259, 79));
	SetHighColor(0, 0, 0);
	StrokeRect(BRect(180, 20, 259, 79));
	SetHighColor(40, 140, 60);
	FillRect(BRect(200, 40, 279, 99));
	SetDrawingMode(B_OP_ALPHA);
	SetHighColor(220, 40, 40, 128);
	FillRect(BRect(230, 60, 309, 119));
	SetDrawingMode(B_OP_COPY);
	SetHighColor(0, 0, 160);
	StrokeEllipse(BRect(320, 20, 379, 79));

	// Text in Latin and Japanese.
	SetHighColor(0, 0, 0);
	SetLowColor(ViewColor());
	BFont font(be_bold_font);
	font.SetSize(16);
	SetFont(&font);
	DrawString("View demo", BPoint(20, 160));
	SetFont(be_plain_font);
	SetFontSize(14);
	DrawString("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe8\xa1\xa8\xe7\xa4\xba: "
			   "\xe3\x81\x8b\xe3\x81\xaa\xe6\xbc\xa2\xe5\xad\x97\xe5\xa4\x89\xe6\x8f\x9b",
			   BPoint(20, 190));
	font_height height;
	GetFontHeight(&height);
	float width = StringWidth("Zorvy \xe7\x92\xb0\xe5\xa2\x83\xe8\xa8\xad\xe5\xae\x9a");
	float baseline = 220;
	DrawString("Zorvy \xe7\x92\xb0\xe5\xa2\x83\xe8\xa8\xad\xe5\xae\x9a", BPoint(20, baseline));
	// The text's measured box, drawn around it.
	SetHighColor(200, 0, 0);
	StrokeRect(BRect(19, floorf(baseline - height.ascent) - 1, ceilf(20 + width),
					 ceilf(baseline + height.descent)));

	// The bitmap, over the background and blended.
	SetDrawingMode(B_OP_ALPHA);
	DrawBitmap(fBitmap, BPoint(320, 180));
	SetDrawingMode(B_OP_COPY);
	DrawBitmap(fBitmap, BRect(0, 0, 47, 47), BRect(250, 180, 273, 203));

	if (fMarked) {
		SetHighColor(255, 0, 255);
		FillRect(MarkFrame());
	}
}

void
DemoView::MouseDown(BPoint where)
{
	// Marks where it was clicked, so a click shows in the next frame: only the old mark and
	// the new one are drawn again.
	if (fMarked)
		Invalidate(MarkFrame());
	fMark = where;
	fMarked = true;
	Invalidate(MarkFrame());
}

BRect
DemoView::MarkFrame() const
{
	return BRect(fMark.x - 2, fMark.y - 2, fMark.x + 2, fMark.y + 2);
}
