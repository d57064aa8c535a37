#include <Node.h>

#include <TypeConstants.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/xattr.h>

#include "StoragePrivate.h"

using BPrivate::last_error_status;

// An attribute is kept as an extended attribute "user.<name>" whose value starts with this
// header: four bytes "bea1" and the type code, most significant byte first (so that it reads
// as its four characters). A value without the header was written by another program; it is
// read as raw data.
static const char kAttrMagic[4] = {'b', 'e', 'a', '1'};
static const size_t kAttrHeaderSize = 8;
static const char kAttrPrefix[] = "user.";
static const size_t kAttrPrefixLength = sizeof(kAttrPrefix) - 1;

static status_t
system_attr_name(const char* name, std::string* systemName)
{
	if (name == nullptr || name[0] == '\0')
		return B_BAD_VALUE;
	if (strlen(name) >= B_ATTR_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	*systemName = kAttrPrefix;
	*systemName += name;
	return B_OK;
}

static bool
has_header(const std::vector<uint8>& value)
{
	return value.size() >= kAttrHeaderSize && memcmp(value.data(), kAttrMagic, 4) == 0;
}

static uint32
value_type(const std::vector<uint8>& value)
{
	if (!has_header(value))
		return B_RAW_TYPE;
	return uint32(value[4]) << 24 | uint32(value[5]) << 16 | uint32(value[6]) << 8 | value[7];
}

static size_t
data_start(const std::vector<uint8>& value)
{
	return has_header(value) ? kAttrHeaderSize : 0;
}

status_t
BNode::_ReadAttrValue(const char* name, std::vector<uint8>* value) const
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	std::string systemName;
	status_t status = system_attr_name(name, &systemName);
	if (status != B_OK)
		return status;
	// The value can change between asking its size and reading it; ask again then.
	for (int attempt = 0; attempt < 4; attempt++) {
		ssize_t size = fgetxattr(fFd, systemName.c_str(), nullptr, 0);
		if (size < 0)
			return last_error_status();
		value->resize(size_t(size));
		ssize_t read = fgetxattr(fFd, systemName.c_str(), value->data(), value->size());
		if (read >= 0) {
			value->resize(size_t(read));
			return B_OK;
		}
		if (errno != ERANGE)
			return last_error_status();
	}
	return B_BUSY;
}

ssize_t
BNode::WriteAttr(const char* name, type_code type, off_t offset, const void* buffer, size_t length)
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (offset < 0 || (buffer == nullptr && length > 0))
		return B_BAD_VALUE;
	std::string systemName;
	status_t status = system_attr_name(name, &systemName);
	if (status != B_OK)
		return status;

	// Writing at the start replaces the attribute; writing further keeps the data before.
	std::vector<uint8> data;
	if (offset > 0) {
		std::vector<uint8> old;
		if (_ReadAttrValue(name, &old) == B_OK)
			data.assign(old.begin() + ptrdiff_t(data_start(old)), old.end());
	}
	if (uint64(offset) + length > size_t(SSIZE_MAX))
		return B_BAD_VALUE;
	if (data.size() < size_t(offset) + length)
		data.resize(size_t(offset) + length);
	if (length > 0)
		memcpy(data.data() + offset, buffer, length);

	std::vector<uint8> value(kAttrHeaderSize + data.size());
	memcpy(value.data(), kAttrMagic, 4);
	value[4] = uint8(type >> 24);
	value[5] = uint8(type >> 16);
	value[6] = uint8(type >> 8);
	value[7] = uint8(type);
	if (!data.empty())
		memcpy(value.data() + kAttrHeaderSize, data.data(), data.size());
	if (fsetxattr(fFd, systemName.c_str(), value.data(), value.size(), 0) != 0)
		return last_error_status();
	return ssize_t(length);
}

ssize_t
BNode::ReadAttr(const char* name, type_code, off_t offset, void* buffer, size_t length) const
{
	if (offset < 0 || (buffer == nullptr && length > 0))
		return B_BAD_VALUE;
	std::vector<uint8> value;
	status_t status = _ReadAttrValue(name, &value);
	if (status != B_OK)
		return status;
	size_t start = data_start(value);
	size_t size = value.size() - start;
	if (uint64(offset) >= size)
		return 0;
	size_t count = std::min(length, size - size_t(offset));
	memcpy(buffer, value.data() + start + offset, count);
	return ssize_t(count);
}

status_t
BNode::RemoveAttr(const char* name)
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	std::string systemName;
	status_t status = system_attr_name(name, &systemName);
	if (status != B_OK)
		return status;
	if (fremovexattr(fFd, systemName.c_str()) != 0)
		return last_error_status();
	return B_OK;
}

status_t
BNode::RenameAttr(const char* oldName, const char* newName)
{
	std::vector<uint8> value;
	status_t status = _ReadAttrValue(oldName, &value);
	if (status != B_OK)
		return status;
	std::string systemName;
	status = system_attr_name(newName, &systemName);
	if (status != B_OK)
		return status;
	if (fsetxattr(fFd, systemName.c_str(), value.data(), value.size(), 0) != 0)
		return last_error_status();
	if (strcmp(oldName, newName) == 0)
		return B_OK;
	return RemoveAttr(oldName);
}

status_t
BNode::GetAttrInfo(const char* name, struct attr_info* info) const
{
	if (info == nullptr)
		return B_BAD_VALUE;
	std::vector<uint8> value;
	status_t status = _ReadAttrValue(name, &value);
	if (status != B_OK)
		return status;
	info->type = value_type(value);
	info->size = off_t(value.size() - data_start(value));
	return B_OK;
}

status_t
BNode::GetNextAttrName(char* buffer)
{
	if (buffer == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (!fAttrsListed) {
		std::vector<char> list;
		for (int attempt = 0; attempt < 4; attempt++) {
			ssize_t size = flistxattr(fFd, nullptr, 0);
			if (size < 0)
				return last_error_status();
			list.resize(size_t(size));
			ssize_t read = flistxattr(fFd, list.data(), list.size());
			if (read >= 0) {
				list.resize(size_t(read));
				break;
			}
			if (errno != ERANGE)
				return last_error_status();
		}
		fAttrNames.clear();
		for (size_t i = 0; i < list.size();) {
			const char* systemName = list.data() + i;
			size_t nameLength = strnlen(systemName, list.size() - i);
			if (nameLength > kAttrPrefixLength &&
				nameLength - kAttrPrefixLength < B_ATTR_NAME_LENGTH &&
				strncmp(systemName, kAttrPrefix, kAttrPrefixLength) == 0)
				fAttrNames.emplace_back(systemName + kAttrPrefixLength,
										nameLength - kAttrPrefixLength);
			i += nameLength + 1;
		}
		fAttrIndex = 0;
		fAttrsListed = true;
	}
	if (fAttrIndex >= fAttrNames.size())
		return B_ENTRY_NOT_FOUND;
	const std::string& name = fAttrNames[fAttrIndex++];
	memcpy(buffer, name.c_str(), name.size() + 1);
	return B_OK;
}

status_t
BNode::RewindAttrs()
{
	fAttrNames.clear();
	fAttrIndex = 0;
	fAttrsListed = false;
	return fStatus == B_OK ? B_OK : B_FILE_ERROR;
}
