#include <View.h>

#include <Window.h>

#include "ViewDrawing.h"
#include "WindowPrivate.h"

#include <cmath>
#include <cstring>

using BPrivate::ViewDrawing;
using BPrivate::WindowInternals;

// Shapes. Coordinates are pixels: a line through pixel row y runs along its centre y + 0.5,
// and a filled rectangle covers its right and bottom pixels too.

void
BView::StrokeLine(BPoint toPoint, ::pattern pattern)
{
	StrokeLine(fPenLocation, toPoint, pattern);
}

void
BView::StrokeLine(BPoint start, BPoint end, ::pattern pattern)
{
	fPenLocation = end;
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL)
		return;
	drawing.SetSource(pattern);
	cairo_move_to(cr, drawing.Align(start.x), drawing.Align(start.y));
	cairo_line_to(cr, drawing.Align(end.x), drawing.Align(end.y));
	cairo_stroke(cr);
}

void
BView::StrokeRect(BRect rect, ::pattern pattern)
{
	if (!rect.IsValid())
		return;
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL)
		return;
	drawing.SetSource(pattern);
	double left = drawing.Align(rect.left);
	double top = drawing.Align(rect.top);
	double right = drawing.Align(rect.right);
	double bottom = drawing.Align(rect.bottom);
	if (right == left || bottom == top) {
		cairo_move_to(cr, left, top);
		cairo_line_to(cr, right, bottom);
	} else {
		cairo_rectangle(cr, left, top, right - left, bottom - top);
	}
	cairo_stroke(cr);
}

void
BView::FillRect(BRect rect, ::pattern pattern)
{
	if (!rect.IsValid())
		return;
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL)
		return;
	drawing.SetSource(pattern);
	double left = floor(rect.left);
	double top = floor(rect.top);
	cairo_rectangle(cr, left, top, floor(rect.right) + 1 - left, floor(rect.bottom) + 1 - top);
	cairo_fill(cr);
}

namespace {

void
ellipse_path(cairo_t* cr, double left, double top, double right, double bottom)
{
	double rx = (right - left) / 2;
	double ry = (bottom - top) / 2;
	if (rx <= 0 || ry <= 0)
		return;
	cairo_save(cr);
	cairo_translate(cr, left + rx, top + ry);
	cairo_scale(cr, rx, ry);
	cairo_new_sub_path(cr);
	cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
	cairo_restore(cr);
}

} // namespace

void
BView::StrokeEllipse(BRect rect, ::pattern pattern)
{
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL || !rect.IsValid())
		return;
	drawing.SetSource(pattern);
	ellipse_path(cr, drawing.Align(rect.left), drawing.Align(rect.top), drawing.Align(rect.right),
				 drawing.Align(rect.bottom));
	cairo_stroke(cr);
}

void
BView::FillEllipse(BRect rect, ::pattern pattern)
{
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL || !rect.IsValid())
		return;
	drawing.SetSource(pattern);
	ellipse_path(cr, floor(rect.left), floor(rect.top), floor(rect.right) + 1,
				 floor(rect.bottom) + 1);
	cairo_fill(cr);
}

void
BView::FillTriangle(BPoint pt1, BPoint pt2, BPoint pt3, ::pattern pattern)
{
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL)
		return;
	drawing.SetSource(pattern);
	cairo_move_to(cr, pt1.x + 0.5, pt1.y + 0.5);
	cairo_line_to(cr, pt2.x + 0.5, pt2.y + 0.5);
	cairo_line_to(cr, pt3.x + 0.5, pt3.y + 0.5);
	cairo_close_path(cr);
	// The outline belongs to the triangle, as its pixels do on the platform.
	cairo_fill_preserve(cr);
	cairo_set_line_width(cr, 1.0);
	cairo_stroke(cr);
}

void
BView::BeginLineArray(int32 count)
{
	delete fLineArray;
	fLineArray = new std::vector<LineArrayEntry>();
	if (count > 0)
		fLineArray->reserve(size_t(count));
}

void
BView::AddLine(BPoint start, BPoint end, rgb_color color)
{
	if (fLineArray != NULL)
		fLineArray->push_back(LineArrayEntry{start, end, color});
}

void
BView::EndLineArray()
{
	if (fLineArray == NULL)
		return;
	std::vector<LineArrayEntry>* lines = fLineArray;
	fLineArray = NULL;
	rgb_color high = fHighColor;
	color_which which = fUIWhich[0];
	BPoint pen = fPenLocation;
	for (const LineArrayEntry& line : *lines) {
		fHighColor = line.color;
		StrokeLine(line.start, line.end);
	}
	fHighColor = high;
	fUIWhich[0] = which;
	fPenLocation = pen;
	delete lines;
}

void
BView::Invalidate(BRect invalRect)
{
	if (fOwner == NULL || IsHidden() || !invalRect.IsValid())
		return;
	BRect area = invalRect.OffsetByCopy(_WindowOrigin().x, _WindowOrigin().y) & _VisibleInWindow();
	if (area.IsValid())
		WindowInternals::InvalidateRect(fOwner, area);
}

void
BView::Invalidate()
{
	Invalidate(Bounds());
}
