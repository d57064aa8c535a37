#ifndef _MIME_STRING_H
#define _MIME_STRING_H

#include <Node.h>

namespace BPrivate {

// Reads a NUL-terminated MIME string attribute into a buffer of B_MIME_TYPE_LENGTH bytes.
status_t read_mime_attr(const BNode* node, const char* name, char* buffer);
// Writes one, or removes it when `value` is NULL.
status_t write_mime_attr(BNode* node, const char* name, const char* value);

} // namespace BPrivate

#endif
