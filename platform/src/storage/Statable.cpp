#include <Statable.h>

#include <Node.h>

// The permission bits with set-user, set-group and sticky.
static const mode_t kPermissionBits = 07777;

// Reads one value out of the node's stat, leaving the caller's variable alone on failure.
template <typename T, typename Pick>
static status_t
get_stat_value(const BStatable& node, T* value, Pick pick)
{
	if (value == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = node.GetStat(&st);
	if (status == B_OK)
		*value = pick(st);
	return status;
}

BStatable::~BStatable() {}

bool
BStatable::IsFile() const
{
	struct stat st;
	return GetStat(&st) == B_OK && S_ISREG(st.st_mode);
}

bool
BStatable::IsDirectory() const
{
	struct stat st;
	return GetStat(&st) == B_OK && S_ISDIR(st.st_mode);
}

bool
BStatable::IsSymLink() const
{
	struct stat st;
	return GetStat(&st) == B_OK && S_ISLNK(st.st_mode);
}

status_t
BStatable::GetNodeRef(node_ref* ref) const
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = GetStat(&st);
	if (status != B_OK)
		return status;
	ref->device = st.st_dev;
	ref->node = st.st_ino;
	return B_OK;
}

status_t
BStatable::GetPermissions(mode_t* permissions) const
{
	return get_stat_value(*this, permissions,
						  [](const struct stat& st) { return st.st_mode & kPermissionBits; });
}

status_t
BStatable::SetPermissions(mode_t permissions)
{
	return _SetPermissions(permissions & kPermissionBits);
}

status_t
BStatable::GetSize(off_t* size) const
{
	return get_stat_value(*this, size, [](const struct stat& st) { return st.st_size; });
}
