#include <Roster.h>

#include <AppDefs.h>
#include <Message.h>
#include <MimeType.h>
#include <Path.h>

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <unistd.h>

#include "AppResourcesPrivate.h"
#include "LooperPrivate.h"
#include "MessengerPrivate.h"
#include "ProcessLaunch.h"
#include "RosterRegistry.h"

using BPrivate::is_executable;
using BPrivate::RosterEntry;
using BPrivate::RosterRegistry;

namespace {

// How long Launch waits for a new application to register before it hands it a
// message.
const bigtime_t kRegistrationWait = 5000000;

// Executables in the folders of BEAPI_APP_PATH (separated by ':') whose
// signature matches.
std::string
search_app_path(const char* signature)
{
	const char* list = getenv("BEAPI_APP_PATH");
	if (list == NULL)
		return std::string();
	std::string folders = list;
	size_t start = 0;
	while (start <= folders.size()) {
		size_t end = folders.find(':', start);
		if (end == std::string::npos)
			end = folders.size();
		std::string folder = folders.substr(start, end - start);
		start = end + 1;
		DIR* dir = folder.empty() ? NULL : opendir(folder.c_str());
		if (dir == NULL)
			continue;
		std::string found;
		while (struct dirent* item = readdir(dir)) {
			std::string path = folder + "/" + item->d_name;
			if (item->d_name[0] == '.' || !is_executable(path))
				continue;
			if (strcasecmp(BPrivate::app_signature_of(path.c_str()).c_str(), signature) == 0) {
				found = path;
				break;
			}
		}
		closedir(dir);
		if (!found.empty())
			return found;
	}
	return std::string();
}

BMessenger
messenger_to(const RosterEntry& entry)
{
	BMessenger messenger;
	BMessenger::Private(messenger).SetTo(entry.team, entry.port, B_PREFERRED_TOKEN);
	return messenger;
}

void
send_arguments(const BMessenger& target, int argc, const char* const* args, const char* path)
{
	if (argc <= 0 || args == NULL)
		return;
	BMessage message(B_ARGV_RECEIVED);
	message.AddInt32("argc", argc + 1);
	message.AddString("argv", path);
	for (int i = 0; i < argc; i++)
		message.AddString("argv", args[i]);
	char* cwd = getcwd(NULL, 0);
	if (cwd != NULL)
		message.AddString("cwd", cwd);
	free(cwd);
	target.SendMessage(&message, (BHandler*)NULL, 1000000);
}

} // namespace

// Where the application with the signature lies: running, known from an earlier run, or found
// in the application folders.
static std::string
path_for_signature(const char* signature)
{
	RosterEntry entry;
	if (RosterRegistry::Find(signature, -1, &entry) == B_OK && !entry.path.empty())
		return entry.path;
	std::string path = RosterRegistry::KnownPath(signature);
	if (!path.empty() && is_executable(path))
		return path;
	return search_app_path(signature);
}

status_t
BRoster::FindApp(const char* mimeType, entry_ref* app) const
{
	if (mimeType == NULL || app == NULL)
		return B_BAD_VALUE;
	std::string path = path_for_signature(mimeType);
	if (path.empty()) {
		// A document type: the application that the type prefers opens it.
		char preferred[B_MIME_TYPE_LENGTH];
		BMimeType type(mimeType);
		if (type.GetPreferredApp(preferred) != B_OK)
			return B_LAUNCH_FAILED_APP_NOT_FOUND;
		path = path_for_signature(preferred);
	}
	if (path.empty())
		return B_LAUNCH_FAILED_APP_NOT_FOUND;
	return get_ref_for_path(path.c_str(), app);
}

status_t
BRoster::FindApp(entry_ref* ref, entry_ref* app) const
{
	if (ref == NULL || app == NULL)
		return B_BAD_VALUE;
	BPath path(ref);
	if (path.InitCheck() != B_OK)
		return B_ENTRY_NOT_FOUND;
	if (!is_executable(path.Path()))
		return B_LAUNCH_FAILED_NO_PREFERRED_APP;
	*app = *ref;
	return B_OK;
}

status_t
BRoster::Launch(const char* mimeType, BMessage* initialMessage, team_id* appTeam) const
{
	entry_ref ref;
	status_t status = FindApp(mimeType, &ref);
	if (status != B_OK)
		return status;
	return Launch(&ref, initialMessage, appTeam);
}

status_t
BRoster::Launch(const char* mimeType, int argc, const char* const* args, team_id* appTeam) const
{
	entry_ref ref;
	status_t status = FindApp(mimeType, &ref);
	if (status == B_LAUNCH_FAILED_APP_NOT_FOUND && argc > 0 && args != NULL &&
		BPrivate::is_document_type(mimeType))
		return BPrivate::open_on_desktop(argc, args, appTeam);
	if (status != B_OK)
		return status;
	return Launch(&ref, argc, args, appTeam);
}

status_t
BRoster::Launch(const entry_ref* ref, const BMessage* initialMessage, team_id* appTeam) const
{
	BPath path(ref);
	if (ref == NULL || path.InitCheck() != B_OK)
		return B_BAD_VALUE;
	return _Launch(path.Path(), 0, NULL, initialMessage, appTeam);
}

status_t
BRoster::Launch(const entry_ref* ref, int argc, const char* const* args, team_id* appTeam) const
{
	BPath path(ref);
	if (ref == NULL || path.InitCheck() != B_OK)
		return B_BAD_VALUE;
	return _Launch(path.Path(), argc, args, NULL, appTeam);
}

status_t
BRoster::_Launch(const char* path, int argc, const char* const* args,
				 const BMessage* initialMessage, team_id* appTeam) const
{
	if (!is_executable(path))
		return B_LAUNCH_FAILED_EXECUTABLE;
	std::string signature = BPrivate::app_signature_of(path);
	uint32 flags = BPrivate::app_flags_of(path);

	// An application that runs once already gets the message instead of a second
	// copy.
	if ((flags & B_LAUNCH_MASK) != B_MULTIPLE_LAUNCH && !signature.empty()) {
		for (const RosterEntry& entry : RosterRegistry::List()) {
			bool same = (flags & B_LAUNCH_MASK) == B_EXCLUSIVE_LAUNCH
							? strcasecmp(entry.signature.c_str(), signature.c_str()) == 0
							: entry.path == path;
			if (!same)
				continue;
			BMessenger target = messenger_to(entry);
			send_arguments(target, argc, args, path);
			if (initialMessage != NULL)
				target.SendMessage(const_cast<BMessage*>(initialMessage), (BHandler*)NULL, 1000000);
			if (appTeam != NULL)
				*appTeam = entry.team;
			return B_ALREADY_RUNNING;
		}
	}

	team_id team;
	status_t status = BPrivate::spawn_detached(path, argc, args, &team);
	if (status != B_OK)
		return status;
	if (appTeam != NULL)
		*appTeam = team;
	if (initialMessage == NULL)
		return B_OK;
	bigtime_t deadline = system_time() + kRegistrationWait;
	RosterEntry entry;
	while (RosterRegistry::Find(NULL, team, &entry) != B_OK) {
		if (system_time() > deadline)
			return B_OK;
		snooze(10000);
	}
	return messenger_to(entry).SendMessage(const_cast<BMessage*>(initialMessage), (BHandler*)NULL,
										   1000000);
}
