#ifndef _DISPLAY_SCALE_H
#define _DISPLAY_SCALE_H

// How many device pixels one of the platform's pixels takes on this screen. Windows, fonts and
// coordinates speak the platform's pixels everywhere above the display; the display multiplies
// sizes and places on the way to the screen and divides the user's input on the way back.

#include <SupportDefs.h>

#include <cstddef>

namespace BPrivate {

const float kMinimumScale = 1.0f;
const float kMaximumScale = 4.0f;

// A factor as a person writes it: a decimal number from 1 to 4 ("2", "1.5"), nothing else.
bool parse_scale(const char* text, float* scale);

// The dots per inch the desktop asks text to be drawn at: the value of "Xft.dpi" in an X
// resource database as the X server keeps it (lines "name:\tvalue"); 0 when it has none or
// not a usable one.
float xft_dpi_from_resources(const char* resources, size_t length);

// The factor of a desktop's dots per inch (96 is 1), kept within 1 to 4 and to quarter steps,
// so that a screen set to a near-ordinary density gets crisp lines rather than a blur.
float scale_from_dpi(float dpi);

// BEAPI_SCALE, read once for the process: true with the factor when the variable is set. A bad
// value is told on standard error (once) and gives the factor 1.
bool environment_scale(float* scale);

// Device lengths and places of the platform's integer pixels, and back.
int32 device_length(int32 pixels, float scale);
int32 device_coordinate(float coordinate, float scale);
// The platform pixel a device pixel lies in.
float platform_coordinate(int32 device, float scale);
// The platform position nearest a device position (a window moved by the desktop).
float platform_position(int32 device, float scale);
// How many whole platform pixels fit into a device length.
int32 platform_length(int32 device, float scale);

} // namespace BPrivate

#endif
