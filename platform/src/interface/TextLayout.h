#ifndef _TEXT_LAYOUT_H
#define _TEXT_LAYOUT_H

// Text measured and drawn with the same Pango layouts, so that widths used for placing things
// are the widths drawing covers.

#include <Font.h>

#include <pango/pangocairo.h>

namespace BPrivate {

// Starts fontconfig once; the first caller should be the main thread, before any window.
void init_fonts();

float text_width(const BFont& font, const char* text, int32 length);
void text_height(const BFont& font, font_height* height);

// Draws the text with its baseline starting at (x, baseline) in the context's coordinates.
void draw_text(cairo_t* cr, const BFont& font, const char* text, int32 length, double x,
			   double baseline);

} // namespace BPrivate

#endif
