#ifndef _FS_ATTR_H
#define _FS_ATTR_H

#include <SupportDefs.h>

// What an attribute of a node holds: its type code and the size of its data.
struct attr_info {
	uint32 type;
	off_t size;
};

#endif
