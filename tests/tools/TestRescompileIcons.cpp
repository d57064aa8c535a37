#include <gtest/gtest.h>

#include "IconFile.h"

#ifdef RESCOMPILE_HAVE_PNG
#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class RescompileIcons : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/rescompile-icons-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fDir = pattern;
	}
	void TearDown() override { std::system(("rm -rf '" + fDir + "'").c_str()); }

	// Writes a PNG of side pixels; the top row holds the given premultiplied ARGB words.
	std::string WritePng(const char* name, int side, const std::vector<uint32_t>& topRow)
	{
		cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side);
		cairo_surface_flush(surface);
		uint8_t* data = cairo_image_surface_get_data(surface);
		for (size_t x = 0; x < topRow.size(); x++)
			memcpy(data + x * 4, &topRow[x], 4);
		cairo_surface_mark_dirty(surface);
		std::string path = fDir + "/" + name;
		EXPECT_EQ(CAIRO_STATUS_SUCCESS, cairo_surface_write_to_png(surface, path.c_str()));
		cairo_surface_destroy(surface);
		return path;
	}

	std::string fDir;
};

TEST_F(RescompileIcons, PngBecomesStraightAlphaRgba32)
{
	// Opaque red, green at half coverage, a faint blue, nothing.
	std::string path =
		WritePng("icon.png", 16, {0xffff0000u, 0x80008000u, 0x10000010u, 0x00000000u});
	IconFile icon;
	ASSERT_TRUE(icon.Read(path, 16)) << icon.Error();
	const std::vector<uint8>& pixels = icon.Pixels();
	ASSERT_EQ(16u * 16u * 4u, pixels.size());
	// Stored blue, green, red, alpha; the colour no longer multiplied by its coverage.
	EXPECT_EQ((std::vector<uint8>{0, 0, 255, 255}), std::vector<uint8>(&pixels[0], &pixels[4]));
	EXPECT_EQ((std::vector<uint8>{0, 255, 0, 128}), std::vector<uint8>(&pixels[4], &pixels[8]));
	EXPECT_EQ((std::vector<uint8>{255, 0, 0, 16}), std::vector<uint8>(&pixels[8], &pixels[12]));
	EXPECT_EQ((std::vector<uint8>{0, 0, 0, 0}), std::vector<uint8>(&pixels[12], &pixels[16]));
	// The second row starts after exactly one row of 16 pixels.
	EXPECT_EQ((std::vector<uint8>{0, 0, 0, 0}), std::vector<uint8>(&pixels[64], &pixels[68]));

	std::vector<char> archive;
	EXPECT_EQ(B_OK, icon.Archive(&archive));
}

TEST_F(RescompileIcons, ConversionBoundsMalformedPremultipliedValues)
{
	// A colour above its alpha cannot come from a real picture; it must not wrap around.
	const uint32_t word = 0x40ff2010u;
	std::vector<uint8> pixels;
	IconFile::FromPremultiplied(reinterpret_cast<const uint8*>(&word), 4, 1, &pixels);
	EXPECT_EQ((std::vector<uint8>{64, 128, 255, 64}), pixels);
}

TEST_F(RescompileIcons, WrongSizeOrNoPictureIsAnError)
{
	IconFile icon;
	std::string large = WritePng("large.png", 32, {});
	EXPECT_FALSE(icon.Read(large, 16));
	EXPECT_NE(std::string::npos, icon.Error().find("16 by 16 pixels, not 32 by 32"))
		<< icon.Error();

	std::string text = fDir + "/text.png";
	std::ofstream(text) << "palette . 00000000\n";
	EXPECT_FALSE(icon.Read(text, 16));
	EXPECT_NE(std::string::npos, icon.Error().find("cannot read")) << icon.Error();

	EXPECT_FALSE(icon.Read(fDir + "/missing.png", 16));
	EXPECT_FALSE(icon.Error().empty());
}

} // namespace
#endif
