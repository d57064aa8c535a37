#ifndef _APP_RESOURCES_PRIVATE_H
#define _APP_RESOURCES_PRIVATE_H

// What a process knows about its own executable.

#include <SupportDefs.h>

#include <string>
#include <vector>

namespace BPrivate {

// The resolved path of the running executable.
std::string executable_path();
// The arguments the process was started with, the program's name first.
std::vector<std::string> program_arguments();
// The launch flags of the executable's 'APPF' resource; multiple launch when it has none.
uint32 app_flags();
// The launch flags of the executable at the path; multiple launch when it has none.
uint32 app_flags_of(const char* path);
// The signature of the executable at the path ('MIMS' resource), empty when it has none.
std::string app_signature_of(const char* path);

} // namespace BPrivate

#endif
