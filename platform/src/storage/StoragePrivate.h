#ifndef _STORAGE_PRIVATE_H
#define _STORAGE_PRIVATE_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

// The platform's status value for an errno of this system.
status_t status_for_errno(int error);

// The status for the errno left by the last failed system call.
status_t last_error_status();

// An absolute path for `path` (relative ones are taken from the working folder) with the
// folder part resolved to its real location; the last component is kept as it is, so that a
// symbolic link or a missing file can be named. The folder must exist.
status_t normalize_path(const char* path, std::string* result);

// Whether a path must go through normalize_path to be canonical: relative, or holding ".",
// "..", a doubled or a trailing separator.
bool path_needs_normalizing(const char* path);

// Folders are remembered by device and node when a reference to an entry inside them is made,
// so that the reference can be turned back into a path in this process.
void remember_directory(int32 device, int64 node, const std::string& path);
status_t directory_for(int32 device, int64 node, std::string* path);

// Looks for a folder not remembered (one another process referred to), a bounded search.
status_t search_directory(int32 device, int64 node, std::string* path);

// The absolute path of the entry a reference names.
status_t path_for_ref(int32 device, int64 directory, const char* name, std::string* path);

// A reference's fields for an absolute normalized path; the folder is remembered.
status_t ref_fields_for_path(const std::string& path, int32* device, int64* directory,
							 std::string* name);

} // namespace BPrivate

#endif
