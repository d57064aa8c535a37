#include <Window.h>

#include <AppDefs.h>
#include <Message.h>
#include <Screen.h>
#include <View.h>

#include "Display.h"
#include "WindowPrivate.h"

#include <algorithm>
#include <cmath>

using BPrivate::Display;
using BPrivate::WindowInternals;

BRect
BWindow::Frame() const
{
	std::lock_guard<std::mutex> guard(fInternals->stateLock);
	return fInternals->frame;
}

BRect
BWindow::Bounds() const
{
	return Frame().OffsetToCopy(0, 0);
}

void
BWindow::MoveBy(float dx, float dy)
{
	BRect frame = Frame();
	MoveTo(frame.left + dx, frame.top + dy);
}

void
BWindow::MoveTo(BPoint where)
{
	MoveTo(where.x, where.y);
}

void
BWindow::MoveTo(float x, float y)
{
	BRect frame;
	{
		std::lock_guard<std::mutex> guard(fInternals->stateLock);
		x = roundf(x);
		y = roundf(y);
		if (fInternals->frame.left == x && fInternals->frame.top == y)
			return;
		fInternals->frame.OffsetTo(x, y);
		frame = fInternals->frame;
	}
	if (fInternals->onDisplay.load())
		Display::Default()->SetWindowFrame(this, frame);
	BMessage moved(B_WINDOW_MOVED);
	moved.AddInt64("when", system_time());
	moved.AddPoint("where", frame.LeftTop());
	PostMessage(&moved);
}

void
BWindow::ResizeBy(float dx, float dy)
{
	BRect frame = Frame();
	ResizeTo(frame.Width() + dx, frame.Height() + dy);
}

void
BWindow::ResizeTo(float width, float height)
{
	BRect frame;
	{
		std::lock_guard<std::mutex> guard(fInternals->stateLock);
		WindowInternals& in = *fInternals;
		width = roundf(std::max(in.minWidth, std::min(in.maxWidth, width)));
		height = roundf(std::max(in.minHeight, std::min(in.maxHeight, height)));
		if (in.frame.Width() == width && in.frame.Height() == height)
			return;
		in.frame.right = in.frame.left + width;
		in.frame.bottom = in.frame.top + height;
		frame = in.frame;
	}
	fTopView->ResizeTo(width, height);
	fTopView->Invalidate();
	if (fInternals->onDisplay.load())
		Display::Default()->SetWindowFrame(this, frame);
	BMessage resized(B_WINDOW_RESIZED);
	resized.AddInt64("when", system_time());
	resized.AddInt32("width", int32(width));
	resized.AddInt32("height", int32(height));
	PostMessage(&resized);
}

void
BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
	std::lock_guard<std::mutex> guard(fInternals->stateLock);
	fInternals->minWidth = minWidth;
	fInternals->maxWidth = maxWidth;
	fInternals->minHeight = minHeight;
	fInternals->maxHeight = maxHeight;
}

void
BWindow::ConvertToScreen(BPoint* point) const
{
	*point += Frame().LeftTop();
}

BPoint
BWindow::ConvertToScreen(BPoint point) const
{
	ConvertToScreen(&point);
	return point;
}

void
BWindow::ConvertFromScreen(BPoint* point) const
{
	*point -= Frame().LeftTop();
}

BPoint
BWindow::ConvertFromScreen(BPoint point) const
{
	ConvertFromScreen(&point);
	return point;
}

void
BWindow::ConvertToScreen(BRect* rect) const
{
	rect->OffsetBy(Frame().LeftTop());
}

BRect
BWindow::ConvertToScreen(BRect rect) const
{
	ConvertToScreen(&rect);
	return rect;
}

void
BWindow::ConvertFromScreen(BRect* rect) const
{
	BPoint origin = Frame().LeftTop();
	rect->OffsetBy(-origin.x, -origin.y);
}

BRect
BWindow::ConvertFromScreen(BRect rect) const
{
	ConvertFromScreen(&rect);
	return rect;
}
