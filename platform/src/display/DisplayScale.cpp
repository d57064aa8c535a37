#include "DisplayScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace BPrivate {

namespace {

// A plain decimal number (digits, then optionally a point and more digits), read without the
// process's locale so that "1.5" means the same everywhere; false for anything else.
bool
parse_decimal(const char* text, size_t length, double* value)
{
	const size_t kLongest = 16;
	if (length == 0 || length > kLongest)
		return false;
	double whole = 0;
	double fraction = 0;
	double unit = 1;
	bool point = false;
	size_t digits = 0;
	for (size_t i = 0; i < length; i++) {
		char c = text[i];
		if (c == '.' && !point && digits > 0) {
			point = true;
			digits = 0;
			continue;
		}
		if (c < '0' || c > '9')
			return false;
		digits++;
		if (point) {
			unit /= 10;
			fraction += (c - '0') * unit;
		} else {
			whole = whole * 10 + (c - '0');
		}
	}
	if (digits == 0)
		return false;
	*value = whole + fraction;
	return true;
}

bool
is_blank(char c)
{
	return c == ' ' || c == '\t';
}

} // namespace

bool
parse_scale(const char* text, float* scale)
{
	double value = 0;
	if (text == nullptr || !parse_decimal(text, strlen(text), &value))
		return false;
	if (value < kMinimumScale || value > kMaximumScale)
		return false;
	*scale = float(value);
	return true;
}

float
xft_dpi_from_resources(const char* resources, size_t length)
{
	static const char kName[] = "Xft.dpi";
	const size_t nameLength = sizeof(kName) - 1;
	float dpi = 0;
	size_t start = 0;
	while (start < length) {
		const char* line = resources + start;
		const char* newline = static_cast<const char*>(memchr(line, '\n', length - start));
		size_t lineLength = newline != nullptr ? size_t(newline - line) : length - start;
		start += lineLength + 1;
		size_t i = 0;
		while (i < lineLength && is_blank(line[i]))
			i++;
		if (lineLength - i < nameLength || memcmp(line + i, kName, nameLength) != 0)
			continue;
		i += nameLength;
		while (i < lineLength && is_blank(line[i]))
			i++;
		if (i == lineLength || line[i] != ':')
			continue;
		i++;
		while (i < lineLength && is_blank(line[i]))
			i++;
		size_t end = lineLength;
		while (end > i && (is_blank(line[end - 1]) || line[end - 1] == '\r'))
			end--;
		double value = 0;
		// A later line stands over an earlier one, as in the server's database.
		if (parse_decimal(line + i, end - i, &value) && value > 0 && value <= 10000)
			dpi = float(value);
		else
			dpi = 0;
	}
	return dpi;
}

float
scale_from_dpi(float dpi)
{
	if (!(dpi > 0))
		return 1.0f;
	float scale = roundf(dpi / 96.0f * 4.0f) / 4.0f;
	return std::min(kMaximumScale, std::max(kMinimumScale, scale));
}

bool
environment_scale(float* scale)
{
	static bool sGiven = false;
	static float sScale = 1.0f;
	static std::once_flag once;
	std::call_once(once, [] {
		const char* text = getenv("BEAPI_SCALE");
		if (text == nullptr || text[0] == '\0')
			return;
		sGiven = true;
		if (!parse_scale(text, &sScale)) {
			fprintf(stderr,
					"BEAPI_SCALE=%s: not a display scale (a number from 1 to 4, such as 2 or "
					"1.5); using 1\n",
					text);
			sScale = 1.0f;
		}
	});
	*scale = sScale;
	return sGiven;
}

int32
device_length(int32 pixels, float scale)
{
	// A small allowance, so that an exact product is not rounded up by the float's error.
	return int32(ceil(double(pixels) * scale - 1e-3));
}

int32
device_coordinate(float coordinate, float scale)
{
	return int32(lround(double(coordinate) * scale));
}

float
platform_coordinate(int32 device, float scale)
{
	return float(floor((double(device) + 1e-3) / scale));
}

float
platform_position(int32 device, float scale)
{
	return float(round(double(device) / scale));
}

int32
platform_length(int32 device, float scale)
{
	return int32(floor((double(device) + 1e-3) / scale));
}

} // namespace BPrivate
