#include <View.h>

#include <Bitmap.h>

#include "Display.h"
#include "TextLayout.h"
#include "ViewDrawing.h"

#include <cmath>
#include <cstring>

using BPrivate::ViewDrawing;

void
BView::SetFont(const BFont* font, uint32 mask)
{
	if (font == NULL)
		return;
	if ((mask & B_FONT_FAMILY_AND_STYLE) != 0) {
		font_family family;
		font_style style;
		font->GetFamilyAndStyle(&family, &style);
		fFont.SetFamilyAndStyle(family, style);
	}
	if ((mask & B_FONT_SIZE) != 0)
		fFont.SetSize(font->Size());
	if ((mask & B_FONT_SHEAR) != 0)
		fFont.SetShear(font->Shear());
	if ((mask & B_FONT_ROTATION) != 0)
		fFont.SetRotation(font->Rotation());
	if ((mask & B_FONT_SPACING) != 0)
		fFont.SetSpacing(font->Spacing());
	if ((mask & B_FONT_ENCODING) != 0)
		fFont.SetEncoding(font->Encoding());
	if ((mask & B_FONT_FACE) != 0)
		fFont.SetFace(font->Face());
	if ((mask & B_FONT_FLAGS) != 0)
		fFont.SetFlags(font->Flags());
	fFontSet = true;
}

void
BView::GetFont(BFont* font) const
{
	if (font != NULL)
		*font = fFont;
}

void
BView::SetFontSize(float size)
{
	BFont font;
	font.SetSize(size);
	SetFont(&font, B_FONT_SIZE);
}

float
BView::StringWidth(const char* string) const
{
	return fFont.StringWidth(string);
}

float
BView::StringWidth(const char* string, int32 length) const
{
	return fFont.StringWidth(string, length);
}

void
BView::GetFontHeight(font_height* height) const
{
	fFont.GetHeight(height);
}

void
BView::DrawString(const char* string, escapement_delta* delta)
{
	DrawString(string, -1, fPenLocation, delta);
}

void
BView::DrawString(const char* string, int32 length, escapement_delta* delta)
{
	DrawString(string, length, fPenLocation, delta);
}

void
BView::DrawString(const char* string, BPoint location, escapement_delta* delta)
{
	DrawString(string, -1, location, delta);
}

void
BView::DrawString(const char* string, int32 length, BPoint location, escapement_delta*)
{
	if (string == NULL)
		return;
	if (length < 0)
		length = int32(strlen(string));
	fPenLocation = BPoint(location.x + StringWidth(string, length), location.y);
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL)
		return;
	rgb_color color = fDrawingMode == B_OP_ERASE ? fLowColor : fHighColor;
	drawing.SetSourceColor(color);
	BPrivate::draw_text(cr, fFont, string, length, location.x, location.y);
}

namespace {

// The bitmap's pixels as a premultiplied Cairo image, or NULL for colour spaces not drawn.
cairo_surface_t*
bitmap_surface(const BBitmap* bitmap, drawing_mode mode)
{
	if (bitmap == NULL || bitmap->InitCheck() != B_OK)
		return NULL;
	color_space space = bitmap->ColorSpace();
	if (space != B_RGBA32 && space != B_RGB32 && space != B_RGB24 && space != B_GRAY8 &&
		space != B_CMAP8)
		return NULL;
	BRect bounds = bitmap->Bounds();
	int width = bounds.IntegerWidth() + 1;
	int height = bounds.IntegerHeight() + 1;
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
	cairo_surface_flush(surface);
	uint8* out = cairo_image_surface_get_data(surface);
	int outStride = cairo_image_surface_get_stride(surface);
	const uint8* in = static_cast<const uint8*>(bitmap->Bits());
	int32 inStride = bitmap->BytesPerRow();
	for (int y = 0; y < height; y++) {
		const uint8* src = in + y * inStride;
		uint32* dst = reinterpret_cast<uint32*>(out + y * outStride);
		for (int x = 0; x < width; x++) {
			uint8 b, g, r, a = 255;
			if (space == B_RGBA32 || space == B_RGB32) {
				b = src[x * 4];
				g = src[x * 4 + 1];
				r = src[x * 4 + 2];
				a = space == B_RGBA32 ? src[x * 4 + 3] : 255;
				if (space == B_RGB32 && b == 0x77 && g == 0x74 && r == 0x77)
					a = 0;
			} else if (space == B_RGB24) {
				b = src[x * 3];
				g = src[x * 3 + 1];
				r = src[x * 3 + 2];
			} else {
				b = g = r = src[x];
			}
			// Copy ignores alpha; over keeps or drops each pixel whole; alpha blends.
			if (mode == B_OP_COPY)
				a = 255;
			else if (mode != B_OP_ALPHA)
				a = a < 128 ? 0 : 255;
			dst[x] = (uint32(a) << 24) | (uint32(r * a / 255) << 16) | (uint32(g * a / 255) << 8) |
					 uint32(b * a / 255);
		}
	}
	cairo_surface_mark_dirty(surface);
	return surface;
}

} // namespace

void
BView::DrawBitmap(const BBitmap* bitmap)
{
	DrawBitmap(bitmap, B_ORIGIN);
}

void
BView::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
	if (bitmap == NULL)
		return;
	BRect bounds = bitmap->Bounds();
	DrawBitmap(bitmap, bounds, bounds.OffsetToCopy(where.x, where.y));
}

void
BView::DrawBitmap(const BBitmap* bitmap, BRect destRect)
{
	if (bitmap == NULL)
		return;
	DrawBitmap(bitmap, bitmap->Bounds(), destRect);
}

void
BView::DrawBitmap(const BBitmap* bitmap, BRect bitmapRect, BRect viewRect)
{
	if (!bitmapRect.IsValid() || !viewRect.IsValid())
		return;
	ViewDrawing drawing(this);
	cairo_t* cr = drawing.Context();
	if (cr == NULL)
		return;
	cairo_surface_t* surface = bitmap_surface(bitmap, fDrawingMode);
	if (surface == NULL)
		return;
	BRect bounds = bitmap->Bounds();
	double sx = (viewRect.Width() + 1) / (bitmapRect.Width() + 1);
	double sy = (viewRect.Height() + 1) / (bitmapRect.Height() + 1);
	double left = floor(viewRect.left);
	double top = floor(viewRect.top);
	cairo_rectangle(cr, left, top, viewRect.Width() + 1, viewRect.Height() + 1);
	cairo_clip(cr);
	cairo_translate(cr, left, top);
	cairo_scale(cr, sx, sy);
	cairo_set_source_surface(cr, surface, -(bitmapRect.left - bounds.left),
							 -(bitmapRect.top - bounds.top));
	// Scaled bitmaps are not smoothed unless asked for, as on the platform; a bitmap drawn at
	// its own size on a denser screen is, rather than shown in blocks.
	bool ownSize = sx == 1.0 && sy == 1.0;
	bool dense = BPrivate::Display::Default()->Scale() != 1.0f;
	cairo_pattern_t* source = cairo_get_source(cr);
	if (ownSize && dense) {
		cairo_pattern_set_filter(source, CAIRO_FILTER_GOOD);
		// Edge pixels spread to the edge, not faded into nothing.
		cairo_pattern_set_extend(source, CAIRO_EXTEND_PAD);
	} else {
		cairo_pattern_set_filter(source, CAIRO_FILTER_NEAREST);
	}
	cairo_paint(cr);
	cairo_surface_destroy(surface);
}
