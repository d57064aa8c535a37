#include <Resources.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ResourceContainer.h"

using BPrivate::ResourceItem;

ResourceItem*
BResources::_Find(type_code type, int32 id) const
{
	for (const auto& item : fItems) {
		if (item->type == type && item->id == id)
			return item.get();
	}
	return nullptr;
}

ResourceItem*
BResources::_Find(type_code type, const char* name) const
{
	if (name == nullptr)
		return nullptr;
	for (const auto& item : fItems) {
		if (item->type == type && item->name == name)
			return item.get();
	}
	return nullptr;
}

ResourceItem*
BResources::_Find(const void* data) const
{
	if (data == nullptr)
		return nullptr;
	for (const auto& item : fItems) {
		if (item->data.data() == data)
			return item.get();
	}
	return nullptr;
}

static const void*
item_data(const ResourceItem* item, size_t* _size)
{
	if (item == nullptr)
		return nullptr;
	if (_size != nullptr)
		*_size = item->data.size();
	// An empty resource still has an address, so that it can be told from a missing one.
	static const uint8 kNothing = 0;
	return item->data.empty() ? &kNothing : item->data.data();
}

const void*
BResources::LoadResource(type_code type, int32 id, size_t* _size)
{
	return item_data(_Find(type, id), _size);
}

const void*
BResources::LoadResource(type_code type, const char* name, size_t* _size)
{
	return item_data(_Find(type, name), _size);
}

void*
BResources::FindResource(type_code type, int32 id, size_t* lengthFound)
{
	// A copy the caller frees with free().
	ResourceItem* item = _Find(type, id);
	if (item == nullptr)
		return nullptr;
	void* copy = malloc(item->data.empty() ? 1 : item->data.size());
	if (copy == nullptr)
		return nullptr;
	if (!item->data.empty())
		memcpy(copy, item->data.data(), item->data.size());
	if (lengthFound != nullptr)
		*lengthFound = item->data.size();
	return copy;
}

void*
BResources::FindResource(type_code type, const char* name, size_t* lengthFound)
{
	ResourceItem* item = _Find(type, name);
	if (item == nullptr)
		return nullptr;
	return FindResource(type, item->id, lengthFound);
}

bool
BResources::HasResource(type_code type, int32 id)
{
	return _Find(type, id) != nullptr;
}

bool
BResources::HasResource(type_code type, const char* name)
{
	return _Find(type, name) != nullptr;
}

bool
BResources::GetResourceInfo(int32 byIndex, type_code* typeFound, int32* idFound,
							const char** nameFound, size_t* lengthFound)
{
	if (byIndex < 0 || size_t(byIndex) >= fItems.size())
		return false;
	const ResourceItem* item = fItems[size_t(byIndex)].get();
	if (typeFound != nullptr)
		*typeFound = item->type;
	if (idFound != nullptr)
		*idFound = item->id;
	if (nameFound != nullptr)
		*nameFound = item->name.c_str();
	if (lengthFound != nullptr)
		*lengthFound = item->data.size();
	return true;
}

bool
BResources::GetResourceInfo(type_code byType, int32 andIndex, int32* idFound,
							const char** nameFound, size_t* lengthFound)
{
	if (andIndex < 0)
		return false;
	int32 index = 0;
	for (const auto& item : fItems) {
		if (item->type != byType)
			continue;
		if (index++ != andIndex)
			continue;
		if (idFound != nullptr)
			*idFound = item->id;
		if (nameFound != nullptr)
			*nameFound = item->name.c_str();
		if (lengthFound != nullptr)
			*lengthFound = item->data.size();
		return true;
	}
	return false;
}

bool
BResources::GetResourceInfo(type_code byType, int32 andID, const char** nameFound,
							size_t* lengthFound)
{
	const ResourceItem* item = _Find(byType, andID);
	if (item == nullptr)
		return false;
	if (nameFound != nullptr)
		*nameFound = item->name.c_str();
	if (lengthFound != nullptr)
		*lengthFound = item->data.size();
	return true;
}

bool
BResources::GetResourceInfo(type_code byType, const char* andName, int32* idFound,
							size_t* lengthFound)
{
	const ResourceItem* item = _Find(byType, andName);
	if (item == nullptr)
		return false;
	if (idFound != nullptr)
		*idFound = item->id;
	if (lengthFound != nullptr)
		*lengthFound = item->data.size();
	return true;
}

bool
BResources::GetResourceInfo(const void* byPointer, type_code* typeFound, int32* idFound,
							size_t* lengthFound, const char** nameFound)
{
	const ResourceItem* item = _Find(byPointer);
	if (item == nullptr)
		return false;
	if (typeFound != nullptr)
		*typeFound = item->type;
	if (idFound != nullptr)
		*idFound = item->id;
	if (lengthFound != nullptr)
		*lengthFound = item->data.size();
	if (nameFound != nullptr)
		*nameFound = item->name.c_str();
	return true;
}

status_t
BResources::AddResource(type_code type, int32 id, const void* data, size_t length, const char* name)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (data == nullptr && length > 0)
		return B_BAD_VALUE;
	if (!fFile.IsWritable())
		return B_NOT_ALLOWED;
	// A resource of the same type and number is replaced.
	ResourceItem* item = _Find(type, id);
	if (item == nullptr) {
		fItems.push_back(std::make_unique<ResourceItem>());
		item = fItems.back().get();
		item->type = type;
		item->id = id;
	}
	const uint8* bytes = static_cast<const uint8*>(data);
	item->data.assign(bytes, bytes + length);
	item->name = name != nullptr ? name : "";
	fModified = true;
	return B_OK;
}

status_t
BResources::RemoveResource(const void* resource)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	const ResourceItem* item = _Find(resource);
	if (item == nullptr)
		return B_BAD_VALUE;
	return RemoveResource(item->type, item->id);
}

status_t
BResources::RemoveResource(type_code type, int32 id)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (!fFile.IsWritable())
		return B_NOT_ALLOWED;
	for (auto it = fItems.begin(); it != fItems.end(); ++it) {
		if ((*it)->type == type && (*it)->id == id) {
			fItems.erase(it);
			fModified = true;
			return B_OK;
		}
	}
	return B_BAD_VALUE;
}

status_t
BResources::WriteResource(type_code type, int32 id, const void* data, off_t offset, size_t length)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (offset < 0 || (data == nullptr && length > 0))
		return B_BAD_VALUE;
	if (!fFile.IsWritable())
		return B_NOT_ALLOWED;
	ResourceItem* item = _Find(type, id);
	if (item == nullptr)
		return B_BAD_VALUE;
	uint64 end = uint64(offset) + length;
	if (end > uint64(SIZE_MAX / 2))
		return B_BAD_VALUE;
	if (item->data.size() < end)
		item->data.resize(size_t(end));
	if (length > 0)
		memcpy(item->data.data() + offset, data, length);
	fModified = true;
	return B_OK;
}

status_t
BResources::ReadResource(type_code type, int32 id, void* data, off_t offset, size_t length)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (offset < 0 || (data == nullptr && length > 0))
		return B_BAD_VALUE;
	const ResourceItem* item = _Find(type, id);
	if (item == nullptr)
		return B_BAD_VALUE;
	if (uint64(offset) >= item->data.size())
		return B_OK;
	size_t count = item->data.size() - size_t(offset);
	if (count > length)
		count = length;
	memcpy(data, item->data.data() + offset, count);
	return B_OK;
}
