#ifndef _PROCESS_LAUNCH_H
#define _PROCESS_LAUNCH_H

// Starting programs for the roster: applications by their path, and documents and addresses by
// the desktop's opener.

#include <OS.h>

#include <string>

namespace BPrivate {

bool is_executable(const std::string& path);
// Starts the program detached from us (no zombie is left behind) with the arguments after its
// path and returns its process; B_LAUNCH_FAILED_EXECUTABLE when it cannot be run. A quiet
// program reads and writes nothing of ours.
status_t spawn_detached(const std::string& path, int argc, const char* const* args, team_id* team,
						bool quiet = false);
// Application signatures name programs; every other type names a kind of document.
bool is_document_type(const char* mimeType);
// Hands each argument (an address or a file) to the desktop's opener, which starts the person's
// preferred program for it; B_LAUNCH_FAILED_APP_NOT_FOUND when the desktop has no opener.
status_t open_on_desktop(int argc, const char* const* args, team_id* team);

} // namespace BPrivate

#endif
