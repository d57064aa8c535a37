#include <Statable.h>

#include <Node.h>

// The permission bits with set-user, set-group and sticky.
static const mode_t kPermissionBits = 07777;

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
BStatable::GetOwner(uid_t* owner) const
{
	if (owner == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = GetStat(&st);
	if (status == B_OK)
		*owner = st.st_uid;
	return status;
}

status_t
BStatable::GetGroup(gid_t* group) const
{
	if (group == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = GetStat(&st);
	if (status == B_OK)
		*group = st.st_gid;
	return status;
}

status_t
BStatable::GetPermissions(mode_t* permissions) const
{
	if (permissions == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = GetStat(&st);
	if (status == B_OK)
		*permissions = st.st_mode & kPermissionBits;
	return status;
}

status_t
BStatable::SetPermissions(mode_t permissions)
{
	return _SetPermissions(permissions & kPermissionBits);
}

status_t
BStatable::GetSize(off_t* size) const
{
	if (size == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = GetStat(&st);
	if (status == B_OK)
		*size = st.st_size;
	return status;
}

status_t
BStatable::GetModificationTime(time_t* mtime) const
{
	if (mtime == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = GetStat(&st);
	if (status == B_OK)
		*mtime = st.st_mtime;
	return status;
}

status_t
BStatable::SetModificationTime(time_t mtime)
{
	return _SetModificationTime(mtime);
}

status_t
BStatable::GetAccessTime(time_t* atime) const
{
	if (atime == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = GetStat(&st);
	if (status == B_OK)
		*atime = st.st_atime;
	return status;
}
