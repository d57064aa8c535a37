#include <View.h>

#include <Window.h>

#include "WindowPrivate.h"

#include <cmath>

using BPrivate::WindowInternals;

BRect
BView::Bounds() const
{
	return BRect(0, 0, fFrame.Width(), fFrame.Height());
}

BRect
BView::Frame() const
{
	return fFrame;
}

void
BView::MoveBy(float dh, float dv)
{
	MoveTo(fFrame.left + dh, fFrame.top + dv);
}

void
BView::MoveTo(BPoint where)
{
	MoveTo(where.x, where.y);
}

void
BView::MoveTo(float x, float y)
{
	x = roundf(x);
	y = roundf(y);
	if (x == fFrame.left && y == fFrame.top)
		return;
	BRect before = fOwner != NULL ? _VisibleInWindow() : BRect();
	fFrame.OffsetTo(x, y);
	if (fOwner != NULL) {
		if (before.IsValid())
			WindowInternals::InvalidateRect(fOwner, before);
		Invalidate();
	}
	_FrameChanged(true, false);
}

void
BView::ResizeBy(float dh, float dv)
{
	ResizeTo(fFrame.Width() + dh, fFrame.Height() + dv);
}

void
BView::ResizeTo(float width, float height)
{
	width = roundf(width);
	height = roundf(height);
	float dh = width - fFrame.Width();
	float dv = height - fFrame.Height();
	if (dh == 0 && dv == 0)
		return;
	BRect before = fOwner != NULL ? _VisibleInWindow() : BRect();
	fFrame.right = fFrame.left + width;
	fFrame.bottom = fFrame.top + height;
	for (BView* child : fChildren)
		child->_ParentResizedBy(dh, dv);
	if (fOwner != NULL) {
		if (before.IsValid())
			WindowInternals::InvalidateRect(fOwner, before);
		Invalidate();
	}
	_FrameChanged(false, true);
}

void
BView::_FrameChanged(bool moved, bool resized)
{
	if (fOwner == NULL || (fFlags & B_FRAME_EVENTS) == 0)
		return;
	if (moved)
		FrameMoved(fFrame.LeftTop());
	if (resized)
		FrameResized(fFrame.Width(), fFrame.Height());
}

void
BView::_ParentResizedBy(float dh, float dv)
{
	uint32 mode = ResizingMode();
	uint32 top = (mode >> 12) & 0xf;
	uint32 left = (mode >> 8) & 0xf;
	uint32 bottom = (mode >> 4) & 0xf;
	uint32 right = mode & 0xf;
	auto shift = [](uint32 rule, uint32 farRule, float delta) -> float {
		if (rule == farRule)
			return delta;
		if (rule == _VIEW_CENTER_)
			return roundf(delta / 2);
		return 0;
	};
	BRect frame = fFrame;
	frame.left += shift(left, _VIEW_RIGHT_, dh);
	frame.right += shift(right, _VIEW_RIGHT_, dh);
	frame.top += shift(top, _VIEW_BOTTOM_, dv);
	frame.bottom += shift(bottom, _VIEW_BOTTOM_, dv);
	if (frame.LeftTop() != fFrame.LeftTop())
		MoveTo(frame.LeftTop());
	if (frame.Width() != fFrame.Width() || frame.Height() != fFrame.Height())
		ResizeTo(frame.Width(), frame.Height());
}

BPoint
BView::_WindowOrigin() const
{
	BPoint origin(0, 0);
	for (const BView* view = this; view != NULL; view = view->fParent) {
		if (view->fTopLevel)
			break;
		origin += view->fFrame.LeftTop();
	}
	return origin;
}

BRect
BView::_VisibleInWindow() const
{
	BRect visible = Bounds().OffsetByCopy(_WindowOrigin().x, _WindowOrigin().y);
	for (const BView* view = fParent; view != NULL; view = view->fParent)
		visible =
			visible & view->Bounds().OffsetByCopy(view->_WindowOrigin().x, view->_WindowOrigin().y);
	return visible;
}

void
BView::ConvertToParent(BPoint* point) const
{
	*point += fFrame.LeftTop();
}

BPoint
BView::ConvertToParent(BPoint point) const
{
	ConvertToParent(&point);
	return point;
}

void
BView::ConvertFromParent(BPoint* point) const
{
	*point -= fFrame.LeftTop();
}

BPoint
BView::ConvertFromParent(BPoint point) const
{
	ConvertFromParent(&point);
	return point;
}

void
BView::ConvertToParent(BRect* rect) const
{
	rect->OffsetBy(fFrame.LeftTop());
}

BRect
BView::ConvertToParent(BRect rect) const
{
	ConvertToParent(&rect);
	return rect;
}

void
BView::ConvertFromParent(BRect* rect) const
{
	rect->OffsetBy(-fFrame.left, -fFrame.top);
}

BRect
BView::ConvertFromParent(BRect rect) const
{
	ConvertFromParent(&rect);
	return rect;
}

void
BView::ConvertToScreen(BPoint* point) const
{
	*point += _WindowOrigin();
	if (fOwner != NULL)
		fOwner->ConvertToScreen(point);
}

BPoint
BView::ConvertToScreen(BPoint point) const
{
	ConvertToScreen(&point);
	return point;
}

void
BView::ConvertFromScreen(BPoint* point) const
{
	if (fOwner != NULL)
		fOwner->ConvertFromScreen(point);
	*point -= _WindowOrigin();
}

BPoint
BView::ConvertFromScreen(BPoint point) const
{
	ConvertFromScreen(&point);
	return point;
}

void
BView::ConvertToScreen(BRect* rect) const
{
	BPoint offset = ConvertToScreen(B_ORIGIN);
	rect->OffsetBy(offset);
}

BRect
BView::ConvertToScreen(BRect rect) const
{
	ConvertToScreen(&rect);
	return rect;
}

void
BView::ConvertFromScreen(BRect* rect) const
{
	BPoint offset = ConvertFromScreen(B_ORIGIN);
	rect->OffsetBy(offset);
}

BRect
BView::ConvertFromScreen(BRect rect) const
{
	ConvertFromScreen(&rect);
	return rect;
}

void
BView::GetPreferredSize(float* width, float* height)
{
	if (width != NULL)
		*width = fFrame.Width();
	if (height != NULL)
		*height = fFrame.Height();
}

void
BView::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}
