#include "IconFile.h"

#include <GraphicsDefs.h>
#include <Message.h>
#include <Rect.h>

#ifdef RESCOMPILE_HAVE_PNG
#include <cairo.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

bool
IconFile::Read(const std::string& path, int32 size)
{
	if (path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0)
		return ReadPng(path, size);
	std::ifstream file(path);
	if (!file) {
		fError = "cannot read " + path;
		return false;
	}
	std::string text(std::istreambuf_iterator<char>(file), (std::istreambuf_iterator<char>()));
	return ReadText(text, path, size);
}

bool
IconFile::ReadText(const std::string& text, const std::string& path, int32 size)
{
	fSize = size;
	fPixels.clear();
	std::map<char, uint32> palette;
	int32 row = 0;
	int lineNumber = 0;
	size_t start = 0;
	while (start < text.size()) {
		size_t end = text.find('\n', start);
		if (end == std::string::npos)
			end = text.size();
		std::string line = text.substr(start, end - start);
		start = end + 1;
		lineNumber++;
		if (!line.empty() && line.back() == '\r')
			line.pop_back();
		if (line.empty() || line.compare(0, 2, "//") == 0)
			continue;
		if (line.compare(0, 8, "palette ") == 0) {
			if (line.size() != 18 || line[9] != ' ') {
				fError = path + ":" + std::to_string(lineNumber) + ": palette entry is " +
						 "\"palette C RRGGBBAA\"";
				return false;
			}
			char* end = nullptr;
			std::string hex = line.substr(10);
			uint32 value = (uint32)strtoul(hex.c_str(), &end, 16);
			if (*end != '\0') {
				fError = path + ":" + std::to_string(lineNumber) + ": bad colour " + hex;
				return false;
			}
			palette[line[8]] = value;
			continue;
		}
		if ((int32)line.size() != size || row >= size) {
			fError = path + ":" + std::to_string(lineNumber) + ": the icon is " +
					 std::to_string(size) + " rows of " + std::to_string(size) + " pixels";
			return false;
		}
		for (char name : line) {
			auto it = palette.find(name);
			if (it == palette.end()) {
				fError = path + ":" + std::to_string(lineNumber) + ": '" + name +
						 "' is not in the palette";
				return false;
			}
			uint32 rgba = it->second;
			fPixels.push_back((uint8)(rgba >> 8));
			fPixels.push_back((uint8)(rgba >> 16));
			fPixels.push_back((uint8)(rgba >> 24));
			fPixels.push_back((uint8)rgba);
		}
		row++;
	}
	if (row != size) {
		fError =
			path + ": the icon has " + std::to_string(row) + " rows, not " + std::to_string(size);
		return false;
	}
	return true;
}

bool
IconFile::ReadPng(const std::string& path, int32 size)
{
	fSize = size;
	fPixels.clear();
#ifdef RESCOMPILE_HAVE_PNG
	cairo_surface_t* picture = cairo_image_surface_create_from_png(path.c_str());
	bool ok = false;
	if (cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
		fError = "cannot read " + path +
				 " as PNG: " + cairo_status_to_string(cairo_surface_status(picture));
	} else if (cairo_image_surface_get_width(picture) != size ||
			   cairo_image_surface_get_height(picture) != size) {
		fError = path + ": the icon is " + std::to_string(size) + " by " + std::to_string(size) +
				 " pixels, not " + std::to_string(cairo_image_surface_get_width(picture)) + " by " +
				 std::to_string(cairo_image_surface_get_height(picture));
	} else {
		// An opaque PNG comes as RGB24 (the alpha byte undefined), anything else as ARGB32:
		// painting it onto an ARGB32 surface gives one layout to convert.
		cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
		cairo_t* cr = cairo_create(argb);
		cairo_set_source_surface(cr, picture, 0, 0);
		cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
		cairo_paint(cr);
		cairo_destroy(cr);
		cairo_surface_flush(argb);
		if (cairo_surface_status(argb) == CAIRO_STATUS_SUCCESS) {
			FromPremultiplied(cairo_image_surface_get_data(argb),
							  cairo_image_surface_get_stride(argb), size, &fPixels);
			ok = true;
		} else {
			fError = "cannot convert " + path;
		}
		cairo_surface_destroy(argb);
	}
	cairo_surface_destroy(picture);
	return ok;
#else
	fError = path + ": this rescompile was built without Cairo and reads no PNG";
	return false;
#endif
}

void
IconFile::FromPremultiplied(const uint8* rows, int32 stride, int32 size, std::vector<uint8>* pixels)
{
	pixels->clear();
	pixels->reserve((size_t)size * size * 4);
	for (int32 y = 0; y < size; y++) {
		for (int32 x = 0; x < size; x++) {
			uint32_t word;
			memcpy(&word, rows + (size_t)y * stride + (size_t)x * 4, 4);
			uint32 alpha = word >> 24;
			uint8 straight[3] = {0, 0, 0};
			for (int shift = 0, i = 0; i < 3; shift += 8, i++) {
				uint32 value = (word >> shift) & 0xff;
				// Rounded, and bounded: a malformed premultiplied value may exceed alpha.
				if (alpha != 0)
					straight[i] = (uint8)std::min<uint32>(255, (value * 255 + alpha / 2) / alpha);
			}
			pixels->push_back(straight[0]); // blue
			pixels->push_back(straight[1]); // green
			pixels->push_back(straight[2]); // red
			pixels->push_back((uint8)alpha);
		}
	}
}

status_t
IconFile::Archive(std::vector<char>* flattened) const
{
	BMessage archive(B_ARCHIVED_OBJECT);
	status_t status = archive.AddString("class", "BBitmap");
	status |= archive.AddRect("_frame", BRect(0, 0, fSize - 1, fSize - 1));
	status |= archive.AddInt32("_cspace", B_RGBA32);
	status |= archive.AddInt32("_bmflags", 0);
	status |= archive.AddInt32("_rowbytes", fSize * 4);
	status |= archive.AddData("_data", B_RAW_TYPE, fPixels.data(), fPixels.size());
	if (status != B_OK)
		return B_ERROR;
	ssize_t size = archive.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	flattened->resize(size);
	return archive.Flatten(flattened->data(), size);
}
