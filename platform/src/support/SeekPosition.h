#ifndef _SEEK_POSITION_H
#define _SEEK_POSITION_H

#include <SupportDefs.h>

#include <cstdio>

namespace BPrivate {

// The position a seek of the memory streams moves to, or B_BAD_VALUE for an unknown mode or a
// place before the start.
inline off_t
seek_position(off_t current, off_t length, off_t position, uint32 seekMode)
{
	off_t base = 0;
	switch (seekMode) {
	case SEEK_SET:
		break;
	case SEEK_CUR:
		base = current;
		break;
	case SEEK_END:
		base = length;
		break;
	default:
		return B_BAD_VALUE;
	}
	if (base + position < 0)
		return B_BAD_VALUE;
	return base + position;
}

} // namespace BPrivate

#endif
