#include <framework/settings/SettingsEntry.h>

#include <DataIO.h>
#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <FindDirectory.h>
#include <Message.h>
#include <Path.h>
#include <beapi/AtomicFile.h>
#include <beapi/MessageFormats.h>

#include <chrono>
#include <ctime>
#include <mutex>

namespace {

const char kSetAsideMark[] = ".unreadable-";
// Enough for a damaged file a second for a good while; past that the file stays where it is.
const int kMaxSetAsideTries = 100;

std::mutex sSetAsideLock;
std::vector<settings_file_set_aside> sSetAside;

// "20250131-235959", the local time of the move.
std::string
set_aside_stamp()
{
	std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
	char stamp[32] = "0";
	// std::localtime shares its result between threads.
	std::lock_guard<std::mutex> lock(sSetAsideLock);
	if (const std::tm* local = std::localtime(&now))
		std::strftime(stamp, sizeof(stamp), "%Y%m%d-%H%M%S", local);
	return stamp;
}

} // namespace

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

std::string
settings_file_path(const char* folderName, const char* fileName)
{
	BEntry entry;
	BPath path;
	if (get_settings_entry(folderName, fileName, &entry) != B_OK || entry.GetPath(&path) != B_OK)
		return std::string();
	return path.Path();
}

status_t
save_settings_message(const BEntry& entry, const BMessage& archive)
{
	BPath path;
	status_t status = entry.GetPath(&path);
	if (status != B_OK)
		return status;

	BMallocIO bytes;
	if (archive.Flatten(&bytes) != B_OK)
		return B_ERROR;

	// A file that cannot be read may still be worth something to the person; it is kept.
	BMessage existing;
	if (entry.Exists()) {
		status_t readable = read_settings_message(entry, &existing);
		if (readable != B_OK && readable != B_ENTRY_NOT_FOUND) {
			status = set_settings_file_aside(entry, readable);
			if (status != B_OK)
				return status;
		}
	}
	return write_file_atomically(path.Path(), bytes.Buffer(), bytes.BufferLength());
}

status_t
read_settings_message(const BEntry& entry, BMessage* message)
{
	if (message == NULL)
		return B_BAD_VALUE;
	BFile file(&entry, B_READ_ONLY);
	status_t status = file.InitCheck();
	if (status != B_OK)
		return status;
	off_t size = 0;
	status = file.GetSize(&size);
	if (status != B_OK)
		return status;
	if (size <= 0 || size > kMaxSettingsFileSize)
		return B_BAD_DATA;

	std::vector<char> bytes(size);
	ssize_t read = file.ReadAt(0, bytes.data(), bytes.size());
	if (read < 0)
		return read;
	if (read != size)
		return B_BAD_DATA;
	BMessage found;
	if (unflatten_message(&found, bytes.data(), bytes.size()) != B_OK)
		return B_BAD_DATA;
	*message = found;
	return B_OK;
}

status_t
load_settings_message(const BEntry& entry, BMessage* message)
{
	status_t status = read_settings_message(entry, message);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND && entry.Exists())
		set_settings_file_aside(entry, status);
	return status;
}

status_t
set_settings_file_aside(const BEntry& entry, status_t reason, std::string* copy)
{
	BPath path;
	status_t status = entry.GetPath(&path);
	if (status != B_OK)
		return status;

	std::string base = std::string(path.Leaf()) + kSetAsideMark + set_aside_stamp();
	for (int i = 1; i <= kMaxSetAsideTries; i++) {
		std::string name = i == 1 ? base : base + "-" + std::to_string(i);
		BEntry moving(entry);
		status = moving.Rename(name.c_str(), false);
		if (status == B_FILE_EXISTS)
			continue;
		if (status != B_OK)
			return status;

		BPath moved;
		moving.GetPath(&moved);
		std::lock_guard<std::mutex> lock(sSetAsideLock);
		sSetAside.push_back({path.Path(), moved.Path(), reason});
		if (copy != NULL)
			*copy = moved.Path();
		return B_OK;
	}
	return B_FILE_EXISTS;
}

std::vector<settings_file_set_aside>
take_settings_files_set_aside()
{
	std::lock_guard<std::mutex> lock(sSetAsideLock);
	std::vector<settings_file_set_aside> taken;
	taken.swap(sSetAside);
	return taken;
}

status_t
copy_message_field(const BMessage& from, const char* name, BMessage* to)
{
	type_code type;
	int32 count = 0;
	bool fixedSize = false;
	status_t status = from.GetInfo(name, &type, &count, &fixedSize);
	if (status != B_OK)
		return status;
	for (int32 i = 0; i < count; i++) {
		const void* data = NULL;
		ssize_t size = 0;
		status = from.FindData(name, type, i, &data, &size);
		if (status == B_OK)
			status = to->AddData(name, type, data, size, fixedSize);
		if (status != B_OK)
			return status;
	}
	return B_OK;
}
