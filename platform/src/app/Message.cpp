#include <Message.h>

#include <cstdio>
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

void
BMessage::Private::Clear()
{
	fMessage->what = 0;
	fMessage->fBody->fields.clear();
	fMessage->fBody->ResetHeader();
}

BMessage::BMessage() : what(0), fBody(new Body) {}

BMessage::BMessage(uint32 command) : what(command), fBody(new Body) {}

BMessage::BMessage(const BMessage& other) : what(0), fBody(new Body)
{
	*this = other;
}

BMessage::~BMessage()
{
	delete fBody;
}

BMessage&
BMessage::operator=(const BMessage& other)
{
	if (this == &other)
		return *this;
	what = other.what;
	*fBody = *other.fBody;
	// A copy is a new message: it was not delivered and nobody waits for its reply.
	fBody->flags &=
		~(MESSAGE_FLAG_REPLY_REQUIRED | MESSAGE_FLAG_REPLY_DONE | MESSAGE_FLAG_IS_REPLY |
		  MESSAGE_FLAG_WAS_DELIVERED | MESSAGE_FLAG_PASS_BY_AREA);
	return *this;
}

status_t
BMessage::GetInfo(type_code typeRequested, int32 index, char** nameFound, type_code* typeFound,
				  int32* countFound) const
{
	if (index < 0)
		return B_BAD_INDEX;
	int32 seen = 0;
	for (const MessageField& field : fBody->fields) {
		if (typeRequested != B_ANY_TYPE && field.type != typeRequested)
			continue;
		if (seen++ != index)
			continue;
		if (nameFound != nullptr)
			*nameFound = const_cast<char*>(field.name.c_str());
		if (typeFound != nullptr)
			*typeFound = field.type;
		if (countFound != nullptr)
			*countFound = static_cast<int32>(field.count);
		return B_OK;
	}
	return seen == 0 ? B_BAD_TYPE : B_BAD_INDEX;
}

status_t
BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound) const
{
	return GetInfo(name, typeFound, countFound, nullptr);
}

status_t
BMessage::GetInfo(const char* name, type_code* typeFound, bool* fixedSize) const
{
	return GetInfo(name, typeFound, nullptr, fixedSize);
}

status_t
BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound, bool* fixedSize) const
{
	if (name == nullptr)
		return B_BAD_VALUE;
	const MessageField* field = fBody->Find(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (typeFound != nullptr)
		*typeFound = field->type;
	if (countFound != nullptr)
		*countFound = static_cast<int32>(field->count);
	if (fixedSize != nullptr)
		*fixedSize = field->fixedSize;
	return B_OK;
}

int32
BMessage::CountNames(type_code type) const
{
	if (type == B_ANY_TYPE)
		return static_cast<int32>(fBody->fields.size());
	int32 count = 0;
	for (const MessageField& field : fBody->fields)
		count += field.type == type ? 1 : 0;
	return count;
}

bool
BMessage::IsEmpty() const
{
	return fBody->fields.empty();
}

bool
BMessage::IsSystem() const
{
	// System messages have codes of the form '_XYZ'.
	return (what >> 24) == '_' && ((what >> 16) & 0xff) >= 'A' && ((what >> 16) & 0xff) <= 'Z';
}

bool
BMessage::IsReply() const
{
	return (fBody->flags & MESSAGE_FLAG_IS_REPLY) != 0;
}

bool
BMessage::WasDelivered() const
{
	return (fBody->flags & MESSAGE_FLAG_WAS_DELIVERED) != 0;
}

bool
BMessage::IsSourceWaiting() const
{
	return (fBody->flags & MESSAGE_FLAG_REPLY_REQUIRED) != 0 &&
		   (fBody->flags & MESSAGE_FLAG_REPLY_DONE) == 0;
}

bool
BMessage::WasDropped() const
{
	return (fBody->flags & MESSAGE_FLAG_WAS_DROPPED) != 0;
}

void
BMessage::PrintToStream() const
{
	std::string text;
	print_message(text, *this, 0, 0);
	fwrite(text.data(), 1, text.size(), stdout);
	fflush(stdout);
}

status_t
BMessage::Rename(const char* oldEntry, const char* newEntry)
{
	if (oldEntry == nullptr || newEntry == nullptr || newEntry[0] == '\0')
		return B_BAD_VALUE;
	MessageField* field = fBody->Find(oldEntry);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (strcmp(oldEntry, newEntry) == 0)
		return B_OK;
	if (fBody->Find(newEntry) != nullptr)
		return B_NAME_IN_USE;
	field->name = newEntry;
	return B_OK;
}

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
BMessage::Append(const BMessage& message)
{
	if (&message == this)
		return B_BAD_VALUE;
	for (const MessageField& field : message.fBody->fields) {
		for (uint32 i = 0; i < field.count; i++) {
			uint32 size;
			const uint8* item = field.Item(i, &size);
			std::string name(field.name);
			status_t status = AddData(name.c_str(), field.type, item, size, field.fixedSize);
			if (status != B_OK)
				return status;
		}
	}
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
	if (name == nullptr || data == nullptr)
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
