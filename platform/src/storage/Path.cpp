#include <Path.h>

#include <Directory.h>
#include <Entry.h>

#include <cstring>

#include "StoragePrivate.h"

using BPrivate::normalize_path;
using BPrivate::path_needs_normalizing;

BPath::BPath() : fStatus(B_NO_INIT) {}

BPath::BPath(const BPath& path) : fName(path.fName), fStatus(path.fStatus) {}

BPath::BPath(const entry_ref* ref) : fStatus(B_NO_INIT)
{
	SetTo(ref);
}

BPath::BPath(const BEntry* entry) : fStatus(B_NO_INIT)
{
	SetTo(entry);
}

BPath::BPath(const char* dir, const char* leaf, bool normalize) : fStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}

BPath::BPath(const BDirectory* dir, const char* leaf, bool normalize) : fStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}

BPath::~BPath() {}

status_t
BPath::InitCheck() const
{
	return fStatus;
}

status_t
BPath::SetTo(const entry_ref* ref)
{
	Unset();
	if (ref == nullptr)
		return fStatus = B_BAD_VALUE;
	std::string path;
	status_t status = BPrivate::path_for_ref(ref->device, ref->directory, ref->name, &path);
	if (status != B_OK)
		return fStatus = status;
	fName = path;
	return fStatus = B_OK;
}

status_t
BPath::SetTo(const BEntry* entry)
{
	Unset();
	if (entry == nullptr)
		return fStatus = B_BAD_VALUE;
	return fStatus = entry->GetPath(this);
}

status_t
BPath::SetTo(const char* path, const char* leaf, bool normalize)
{
	if (path == nullptr || path[0] == '\0' || (leaf != nullptr && leaf[0] == '/')) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	std::string full = path;
	if (leaf != nullptr && leaf[0] != '\0') {
		if (full.back() != '/')
			full += '/';
		full += leaf;
	}
	if (normalize || path_needs_normalizing(full.c_str())) {
		std::string normalized;
		status_t status = normalize_path(full.c_str(), &normalized);
		if (status != B_OK) {
			Unset();
			return fStatus = status;
		}
		full = normalized;
	}
	fName = full;
	return fStatus = B_OK;
}

status_t
BPath::SetTo(const BDirectory* dir, const char* leaf, bool normalize)
{
	Unset();
	if (dir == nullptr || (leaf != nullptr && leaf[0] == '/'))
		return fStatus = B_BAD_VALUE;
	BEntry entry;
	status_t status = dir->GetEntry(&entry);
	if (status != B_OK)
		return fStatus = status;
	BPath folder;
	status = entry.GetPath(&folder);
	if (status != B_OK)
		return fStatus = status;
	return SetTo(folder.Path(), leaf, normalize);
}

void
BPath::Unset()
{
	fName.clear();
	fStatus = B_NO_INIT;
}

status_t
BPath::Append(const char* path, bool normalize)
{
	if (fStatus != B_OK)
		return B_BAD_VALUE;
	std::string current = fName;
	return SetTo(current.c_str(), path, normalize);
}

const char*
BPath::Path() const
{
	return fStatus == B_OK ? fName.c_str() : nullptr;
}

const char*
BPath::Leaf() const
{
	if (fStatus != B_OK)
		return nullptr;
	return fName.c_str() + fName.rfind('/') + 1;
}

status_t
BPath::GetParent(BPath* path) const
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (fName == "/") {
		path->Unset();
		return B_ENTRY_NOT_FOUND;
	}
	size_t slash = fName.rfind('/');
	std::string parent = slash == 0 ? std::string("/") : fName.substr(0, slash);
	path->fName = parent;
	path->fStatus = B_OK;
	return B_OK;
}

bool
BPath::IsAbsolute() const
{
	return fStatus == B_OK && fName[0] == '/';
}

bool
BPath::operator==(const BPath& item) const
{
	return *this == item.Path();
}

bool
BPath::operator==(const char* path) const
{
	const char* mine = Path();
	if (mine == nullptr || path == nullptr)
		return mine == path;
	return strcmp(mine, path) == 0;
}

bool
BPath::operator!=(const BPath& item) const
{
	return !(*this == item);
}

bool
BPath::operator!=(const char* path) const
{
	return !(*this == path);
}

BPath&
BPath::operator=(const BPath& item)
{
	fName = item.fName;
	fStatus = item.fStatus;
	return *this;
}

BPath&
BPath::operator=(const char* path)
{
	if (path == nullptr)
		Unset();
	else
		SetTo(path);
	return *this;
}
