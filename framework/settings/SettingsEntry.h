#ifndef MOZELT_SETTINGS_ENTRY_H
#define MOZELT_SETTINGS_ENTRY_H

#include <SupportDefs.h>

#include <string>
#include <vector>

class BEntry;
class BMessage;

// The maker's folder below the user's settings folder; every settings file lives under it.
inline constexpr char FOLDER_NAME_MOZELT_SETTINGS[] = "MOZELT";
// The folder below it that all of the maker's applications read and write.
inline constexpr char FOLDER_NAME_MOZELT_SETTINGS_SHARED[] = "Shared";

// Sets `entry` to "MOZELT"/`folderName`/`fileName` below the user's settings folder, creating
// the folders on the way. The file itself is neither created nor examined, and a final
// symbolic link is not followed. B_ERROR (with `entry` untouched) when there is no settings
// folder; otherwise the status of setting the entry.
status_t get_settings_entry(const char* folderName, const char* fileName, BEntry* entry);

// The path of that entry, for telling the person which file is meant; empty without a settings
// folder.
std::string settings_file_path(const char* folderName, const char* fileName);

// Replaces the file of `entry` with `archive` flattened in the platform's native format, so
// that the file always holds either the old or the new whole message, even when the process
// dies on the way; a link is kept and the file it points to replaced. A file there that cannot
// be read as a message is set aside first (below), and nothing is written when that fails.
// Every settings file of the maker's library is written through here. B_OK, or the status
// that says why nothing was written (the old file is untouched): B_PERMISSION_DENIED also for
// a file whose permission bits forbid writing, B_DEVICE_FULL, and so on.
status_t save_settings_message(const BEntry& entry, const BMessage& archive);

// The largest settings file read; anything longer is not one of ours.
inline constexpr off_t kMaxSettingsFileSize = 1024 * 1024;

// Reads the one flattened message (any of the platform's formats) that the settings file of
// `entry` holds. B_ENTRY_NOT_FOUND when there is no file; any other failure means that
// something is there but cannot be read as a message: B_BAD_DATA for a file cut short, garbage
// or longer than kMaxSettingsFileSize, B_PERMISSION_DENIED, B_IS_A_DIRECTORY and so on.
status_t read_settings_message(const BEntry& entry, BMessage* message);

// read_settings_message, and a file that is there but cannot be read is set aside.
status_t load_settings_message(const BEntry& entry, BMessage* message);

// Moves what `entry` names out of the way in its own folder, as "<name>.unreadable-<date>-<time>"
// (then "-2", "-3" … when that is taken: an earlier copy is never replaced), so that the
// person can still recover it and nothing written later replaces it. The move is listed for
// take_settings_files_set_aside with `reason`, the status reading gave. B_OK or why the move
// failed.
status_t set_settings_file_aside(const BEntry& entry, status_t reason, std::string* copy = NULL);

struct settings_file_set_aside {
	std::string file;
	std::string copy;
	// Why the file could not be read.
	status_t reason;
};

// The settings files this process set aside since the last call, in order; the list is
// emptied, so that each is told once.
std::vector<settings_file_set_aside> take_settings_files_set_aside();

// Adds every item of the field `name` of `from` to `to`, whatever its type: how the fields of a
// newer version travel on unread.
status_t copy_message_field(const BMessage& from, const char* name, BMessage* to);

#endif
