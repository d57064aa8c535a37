#include <Window.h>

#include <AppDefs.h>
#include <Message.h>
#include <View.h>

#include "Display.h"
#include "DisplayScale.h"
#include "WindowPrivate.h"

#include <cmath>

namespace BPrivate {

namespace {

cairo_rectangle_int_t
pixel_rect(BRect rect)
{
	cairo_rectangle_int_t r;
	r.x = int(floorf(rect.left));
	r.y = int(floorf(rect.top));
	r.width = int(floorf(rect.right)) - r.x + 1;
	r.height = int(floorf(rect.bottom)) - r.y + 1;
	return r;
}

} // namespace

void
clip_to_pixels(cairo_t* cr, const cairo_rectangle_int_t& area)
{
	// Whole device pixels only: on a screen of a fractional scale a view's edge may fall inside
	// a device pixel, which then belongs to one view instead of being blended again with every
	// redraw of either.
	cairo_antialias_t antialias = cairo_get_antialias(cr);
	cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
	cairo_rectangle(cr, area.x, area.y, area.width, area.height);
	cairo_clip(cr);
	cairo_set_antialias(cr, antialias);
}

void
WindowInternals::DrawView(BView* view, cairo_t* cr, cairo_region_t* dirty,
						  WindowInternals& internals)
{
	if (view->IsHidden(view))
		return;
	BRect visible = view->_VisibleInWindow();
	if (!visible.IsValid())
		return;
	cairo_rectangle_int_t area = pixel_rect(visible);
	if (cairo_region_contains_rectangle(dirty, &area) == CAIRO_REGION_OVERLAP_OUT)
		return;

	cairo_region_t* part = cairo_region_create_rectangle(&area);
	cairo_region_intersect(part, dirty);
	cairo_rectangle_int_t extents;
	cairo_region_get_extents(part, &extents);

	cairo_save(cr);
	clip_to_pixels(cr, area);
	rgb_color color = view->ViewColor();
	if (color != B_TRANSPARENT_COLOR) {
		cairo_set_source_rgb(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
		cairo_paint(cr);
	}
	if ((view->Flags() & B_WILL_DRAW) != 0) {
		BPoint origin = view->_WindowOrigin();
		cairo_translate(cr, origin.x, origin.y);
		BRect update(extents.x - origin.x, extents.y - origin.y,
					 extents.x + extents.width - 1 - origin.x,
					 extents.y + extents.height - 1 - origin.y);
		cairo_save(cr);
		internals.drawingView = view;
		view->Draw(update);
		internals.drawingView = nullptr;
		cairo_restore(cr);
	}
	cairo_restore(cr);
	cairo_region_destroy(part);

	for (int32 i = 0; i < view->CountChildren(); i++)
		DrawView(view->ChildAt(i), cr, dirty, internals);
}

void
WindowInternals::InvalidateRect(BWindow* window, BRect windowRect)
{
	WindowInternals& internals = Of(window);
	if (internals.dirty == nullptr)
		internals.dirty = cairo_region_create();
	if (windowRect.IsValid()) {
		cairo_rectangle_int_t r = pixel_rect(windowRect);
		cairo_region_union_rectangle(internals.dirty, &r);
	}
	if (!internals.updatePosted && internals.updatesDisabled == 0) {
		internals.updatePosted = true;
		window->PostMessage(_UPDATE_);
	}
}

void
WindowInternals::HandleUpdate(BWindow* window)
{
	WindowInternals& internals = Of(window);
	// The picture a window appears with is the one it settles on: what was queued as it was
	// shown (a page its constructor chose, say) is handled first, rather than drawing the
	// window once without it and again with it.
	if (internals.unsettled > 0 && window->IsMessageWaiting()) {
		internals.unsettled--;
		internals.updatePosted = true;
		window->PostMessage(_UPDATE_);
		return;
	}
	Update(window);
}

void
WindowInternals::Update(BWindow* window)
{
	WindowInternals& internals = Of(window);
	internals.updatePosted = false;
	if (internals.updatesDisabled > 0 || internals.updateContext != nullptr)
		return;
	if (window->IsHidden()) {
		// Drawn again in full when shown.
		if (internals.dirty != nullptr)
			cairo_region_destroy(internals.dirty);
		internals.dirty = nullptr;
		internals.framePending = false;
		return;
	}
	internals.unsettled = 0;
	BRect bounds = window->Bounds();
	Display* display = Display::Default();
	float scale = display->Scale();
	int width = device_length(bounds.IntegerWidth() + 1, scale);
	int height = device_length(bounds.IntegerHeight() + 1, scale);
	if (width <= 0 || height <= 0)
		return;
	bool resized = internals.surface == nullptr ||
				   cairo_image_surface_get_width(internals.surface) != width ||
				   cairo_image_surface_get_height(internals.surface) != height;
	// The display may still read the image presented last.
	if (internals.surface != nullptr &&
		(resized || (internals.dirty != nullptr && !cairo_region_is_empty(internals.dirty))))
		display->WillDraw(window);
	if (resized) {
		if (internals.surface != nullptr)
			cairo_surface_destroy(internals.surface);
		internals.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
		if (internals.dirty != nullptr)
			cairo_region_destroy(internals.dirty);
		cairo_rectangle_int_t all = {0, 0, bounds.IntegerWidth() + 1, bounds.IntegerHeight() + 1};
		internals.dirty = cairo_region_create_rectangle(&all);
	}
	// What the display is told changed: the dirty pixels, or everything after drawing done
	// outside an update (it may have reached anywhere) or into a new image.
	bool whole = resized || internals.framePending;
	BRect changed;
	bool drew = false;
	if (internals.dirty != nullptr && !cairo_region_is_empty(internals.dirty)) {
		cairo_region_t* dirty = internals.dirty;
		internals.dirty = nullptr;
		cairo_t* cr = cairo_create(internals.surface);
		// The dirty pixels, widened to whole device pixels, then everything drawn in the
		// platform's coordinates at the screen's resolution.
		int count = cairo_region_num_rectangles(dirty);
		for (int i = 0; i < count; i++) {
			cairo_rectangle_int_t r;
			cairo_region_get_rectangle(dirty, i, &r);
			int left = int(floor(r.x * double(scale)));
			int top = int(floor(r.y * double(scale)));
			int right = device_length(r.x + r.width, scale);
			int bottom = device_length(r.y + r.height, scale);
			cairo_rectangle(cr, left, top, right - left, bottom - top);
			BRect pixels(left, top, right - 1, bottom - 1);
			changed = changed.IsValid() ? changed | pixels : pixels;
		}
		cairo_clip(cr);
		if (scale != 1.0f)
			cairo_scale(cr, scale, scale);
		internals.updateContext = cr;
		DrawView(window->fTopView, cr, dirty, internals);
		internals.updateContext = nullptr;
		cairo_destroy(cr);
		cairo_region_destroy(dirty);
		drew = true;
	}
	if (drew || internals.framePending) {
		internals.framePending = false;
		cairo_surface_flush(internals.surface);
		display->Present(window, cairo_image_surface_get_data(internals.surface), width, height,
						 cairo_image_surface_get_stride(internals.surface),
						 whole || !changed.IsValid() ? nullptr : &changed);
	}
}

BView*
WindowInternals::ViewAt(BView* top, BPoint windowPoint)
{
	BView* view = top;
	BPoint local = windowPoint;
	for (;;) {
		BView* hit = NULL;
		// Later children lie on top of earlier ones.
		for (int32 i = view->CountChildren() - 1; i >= 0; i--) {
			BView* child = view->ChildAt(i);
			if (child->fShowLevel > 0)
				continue;
			if (child->Frame().Contains(local)) {
				hit = child;
				break;
			}
		}
		if (hit == NULL)
			return view;
		local = hit->ConvertFromParent(local);
		view = hit;
	}
}

} // namespace BPrivate
