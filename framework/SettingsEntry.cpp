#include <framework/SettingsEntry.h>

#include <AtomicFile.h>
#include <Directory.h>
#include <Entry.h>
#include <FindDirectory.h>
#include <Message.h>
#include <Path.h>

#include <vector>

status_t
get_settings_entry(const char* folderName, const char* fileName, BEntry* entry)
{
	if (folderName == NULL || fileName == NULL || entry == NULL)
		return B_BAD_VALUE;

	BPath path;
	if (find_directory(B_USER_SETTINGS_DIRECTORY, &path, true) != B_OK)
		return B_ERROR;

	path.Append(FOLDER_NAME_MOZELT_SETTINGS);
	path.Append(folderName);
	// An existing folder is as good as a new one, so the result does not matter.
	create_directory(path.Path(), 0777);

	path.Append(fileName);
	return entry->SetTo(path.Path(), false);
}

status_t
save_settings_message(const BEntry& entry, const BMessage& archive)
{
	BPath path;
	if (entry.GetPath(&path) != B_OK)
		return B_ERROR;

	ssize_t size = archive.FlattenedSize();
	if (size <= 0)
		return B_ERROR;
	std::vector<char> bytes(size);
	if (archive.Flatten(bytes.data(), size) != B_OK)
		return B_ERROR;

	return write_file_atomically(path.Path(), bytes.data(), bytes.size()) == B_OK ? B_OK : B_ERROR;
}
