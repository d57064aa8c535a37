#include <Point.h>

#include <cstdio>

#include <Rect.h>

const BPoint B_ORIGIN(0.0f, 0.0f);

void
BPoint::ConstrainTo(BRect rect)
{
	x = max_c(min_c(x, rect.right), rect.left);
	y = max_c(min_c(y, rect.bottom), rect.top);
}

void
BPoint::PrintToStream() const
{
	printf("BPoint(x:%.0f, y:%.0f)\n", x, y);
}
