#include <framework/settings/SettingsProblems.h>

#include <locale/LocaleKeys.h>

#include <cstdio>

settings_problem_text
settings_problem(status_t status, bool reading)
{
	switch (status) {
	case B_PERMISSION_DENIED:
		if (reading)
			return {LKK_REASON_READ_DENIED, "reading it is not permitted"};
		return {LKK_REASON_WRITE_DENIED, "writing it is not permitted"};
	case B_DEVICE_FULL:
		return {LKK_REASON_DEVICE_FULL, "the disk is full"};
	case B_READ_ONLY_DEVICE:
		return {LKK_REASON_READ_ONLY_DEVICE, "the disk is read-only"};
	case B_ENTRY_NOT_FOUND:
	case B_NOT_A_DIRECTORY:
		return {LKK_REASON_NO_FOLDER, "its folder is missing"};
	case B_IS_A_DIRECTORY:
		return {LKK_REASON_FOLDER_IN_PLACE, "a folder is in its place"};
	case B_NOT_ALLOWED:
		return {LKK_REASON_NOT_A_FILE, "it is not a regular file"};
	case B_BAD_DATA:
		return {LKK_REASON_BAD_DATA, "it does not hold a settings record (damaged or cut short)"};
	case B_IO_ERROR:
		return {LKK_REASON_IO, "the disk could not be read or written"};
	case B_LINK_LIMIT:
		return {LKK_REASON_LINK_LOOP, "its symbolic links go round in a loop"};
	case B_NAME_TOO_LONG:
		return {LKK_REASON_NAME_TOO_LONG, "its name is too long"};
	case B_NO_MEMORY:
	case B_NO_MORE_FDS:
		return {LKK_REASON_NO_RESOURCES, "the system ran out of resources"};
	default:
		return {LKK_REASON_OTHER, "an unexpected error"};
	}
}

namespace {

// An unexpected status is named by its number, for whoever looks into it.
std::string
english_reason(status_t status, bool reading)
{
	settings_problem_text text = settings_problem(status, reading);
	if (text.key != LKK_REASON_OTHER)
		return text.english;
	return std::string(text.english) + " (status " + std::to_string(status) + ")";
}

} // namespace

void
print_settings_files_set_aside(const char* program,
							   const std::vector<settings_file_set_aside>& files)
{
	for (const settings_file_set_aside& file : files) {
		fprintf(stderr,
				"%s: the settings file %s could not be read (%s); it was moved to %s and the "
				"defaults are used\n",
				program, file.file.c_str(), english_reason(file.reason, true).c_str(),
				file.copy.c_str());
	}
	fflush(stderr);
}

void
print_settings_save_failure(const char* program, const char* what, const std::string& file,
							status_t status)
{
	fprintf(stderr, "%s: %s could not be saved to %s: %s\n", program, what, file.c_str(),
			english_reason(status, false).c_str());
	fflush(stderr);
}
