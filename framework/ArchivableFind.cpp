// The typed readers of TArchivable: each looks the field up into a temporary and copies it to
// the caller only on success, so that a preset default survives a missing or mistyped field.

#include <framework/Archivable.h>

#include <Entry.h>
#include <GraphicsDefs.h>
#include <Message.h>
#include <Rect.h>
#include <TypeConstants.h>

#include <cmath>
#include <cstring>

namespace {

template <typename T, typename Lookup>
status_t
copy_on_success(T* value, Lookup lookup)
{
	if (value == NULL)
		return B_BAD_VALUE;
	T found{};
	status_t status = lookup(&found);
	if (status == B_OK)
		*value = found;
	return status;
}

} // namespace

status_t
TArchivable::FindBool(const BMessage& archive, const char* name, bool* value)
{
	return FindBool(archive, name, 0, value);
}

status_t
TArchivable::FindBool(const BMessage& archive, const char* name, int32 index, bool* value)
{
	return copy_on_success(value,
						   [&](bool* found) { return archive.FindBool(name, index, found); });
}

status_t
TArchivable::FindInt8(const BMessage& archive, const char* name, int8* value)
{
	return FindInt8(archive, name, 0, value);
}

status_t
TArchivable::FindInt8(const BMessage& archive, const char* name, int32 index, int8* value)
{
	return copy_on_success(value,
						   [&](int8* found) { return archive.FindInt8(name, index, found); });
}

status_t
TArchivable::FindInt16(const BMessage& archive, const char* name, int16* value)
{
	return FindInt16(archive, name, 0, value);
}

status_t
TArchivable::FindInt16(const BMessage& archive, const char* name, int32 index, int16* value)
{
	return copy_on_success(value,
						   [&](int16* found) { return archive.FindInt16(name, index, found); });
}

status_t
TArchivable::FindInt32(const BMessage& archive, const char* name, int32* value)
{
	return FindInt32(archive, name, 0, value);
}

status_t
TArchivable::FindInt32(const BMessage& archive, const char* name, int32 index, int32* value)
{
	return copy_on_success(value,
						   [&](int32* found) { return archive.FindInt32(name, index, found); });
}

status_t
TArchivable::FindInt64(const BMessage& archive, const char* name, int64* value)
{
	return FindInt64(archive, name, 0, value);
}

status_t
TArchivable::FindInt64(const BMessage& archive, const char* name, int32 index, int64* value)
{
	return copy_on_success(value,
						   [&](int64* found) { return archive.FindInt64(name, index, found); });
}

status_t
TArchivable::FindFloat(const BMessage& archive, const char* name, float* value)
{
	return FindFloat(archive, name, 0, value);
}

status_t
TArchivable::FindFloat(const BMessage& archive, const char* name, int32 index, float* value)
{
	return copy_on_success(value,
						   [&](float* found) { return archive.FindFloat(name, index, found); });
}

status_t
TArchivable::FindDouble(const BMessage& archive, const char* name, double* value)
{
	return FindDouble(archive, name, 0, value);
}

status_t
TArchivable::FindDouble(const BMessage& archive, const char* name, int32 index, double* value)
{
	return copy_on_success(value,
						   [&](double* found) { return archive.FindDouble(name, index, found); });
}

status_t
TArchivable::FindRect(const BMessage& archive, const char* name, BRect* value)
{
	return FindRect(archive, name, 0, value);
}

status_t
TArchivable::FindRect(const BMessage& archive, const char* name, int32 index, BRect* value)
{
	return copy_on_success(value,
						   [&](BRect* found) { return archive.FindRect(name, index, found); });
}

// A window placed by a damaged or hand-made frame could never be drawn or reached, and its
// numbers would travel on into every later computation of the window's place.
bool
is_sane_frame(const BRect& frame)
{
	const float limit = kMaxFrameCoordinate;
	for (float coordinate : {frame.left, frame.top, frame.right, frame.bottom}) {
		if (!std::isfinite(coordinate) || coordinate < -limit || coordinate > limit)
			return false;
	}
	return frame.left <= frame.right && frame.top <= frame.bottom;
}

status_t
TArchivable::FindFrame(const BMessage& archive, const char* name, BRect* value)
{
	if (value == NULL)
		return B_BAD_VALUE;
	BRect found;
	status_t status = archive.FindRect(name, &found);
	if (status != B_OK)
		return status;
	if (!is_sane_frame(found))
		return B_BAD_VALUE;
	*value = found;
	return B_OK;
}

status_t
TArchivable::FindRef(const BMessage& archive, const char* name, entry_ref* value)
{
	return FindRef(archive, name, 0, value);
}

status_t
TArchivable::FindRef(const BMessage& archive, const char* name, int32 index, entry_ref* value)
{
	return copy_on_success(value,
						   [&](entry_ref* found) { return archive.FindRef(name, index, found); });
}

status_t
TArchivable::FindMessage(const BMessage& archive, const char* name, BMessage* value)
{
	return FindMessage(archive, name, 0, value);
}

status_t
TArchivable::FindMessage(const BMessage& archive, const char* name, int32 index, BMessage* value)
{
	return copy_on_success(
		value, [&](BMessage* found) { return archive.FindMessage(name, index, found); });
}

status_t
TArchivable::FindString(const BMessage& archive, const char* name, const char** value)
{
	return FindString(archive, name, 0, value);
}

status_t
TArchivable::FindString(const BMessage& archive, const char* name, int32 index, const char** value)
{
	return copy_on_success(
		value, [&](const char** found) { return archive.FindString(name, index, found); });
}

status_t
TArchivable::FindString(const BMessage& archive, const char* name, std::string* value)
{
	return FindString(archive, name, 0, value);
}

status_t
TArchivable::FindString(const BMessage& archive, const char* name, int32 index, std::string* value)
{
	const char* text = NULL;
	if (value == NULL)
		return B_BAD_VALUE;
	status_t status = archive.FindString(name, index, &text);
	if (status == B_OK)
		value->assign(text);
	return status;
}

status_t
TArchivable::FindRGBColor(const BMessage& archive, const char* name, rgb_color* value)
{
	return FindRGBColor(archive, name, 0, value);
}

// A colour field shorter than a colour is treated like a missing one rather than read past
// its end.
status_t
TArchivable::FindRGBColor(const BMessage& archive, const char* name, int32 index, rgb_color* value)
{
	return copy_on_success(value, [&](rgb_color* found) {
		const void* data = NULL;
		ssize_t size = 0;
		status_t status = archive.FindData(name, B_RGB_COLOR_TYPE, index, &data, &size);
		if (status != B_OK)
			return status;
		if (size < (ssize_t)sizeof(rgb_color))
			return B_BAD_DATA;
		memcpy(found, data, sizeof(rgb_color));
		return B_OK;
	});
}

status_t
TArchivable::FindData(const BMessage& archive, const char* name, type_code type, const void** data,
					  ssize_t* size)
{
	return FindData(archive, name, type, 0, data, size);
}

status_t
TArchivable::FindData(const BMessage& archive, const char* name, type_code type, int32 index,
					  const void** data, ssize_t* size)
{
	if (data == NULL || size == NULL)
		return B_BAD_VALUE;
	const void* foundData = NULL;
	ssize_t foundSize = 0;
	status_t status = archive.FindData(name, type, index, &foundData, &foundSize);
	if (status == B_OK) {
		*data = foundData;
		*size = foundSize;
	}
	return status;
}
