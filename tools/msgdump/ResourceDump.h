#ifndef RESOURCE_DUMP_H
#define RESOURCE_DUMP_H

#include <string>

// Lists the resources of a resource file or an executable carrying resources; data that is a
// flattened message is shown as one. Returns the exit status.
int dump_resources(const std::string& path, bool json);

#endif
