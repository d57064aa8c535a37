#include <MimeType.h>

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <FindDirectory.h>
#include <Path.h>

#include <cctype>
#include <cstring>
#include <strings.h>

#include "MimeString.h"

static const char kPreferredAppAttr[] = "META:PREF_APP";
static const char kDatabaseFolder[] = "mime_db";

BMimeType::BMimeType() : fStatus(B_NO_INIT) {}

BMimeType::BMimeType(const char* mimeType) : fStatus(B_NO_INIT)
{
	SetTo(mimeType);
}

BMimeType::~BMimeType() {}

status_t
BMimeType::SetTo(const char* mimeType)
{
	Unset();
	if (mimeType == nullptr || !IsValid(mimeType))
		return fStatus = B_BAD_VALUE;
	fType = mimeType;
	return fStatus = B_OK;
}

status_t
BMimeType::SetType(const char* mimeType)
{
	return SetTo(mimeType);
}

void
BMimeType::Unset()
{
	fType.clear();
	fStatus = B_NO_INIT;
}

status_t
BMimeType::InitCheck() const
{
	return fStatus;
}

const char*
BMimeType::Type() const
{
	return fStatus == B_OK ? fType.c_str() : nullptr;
}

bool
BMimeType::IsValid() const
{
	return fStatus == B_OK;
}

// Characters that may not appear in a type name besides the one separator.
static bool
is_type_char(char c)
{
	if (c <= ' ' || c >= 0x7f)
		return false;
	return strchr("/<>@,;:\"()[]?=\\", c) == nullptr;
}

bool
BMimeType::IsValid(const char* mimeType)
{
	if (mimeType == nullptr)
		return false;
	size_t length = strlen(mimeType);
	if (length == 0 || length >= B_MIME_TYPE_LENGTH)
		return false;
	bool slashSeen = false;
	for (size_t i = 0; i < length; i++) {
		char c = mimeType[i];
		if (c == '/') {
			// One separator, with a name on both sides.
			if (slashSeen || i == 0 || i + 1 == length)
				return false;
			slashSeen = true;
			continue;
		}
		if (!is_type_char(c))
			return false;
	}
	return true;
}

bool
BMimeType::IsSupertypeOnly() const
{
	return fStatus == B_OK && fType.find('/') == std::string::npos;
}

status_t
BMimeType::GetSupertype(BMimeType* supertype) const
{
	if (supertype == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK) {
		supertype->Unset();
		return B_NO_INIT;
	}
	size_t slash = fType.find('/');
	if (slash == std::string::npos) {
		supertype->Unset();
		return B_BAD_VALUE;
	}
	// Taken before setting, as the supertype may be this object.
	std::string super = fType.substr(0, slash);
	return supertype->SetTo(super.c_str());
}

bool
BMimeType::Contains(const BMimeType* type) const
{
	if (type == nullptr || fStatus != B_OK || type->fStatus != B_OK)
		return false;
	if (*this == *type)
		return true;
	BMimeType super;
	return IsSupertypeOnly() && type->GetSupertype(&super) == B_OK && super == *this;
}

bool
BMimeType::operator==(const BMimeType& type) const
{
	if (fStatus != B_OK || type.fStatus != B_OK)
		return fStatus != B_OK && type.fStatus != B_OK;
	return strcasecmp(fType.c_str(), type.fType.c_str()) == 0;
}

bool
BMimeType::operator==(const char* type) const
{
	BMimeType other(type);
	return *this == other;
}

status_t
BMimeType::_DatabasePath(bool create, std::string* path) const
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	BPath folder;
	status_t status = find_directory(B_USER_SETTINGS_DIRECTORY, &folder, create);
	if (status != B_OK)
		return status;
	std::string lower = fType;
	for (char& c : lower)
		c = char(tolower(static_cast<unsigned char>(c)));
	std::string base = std::string(folder.Path()) + "/" + kDatabaseFolder;
	size_t slash = lower.find('/');
	std::string parent = slash == std::string::npos ? base : base + "/" + lower.substr(0, slash);
	if (create) {
		status = create_directory(parent.c_str(), 0755);
		if (status != B_OK)
			return status;
	}
	*path = base + "/" + lower;
	return B_OK;
}

bool
BMimeType::IsInstalled() const
{
	std::string path;
	if (_DatabasePath(false, &path) != B_OK)
		return false;
	BEntry entry(path.c_str());
	return entry.Exists();
}

status_t
BMimeType::GetPreferredApp(char* signature, app_verb verb) const
{
	if (signature == nullptr || verb != B_OPEN)
		return B_BAD_VALUE;
	std::string path;
	status_t status = _DatabasePath(false, &path);
	if (status != B_OK)
		return status;
	BNode node(path.c_str());
	if (node.InitCheck() != B_OK)
		return B_ENTRY_NOT_FOUND;
	return BPrivate::read_mime_attr(&node, kPreferredAppAttr, signature);
}

status_t
BMimeType::SetPreferredApp(const char* signature, app_verb verb)
{
	if (verb != B_OPEN || (signature != nullptr && !IsValid(signature)))
		return B_BAD_VALUE;
	std::string path;
	status_t status = _DatabasePath(true, &path);
	if (status != B_OK)
		return status;
	// A supertype is a folder of the database, a full type a file in its supertype's folder.
	if (IsSupertypeOnly()) {
		status = create_directory(path.c_str(), 0755);
		if (status != B_OK)
			return status;
		BNode node(path.c_str());
		if (node.InitCheck() != B_OK)
			return node.InitCheck();
		return BPrivate::write_mime_attr(&node, kPreferredAppAttr, signature);
	}
	BFile file(path.c_str(), B_READ_WRITE | B_CREATE_FILE);
	if (file.InitCheck() != B_OK)
		return file.InitCheck();
	return BPrivate::write_mime_attr(&file, kPreferredAppAttr, signature);
}
