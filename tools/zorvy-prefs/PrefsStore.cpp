#include "PrefsStore.h"

#include <app/AppIdentity.h>
#include <app/PortMessageSender.h>
#include <framework/settings/SettingsEntry.h>

#include <DataIO.h>
#include <Entry.h>
#include <OS.h>
#include <Roster.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// A stuck input method, or a stuck command holding the settings, must not keep the command
// waiting.
const bigtime_t kDeliveryTimeout = 1000000;
const bigtime_t kLockWait = 2000000;
const bigtime_t kLockRetry = 10000;

// The archive of the file: the record, then what a newer version added.
status_t
archive_prefs_file(const TPrefsFile& file, BMessage* archive)
{
	status_t status = archive_prefs_record(file.values, archive);
	char* name = NULL;
	type_code type;
	for (int32 i = 0; status == B_OK && file.newer.GetInfo(B_ANY_TYPE, i, &name, &type) == B_OK;
		 i++) {
		if (archive->GetInfo(name, &type) != B_OK)
			status = copy_message_field(file.newer, name, archive);
	}
	return status;
}

} // namespace

status_t
load_prefs_file(TPrefsFile* file)
{
	*file = TPrefsFile();
	BEntry entry;
	if (get_settings_entry(PREFS_FOLDER_NAME, PREFS_FILE_NAME, &entry) != B_OK)
		return B_ENTRY_NOT_FOUND;
	BMessage loaded;
	status_t status = read_settings_message(entry, &loaded);
	if (status != B_OK)
		return status;
	unarchive_prefs_values(loaded, &file->values);

	// A field is ours when the record writes it; whatever else the file holds is a newer
	// version's.
	BMessage ours;
	archive_prefs_record(TPrefsValues(), &ours);
	char* name = NULL;
	type_code type;
	for (int32 i = 0; loaded.GetInfo(B_ANY_TYPE, i, &name, &type) == B_OK; i++) {
		type_code known;
		if (ours.GetInfo(name, &known) != B_OK)
			copy_message_field(loaded, name, &file->newer);
	}
	return B_OK;
}

status_t
save_prefs_file(const TPrefsFile& file)
{
	BEntry entry;
	status_t status = get_settings_entry(PREFS_FOLDER_NAME, PREFS_FILE_NAME, &entry);
	if (status != B_OK)
		return B_ENTRY_NOT_FOUND;
	BMessage archive;
	status = archive_prefs_file(file, &archive);
	if (status != B_OK)
		return status;
	return save_settings_message(entry, archive);
}

std::string
prefs_file_path()
{
	return settings_file_path(PREFS_FOLDER_NAME, PREFS_FILE_NAME);
}

status_t
deliver_prefs(const TPrefsValues& values)
{
	port_id port = find_port(PORT_NAME_PREFERENCES);
	if (port < 0)
		return B_NAME_NOT_FOUND;
	BMessage body(MSG_PREFERENCES_CHANGED);
	status_t status = archive_prefs_record(values, &body);
	BMallocIO bytes;
	if (status == B_OK)
		status = body.Flatten(&bytes);
	if (status != B_OK)
		return status;
	return write_port_etc(port, 0, bytes.Buffer(), bytes.BufferLength(), B_RELATIVE_TIMEOUT,
						  kDeliveryTimeout);
}

TPrefsChangeLock::TPrefsChangeLock() : mFolder(-1), mStatus(B_ERROR), mError(0)
{
	std::string path = prefs_file_path();
	std::string folder = path.substr(0, path.rfind('/'));
	mFolder = path.empty() ? -1 : open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (mFolder < 0) {
		mError = path.empty() ? ENOENT : errno;
		mStatus = B_ERROR;
		return;
	}
	for (bigtime_t waited = 0;; waited += kLockRetry) {
		if (flock(mFolder, LOCK_EX | LOCK_NB) == 0) {
			mStatus = B_OK;
			return;
		}
		if (errno != EWOULDBLOCK || waited >= kLockWait) {
			mError = errno;
			mStatus = errno == EWOULDBLOCK ? B_TIMED_OUT : B_ERROR;
			return;
		}
		snooze(kLockRetry);
	}
}

TPrefsChangeLock::~TPrefsChangeLock()
{
	if (mFolder >= 0)
		close(mFolder);
}

bool
preferences_window_open()
{
	return be_roster->IsRunning(gAppSignature);
}
