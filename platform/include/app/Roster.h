#ifndef _ROSTER_H
#define _ROSTER_H

#include <Entry.h>
#include <Messenger.h>
#include <OS.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

class BMessage;

// Launch behaviour, from the executable's 'APPF' resource.
#define B_SINGLE_LAUNCH (0x0)
#define B_MULTIPLE_LAUNCH (0x1)
#define B_EXCLUSIVE_LAUNCH (0x2)
#define B_LAUNCH_MASK (0x3)
#define B_BACKGROUND_APP (0x4)
#define B_ARGV_ONLY (0x8)
#define _B_APP_INFO_RESERVED1_ (0x10000000)

struct app_info {
	app_info();
	~app_info();

	thread_id thread;
	team_id team;
	port_id port;
	uint32 flags;
	entry_ref ref;
	char signature[B_MIME_TYPE_LENGTH];
};

// The running applications of this user: each registers itself while it runs, so that others can
// find it, message it, and not start a second copy of an exclusive one.
class BRoster {
public:
	BRoster();
	~BRoster();

	bool IsRunning(const char* signature) const;
	bool IsRunning(entry_ref* ref) const;
	team_id TeamFor(const char* signature) const;
	team_id TeamFor(entry_ref* ref) const;

	status_t GetAppInfo(const char* signature, app_info* info) const;
	status_t GetAppInfo(entry_ref* ref, app_info* info) const;
	status_t GetRunningAppInfo(team_id team, app_info* info) const;
	// The teams of every live application, in the order they registered.
	int32 CountRunningApps() const;

	status_t Broadcast(BMessage* message) const;
	status_t Broadcast(BMessage* message, BMessenger replyTo) const;

	status_t FindApp(const char* mimeType, entry_ref* app) const;
	status_t FindApp(entry_ref* ref, entry_ref* app) const;

	status_t Launch(const char* mimeType, BMessage* initialMessage = NULL,
					team_id* appTeam = NULL) const;
	status_t Launch(const char* mimeType, int argc, const char* const* args,
					team_id* appTeam = NULL) const;
	status_t Launch(const entry_ref* ref, const BMessage* initialMessage = NULL,
					team_id* appTeam = NULL) const;
	status_t Launch(const entry_ref* ref, int argc, const char* const* args,
					team_id* appTeam = NULL) const;

private:
	status_t _Launch(const char* path, int argc, const char* const* args,
					 const BMessage* initialMessage, team_id* appTeam) const;
};

extern const BRoster* be_roster;

#endif
