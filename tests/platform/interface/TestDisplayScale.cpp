// The display's scale: what a person may write in BEAPI_SCALE, what a desktop's X resources
// say, and how the platform's pixels become device pixels and back.

#include <gtest/gtest.h>

#include "DisplayScale.h"

#include <cstring>
#include <string>

using namespace BPrivate;

namespace {

float
scale_of(const char* text)
{
	float scale = -1;
	return parse_scale(text, &scale) ? scale : -1;
}

float
dpi_of(const std::string& resources)
{
	return xft_dpi_from_resources(resources.data(), resources.size());
}

TEST(DisplayScale, AScaleIsADecimalNumberFromOneToFour)
{
	EXPECT_EQ(scale_of("1"), 1.0f);
	EXPECT_EQ(scale_of("2"), 2.0f);
	EXPECT_EQ(scale_of("1.5"), 1.5f);
	EXPECT_EQ(scale_of("1.25"), 1.25f);
	EXPECT_EQ(scale_of("4"), 4.0f);
	EXPECT_EQ(scale_of("4.0"), 4.0f);
	for (const char* bad : {"",      "0",   "0.5", "-1",  "-2",  "4.01", "5",
							"two",   "2x",  " 2",  "2 ",  "1,5", "1.",   ".5",
							"1.2.3", "2e0", "0x2", "inf", "nan", "+2",   "100000000000000000000"}) {
		SCOPED_TRACE(bad);
		EXPECT_EQ(scale_of(bad), -1.0f);
	}
	EXPECT_EQ(scale_of(nullptr), -1.0f);
}

TEST(DisplayScale, TheDesktopsDensityComesFromItsXftDpiResource)
{
	EXPECT_EQ(dpi_of("Xft.dpi:\t192\n"), 192.0f);
	EXPECT_EQ(dpi_of("Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n"), 144.0f);
	EXPECT_EQ(dpi_of("  Xft.dpi :  120.5  \r\n"), 120.5f);
	// The last line stands, as in the server's database.
	EXPECT_EQ(dpi_of("Xft.dpi:\t96\nXft.dpi:\t192"), 192.0f);
	// Nothing usable: no resource, another one, a bad value, an empty text.
	for (const char* none :
		 {"", "\n", "Xft.dpix:\t192\n", "Xft.dp:\t192\n", "*dpi:\t192\n", "Xft.dpi\t192\n",
		  "Xft.dpi:\n", "Xft.dpi:\tlarge\n", "Xft.dpi:\t0\n", "Xft.dpi:\t-96\n",
		  "Xft.dpi:\t99999999\n", "Xft.dpi:\t192\nXft.dpi:\tx\n"}) {
		SCOPED_TRACE(none);
		EXPECT_EQ(dpi_of(none), 0.0f);
	}
	// The length is what counts, not a terminating NUL.
	const char text[] = "Xft.dpi:\t192";
	EXPECT_EQ(xft_dpi_from_resources(text, strlen("Xft.dpi:\t19")), 19.0f);
}

TEST(DisplayScale, ADensityBecomesAScaleInQuarterSteps)
{
	EXPECT_EQ(scale_from_dpi(0), 1.0f);
	EXPECT_EQ(scale_from_dpi(96), 1.0f);
	// A nearly ordinary screen is drawn crisp at 1, not blurred at 1.04.
	EXPECT_EQ(scale_from_dpi(100), 1.0f);
	EXPECT_EQ(scale_from_dpi(120), 1.25f);
	EXPECT_EQ(scale_from_dpi(144), 1.5f);
	EXPECT_EQ(scale_from_dpi(192), 2.0f);
	EXPECT_EQ(scale_from_dpi(72), 1.0f);
	EXPECT_EQ(scale_from_dpi(960), 4.0f);
}

TEST(DisplayScale, PixelsBecomeDevicePixelsAndBack)
{
	// A window of 551 × 286 pixels.
	EXPECT_EQ(device_length(551, 1), 551);
	EXPECT_EQ(device_length(551, 2), 1102);
	EXPECT_EQ(device_length(286, 2), 572);
	EXPECT_EQ(device_length(551, 1.5f), 827);
	EXPECT_EQ(device_length(551, 1.25f), 689);
	EXPECT_EQ(device_coordinate(50, 1.5f), 75);
	// A device pixel belongs to the platform pixel it lies in, left of the window too.
	EXPECT_EQ(platform_coordinate(411, 2), 205.0f);
	EXPECT_EQ(platform_coordinate(410, 2), 205.0f);
	EXPECT_EQ(platform_coordinate(76, 1.5f), 50.0f);
	EXPECT_EQ(platform_coordinate(75, 1.5f), 50.0f);
	EXPECT_EQ(platform_coordinate(74, 1.5f), 49.0f);
	EXPECT_EQ(platform_coordinate(-1, 2), -1.0f);
	EXPECT_EQ(platform_coordinate(9, 1.8f), 5.0f);
	// A screen of 1280 device pixels is 853 whole pixels at 1.5.
	EXPECT_EQ(platform_length(1280, 1.5f), 853);
	EXPECT_EQ(platform_length(1102, 2), 551);
	EXPECT_EQ(platform_position(151, 2), 76.0f);
}

} // namespace
