#ifndef _STATABLE_H
#define _STATABLE_H

#include <SupportDefs.h>

#include <sys/stat.h>
#include <time.h>

struct node_ref;

// What every file-system object can tell about its node.
class BStatable {
public:
	virtual ~BStatable();

	virtual status_t GetStat(struct stat* st) const = 0;

	bool IsFile() const;
	bool IsDirectory() const;
	bool IsSymLink() const;

	status_t GetNodeRef(node_ref* ref) const;
	status_t GetPermissions(mode_t* permissions) const;
	status_t SetPermissions(mode_t permissions);
	status_t GetSize(off_t* size) const;

protected:
	// Changes the node's permissions or times, whichever the object reaches its node by.
	virtual status_t _SetPermissions(mode_t permissions) = 0;
	virtual status_t _SetModificationTime(time_t mtime) = 0;
};

#endif
