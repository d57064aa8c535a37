#ifndef _RUNTIME_DIRECTORY_H
#define _RUNTIME_DIRECTORY_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

// The user's private folder for objects shared between processes: $XDG_RUNTIME_DIR/beapi when
// that is an absolute path, else /tmp/beapi-<uid>. Created with mode 0700; refused
// (B_PERMISSION_DENIED) when it is not a real folder owned by the user, so that nobody else can
// plant or read what lies in it.
status_t runtime_directory(std::string* path);

// Where that folder is, without creating or checking it.
std::string runtime_directory_path();

} // namespace BPrivate

#endif
