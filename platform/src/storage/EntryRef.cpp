#include <Entry.h>

#include <cstdlib>
#include <cstring>

entry_ref::entry_ref() : device(-1), directory(-1), name(nullptr) {}

entry_ref::entry_ref(int32 dev, int64 dir, const char* name)
	: device(dev), directory(dir), name(nullptr)
{
	set_name(name);
}

entry_ref::entry_ref(const entry_ref& other)
	: device(other.device), directory(other.directory), name(nullptr)
{
	set_name(other.name);
}

entry_ref::~entry_ref()
{
	free(name);
}

status_t
entry_ref::set_name(const char* newName)
{
	free(name);
	name = nullptr;
	if (newName == nullptr)
		return B_OK;
	name = strdup(newName);
	return name != nullptr ? B_OK : B_NO_MEMORY;
}

bool
entry_ref::operator==(const entry_ref& other) const
{
	if (device != other.device || directory != other.directory)
		return false;
	if (name == nullptr || other.name == nullptr)
		return name == other.name;
	return strcmp(name, other.name) == 0;
}

bool
entry_ref::operator!=(const entry_ref& other) const
{
	return !(*this == other);
}

entry_ref&
entry_ref::operator=(const entry_ref& other)
{
	if (this == &other)
		return *this;
	device = other.device;
	directory = other.directory;
	set_name(other.name);
	return *this;
}

bool
operator<(const entry_ref& a, const entry_ref& b)
{
	if (a.device != b.device)
		return a.device < b.device;
	if (a.directory != b.directory)
		return a.directory < b.directory;
	if (a.name == nullptr || b.name == nullptr)
		return a.name == nullptr && b.name != nullptr;
	return strcmp(a.name, b.name) < 0;
}

status_t
get_ref_for_path(const char* path, entry_ref* ref)
{
	if (path == nullptr || ref == nullptr)
		return B_BAD_VALUE;
	BEntry entry;
	status_t status = entry.SetTo(path);
	if (status != B_OK)
		return status;
	return entry.GetRef(ref);
}
