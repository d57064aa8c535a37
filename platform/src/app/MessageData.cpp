// Untyped access to the items of a message's fields.
#include <Message.h>

#include <cstring>

#include "MessagePrivate.h"

namespace {

// A flattened native message must fit its 32-bit sizes; stay well inside them.
const size_t kMaxFieldData = 0x7fff0000;

size_t
name_length(const char* name)
{
	return name == nullptr ? 0 : strlen(name);
}

} // namespace

status_t
BMessage::AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
				  bool isFixedSize, int32)
{
	size_t length = name_length(name);
	if (length == 0 || length > 0xfffe || numBytes < 0 || type == B_ANY_TYPE ||
		(data == nullptr && numBytes > 0))
		return B_BAD_VALUE;
	MessageField* field = fBody->Find(name);
	if (field == nullptr) {
		if (isFixedSize && numBytes == 0)
			return B_BAD_VALUE;
		MessageField created;
		created.name.assign(name, length);
		created.type = type;
		created.fixedSize = isFixedSize;
		created.itemSize = isFixedSize ? static_cast<uint32>(numBytes) : 0;
		fBody->fields.push_back(std::move(created));
		field = &fBody->fields.back();
	} else {
		if (field->type != type)
			return B_BAD_TYPE;
		if (field->fixedSize && static_cast<uint32>(numBytes) != field->itemSize)
			return B_BAD_VALUE;
	}
	if (field->data.size() + static_cast<size_t>(numBytes) + 4 > kMaxFieldData)
		return B_NO_MEMORY;
	field->AppendItem(data, static_cast<uint32>(numBytes));
	return B_OK;
}

status_t
BMessage::RemoveData(const char* name, int32 index)
{
	if (name == nullptr || index < 0)
		return B_BAD_VALUE;
	int32 fieldIndex = fBody->IndexOf(name);
	if (fieldIndex < 0)
		return B_NAME_NOT_FOUND;
	MessageField& field = fBody->fields[fieldIndex];
	if (static_cast<uint32>(index) >= field.count)
		return B_BAD_INDEX;
	if (field.count == 1)
		fBody->fields.erase(fBody->fields.begin() + fieldIndex);
	else
		field.RemoveItem(static_cast<uint32>(index));
	return B_OK;
}

status_t
BMessage::RemoveName(const char* name)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	int32 fieldIndex = fBody->IndexOf(name);
	if (fieldIndex < 0)
		return B_NAME_NOT_FOUND;
	fBody->fields.erase(fBody->fields.begin() + fieldIndex);
	return B_OK;
}

status_t
BMessage::MakeEmpty()
{
	fBody->fields.clear();
	return B_OK;
}

status_t
BMessage::FindData(const char* name, type_code type, const void** data, ssize_t* numBytes) const
{
	return FindData(name, type, 0, data, numBytes);
}

status_t
BMessage::FindData(const char* name, type_code type, int32 index, const void** data,
				   ssize_t* numBytes) const
{
	if (data == nullptr)
		return B_BAD_VALUE;
	// A caller may test the pointer instead of the status: a failed find leaves none.
	*data = nullptr;
	if (numBytes != nullptr)
		*numBytes = 0;
	if (name == nullptr)
		return B_BAD_VALUE;
	const MessageField* field = fBody->Find(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (type != B_ANY_TYPE && field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || static_cast<uint32>(index) >= field->count)
		return B_BAD_INDEX;
	uint32 size;
	*data = field->Item(static_cast<uint32>(index), &size);
	if (numBytes != nullptr)
		*numBytes = size;
	return B_OK;
}

status_t
BMessage::ReplaceData(const char* name, type_code type, const void* data, ssize_t numBytes)
{
	return ReplaceData(name, type, 0, data, numBytes);
}

status_t
BMessage::ReplaceData(const char* name, type_code type, int32 index, const void* data,
					  ssize_t numBytes)
{
	if (name == nullptr || numBytes < 0 || (data == nullptr && numBytes > 0))
		return B_BAD_VALUE;
	MessageField* field = fBody->Find(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (type != B_ANY_TYPE && field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || static_cast<uint32>(index) >= field->count)
		return B_BAD_INDEX;
	if (field->fixedSize && static_cast<uint32>(numBytes) != field->itemSize)
		return B_BAD_VALUE;
	if (field->data.size() + static_cast<size_t>(numBytes) > kMaxFieldData)
		return B_NO_MEMORY;
	field->ReplaceItem(static_cast<uint32>(index), data, static_cast<uint32>(numBytes));
	return B_OK;
}

bool
BMessage::HasData(const char* name, type_code type, int32 index) const
{
	const void* data;
	return FindData(name, type, index, &data, nullptr) == B_OK;
}

status_t
BMessage::SetData(const char* name, type_code type, const void* data, ssize_t numBytes,
				  bool fixedSize, int count)
{
	const MessageField* field = fBody->Find(name);
	if (field == nullptr)
		return AddData(name, type, data, numBytes, fixedSize, count);
	return ReplaceData(name, type, 0, data, numBytes);
}
