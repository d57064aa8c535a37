#ifndef _RUNTIME_DIRECTORY_H
#define _RUNTIME_DIRECTORY_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

// The user's private folder for objects shared between processes: $XDG_RUNTIME_DIR/beapi when
// that is an absolute path, else /tmp/beapi-<uid>. Created with mode 0700; refused
// (B_PERMISSION_DENIED) when it is not a real folder owned by the user, so that nobody else can
// plant or read what lies in it. A refusal is described in `problem`, naming the folder.
status_t runtime_directory(std::string* path, std::string* problem = nullptr);

// Where that folder is, without creating or checking it.
std::string runtime_directory_path();

// Another process may hold a lock file in that folder for ever (frozen, or hostile): a wait for
// one is bounded. Takes the exclusive flock on fd, trying until `timeout` (microseconds) has
// passed; false when it could not.
constexpr bigtime_t kLockFileWait = 2000000;
bool lock_file_within(int fd, bigtime_t timeout = kLockFileWait);

} // namespace BPrivate

#endif
