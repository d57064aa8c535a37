// A field's items and the lookup of fields by name.
#include <Message.h>

#include <cstring>

#include "MessagePrivate.h"

void
MessageField::AppendItem(const void* bytes, uint32 size)
{
	if (fixedSize) {
		const uint8* p = static_cast<const uint8*>(bytes);
		data.insert(data.end(), p, p + size);
	} else {
		offsets.push_back(static_cast<uint32>(data.size()));
		uint8 prefix[4];
		memcpy(prefix, &size, 4);
		data.insert(data.end(), prefix, prefix + 4);
		const uint8* p = static_cast<const uint8*>(bytes);
		data.insert(data.end(), p, p + size);
	}
	count++;
}

void
MessageField::ReplaceItem(uint32 index, const void* bytes, uint32 size)
{
	if (fixedSize) {
		memcpy(data.data() + static_cast<size_t>(index) * itemSize, bytes, size);
		return;
	}
	uint32 oldSize;
	const uint8* old = Item(index, &oldSize);
	size_t start = static_cast<size_t>(old - data.data());
	const uint8* p = static_cast<const uint8*>(bytes);
	if (oldSize == size) {
		memcpy(data.data() + start, p, size);
		return;
	}
	data.erase(data.begin() + start, data.begin() + start + oldSize);
	data.insert(data.begin() + start, p, p + size);
	memcpy(data.data() + start - 4, &size, 4);
	int64 delta = static_cast<int64>(size) - static_cast<int64>(oldSize);
	for (uint32 i = index + 1; i < count; i++)
		offsets[i] = static_cast<uint32>(offsets[i] + delta);
}

void
MessageField::RemoveItem(uint32 index)
{
	if (fixedSize) {
		size_t start = static_cast<size_t>(index) * itemSize;
		data.erase(data.begin() + start, data.begin() + start + itemSize);
	} else {
		uint32 size;
		Item(index, &size);
		size_t start = offsets[index];
		data.erase(data.begin() + start, data.begin() + start + 4 + size);
		offsets.erase(offsets.begin() + index);
		for (uint32 i = index; i < offsets.size(); i++)
			offsets[i] -= 4 + size;
	}
	count--;
}

MessageField*
BMessage::Body::Find(const char* name)
{
	int32 index = IndexOf(name);
	return index < 0 ? nullptr : &fields[index];
}

const MessageField*
BMessage::Body::Find(const char* name) const
{
	int32 index = IndexOf(name);
	return index < 0 ? nullptr : &fields[index];
}

int32
BMessage::Body::IndexOf(const char* name) const
{
	if (name == nullptr)
		return -1;
	size_t length = strlen(name);
	for (size_t i = 0; i < fields.size(); i++) {
		if (fields[i].NameIs(name, length))
			return static_cast<int32>(i);
	}
	return -1;
}

void
BMessage::Body::ResetHeader()
{
	flags = MESSAGE_FLAG_VALID;
	target = currentSpecifier = replyPort = replyTarget = replyTeam = -1;
}
