#include <Rect.h>

#include <cmath>
#include <cstdio>

void
BRect::InsetBy(BPoint delta)
{
	InsetBy(delta.x, delta.y);
}

void
BRect::InsetBy(float dx, float dy)
{
	left += dx;
	right -= dx;
	top += dy;
	bottom -= dy;
}

void
BRect::OffsetBy(BPoint delta)
{
	OffsetBy(delta.x, delta.y);
}

void
BRect::OffsetBy(float dx, float dy)
{
	left += dx;
	right += dx;
	top += dy;
	bottom += dy;
}

void
BRect::OffsetTo(BPoint where)
{
	OffsetTo(where.x, where.y);
}

void
BRect::OffsetTo(float x, float y)
{
	right = x + (right - left);
	bottom = y + (bottom - top);
	left = x;
	top = y;
}

BRect
BRect::InsetByCopy(float dx, float dy) const
{
	BRect copy(*this);
	copy.InsetBy(dx, dy);
	return copy;
}

BRect
BRect::OffsetByCopy(float dx, float dy) const
{
	BRect copy(*this);
	copy.OffsetBy(dx, dy);
	return copy;
}

BRect
BRect::OffsetToCopy(float x, float y) const
{
	BRect copy(*this);
	copy.OffsetTo(x, y);
	return copy;
}

bool
BRect::operator==(BRect other) const
{
	return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

bool
BRect::operator!=(BRect other) const
{
	return !(*this == other);
}

BRect
BRect::operator&(BRect other) const
{
	return BRect(max_c(left, other.left), max_c(top, other.top), min_c(right, other.right),
				 min_c(bottom, other.bottom));
}

BRect
BRect::operator|(BRect other) const
{
	return BRect(min_c(left, other.left), min_c(top, other.top), max_c(right, other.right),
				 max_c(bottom, other.bottom));
}

int32
BRect::IntegerWidth() const
{
	return static_cast<int32>(std::ceil(right - left));
}

int32
BRect::IntegerHeight() const
{
	return static_cast<int32>(std::ceil(bottom - top));
}

bool
BRect::Intersects(BRect other) const
{
	if (!IsValid() || !other.IsValid())
		return false;
	return !(other.left > right || other.right < left || other.top > bottom || other.bottom < top);
}

bool
BRect::Contains(BPoint point) const
{
	return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
}

bool
BRect::Contains(BRect other) const
{
	return other.left >= left && other.right <= right && other.top >= top && other.bottom <= bottom;
}

void
BRect::PrintToStream() const
{
	printf("BRect(l:%.1f, t:%.1f, r:%.1f, b:%.1f)\n", left, top, right, bottom);
}
