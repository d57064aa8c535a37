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

namespace {

bool same_data(const BMessage& a, const BMessage& b, bool ignoreFieldOrder, bool deep, int depth);

bool
same_items(const BMessage& owner, const BMessage& other, const MessageField& a,
		   const MessageField& b, bool ignoreFieldOrder, bool deep, int depth)
{
	if (a.type != b.type || a.count != b.count)
		return false;
	for (uint32 j = 0; j < a.count; j++) {
		uint32 sizeA, sizeB;
		const uint8* itemA = a.Item(j, &sizeA);
		const uint8* itemB = b.Item(j, &sizeB);
		// Nested messages compare by content, as far as they can be read and not too deep.
		if (deep && a.type == B_MESSAGE_TYPE && depth < kMaxMessageNesting) {
			BMessage nestedA, nestedB;
			if (owner.FindMessage(a.name.c_str(), static_cast<int32>(j), &nestedA) == B_OK &&
				other.FindMessage(b.name.c_str(), static_cast<int32>(j), &nestedB) == B_OK) {
				if (nestedA.what != nestedB.what ||
					!same_data(nestedA, nestedB, ignoreFieldOrder, true, depth + 1))
					return false;
				continue;
			}
		}
		if (sizeA != sizeB || memcmp(itemA, itemB, sizeA) != 0)
			return false;
	}
	return true;
}

bool
same_data(const BMessage& a, const BMessage& b, bool ignoreFieldOrder, bool deep, int depth)
{
	const BMessage::Body& mine = BMessage::Private(&a).GetBody();
	const BMessage::Body& theirs = BMessage::Private(&b).GetBody();
	if (mine.fields.size() != theirs.fields.size())
		return false;
	for (size_t i = 0; i < mine.fields.size(); i++) {
		const MessageField& field = mine.fields[i];
		const MessageField* match = &theirs.fields[i];
		if (ignoreFieldOrder) {
			int32 index = theirs.IndexOf(field.name.c_str());
			if (index < 0)
				return false;
			match = &theirs.fields[index];
		} else if (!match->NameIs(field.name.data(), field.name.size())) {
			return false;
		}
		if (!same_items(a, b, field, *match, ignoreFieldOrder, deep, depth))
			return false;
	}
	return true;
}

} // namespace

bool
BMessage::HasSameData(const BMessage& other, bool ignoreFieldOrder, bool deep) const
{
	return this == &other || same_data(*this, other, ignoreFieldOrder, deep, 0);
}
