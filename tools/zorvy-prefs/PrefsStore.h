#ifndef ZORVY_PREFS_STORE_H
#define ZORVY_PREFS_STORE_H

// The preference record as the command reads, saves and delivers it: the same file and the
// same body as the preferences window, without a window.

#include <app/PrefsValues.h>

#include <Message.h>

#include <string>

struct TPrefsFile {
	TPrefsValues values;
	// Fields a newer version wrote, in the file's order; they are written back after ours and
	// never delivered.
	BMessage newer;
};

// Reads the settings file into *file, whose values are the defaults for what the file lacks.
// B_OK; B_ENTRY_NOT_FOUND when there is no file (the defaults); any other status says why the
// file that is there cannot be read (the defaults; the file is left where it is).
status_t load_prefs_file(TPrefsFile* file);

// Replaces the settings file with the record, as the window's OK does: the file always holds
// the old or the new whole record, a file that cannot be read is set aside first, and one
// whose mode forbids writing is not replaced. B_OK or why nothing was written.
status_t save_prefs_file(const TPrefsFile& file);

// Where the settings file is, to name it.
std::string prefs_file_path();

// Sends the whole record to the input method's port, as the window delivers it. B_OK;
// B_NAME_NOT_FOUND when the input method is not running; another status when the port did
// not take it within a second.
status_t deliver_prefs(const TPrefsValues& values);

// Held by a command while it reads, saves and delivers a change, so that commands changing
// settings at the same time each keep their change: a lock on the settings folder, waited for
// at most two seconds.
class TPrefsChangeLock {
public:
	TPrefsChangeLock();
	~TPrefsChangeLock();

	// B_OK once held; B_TIMED_OUT when another command held it all the while; B_ERROR when
	// the folder cannot be opened or locked, and Error() says why (an errno value).
	status_t InitCheck() const { return mStatus; }
	int Error() const { return mError; }

private:
	TPrefsChangeLock(const TPrefsChangeLock&) = delete;
	TPrefsChangeLock& operator=(const TPrefsChangeLock&) = delete;

	int mFolder;
	status_t mStatus;
	int mError;
};

// Whether a preferences window is open now: its OK or Cancel would put back its own values.
bool preferences_window_open();

#endif
