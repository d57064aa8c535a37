#include <View.h>

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

BPoint
BView::PenLocation() const
{
	return fPenLocation;
}
