// What the display reads of the screen's density: BEAPI_SCALE and the X server's resources,
// both written by anyone. Any bytes give a scale within bounds or none, never a crash.

#include <DisplayScale.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const char* text = reinterpret_cast<const char*>(data);
	float dpi = BPrivate::xft_dpi_from_resources(text, size);
	if (dpi < 0 || dpi > 10000)
		__builtin_trap();
	float scale = BPrivate::scale_from_dpi(dpi);
	if (!(scale >= BPrivate::kMinimumScale && scale <= BPrivate::kMaximumScale))
		__builtin_trap();
	std::string variable(text, size);
	if (BPrivate::parse_scale(variable.c_str(), &scale) &&
		!(scale >= BPrivate::kMinimumScale && scale <= BPrivate::kMaximumScale))
		__builtin_trap();
	return 0;
}
