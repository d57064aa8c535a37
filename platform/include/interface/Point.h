#ifndef _POINT_H
#define _POINT_H

#include <SupportDefs.h>

class BRect;

// A location in the platform's coordinate space (x grows right, y grows down).
class BPoint {
public:
	float x;
	float y;

	constexpr BPoint() : x(0.0f), y(0.0f) {}
	constexpr BPoint(float px, float py) : x(px), y(py) {}

	void Set(float px, float py)
	{
		x = px;
		y = py;
	}

	void ConstrainTo(BRect rect);
	void PrintToStream() const;

	BPoint operator-() const { return BPoint(-x, -y); }
	BPoint operator+(const BPoint& other) const { return BPoint(x + other.x, y + other.y); }
	BPoint operator-(const BPoint& other) const { return BPoint(x - other.x, y - other.y); }
	BPoint& operator+=(const BPoint& other)
	{
		x += other.x;
		y += other.y;
		return *this;
	}
	BPoint& operator-=(const BPoint& other)
	{
		x -= other.x;
		y -= other.y;
		return *this;
	}
	bool operator==(const BPoint& other) const { return x == other.x && y == other.y; }
	bool operator!=(const BPoint& other) const { return !(*this == other); }
};

extern const BPoint B_ORIGIN;

#endif
