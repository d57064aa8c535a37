#ifndef _ARCHIVE_CHECKS_H
#define _ARCHIVE_CHECKS_H

#include <Rect.h>

#include <cmath>

namespace BPrivate {

// Numbers read from an archive are outside input: a coordinate, width or size is taken only
// when it is finite and within what any screen could show; otherwise the object keeps its usual
// value.
constexpr float kMaxArchivedCoordinate = 100000.0f;

inline bool
archived_coordinate(float value)
{
	return std::isfinite(value) && value >= -kMaxArchivedCoordinate &&
		   value <= kMaxArchivedCoordinate;
}

inline bool
archived_length(float value, float maximum = kMaxArchivedCoordinate)
{
	return std::isfinite(value) && value >= 0 && value <= maximum;
}

inline bool
archived_frame(const BRect& frame)
{
	return archived_coordinate(frame.left) && archived_coordinate(frame.top) &&
		   archived_coordinate(frame.right) && archived_coordinate(frame.bottom);
}

} // namespace BPrivate

#endif
