#ifndef _ATOMIC_FILE_H
#define _ATOMIC_FILE_H

#include <SupportDefs.h>

// Not part of the platform's interface: the storage kit's way to replace a whole file so that
// a reader, or the next start after a crash, finds either the old or the new content, never a
// mixture or an empty file.
//
// The data goes to a uniquely named temporary file in the same folder, is flushed to disk,
// takes over the old file's permissions and is renamed over it. When `path` is a symbolic
// link, the file it points to is replaced and the link stays. On failure the old file is left
// exactly as it was and no temporary file remains. A file whose permission bits forbid writing
// is not replaced, even by a privileged process.
//
// Returns B_OK, B_BAD_VALUE for a missing path or data, or the status that says why the file
// could not be written: B_PERMISSION_DENIED, B_DEVICE_FULL, B_READ_ONLY_DEVICE,
// B_IS_A_DIRECTORY, B_ENTRY_NOT_FOUND (no such folder), B_LINK_LIMIT, and so on.
status_t write_file_atomically(const char* path, const void* data, size_t size);

#endif
