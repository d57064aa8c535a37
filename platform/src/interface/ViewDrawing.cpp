#include "ViewDrawing.h"

#include <View.h>
#include <Window.h>

#include "Display.h"
#include "WindowPrivate.h"

#include <cmath>
#include <cstring>

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
		// The display may still read the image presented last.
		Display::Default()->WillDraw(window);
		fContext = cairo_create(internals.surface);
		fOwned = true;
		float scale = Display::Default()->Scale();
		if (scale != 1.0f)
			cairo_scale(fContext, scale, scale);
		cairo_rectangle_int_t area = {int(floorf(visible.left)), int(floorf(visible.top)),
									  visible.IntegerWidth() + 1, visible.IntegerHeight() + 1};
		clip_to_pixels(fContext, area);
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
