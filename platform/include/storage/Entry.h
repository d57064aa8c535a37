#ifndef _ENTRY_H
#define _ENTRY_H

#include <SupportDefs.h>

// A reference to an entry: the device and folder it lives in, and its name.
struct entry_ref {
	entry_ref();
	entry_ref(int32 dev, int64 dir, const char* name);
	entry_ref(const entry_ref& other);
	~entry_ref();

	status_t set_name(const char* name);

	bool operator==(const entry_ref& other) const;
	bool operator!=(const entry_ref& other) const;
	entry_ref& operator=(const entry_ref& other);

	int32 device;
	int64 directory;
	char* name;
};

#endif
