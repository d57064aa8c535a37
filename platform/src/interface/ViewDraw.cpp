#include <View.h>

#include <Window.h>

#include "ViewDrawing.h"
#include "WindowPrivate.h"

#include <cmath>
#include <cstring>

using BPrivate::ViewDrawing;
using BPrivate::WindowInternals;

namespace BPrivate {

ViewDrawing::ViewDrawing(const BView* view)
	: fView(view), fContext(NULL), fOwned(false), fPattern(NULL)
{
	BWindow* window = view->fOwner;
	if (window == NULL)
		return;
	WindowInternals& internals = WindowInternals::Of(window);
	if (internals.updateContext != NULL && internals.drawingView == view) {
		fContext = internals.updateContext;
		cairo_save(fContext);
	} else {
		if (view->IsHidden() || internals.surface == NULL)
			return;
		BRect visible = view->_VisibleInWindow();
		if (!visible.IsValid())
			return;
		fContext = cairo_create(internals.surface);
		fOwned = true;
		cairo_rectangle(fContext, visible.left, visible.top, visible.Width() + 1,
						visible.Height() + 1);
		cairo_clip(fContext);
		BPoint origin = view->_WindowOrigin();
		cairo_translate(fContext, origin.x, origin.y);
		internals.framePending = true;
		WindowInternals::InvalidateRect(window, BRect());
	}
	cairo_set_line_width(fContext, view->fPenSize < 1.0f ? 1.0 : view->fPenSize);
	cairo_set_line_cap(fContext, CAIRO_LINE_CAP_SQUARE);
	cairo_set_line_join(fContext, CAIRO_LINE_JOIN_MITER);
	cairo_set_operator(fContext, CAIRO_OPERATOR_OVER);
}

ViewDrawing::~ViewDrawing()
{
	if (fContext != NULL) {
		if (fOwned)
			cairo_destroy(fContext);
		else
			cairo_restore(fContext);
	}
	if (fPattern != NULL)
		cairo_surface_destroy(fPattern);
}

double
ViewDrawing::Align(float v) const
{
	float size = fView->fPenSize < 1.0f ? 1.0f : fView->fPenSize;
	double base = floor(v);
	if (int(roundf(size)) % 2 == 1)
		return base + 0.5;
	return base;
}

void
ViewDrawing::SetSourceColor(rgb_color color)
{
	double alpha = 1.0;
	switch (fView->fDrawingMode) {
	case B_OP_ALPHA:
		alpha = color.alpha / 255.0;
		break;
	case B_OP_BLEND:
		alpha = 0.5;
		break;
	case B_OP_INVERT:
		color = make_color(255, 255, 255);
		cairo_set_operator(fContext, CAIRO_OPERATOR_DIFFERENCE);
		break;
	case B_OP_ADD:
		cairo_set_operator(fContext, CAIRO_OPERATOR_ADD);
		break;
	case B_OP_SUBTRACT:
		cairo_set_operator(fContext, CAIRO_OPERATOR_DIFFERENCE);
		break;
	case B_OP_MIN:
		cairo_set_operator(fContext, CAIRO_OPERATOR_DARKEN);
		break;
	case B_OP_MAX:
		cairo_set_operator(fContext, CAIRO_OPERATOR_LIGHTEN);
		break;
	default:
		break;
	}
	cairo_set_source_rgba(fContext, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
						  alpha);
}

void
ViewDrawing::SetSource(const ::pattern& pattern)
{
	rgb_color high = fView->fHighColor;
	rgb_color low = fView->fLowColor;
	if (fView->fDrawingMode == B_OP_ERASE)
		high = low;
	if (memcmp(&pattern, &B_SOLID_HIGH, sizeof(pattern)) == 0) {
		SetSourceColor(high);
		return;
	}
	if (memcmp(&pattern, &B_SOLID_LOW, sizeof(pattern)) == 0) {
		SetSourceColor(low);
		return;
	}
	// A real pattern: set bits take the high colour, clear ones the low colour, or nothing
	// when the mode draws over what is there.
	bool over = fView->fDrawingMode == B_OP_OVER;
	fPattern = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
	cairo_surface_flush(fPattern);
	uint8* data = cairo_image_surface_get_data(fPattern);
	int stride = cairo_image_surface_get_stride(fPattern);
	for (int y = 0; y < 8; y++) {
		uint32* row = reinterpret_cast<uint32*>(data + y * stride);
		for (int x = 0; x < 8; x++) {
			bool set = (pattern.data[y] & (0x80 >> x)) != 0;
			rgb_color c = set ? high : low;
			if (!set && over)
				row[x] = 0;
			else
				row[x] = 0xff000000u | (uint32(c.red) << 16) | (uint32(c.green) << 8) | c.blue;
		}
	}
	cairo_surface_mark_dirty(fPattern);
	cairo_pattern_t* source = cairo_pattern_create_for_surface(fPattern);
	cairo_pattern_set_extend(source, CAIRO_EXTEND_REPEAT);
	cairo_pattern_set_filter(source, CAIRO_FILTER_NEAREST);
	cairo_set_source(fContext, source);
	cairo_pattern_destroy(source);
}

} // namespace BPrivate

// Colours.

void
BView::SetViewColor(rgb_color color)
{
	fViewColor = color;
	fUIWhich[2] = B_NO_COLOR;
}

void
BView::SetViewColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
	SetViewColor(make_color(red, green, blue, alpha));
}

rgb_color
BView::ViewColor() const
{
	return fViewColor;
}

void
BView::SetViewUIColor(color_which which, float tint)
{
	fViewColor = tint_color(ui_color(which), tint);
	fUIWhich[2] = which;
	fUITint[2] = tint;
}

color_which
BView::ViewUIColor(float* tint) const
{
	if (tint != NULL)
		*tint = fUITint[2];
	return fUIWhich[2];
}

void
BView::SetHighColor(rgb_color color)
{
	fHighColor = color;
	fUIWhich[0] = B_NO_COLOR;
}

void
BView::SetHighColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
	SetHighColor(make_color(red, green, blue, alpha));
}

rgb_color
BView::HighColor() const
{
	return fHighColor;
}

void
BView::SetHighUIColor(color_which which, float tint)
{
	fHighColor = tint_color(ui_color(which), tint);
	fUIWhich[0] = which;
	fUITint[0] = tint;
}

color_which
BView::HighUIColor(float* tint) const
{
	if (tint != NULL)
		*tint = fUITint[0];
	return fUIWhich[0];
}

void
BView::SetLowColor(rgb_color color)
{
	fLowColor = color;
	fUIWhich[1] = B_NO_COLOR;
}

void
BView::SetLowColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
	SetLowColor(make_color(red, green, blue, alpha));
}

rgb_color
BView::LowColor() const
{
	return fLowColor;
}

void
BView::SetLowUIColor(color_which which, float tint)
{
	fLowColor = tint_color(ui_color(which), tint);
	fUIWhich[1] = which;
	fUITint[1] = tint;
}

color_which
BView::LowUIColor(float* tint) const
{
	if (tint != NULL)
		*tint = fUITint[1];
	return fUIWhich[1];
}

// The pen.

void
BView::SetDrawingMode(drawing_mode mode)
{
	fDrawingMode = mode;
	fDrawingModeSet = true;
}

drawing_mode
BView::DrawingMode() const
{
	return fDrawingMode;
}

void
BView::SetBlendingMode(source_alpha srcAlpha, alpha_function alphaFunc)
{
	fSourceAlpha = srcAlpha;
	fAlphaFunction = alphaFunc;
	fBlendingSet = true;
}

void
BView::GetBlendingMode(source_alpha* srcAlpha, alpha_function* alphaFunc) const
{
	if (srcAlpha != NULL)
		*srcAlpha = fSourceAlpha;
	if (alphaFunc != NULL)
		*alphaFunc = fAlphaFunction;
}

void
BView::SetPenSize(float size)
{
	fPenSize = size;
	fPenSizeSet = true;
}

float
BView::PenSize() const
{
	return fPenSize;
}

void
BView::MovePenTo(BPoint point)
{
	fPenLocation = point;
	fPenLocationSet = true;
}

void
BView::MovePenTo(float x, float y)
{
	MovePenTo(BPoint(x, y));
}

void
BView::MovePenBy(float x, float y)
{
	MovePenTo(fPenLocation.x + x, fPenLocation.y + y);
}

BPoint
BView::PenLocation() const
{
	return fPenLocation;
}

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
round_rect_path(cairo_t* cr, double left, double top, double right, double bottom, double rx,
				double ry)
{
	if (rx <= 0 || ry <= 0) {
		cairo_rectangle(cr, left, top, right - left, bottom - top);
		return;
	}
	auto corner = [cr, rx, ry](double cx, double cy, double from, double to) {
		cairo_save(cr);
		cairo_translate(cr, cx, cy);
		cairo_scale(cr, rx, ry);
		cairo_arc(cr, 0, 0, 1, from, to);
		cairo_restore(cr);
	};
	cairo_new_sub_path(cr);
	corner(right - rx, top + ry, -M_PI / 2, 0);
	corner(right - rx, bottom - ry, 0, M_PI / 2);
	corner(left + rx, bottom - ry, M_PI / 2, M_PI);
	corner(left + rx, top + ry, M_PI, 3 * M_PI / 2);
	cairo_close_path(cr);
}

} // namespace

void
BView::StrokeRoundRect(BRect rect, float xRadius, float yRadius, ::pattern pattern)
{
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL || !rect.IsValid())
		return;
	drawing.SetSource(pattern);
	round_rect_path(cr, drawing.Align(rect.left), drawing.Align(rect.top),
					drawing.Align(rect.right), drawing.Align(rect.bottom), xRadius, yRadius);
	cairo_stroke(cr);
}

void
BView::FillRoundRect(BRect rect, float xRadius, float yRadius, ::pattern pattern)
{
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL || !rect.IsValid())
		return;
	drawing.SetSource(pattern);
	round_rect_path(cr, floor(rect.left), floor(rect.top), floor(rect.right) + 1,
					floor(rect.bottom) + 1, xRadius, yRadius);
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
BView::StrokeTriangle(BPoint pt1, BPoint pt2, BPoint pt3, ::pattern pattern)
{
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL)
		return;
	drawing.SetSource(pattern);
	cairo_move_to(cr, drawing.Align(pt1.x), drawing.Align(pt1.y));
	cairo_line_to(cr, drawing.Align(pt2.x), drawing.Align(pt2.y));
	cairo_line_to(cr, drawing.Align(pt3.x), drawing.Align(pt3.y));
	cairo_close_path(cr);
	cairo_stroke(cr);
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
