#include <locale/DataFolder.h>

#include <locale/Locale.h>
#include <util/text/FileUtils.h>
#include <util/text/StringUtils.h>

#include <Entry.h>
#include <Path.h>
#include <image.h>

namespace {

const char kInstalledData[] = "/../share/mozelt";
const char kBuildTreeData[] = "/share/mozelt";
const char kBuildTreeMark[] = "/CMakeCache.txt";

bool
is_folder(const std::string& path)
{
	BEntry entry(path.c_str(), true);
	return entry.InitCheck() == B_OK && entry.IsDirectory();
}

bool
is_file(const std::string& path)
{
	BEntry entry(path.c_str(), true);
	return entry.InitCheck() == B_OK && entry.IsFile();
}

// The path without "." and ".." steps, as BPath makes it of an existing folder.
std::string
normalized(const std::string& path)
{
	BPath normal(path.c_str(), NULL, true);
	return normal.InitCheck() == B_OK ? std::string(normal.Path()) : path;
}

} // namespace

status_t
find_data_folder_for(const std::string& programPath, std::string* folder)
{
	if (folder == NULL)
		return B_BAD_VALUE;
	std::string programFolder = extract_file_folder_path_kernel(programPath, 0);
	if (programFolder.empty())
		return B_ENTRY_NOT_FOUND;

	std::string installed = programFolder + kInstalledData;
	if (is_folder(installed)) {
		*folder = normalized(installed);
		return B_OK;
	}

	for (std::string tree = programFolder; !tree.empty();
		 tree = extract_file_folder_path_kernel(tree, 0)) {
		if (is_file(tree + kBuildTreeMark)) {
			if (!is_folder(tree + kBuildTreeData))
				break;
			*folder = normalized(tree + kBuildTreeData);
			return B_OK;
		}
	}
	return B_ENTRY_NOT_FOUND;
}

status_t
find_data_folder(std::string* folder)
{
	int32 cookie = 0;
	image_info info;
	while (get_next_image_info(B_CURRENT_TEAM, &cookie, &info) == B_OK) {
		if (info.type == B_APP_IMAGE)
			return find_data_folder_for(info.name, folder);
	}
	return B_ENTRY_NOT_FOUND;
}

std::string
language_files_folder(const std::string& dataFolder)
{
	return dataFolder + "/Language/Dictionaries";
}

std::vector<std::string>
installed_languages(const std::string& dataFolder)
{
	std::vector<std::string> files;
	get_files(language_files_folder(dataFolder), &files, false);
	const std::string body = extract_file_body(LANGUAGE_FILE_BASE_NAME);
	std::vector<std::string> codes;
	for (const std::string& file : files) {
		std::string name = extract_file_name(file);
		std::string code = extract_file_ext(name);
		if (extract_file_body(name) == body && valid_language_code(code))
			codes.push_back(code);
	}
	return codes;
}
