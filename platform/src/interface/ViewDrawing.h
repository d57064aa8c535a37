#ifndef _VIEW_DRAWING_H
#define _VIEW_DRAWING_H

// A Cairo context set up for one drawing call of a view: the origin at the view's (0,0), clipped
// to the view and its ancestors, with the view's pen. Inside the view's Draw it is the window's
// update context; outside, a context of its own on the window's image, whose result the window
// presents after the message at hand.

#include <GraphicsDefs.h>

#include <cairo.h>

class BView;

namespace BPrivate {

class ViewDrawing {
public:
	explicit ViewDrawing(const BView* view);
	~ViewDrawing();

	ViewDrawing(const ViewDrawing&) = delete;
	ViewDrawing& operator=(const ViewDrawing&) = delete;

	cairo_t* Context() const { return fContext; }
	// Sets the source for shapes drawn with the pattern in the view's drawing mode.
	void SetSource(const ::pattern& pattern);
	void SetSourceColor(rgb_color color);
	// Where a 1-pixel line through pixel coordinate v lies.
	double Align(float v) const;

private:
	const BView* fView;
	cairo_t* fContext;
	bool fOwned;
	cairo_surface_t* fPattern;
};

} // namespace BPrivate

#endif
