#ifndef _ROSTER_REGISTRY_H
#define _ROSTER_REGISTRY_H

// The list of running applications: one file per process in the user's runtime folder. Its
// owner holds a lock on it while it lives, so a file nobody holds belongs to a dead process.

#include <OS.h>
#include <SupportDefs.h>

#include <string>
#include <vector>

namespace BPrivate {

struct RosterEntry {
	team_id team = -1;
	thread_id thread = -1;
	port_id port = -1;
	uint32 flags = 0;
	std::string signature;
	std::string path;
	bigtime_t registered = 0;
};

class RosterRegistry {
public:
	// Registers this process. With exclusive set, refuses (B_ALREADY_RUNNING, filling running)
	// when a live application already holds the signature, or, for single launch, the path.
	static status_t Register(const RosterEntry& entry, RosterEntry* running);
	static void Unregister();

	// Live applications, oldest registration first; stale files are removed on the way.
	static std::vector<RosterEntry> List();
	// The live application with the signature (and the team, unless it is negative).
	static status_t Find(const char* signature, team_id team, RosterEntry* entry);

	// Where the application with the signature lay when it last ran, empty when unknown.
	static std::string KnownPath(const char* signature);

	// The user's runtime folder, the one the ports live in.
	static status_t RuntimeDirectory(std::string* path);
};

} // namespace BPrivate

#endif
