#ifndef _BITMAP_H
#define _BITMAP_H

#include <Archivable.h>
#include <GraphicsDefs.h>
#include <Rect.h>

enum {
	B_BITMAP_CLEAR_TO_WHITE = 0x00000001,
	B_BITMAP_ACCEPTS_VIEWS = 0x00000002,
	B_BITMAP_IS_AREA = 0x00000004,
	B_BITMAP_IS_LOCKED = 0x00000008 | B_BITMAP_IS_AREA,
	B_BITMAP_IS_CONTIGUOUS = 0x00000010 | B_BITMAP_IS_LOCKED,
	B_BITMAP_IS_OFFSCREEN = 0x00000020,
	B_BITMAP_WILL_OVERLAY = 0x00000040 | B_BITMAP_IS_OFFSCREEN,
	B_BITMAP_RESERVE_OVERLAY_CHANNEL = 0x00000080,
	B_BITMAP_NO_SERVER_LINK = 0x00000100
};

#define B_ANY_BYTES_PER_ROW -1

typedef int32 screen_id_value;

// An image in memory, in one of the platform's colour spaces. B_RGBA32 pixels are four bytes in
// the order blue, green, red, alpha, not premultiplied.
class BBitmap : public BArchivable {
public:
	BBitmap(BRect bounds, uint32 flags, color_space colorSpace,
			int32 bytesPerRow = B_ANY_BYTES_PER_ROW, screen_id_value screenID = 0);
	BBitmap(BRect bounds, color_space colorSpace, bool acceptsViews = false,
			bool needsContiguous = false);
	BBitmap(const BBitmap& source, uint32 flags);
	BBitmap(const BBitmap& source);
	BBitmap(BMessage* data);
	virtual ~BBitmap();

	static BArchivable* Instantiate(BMessage* data);
	virtual status_t Archive(BMessage* data, bool deep = true) const;

	status_t InitCheck() const;
	bool IsValid() const;

	void* Bits() const;
	int32 BitsLength() const;
	int32 BytesPerRow() const;
	color_space ColorSpace() const;
	BRect Bounds() const;
	uint32 Flags() const;

	status_t ImportBits(const void* data, int32 length, int32 bpr, int32 offset,
						color_space colorSpace);
	status_t ImportBits(const BBitmap* bitmap);

	BBitmap& operator=(const BBitmap& source);

private:
	void _InitObject(BRect bounds, color_space colorSpace, uint32 flags, int32 bytesPerRow);
	void _CleanUp();

	uint8* fBits;
	int32 fSize;
	color_space fColorSpace;
	BRect fBounds;
	int32 fBytesPerRow;
	uint32 fFlags;
	status_t fInitError;
};

#endif
