#ifndef ICON_FILE_H
#define ICON_FILE_H

#include <SupportDefs.h>

#include <string>
#include <vector>

// A square icon drawn as text: a palette of one-character names, then one row
// of names per line; lines starting with // are comments.
//
//   palette . 00000000
//   palette # 202020ff
//   ..##..
//
// Colours are RRGGBBAA. The pixels come out as B_RGBA32 (bytes blue, green,
// red, alpha). A file whose name ends in .png is read as a PNG picture of
// exactly the icon's size instead (rasterised from the vector icon).
class IconFile {
public:
	bool Read(const std::string& path, int32 size);
	bool ReadPng(const std::string& path, int32 size);
	// The same for an icon held in memory; the name is used in error messages.
	bool ReadText(const std::string& text, const std::string& name, int32 size);

	const std::vector<uint8>& Pixels() const { return fPixels; }
	const std::string& Error() const { return fError; }

	// The icon as the platform archives a bitmap: a flattened message with
	// "class" "BBitmap",
	// "_frame", "_cspace", "_bmflags", "_rowbytes" and "_data".
	status_t Archive(std::vector<char>* flattened) const;

	// Cairo's pixels (native-endian words of premultiplied alpha, red, green,
	// blue) as B_RGBA32 with straight alpha.
	static void FromPremultiplied(const uint8* rows, int32 stride, int32 size,
								  std::vector<uint8>* pixels);

private:
	int32 fSize = 0;
	std::vector<uint8> fPixels;
	std::string fError;
};

#endif
