#ifndef MOZELT_SETTINGS_ENTRY_H
#define MOZELT_SETTINGS_ENTRY_H

#include <SupportDefs.h>

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

// Replaces the file of `entry` with `archive` flattened in the platform's native format, so
// that the file always holds either the old or the new whole message, even when the process
// dies on the way; a link is kept and the file it points to replaced. Every settings file of
// the maker's library is written through here. B_OK or B_ERROR (old file untouched).
status_t save_settings_message(const BEntry& entry, const BMessage& archive);

#endif
