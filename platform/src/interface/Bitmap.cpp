#include <Bitmap.h>

#include <Message.h>

#include "ArchiveChecks.h"
#include <cmath>
#include <cstdlib>
#include <cstring>

B_REGISTER_ARCHIVABLE(BBitmap);

namespace {

// Rows are padded to whole 32-bit words, as the platform lays them out.
int32
row_bytes(color_space space, int32 width)
{
	int32 bits;
	switch (space) {
	case B_RGB32:
	case B_RGBA32:
	case B_RGB32_BIG:
	case B_RGBA32_BIG:
		bits = 32;
		break;
	case B_RGB24:
	case B_RGB24_BIG:
		bits = 24;
		break;
	case B_RGB16:
	case B_RGB15:
	case B_RGBA15:
	case B_RGB16_BIG:
	case B_RGB15_BIG:
	case B_RGBA15_BIG:
		bits = 16;
		break;
	case B_CMAP8:
	case B_GRAY8:
		bits = 8;
		break;
	case B_GRAY1:
		bits = 1;
		break;
	default:
		return -1;
	}
	return ((width * bits + 31) / 32) * 4;
}

} // namespace

BBitmap::BBitmap(BRect bounds, uint32 flags, color_space colorSpace, int32 bytesPerRow,
				 screen_id_value)
	: fBits(nullptr), fSize(0), fColorSpace(B_NO_COLOR_SPACE), fBytesPerRow(0), fFlags(0),
	  fInitError(B_NO_INIT)
{
	_InitObject(bounds, colorSpace, flags, bytesPerRow);
}

BBitmap::BBitmap(BRect bounds, color_space colorSpace, bool acceptsViews, bool needsContiguous)
	: fBits(nullptr), fSize(0), fColorSpace(B_NO_COLOR_SPACE), fBytesPerRow(0), fFlags(0),
	  fInitError(B_NO_INIT)
{
	uint32 flags = (acceptsViews ? B_BITMAP_ACCEPTS_VIEWS : 0) |
				   (needsContiguous ? B_BITMAP_IS_CONTIGUOUS : 0);
	_InitObject(bounds, colorSpace, flags, B_ANY_BYTES_PER_ROW);
}

BBitmap::BBitmap(const BBitmap& source, uint32 flags)
	: fBits(nullptr), fSize(0), fColorSpace(B_NO_COLOR_SPACE), fBytesPerRow(0), fFlags(0),
	  fInitError(B_NO_INIT)
{
	_InitObject(source.Bounds(), source.ColorSpace(), flags, source.BytesPerRow());
	if (InitCheck() == B_OK && source.InitCheck() == B_OK)
		memcpy(fBits, source.fBits, size_t(fSize));
}

BBitmap::BBitmap(const BBitmap& source) : BBitmap(source, source.Flags()) {}

BBitmap::BBitmap(BMessage* data)
	: BArchivable(data), fBits(nullptr), fSize(0), fColorSpace(B_NO_COLOR_SPACE), fBytesPerRow(0),
	  fFlags(0), fInitError(B_NO_INIT)
{
	BRect bounds;
	data->FindRect("_frame", &bounds);
	int32 space;
	if (data->FindInt32("_cspace", &space) != B_OK)
		space = B_RGB32;
	int32 flags = 0;
	data->FindInt32("_bmflags", &flags);
	int32 rowBytes;
	if (data->FindInt32("_rowbytes", &rowBytes) != B_OK)
		rowBytes = B_ANY_BYTES_PER_ROW;
	_InitObject(bounds, color_space(space), uint32(flags), rowBytes);
	if (InitCheck() != B_OK)
		return;
	const void* bits = nullptr;
	ssize_t size = 0;
	if (data->FindData("_data", B_RAW_TYPE, &bits, &size) == B_OK && bits != nullptr)
		memcpy(fBits, bits, size_t(size < fSize ? size : fSize));
}

BBitmap::~BBitmap()
{
	_CleanUp();
}

BArchivable*
BBitmap::Instantiate(BMessage* data)
{
	if (!validate_instantiation(data, "BBitmap"))
		return nullptr;
	return new BBitmap(data);
}

status_t
BBitmap::Archive(BMessage* data, bool deep) const
{
	status_t status = BArchivable::Archive(data, deep);
	if (status == B_OK)
		status = data->AddRect("_frame", fBounds);
	if (status == B_OK)
		status = data->AddInt32("_cspace", int32(fColorSpace));
	if (status == B_OK)
		status = data->AddInt32("_bmflags", int32(fFlags));
	if (status == B_OK)
		status = data->AddInt32("_rowbytes", fBytesPerRow);
	if (status == B_OK && fBits != nullptr)
		status = data->AddData("_data", B_RAW_TYPE, fBits, fSize);
	return status;
}

void
BBitmap::_InitObject(BRect bounds, color_space colorSpace, uint32 flags, int32 bytesPerRow)
{
	_CleanUp();
	fInitError = B_BAD_VALUE;
	// No bitmap wider or taller than 32768 pixels, nor one whose corners are no numbers.
	if (!bounds.IsValid() || !BPrivate::archived_frame(bounds) ||
		bounds.right - bounds.left >= 32768 || bounds.bottom - bounds.top >= 32768)
		return;
	bounds.left = floorf(bounds.left);
	bounds.top = floorf(bounds.top);
	bounds.right = floorf(bounds.right);
	bounds.bottom = floorf(bounds.bottom);
	int32 width = bounds.IntegerWidth() + 1;
	int32 height = bounds.IntegerHeight() + 1;
	int32 minimum = row_bytes(colorSpace, width);
	if (minimum < 0 || width <= 0 || height <= 0)
		return;
	if (bytesPerRow < minimum)
		bytesPerRow = minimum;
	int64 size = int64(bytesPerRow) * height;
	if (size > 0x40000000)
		return;
	fBits = static_cast<uint8*>(calloc(1, size_t(size)));
	if (fBits == nullptr) {
		fInitError = B_NO_MEMORY;
		return;
	}
	if ((flags & B_BITMAP_CLEAR_TO_WHITE) != 0)
		memset(fBits, 0xff, size_t(size));
	fSize = int32(size);
	fColorSpace = colorSpace;
	fBounds = bounds;
	fBytesPerRow = bytesPerRow;
	fFlags = flags;
	fInitError = B_OK;
}

void
BBitmap::_CleanUp()
{
	free(fBits);
	fBits = nullptr;
	fSize = 0;
}

status_t
BBitmap::InitCheck() const
{
	return fInitError;
}

bool
BBitmap::IsValid() const
{
	return fInitError == B_OK;
}

void*
BBitmap::Bits() const
{
	return fBits;
}

int32
BBitmap::BitsLength() const
{
	return fSize;
}

int32
BBitmap::BytesPerRow() const
{
	return fBytesPerRow;
}

color_space
BBitmap::ColorSpace() const
{
	return fColorSpace;
}

BRect
BBitmap::Bounds() const
{
	return fBounds;
}

uint32
BBitmap::Flags() const
{
	return fFlags;
}

status_t
BBitmap::ImportBits(const void* data, int32 length, int32, int32 offset, color_space colorSpace)
{
	if (fBits == nullptr || data == nullptr || offset < 0 || length < 0)
		return B_BAD_VALUE;
	if (colorSpace != fColorSpace)
		return B_BAD_VALUE;
	if (offset > fSize)
		return B_BAD_VALUE;
	if (length > fSize - offset)
		length = fSize - offset;
	memcpy(fBits + offset, data, size_t(length));
	return B_OK;
}

status_t
BBitmap::ImportBits(const BBitmap* bitmap)
{
	if (bitmap == nullptr || bitmap->InitCheck() != B_OK)
		return B_BAD_VALUE;
	return ImportBits(bitmap->Bits(), bitmap->BitsLength(), bitmap->BytesPerRow(), 0,
					  bitmap->ColorSpace());
}

BBitmap&
BBitmap::operator=(const BBitmap& source)
{
	if (this != &source) {
		_InitObject(source.Bounds(), source.ColorSpace(), source.Flags(), source.BytesPerRow());
		if (InitCheck() == B_OK && source.fBits != nullptr)
			memcpy(fBits, source.fBits, size_t(fSize));
	}
	return *this;
}
