#ifndef _RECT_H
#define _RECT_H

#include <Point.h>

// An axis-aligned rectangle with inclusive edges: (0,0,9,9) covers 10x10 pixels, its Width() is 9.
class BRect {
public:
	float left;
	float top;
	float right;
	float bottom;

	// An invalid rectangle, as the platform's default.
	constexpr BRect() : left(0.0f), top(0.0f), right(-1.0f), bottom(-1.0f) {}
	constexpr BRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
	constexpr BRect(BPoint leftTop, BPoint rightBottom)
		: left(leftTop.x), top(leftTop.y), right(rightBottom.x), bottom(rightBottom.y)
	{}

	void Set(float l, float t, float r, float b)
	{
		left = l;
		top = t;
		right = r;
		bottom = b;
	}
	void PrintToStream() const;

	BPoint LeftTop() const { return BPoint(left, top); }
	BPoint RightBottom() const { return BPoint(right, bottom); }
	BPoint LeftBottom() const { return BPoint(left, bottom); }
	BPoint RightTop() const { return BPoint(right, top); }

	void InsetBy(BPoint delta);
	void InsetBy(float dx, float dy);
	void OffsetBy(BPoint delta);
	void OffsetBy(float dx, float dy);
	void OffsetTo(BPoint where);
	void OffsetTo(float x, float y);
	BRect InsetByCopy(float dx, float dy) const;
	BRect OffsetByCopy(float dx, float dy) const;
	BRect OffsetToCopy(float x, float y) const;

	bool operator==(BRect other) const;
	bool operator!=(BRect other) const;
	// Intersection and union.
	BRect operator&(BRect other) const;
	BRect operator|(BRect other) const;

	bool IsValid() const { return left <= right && top <= bottom; }
	float Width() const { return right - left; }
	int32 IntegerWidth() const;
	float Height() const { return bottom - top; }
	int32 IntegerHeight() const;
	bool Intersects(BRect other) const;
	bool Contains(BPoint point) const;
	bool Contains(BRect other) const;
};

#endif
