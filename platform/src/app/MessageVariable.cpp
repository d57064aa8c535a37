// The accessors of variable-size items: strings, entry references and nested messages.
#include <Message.h>

#include <cstring>

#include <Entry.h>

#include "MessagePrivate.h"

namespace {

std::string
flatten_ref(const entry_ref* ref)
{
	std::string bytes(12, '\0');
	memcpy(bytes.data(), &ref->device, 4);
	memcpy(bytes.data() + 4, &ref->directory, 8);
	if (ref->name != nullptr)
		bytes.append(ref->name, strlen(ref->name) + 1);
	return bytes;
}

status_t
flatten_nested(const BMessage* message, std::string* bytes)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	ssize_t size = message->FlattenedSize();
	if (size < 0)
		return static_cast<status_t>(size);
	bytes->resize(static_cast<size_t>(size));
	return message->Flatten(bytes->data(), size);
}

} // namespace

status_t
BMessage::AddString(const char* name, const char* string)
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return AddData(name, B_STRING_TYPE, string, static_cast<ssize_t>(strlen(string) + 1), false);
}

status_t
BMessage::AddString(const char* name, const std::string& string)
{
	return AddString(name, string.c_str());
}

status_t
BMessage::FindString(const char* name, const char** string) const
{
	return FindString(name, 0, string);
}

status_t
BMessage::FindString(const char* name, int32 index, const char** string) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	*string = nullptr;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_STRING_TYPE, index, &data, &size);
	if (status != B_OK)
		return status;
	// Bytes read from a file may lack the terminating NUL.
	if (size < 1 || static_cast<const char*>(data)[size - 1] != '\0')
		return B_BAD_DATA;
	*string = static_cast<const char*>(data);
	return B_OK;
}

status_t
BMessage::FindString(const char* name, std::string* string) const
{
	return FindString(name, 0, string);
}

status_t
BMessage::FindString(const char* name, int32 index, std::string* string) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	const char* found = nullptr;
	status_t status = FindString(name, index, &found);
	if (status == B_OK)
		*string = found;
	else
		string->clear();
	return status;
}

status_t
BMessage::ReplaceString(const char* name, const char* string)
{
	return ReplaceString(name, 0, string);
}

status_t
BMessage::ReplaceString(const char* name, int32 index, const char* string)
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return ReplaceData(name, B_STRING_TYPE, index, string,
					   static_cast<ssize_t>(strlen(string) + 1));
}

status_t
BMessage::ReplaceString(const char* name, const std::string& string)
{
	return ReplaceString(name, 0, string.c_str());
}

status_t
BMessage::ReplaceString(const char* name, int32 index, const std::string& string)
{
	return ReplaceString(name, index, string.c_str());
}

bool
BMessage::HasString(const char* name, int32 index) const
{
	return HasData(name, B_STRING_TYPE, index);
}

status_t
BMessage::SetString(const char* name, const char* string)
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return SetData(name, B_STRING_TYPE, string, static_cast<ssize_t>(strlen(string) + 1), false);
}

status_t
BMessage::SetString(const char* name, const std::string& string)
{
	return SetString(name, string.c_str());
}

status_t
BMessage::AddRef(const char* name, const entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	std::string bytes = flatten_ref(ref);
	return AddData(name, B_REF_TYPE, bytes.data(), static_cast<ssize_t>(bytes.size()), false);
}

status_t
BMessage::FindRef(const char* name, entry_ref* ref) const
{
	return FindRef(name, 0, ref);
}

status_t
BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	*ref = entry_ref();
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_REF_TYPE, index, &data, &size);
	if (status != B_OK)
		return status;
	if (size < 12)
		return B_BAD_DATA;
	const char* bytes = static_cast<const char*>(data);
	int32 device;
	int64 directory;
	memcpy(&device, bytes, 4);
	memcpy(&directory, bytes + 4, 8);
	std::string entryName;
	// A name is present when there are bytes after the numbers and the device is valid.
	if (size > 12 && device != -1) {
		if (bytes[size - 1] != '\0')
			return B_BAD_DATA;
		entryName.assign(bytes + 12);
	}
	ref->device = device;
	ref->directory = directory;
	return ref->set_name(entryName.empty() ? nullptr : entryName.c_str());
}

status_t
BMessage::ReplaceRef(const char* name, const entry_ref* ref)
{
	return ReplaceRef(name, 0, ref);
}

status_t
BMessage::ReplaceRef(const char* name, int32 index, const entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	std::string bytes = flatten_ref(ref);
	return ReplaceData(name, B_REF_TYPE, index, bytes.data(), static_cast<ssize_t>(bytes.size()));
}

bool
BMessage::HasRef(const char* name, int32 index) const
{
	return HasData(name, B_REF_TYPE, index);
}

status_t
BMessage::AddMessage(const char* name, const BMessage* message)
{
	std::string bytes;
	status_t status = flatten_nested(message, &bytes);
	if (status != B_OK)
		return status;
	return AddData(name, B_MESSAGE_TYPE, bytes.data(), static_cast<ssize_t>(bytes.size()), false);
}

status_t
BMessage::ReplaceMessage(const char* name, const BMessage* message)
{
	return ReplaceMessage(name, 0, message);
}

status_t
BMessage::ReplaceMessage(const char* name, int32 index, const BMessage* message)
{
	std::string bytes;
	status_t status = flatten_nested(message, &bytes);
	if (status != B_OK)
		return status;
	return ReplaceData(name, B_MESSAGE_TYPE, index, bytes.data(),
					   static_cast<ssize_t>(bytes.size()));
}

bool
BMessage::HasMessage(const char* name, int32 index) const
{
	return HasData(name, B_MESSAGE_TYPE, index);
}
