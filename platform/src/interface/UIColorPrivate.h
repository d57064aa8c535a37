#ifndef _UI_COLOR_PRIVATE_H
#define _UI_COLOR_PRIVATE_H

#include <SupportDefs.h>

namespace BPrivate {

// Whether a number read from outside names one of the system colours.
bool is_known_color_which(int32 which);

} // namespace BPrivate

#endif
