#ifndef PNG_IMAGE_H
#define PNG_IMAGE_H

// Pictures the tests take of windows, read back for their pixels and compared with references.

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct PngImage {
	int width = 0;
	int height = 0;
	// One ARGB value a pixel, row after row.
	std::vector<uint32_t> pixels;
};

inline bool
load_png(const std::string& path, PngImage* image)
{
	cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
	if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
		cairo_surface_destroy(surface);
		return false;
	}
	cairo_surface_flush(surface);
	image->width = cairo_image_surface_get_width(surface);
	image->height = cairo_image_surface_get_height(surface);
	int stride = cairo_image_surface_get_stride(surface);
	const unsigned char* data = cairo_image_surface_get_data(surface);
	image->pixels.resize(size_t(image->width) * size_t(image->height));
	for (int y = 0; y < image->height; y++)
		memcpy(&image->pixels[size_t(y) * size_t(image->width)], data + y * stride,
			   size_t(image->width) * 4);
	cairo_surface_destroy(surface);
	return true;
}

// The share of pixels (0..1) whose red, green or blue differs by more than the tolerance between
// two pictures; -1 when their sizes differ.
inline double
image_difference(const PngImage& shot, const PngImage& expected, int tolerance)
{
	if (shot.width != expected.width || shot.height != expected.height || shot.pixels.empty())
		return -1;
	size_t differing = 0;
	for (size_t i = 0; i < shot.pixels.size(); i++) {
		for (int shift = 0; shift < 24; shift += 8) {
			int delta =
				int((shot.pixels[i] >> shift) & 0xff) - int((expected.pixels[i] >> shift) & 0xff);
			if (delta > tolerance || delta < -tolerance) {
				differing++;
				break;
			}
		}
	}
	return double(differing) / double(shot.pixels.size());
}

// The share of pixels that differ between a PNG and the reference PNG (see image_difference);
// -1 when either cannot be read or their sizes differ. Font rendering may move a few edge
// pixels a little; the tolerance lets that pass.
inline double
png_difference(const std::string& path, const std::string& reference, int tolerance = 40)
{
	PngImage shot;
	PngImage expected;
	if (!load_png(path, &shot) || !load_png(reference, &expected))
		return -1;
	return image_difference(shot, expected, tolerance);
}

// The picture with each pixel repeated factor times across and down.
inline PngImage
scaled_up(const PngImage& image, int factor)
{
	PngImage large;
	large.width = image.width * factor;
	large.height = image.height * factor;
	large.pixels.resize(size_t(large.width) * size_t(large.height));
	for (int y = 0; y < large.height; y++) {
		for (int x = 0; x < large.width; x++)
			large.pixels[size_t(y) * size_t(large.width) + size_t(x)] =
				image.pixels[size_t(y / factor) * size_t(image.width) + size_t(x / factor)];
	}
	return large;
}

#endif
