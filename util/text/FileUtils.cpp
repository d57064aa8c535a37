#include <util/text/FileUtils.h>

#include <util/text/StringUtils.h>

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <OS.h>
#include <Path.h>
#include <StorageDefs.h>

#include <cstdio>
#include <vector>

namespace {

const size_t kCopyChunk = 64 * 1024;
// Temporary names are made of the time and the thread; a clash only costs another try.
const int kTemporaryAttempts = 32;

// A link is listed as a file unless it leads to a folder.
bool
leads_to_folder(const char* path)
{
	BEntry target(path, true);
	return target.InitCheck() == B_OK && target.IsDirectory();
}

// Where the copy is written: into a folder, and through a link to the file it names.
status_t
copy_target(const std::string& source, const std::string& destination, std::string* target)
{
	if (destination.empty())
		return B_BAD_VALUE;
	BEntry entry(destination.c_str(), true);
	if (entry.InitCheck() == B_OK && entry.Exists()) {
		BPath path;
		status_t status = entry.GetPath(&path);
		if (status != B_OK)
			return status;
		*target = path.Path();
		if (entry.IsDirectory()) {
			if (target->back() != '/')
				*target += '/';
			*target += extract_file_name(source);
		}
		return B_OK;
	}
	*target = destination;
	return B_OK;
}

status_t
create_temporary(const std::string& target, BFile* file, std::string* path)
{
	std::string folder = extract_file_folder_path_kernel(target, 1);
	std::string name = extract_file_name(target);
	for (int attempt = 0; attempt < kTemporaryAttempts; attempt++) {
		char suffix[64];
		snprintf(suffix, sizeof(suffix), ".%llx-%x-%d.copy",
				 static_cast<unsigned long long>(system_time()),
				 static_cast<unsigned>(find_thread(NULL)), attempt);
		*path = folder + "." + name + suffix;
		status_t status =
			file->SetTo(path->c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_FAIL_IF_EXISTS);
		if (status != B_FILE_EXISTS)
			return status;
	}
	return B_FILE_EXISTS;
}

status_t
copy_data(BFile& from, BFile& to)
{
	std::vector<char> buffer(kCopyChunk);
	while (true) {
		ssize_t read = from.Read(buffer.data(), buffer.size());
		if (read < 0)
			return static_cast<status_t>(read);
		if (read == 0)
			return B_OK;
		ssize_t done = 0;
		while (done < read) {
			ssize_t written = to.Write(buffer.data() + done, static_cast<size_t>(read - done));
			if (written < 0)
				return static_cast<status_t>(written);
			if (written == 0)
				return B_IO_ERROR;
			done += written;
		}
	}
}

status_t
copy_attributes(BFile& from, BFile& to)
{
	status_t status = from.RewindAttrs();
	if (status != B_OK)
		return status;
	char name[B_ATTR_NAME_LENGTH];
	while (from.GetNextAttrName(name) == B_OK) {
		attr_info info;
		status = from.GetAttrInfo(name, &info);
		if (status != B_OK)
			return status;
		std::vector<char> value(static_cast<size_t>(info.size));
		ssize_t read = from.ReadAttr(name, info.type, 0, value.data(), value.size());
		if (read < 0)
			return static_cast<status_t>(read);
		ssize_t written = to.WriteAttr(name, info.type, 0, value.data(), static_cast<size_t>(read));
		if (written < 0)
			return static_cast<status_t>(written);
	}
	return B_OK;
}

} // namespace

status_t
get_files(const std::string& folder, std::vector<std::string>* files, bool recursive)
{
	if (files == NULL)
		return B_BAD_VALUE;
	// The current folder is "./": a bare "/" would name the root.
	std::string prefix = folder.empty() ? "./" : folder;
	BDirectory directory(prefix.c_str());
	status_t status = directory.InitCheck();
	if (status != B_OK)
		return status;
	if (prefix.back() != '/')
		prefix += '/';
	files->push_back(prefix);

	status_t result = B_OK;
	BEntry entry;
	while ((status = directory.GetNextEntry(&entry, false)) != B_ENTRY_NOT_FOUND) {
		// A folder whose entries cannot be read at all ends the listing here.
		if (status != B_OK)
			return result != B_OK ? result : status;
		char name[B_FILE_NAME_LENGTH];
		status = entry.GetName(name);
		if (status != B_OK) {
			if (result == B_OK)
				result = status;
			continue;
		}
		std::string path = prefix + name;
		if (entry.IsSymLink()) {
			if (!leads_to_folder(path.c_str()))
				files->push_back(path);
			else if (recursive)
				files->push_back(path + "/");
		} else if (entry.IsDirectory()) {
			if (recursive) {
				status = get_files(path, files, true);
				if (status != B_OK && result == B_OK)
					result = status;
			}
		} else {
			files->push_back(path);
		}
	}
	return result;
}

status_t
copy_file(const std::string& source, const std::string& destination)
{
	BFile from(source.c_str(), B_READ_ONLY);
	status_t status = from.InitCheck();
	if (status != B_OK)
		return status;

	std::string target;
	status = copy_target(source, destination, &target);
	if (status != B_OK)
		return status;

	mode_t permissions;
	BEntry existing(target.c_str());
	if (!existing.Exists() || existing.GetPermissions(&permissions) != B_OK)
		status = from.GetPermissions(&permissions);
	if (status != B_OK)
		return status;

	BFile to;
	std::string temporary;
	status = create_temporary(target, &to, &temporary);
	if (status != B_OK)
		return status;

	status = copy_data(from, to);
	if (status == B_OK)
		status = copy_attributes(from, to);
	if (status == B_OK)
		status = to.SetPermissions(permissions);
	if (status == B_OK)
		status = to.Sync();
	to.Unset();

	BEntry copy(temporary.c_str());
	if (status == B_OK)
		status = copy.Rename(target.c_str(), true);
	if (status != B_OK)
		copy.Remove();
	return status;
}
