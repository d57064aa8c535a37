#include "IconFile.h"

#include <GraphicsDefs.h>
#include <Message.h>
#include <Rect.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

bool
IconFile::Read(const std::string& path, int32 size)
{
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
