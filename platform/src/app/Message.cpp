#include <Message.h>

#include <cstdio>
#include <cstring>

#include "MessagePrivate.h"

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
