#include <Roster.h>

#include <Message.h>
#include <Path.h>

#include <cstring>
#include <unistd.h>

#include "LooperPrivate.h"
#include "MessengerPrivate.h"
#include "RosterRegistry.h"

using BPrivate::RosterEntry;
using BPrivate::RosterRegistry;

namespace {

// A broadcast never waits for an application whose port is full.
const bigtime_t kBroadcastTimeout = 0;

BRoster sRoster;

status_t
fill_info(const RosterEntry& entry, app_info* info)
{
	if (info == NULL)
		return B_BAD_VALUE;
	info->thread = entry.thread;
	info->team = entry.team;
	info->port = entry.port;
	info->flags = entry.flags;
	strncpy(info->signature, entry.signature.c_str(), B_MIME_TYPE_LENGTH - 1);
	info->signature[B_MIME_TYPE_LENGTH - 1] = '\0';
	if (entry.path.empty() || get_ref_for_path(entry.path.c_str(), &info->ref) != B_OK)
		info->ref = entry_ref();
	return B_OK;
}

bool
find_by_ref(const entry_ref* ref, RosterEntry* found)
{
	if (ref == NULL)
		return false;
	BPath path(ref);
	if (path.InitCheck() != B_OK)
		return false;
	for (const RosterEntry& entry : RosterRegistry::List()) {
		if (entry.path == path.Path()) {
			*found = entry;
			return true;
		}
	}
	return false;
}

} // namespace

const BRoster* be_roster = &sRoster;

app_info::app_info() : thread(-1), team(-1), port(-1), flags(0)
{
	signature[0] = '\0';
}

app_info::~app_info() {}

BRoster::BRoster() {}

BRoster::~BRoster() {}

bool
BRoster::IsRunning(const char* signature) const
{
	return TeamFor(signature) >= 0;
}

bool
BRoster::IsRunning(entry_ref* ref) const
{
	return TeamFor(ref) >= 0;
}

team_id
BRoster::TeamFor(const char* signature) const
{
	RosterEntry entry;
	if (signature == NULL || RosterRegistry::Find(signature, -1, &entry) != B_OK)
		return B_BAD_VALUE;
	return entry.team;
}

team_id
BRoster::TeamFor(entry_ref* ref) const
{
	RosterEntry entry;
	if (!find_by_ref(ref, &entry))
		return B_BAD_VALUE;
	return entry.team;
}

status_t
BRoster::GetAppInfo(const char* signature, app_info* info) const
{
	RosterEntry entry;
	if (signature == NULL || info == NULL)
		return B_BAD_VALUE;
	status_t status = RosterRegistry::Find(signature, -1, &entry);
	if (status != B_OK)
		return status;
	return fill_info(entry, info);
}

status_t
BRoster::GetAppInfo(entry_ref* ref, app_info* info) const
{
	RosterEntry entry;
	if (info == NULL || !find_by_ref(ref, &entry))
		return B_BAD_VALUE;
	return fill_info(entry, info);
}

status_t
BRoster::GetRunningAppInfo(team_id team, app_info* info) const
{
	RosterEntry entry;
	if (team < 0 || info == NULL)
		return B_BAD_VALUE;
	status_t status = RosterRegistry::Find(NULL, team, &entry);
	if (status != B_OK)
		return B_BAD_TEAM_ID;
	return fill_info(entry, info);
}

int32
BRoster::CountRunningApps() const
{
	return (int32)RosterRegistry::List().size();
}

status_t
BRoster::Broadcast(BMessage* message) const
{
	return Broadcast(message, BMessenger());
}

status_t
BRoster::Broadcast(BMessage* message, BMessenger replyTo) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	team_id self = getpid();
	for (const RosterEntry& entry : RosterRegistry::List()) {
		// The sender tells itself by its own means.
		if (entry.team == self || entry.port < 0)
			continue;
		BMessenger target;
		BMessenger::Private(target).SetTo(entry.team, entry.port, B_PREFERRED_TOKEN);
		target.SendMessage(message, replyTo, kBroadcastTimeout);
	}
	return B_OK;
}
