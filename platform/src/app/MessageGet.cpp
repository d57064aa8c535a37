// Accessors with defaults, replace-or-add setters and comparison.
#include <Message.h>

#include <cstring>

#include "MessagePrivate.h"

namespace {

template <typename T>
T
get_or(const BMessage* message, status_t (BMessage::*find)(const char*, int32, T*) const,
	   const char* name, int32 index, T defaultValue)
{
	T value;
	return (message->*find)(name, index, &value) == B_OK ? value : defaultValue;
}

} // namespace

bool
BMessage::GetBool(const char* name, bool defaultValue) const
{
	return GetBool(name, 0, defaultValue);
}

bool
BMessage::GetBool(const char* name, int32 index, bool defaultValue) const
{
	return get_or<bool>(this, &BMessage::FindBool, name, index, defaultValue);
}

int8
BMessage::GetInt8(const char* name, int8 defaultValue) const
{
	return get_or<int8>(this, &BMessage::FindInt8, name, 0, defaultValue);
}

uint8
BMessage::GetUInt8(const char* name, uint8 defaultValue) const
{
	return get_or<uint8>(this, &BMessage::FindUInt8, name, 0, defaultValue);
}

int16
BMessage::GetInt16(const char* name, int16 defaultValue) const
{
	return get_or<int16>(this, &BMessage::FindInt16, name, 0, defaultValue);
}

uint16
BMessage::GetUInt16(const char* name, uint16 defaultValue) const
{
	return get_or<uint16>(this, &BMessage::FindUInt16, name, 0, defaultValue);
}

int32
BMessage::GetInt32(const char* name, int32 defaultValue) const
{
	return GetInt32(name, 0, defaultValue);
}

int32
BMessage::GetInt32(const char* name, int32 index, int32 defaultValue) const
{
	return get_or<int32>(this, &BMessage::FindInt32, name, index, defaultValue);
}

uint32
BMessage::GetUInt32(const char* name, uint32 defaultValue) const
{
	return get_or<uint32>(this, &BMessage::FindUInt32, name, 0, defaultValue);
}

int64
BMessage::GetInt64(const char* name, int64 defaultValue) const
{
	return get_or<int64>(this, &BMessage::FindInt64, name, 0, defaultValue);
}

uint64
BMessage::GetUInt64(const char* name, uint64 defaultValue) const
{
	return get_or<uint64>(this, &BMessage::FindUInt64, name, 0, defaultValue);
}

float
BMessage::GetFloat(const char* name, float defaultValue) const
{
	return GetFloat(name, 0, defaultValue);
}

float
BMessage::GetFloat(const char* name, int32 index, float defaultValue) const
{
	return get_or<float>(this, &BMessage::FindFloat, name, index, defaultValue);
}

double
BMessage::GetDouble(const char* name, double defaultValue) const
{
	return get_or<double>(this, &BMessage::FindDouble, name, 0, defaultValue);
}

const char*
BMessage::GetString(const char* name, const char* defaultValue) const
{
	return GetString(name, 0, defaultValue);
}

const char*
BMessage::GetString(const char* name, int32 index, const char* defaultValue) const
{
	const char* value;
	return FindString(name, index, &value) == B_OK ? value : defaultValue;
}

BRect
BMessage::GetRect(const char* name, const BRect& defaultValue) const
{
	BRect value;
	return FindRect(name, 0, &value) == B_OK ? value : defaultValue;
}

BPoint
BMessage::GetPoint(const char* name, const BPoint& defaultValue) const
{
	BPoint value;
	return FindPoint(name, 0, &value) == B_OK ? value : defaultValue;
}

rgb_color
BMessage::GetColor(const char* name, rgb_color defaultValue) const
{
	return get_or<rgb_color>(this, &BMessage::FindColor, name, 0, defaultValue);
}

status_t
BMessage::SetPoint(const char* name, const BPoint& value)
{
	if (HasData(name, B_ANY_TYPE))
		return ReplacePoint(name, value);
	return AddPoint(name, value);
}

status_t
BMessage::SetRect(const char* name, const BRect& value)
{
	if (HasData(name, B_ANY_TYPE))
		return ReplaceRect(name, value);
	return AddRect(name, value);
}

bool
BMessage::HasSameData(const BMessage& other, bool ignoreFieldOrder, bool deep) const
{
	if (this == &other)
		return true;
	const auto& mine = fBody->fields;
	const auto& theirs = other.fBody->fields;
	if (mine.size() != theirs.size())
		return false;
	for (size_t i = 0; i < mine.size(); i++) {
		const MessageField& a = mine[i];
		const MessageField* b = &theirs[i];
		if (ignoreFieldOrder || !b->NameIs(a.name.data(), a.name.size())) {
			if (!ignoreFieldOrder)
				return false;
			int32 index = other.fBody->IndexOf(a.name.c_str());
			if (index < 0)
				return false;
			b = &theirs[index];
		}
		if (a.type != b->type || a.count != b->count)
			return false;
		for (uint32 j = 0; j < a.count; j++) {
			uint32 sizeA, sizeB;
			const uint8* itemA = a.Item(j, &sizeA);
			const uint8* itemB = b->Item(j, &sizeB);
			if (deep && a.type == B_MESSAGE_TYPE) {
				BMessage nestedA, nestedB;
				if (FindMessage(a.name.c_str(), static_cast<int32>(j), &nestedA) == B_OK &&
					other.FindMessage(a.name.c_str(), static_cast<int32>(j), &nestedB) == B_OK) {
					if (nestedA.what != nestedB.what ||
						!nestedA.HasSameData(nestedB, ignoreFieldOrder, true))
						return false;
					continue;
				}
			}
			if (sizeA != sizeB || memcmp(itemA, itemB, sizeA) != 0)
				return false;
		}
	}
	return true;
}
