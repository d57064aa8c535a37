// The typed accessors: each type's bytes as the native format stores them.
#include <Message.h>

#include <cstring>

#include <Entry.h>

#include "MessagePrivate.h"
#include "MessengerPrivate.h"

namespace {

template <typename T>
status_t
find_fixed(const BMessage* message, const char* name, type_code type, int32 index, T* value)
{
	if (value == nullptr)
		return B_BAD_VALUE;
	// A failed find leaves the type's default, so the output never holds a stale value.
	*value = T{};
	const void* data;
	ssize_t size;
	status_t status = message->FindData(name, type, index, &data, &size);
	if (status != B_OK)
		return status;
	if (size != static_cast<ssize_t>(sizeof(T)))
		return B_BAD_DATA;
	memcpy(value, data, sizeof(T));
	return B_OK;
}

struct FlatRect {
	float l, t, r, b;
};
struct FlatPoint {
	float x, y;
};
// A messenger's flattened form: its three numbers, then reserved bytes written as zeros.
struct FlatMessenger {
	int32 port, token, team;
	int32 reserved[3];
};

FlatRect
to_flat(BRect rect)
{
	return {rect.left, rect.top, rect.right, rect.bottom};
}

FlatPoint
to_flat(BPoint point)
{
	return {point.x, point.y};
}

FlatMessenger
to_flat(BMessenger messenger)
{
	BMessenger::Private access(messenger);
	return {access.Port(), access.Token(), access.Team(), {0, 0, 0}};
}

} // namespace

#define BEAPI_FIXED_ACCESSORS(Name, T, TYPE)                                                       \
	status_t BMessage::Add##Name(const char* name, T value)                                        \
	{                                                                                              \
		return AddData(name, TYPE, &value, sizeof(T), true);                                       \
	}                                                                                              \
	status_t BMessage::Find##Name(const char* name, T* value) const                                \
	{                                                                                              \
		return find_fixed(this, name, TYPE, 0, value);                                             \
	}                                                                                              \
	status_t BMessage::Find##Name(const char* name, int32 index, T* value) const                   \
	{                                                                                              \
		return find_fixed(this, name, TYPE, index, value);                                         \
	}                                                                                              \
	status_t BMessage::Replace##Name(const char* name, T value)                                    \
	{                                                                                              \
		return ReplaceData(name, TYPE, 0, &value, sizeof(T));                                      \
	}                                                                                              \
	status_t BMessage::Replace##Name(const char* name, int32 index, T value)                       \
	{                                                                                              \
		return ReplaceData(name, TYPE, index, &value, sizeof(T));                                  \
	}                                                                                              \
	bool BMessage::Has##Name(const char* name, int32 index) const                                  \
	{                                                                                              \
		return HasData(name, TYPE, index);                                                         \
	}                                                                                              \
	status_t BMessage::Set##Name(const char* name, T value)                                        \
	{                                                                                              \
		return SetData(name, TYPE, &value, sizeof(T), true);                                       \
	}

BEAPI_FIXED_ACCESSORS(Int8, int8, B_INT8_TYPE)
BEAPI_FIXED_ACCESSORS(UInt8, uint8, B_UINT8_TYPE)
BEAPI_FIXED_ACCESSORS(Int16, int16, B_INT16_TYPE)
BEAPI_FIXED_ACCESSORS(UInt16, uint16, B_UINT16_TYPE)
BEAPI_FIXED_ACCESSORS(Int32, int32, B_INT32_TYPE)
BEAPI_FIXED_ACCESSORS(UInt32, uint32, B_UINT32_TYPE)
BEAPI_FIXED_ACCESSORS(Int64, int64, B_INT64_TYPE)
BEAPI_FIXED_ACCESSORS(UInt64, uint64, B_UINT64_TYPE)
BEAPI_FIXED_ACCESSORS(Float, float, B_FLOAT_TYPE)
BEAPI_FIXED_ACCESSORS(Double, double, B_DOUBLE_TYPE)
BEAPI_FIXED_ACCESSORS(Color, rgb_color, B_RGB_32_BIT_TYPE)

#undef BEAPI_FIXED_ACCESSORS

// Types stored as a flat struct of numbers.
#define BEAPI_FLAT_ACCESSORS(Name, T, Flat, TYPE)                                                  \
	status_t BMessage::Add##Name(const char* name, T value)                                        \
	{                                                                                              \
		Flat flat = to_flat(value);                                                                \
		return AddData(name, TYPE, &flat, sizeof(Flat), true);                                     \
	}                                                                                              \
	status_t BMessage::Replace##Name(const char* name, T value)                                    \
	{                                                                                              \
		return Replace##Name(name, 0, value);                                                      \
	}                                                                                              \
	status_t BMessage::Replace##Name(const char* name, int32 index, T value)                       \
	{                                                                                              \
		Flat flat = to_flat(value);                                                                \
		return ReplaceData(name, TYPE, index, &flat, sizeof(Flat));                                \
	}                                                                                              \
	bool BMessage::Has##Name(const char* name, int32 index) const                                  \
	{                                                                                              \
		return HasData(name, TYPE, index);                                                         \
	}                                                                                              \
	status_t BMessage::Find##Name(const char* name, T* value) const                                \
	{                                                                                              \
		return Find##Name(name, 0, value);                                                         \
	}

BEAPI_FLAT_ACCESSORS(Rect, BRect, FlatRect, B_RECT_TYPE)
BEAPI_FLAT_ACCESSORS(Point, BPoint, FlatPoint, B_POINT_TYPE)
BEAPI_FLAT_ACCESSORS(Messenger, BMessenger, FlatMessenger, B_MESSENGER_TYPE)

#undef BEAPI_FLAT_ACCESSORS

status_t
BMessage::FindRect(const char* name, int32 index, BRect* rect) const
{
	if (rect == nullptr)
		return B_BAD_VALUE;
	FlatRect flat;
	status_t status = find_fixed(this, name, B_RECT_TYPE, index, &flat);
	*rect = status == B_OK ? BRect(flat.l, flat.t, flat.r, flat.b) : BRect();
	return status;
}

status_t
BMessage::FindPoint(const char* name, int32 index, BPoint* point) const
{
	if (point == nullptr)
		return B_BAD_VALUE;
	FlatPoint flat;
	status_t status = find_fixed(this, name, B_POINT_TYPE, index, &flat);
	*point = status == B_OK ? BPoint(flat.x, flat.y) : BPoint();
	return status;
}

status_t
BMessage::FindMessenger(const char* name, int32 index, BMessenger* messenger) const
{
	if (messenger == nullptr)
		return B_BAD_VALUE;
	FlatMessenger flat;
	status_t status = find_fixed(this, name, B_MESSENGER_TYPE, index, &flat);
	if (status == B_OK)
		BMessenger::Private(messenger).SetTo(flat.team, flat.port, flat.token);
	else
		*messenger = BMessenger();
	return status;
}

status_t
BMessage::AddBool(const char* name, bool value)
{
	uint8 byte = value ? 1 : 0;
	return AddData(name, B_BOOL_TYPE, &byte, 1, true);
}

status_t
BMessage::FindBool(const char* name, bool* value) const
{
	return FindBool(name, 0, value);
}

status_t
BMessage::FindBool(const char* name, int32 index, bool* value) const
{
	if (value == nullptr)
		return B_BAD_VALUE;
	uint8 byte;
	status_t status = find_fixed(this, name, B_BOOL_TYPE, index, &byte);
	*value = status == B_OK && byte != 0;
	return status;
}

status_t
BMessage::ReplaceBool(const char* name, bool value)
{
	return ReplaceBool(name, 0, value);
}

status_t
BMessage::ReplaceBool(const char* name, int32 index, bool value)
{
	uint8 byte = value ? 1 : 0;
	return ReplaceData(name, B_BOOL_TYPE, index, &byte, 1);
}

bool
BMessage::HasBool(const char* name, int32 index) const
{
	return HasData(name, B_BOOL_TYPE, index);
}

status_t
BMessage::SetBool(const char* name, bool value)
{
	uint8 byte = value ? 1 : 0;
	return SetData(name, B_BOOL_TYPE, &byte, 1, true);
}

status_t
BMessage::AddPointer(const char* name, const void* pointer)
{
	return AddData(name, B_POINTER_TYPE, &pointer, sizeof(pointer), true);
}

status_t
BMessage::FindPointer(const char* name, void** pointer) const
{
	return find_fixed(this, name, B_POINTER_TYPE, 0, pointer);
}

status_t
BMessage::FindPointer(const char* name, int32 index, void** pointer) const
{
	return find_fixed(this, name, B_POINTER_TYPE, index, pointer);
}

status_t
BMessage::ReplacePointer(const char* name, const void* pointer)
{
	return ReplaceData(name, B_POINTER_TYPE, 0, &pointer, sizeof(pointer));
}

status_t
BMessage::ReplacePointer(const char* name, int32 index, const void* pointer)
{
	return ReplaceData(name, B_POINTER_TYPE, index, &pointer, sizeof(pointer));
}

bool
BMessage::HasPointer(const char* name, int32 index) const
{
	return HasData(name, B_POINTER_TYPE, index);
}
