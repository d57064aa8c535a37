#include <NodeInfo.h>

#include <TypeConstants.h>

#include <cstring>

#include "MimeString.h"

static const char kTypeAttr[] = "BEOS:TYPE";
static const char kPreferredAppAttr[] = "BEOS:PREF_APP";

namespace BPrivate {

status_t
read_mime_attr(const BNode* node, const char* name, char* buffer)
{
	attr_info info;
	status_t status = node->GetAttrInfo(name, &info);
	if (status != B_OK)
		return status;
	if (info.type != B_MIME_STRING_TYPE)
		return B_BAD_TYPE;
	if (info.size <= 0 || info.size > B_MIME_TYPE_LENGTH)
		return B_BAD_DATA;
	ssize_t read = node->ReadAttr(name, B_MIME_STRING_TYPE, 0, buffer, size_t(info.size));
	if (read < 0)
		return status_t(read);
	if (read == 0)
		return B_BAD_DATA;
	// The stored string normally carries its NUL; make sure of it.
	buffer[read < B_MIME_TYPE_LENGTH ? read : B_MIME_TYPE_LENGTH - 1] = '\0';
	return B_OK;
}

status_t
write_mime_attr(BNode* node, const char* name, const char* value)
{
	if (value == nullptr) {
		status_t status = node->RemoveAttr(name);
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	size_t length = strlen(value) + 1;
	if (length > B_MIME_TYPE_LENGTH)
		return B_BAD_VALUE;
	ssize_t written = node->WriteAttr(name, B_MIME_STRING_TYPE, 0, value, length);
	if (written < 0)
		return status_t(written);
	return written == ssize_t(length) ? B_OK : B_ERROR;
}

} // namespace BPrivate

BNodeInfo::BNodeInfo() : fNode(nullptr), fStatus(B_NO_INIT) {}

BNodeInfo::BNodeInfo(BNode* node) : fNode(nullptr), fStatus(B_NO_INIT)
{
	SetTo(node);
}

BNodeInfo::~BNodeInfo() {}

status_t
BNodeInfo::SetTo(BNode* node)
{
	fNode = nullptr;
	if (node == nullptr)
		return fStatus = B_BAD_VALUE;
	if (node->InitCheck() != B_OK)
		return fStatus = node->InitCheck();
	fNode = node;
	return fStatus = B_OK;
}

status_t
BNodeInfo::InitCheck() const
{
	return fStatus;
}

status_t
BNodeInfo::GetType(char* type) const
{
	if (type == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	return BPrivate::read_mime_attr(fNode, kTypeAttr, type);
}

status_t
BNodeInfo::SetType(const char* type)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (type != nullptr && !BMimeType::IsValid(type))
		return B_BAD_VALUE;
	return BPrivate::write_mime_attr(fNode, kTypeAttr, type);
}

status_t
BNodeInfo::GetPreferredApp(char* signature, app_verb verb) const
{
	if (signature == nullptr || verb != B_OPEN)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	return BPrivate::read_mime_attr(fNode, kPreferredAppAttr, signature);
}

status_t
BNodeInfo::SetPreferredApp(const char* signature, app_verb verb)
{
	if (verb != B_OPEN)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (signature != nullptr && !BMimeType::IsValid(signature))
		return B_BAD_VALUE;
	return BPrivate::write_mime_attr(fNode, kPreferredAppAttr, signature);
}
