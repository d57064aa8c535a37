#include <FindDirectory.h>

#include <Directory.h>
#include <Path.h>

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace {

// Where a well-known folder lies: below one of the user's base folders, or at a fixed place.
enum Base { kHome, kConfig, kData, kCache, kState, kLocal, kRoot };

struct Location {
	directory_which which;
	Base base;
	const char* subPath;
};

const Location kLocations[] = {
	{B_DESKTOP_DIRECTORY, kHome, "Desktop"},
	{B_TRASH_DIRECTORY, kData, "Trash"},

	{B_SYSTEM_DIRECTORY, kRoot, "usr"},
	{B_BEOS_SYSTEM_DIRECTORY, kRoot, "usr"},
	{B_SYSTEM_ADDONS_DIRECTORY, kRoot, "usr/lib/add-ons"},
	{B_SYSTEM_BOOT_DIRECTORY, kRoot, ""},
	{B_SYSTEM_FONTS_DIRECTORY, kRoot, "usr/share/fonts"},
	{B_SYSTEM_LIB_DIRECTORY, kRoot, "usr/lib"},
	{B_SYSTEM_SERVERS_DIRECTORY, kRoot, "usr/lib/servers"},
	{B_SYSTEM_APPS_DIRECTORY, kRoot, "usr/share/apps"},
	{B_SYSTEM_BIN_DIRECTORY, kRoot, "usr/bin"},
	{B_BEOS_ETC_DIRECTORY, kRoot, "etc"},
	{B_SYSTEM_DOCUMENTATION_DIRECTORY, kRoot, "usr/share/doc"},
	{B_SYSTEM_PREFERENCES_DIRECTORY, kRoot, "usr/share/preferences"},
	{B_SYSTEM_TRANSLATORS_DIRECTORY, kRoot, "usr/lib/add-ons/Translators"},
	{B_SYSTEM_MEDIA_NODES_DIRECTORY, kRoot, "usr/lib/add-ons/media"},
	{B_SYSTEM_SOUNDS_DIRECTORY, kRoot, "usr/share/sounds"},
	{B_SYSTEM_DATA_DIRECTORY, kRoot, "usr/share"},
	{B_SYSTEM_DEVELOP_DIRECTORY, kRoot, "usr/share/develop"},
	{B_SYSTEM_PACKAGES_DIRECTORY, kRoot, "usr/share/packages"},
	{B_SYSTEM_HEADERS_DIRECTORY, kRoot, "usr/include"},
	{B_SYSTEM_ETC_DIRECTORY, kRoot, "etc"},
	{B_SYSTEM_SETTINGS_DIRECTORY, kRoot, "etc"},
	{B_SYSTEM_LOG_DIRECTORY, kRoot, "var/log"},
	{B_SYSTEM_SPOOL_DIRECTORY, kRoot, "var/spool"},
	{B_SYSTEM_TEMP_DIRECTORY, kRoot, "tmp"},
	{B_SYSTEM_VAR_DIRECTORY, kRoot, "var"},
	{B_SYSTEM_CACHE_DIRECTORY, kRoot, "var/cache"},
	{B_SYSTEM_NONPACKAGED_DIRECTORY, kRoot, "usr/local"},
	{B_SYSTEM_NONPACKAGED_ADDONS_DIRECTORY, kRoot, "usr/local/lib/add-ons"},
	{B_SYSTEM_NONPACKAGED_TRANSLATORS_DIRECTORY, kRoot, "usr/local/lib/add-ons/Translators"},
	{B_SYSTEM_NONPACKAGED_MEDIA_NODES_DIRECTORY, kRoot, "usr/local/lib/add-ons/media"},
	{B_SYSTEM_NONPACKAGED_BIN_DIRECTORY, kRoot, "usr/local/bin"},
	{B_SYSTEM_NONPACKAGED_DATA_DIRECTORY, kRoot, "usr/local/share"},
	{B_SYSTEM_NONPACKAGED_FONTS_DIRECTORY, kRoot, "usr/local/share/fonts"},
	{B_SYSTEM_NONPACKAGED_SOUNDS_DIRECTORY, kRoot, "usr/local/share/sounds"},
	{B_SYSTEM_NONPACKAGED_DOCUMENTATION_DIRECTORY, kRoot, "usr/local/share/doc"},
	{B_SYSTEM_NONPACKAGED_LIB_DIRECTORY, kRoot, "usr/local/lib"},
	{B_SYSTEM_NONPACKAGED_HEADERS_DIRECTORY, kRoot, "usr/local/include"},
	{B_SYSTEM_NONPACKAGED_DEVELOP_DIRECTORY, kRoot, "usr/local/share/develop"},

	{B_USER_DIRECTORY, kHome, ""},
	{B_USER_CONFIG_DIRECTORY, kConfig, ""},
	{B_USER_ADDONS_DIRECTORY, kData, "add-ons"},
	{B_USER_BOOT_DIRECTORY, kHome, ""},
	{B_USER_FONTS_DIRECTORY, kData, "fonts"},
	{B_USER_LIB_DIRECTORY, kLocal, "lib"},
	{B_USER_SETTINGS_DIRECTORY, kConfig, ""},
	{B_USER_DESKBAR_DIRECTORY, kData, "deskbar"},
	{B_USER_PRINTERS_DIRECTORY, kConfig, "printers"},
	{B_USER_TRANSLATORS_DIRECTORY, kData, "add-ons/Translators"},
	{B_USER_MEDIA_NODES_DIRECTORY, kData, "add-ons/media"},
	{B_USER_SOUNDS_DIRECTORY, kData, "sounds"},
	{B_USER_DATA_DIRECTORY, kData, ""},
	{B_USER_CACHE_DIRECTORY, kCache, ""},
	{B_USER_PACKAGES_DIRECTORY, kData, "packages"},
	{B_USER_HEADERS_DIRECTORY, kLocal, "include"},
	{B_USER_NONPACKAGED_DIRECTORY, kLocal, ""},
	{B_USER_NONPACKAGED_ADDONS_DIRECTORY, kData, "add-ons"},
	{B_USER_NONPACKAGED_TRANSLATORS_DIRECTORY, kData, "add-ons/Translators"},
	{B_USER_NONPACKAGED_MEDIA_NODES_DIRECTORY, kData, "add-ons/media"},
	{B_USER_NONPACKAGED_BIN_DIRECTORY, kLocal, "bin"},
	{B_USER_NONPACKAGED_DATA_DIRECTORY, kData, ""},
	{B_USER_NONPACKAGED_FONTS_DIRECTORY, kData, "fonts"},
	{B_USER_NONPACKAGED_SOUNDS_DIRECTORY, kData, "sounds"},
	{B_USER_NONPACKAGED_DOCUMENTATION_DIRECTORY, kData, "doc"},
	{B_USER_NONPACKAGED_LIB_DIRECTORY, kLocal, "lib"},
	{B_USER_NONPACKAGED_HEADERS_DIRECTORY, kLocal, "include"},
	{B_USER_NONPACKAGED_DEVELOP_DIRECTORY, kData, "develop"},
	{B_USER_DEVELOP_DIRECTORY, kData, "develop"},
	{B_USER_DOCUMENTATION_DIRECTORY, kData, "doc"},
	{B_USER_SERVERS_DIRECTORY, kData, "servers"},
	{B_USER_APPS_DIRECTORY, kData, "apps"},
	{B_USER_BIN_DIRECTORY, kLocal, "bin"},
	{B_USER_PREFERENCES_DIRECTORY, kData, "preferences"},
	{B_USER_ETC_DIRECTORY, kConfig, ""},
	{B_USER_LOG_DIRECTORY, kState, "log"},
	{B_USER_SPOOL_DIRECTORY, kState, "spool"},
	{B_USER_VAR_DIRECTORY, kState, ""},

	{B_APPS_DIRECTORY, kRoot, "usr/share/apps"},
	{B_PREFERENCES_DIRECTORY, kRoot, "usr/share/preferences"},
	{B_UTILITIES_DIRECTORY, kRoot, "usr/share/utilities"},
	{B_PACKAGE_LINKS_DIRECTORY, kRoot, "usr/share/package-links"},
};

bool
home_folder(std::string* home)
{
	const char* value = getenv("HOME");
	if (value != nullptr && value[0] == '/') {
		*home = value;
		return true;
	}
	struct passwd entry;
	struct passwd* found = nullptr;
	char buffer[4096];
	if (getpwuid_r(getuid(), &entry, buffer, sizeof(buffer), &found) != 0 || found == nullptr ||
		found->pw_dir == nullptr || found->pw_dir[0] != '/')
		return false;
	*home = found->pw_dir;
	return true;
}

// A base folder named by an environment variable when it holds an absolute path, else the
// fallback below the home folder.
bool
base_folder(const char* variable, const char* fallback, std::string* folder)
{
	const char* value = getenv(variable);
	if (value != nullptr && value[0] == '/') {
		*folder = value;
		return true;
	}
	std::string home;
	if (!home_folder(&home))
		return false;
	*folder = home + "/" + fallback;
	return true;
}

status_t
folder_path(directory_which which, std::string* path)
{
	const Location* location = nullptr;
	for (const Location& candidate : kLocations) {
		if (candidate.which == which) {
			location = &candidate;
			break;
		}
	}
	if (location == nullptr)
		return B_BAD_VALUE;

	std::string base;
	bool found = true;
	switch (location->base) {
	case kHome:
		found = home_folder(&base);
		break;
	case kConfig:
		found = base_folder("XDG_CONFIG_HOME", ".config", &base);
		break;
	case kData:
		found = base_folder("XDG_DATA_HOME", ".local/share", &base);
		break;
	case kCache:
		found = base_folder("XDG_CACHE_HOME", ".cache", &base);
		break;
	case kState:
		found = base_folder("XDG_STATE_HOME", ".local/state", &base);
		break;
	case kLocal:
		found = home_folder(&base);
		base += "/.local";
		break;
	case kRoot:
		base = "";
		break;
	}
	if (!found)
		return B_ENTRY_NOT_FOUND;
	while (base.size() > 1 && base.back() == '/')
		base.pop_back();
	std::string result = base;
	if (location->subPath[0] != '\0') {
		if (result != "/")
			result += "/";
		result += location->subPath;
	}
	if (result.empty())
		result = "/";
	*path = result;
	return B_OK;
}

} // namespace

status_t
find_directory(directory_which which, dev_t, bool createIt, char* pathString, int32 length)
{
	if (pathString == nullptr || length <= 0)
		return B_BAD_VALUE;
	std::string path;
	status_t status = folder_path(which, &path);
	if (status != B_OK)
		return status;
	if (createIt) {
		status = create_directory(path.c_str(), 0755);
		if (status != B_OK)
			return status;
	}
	if (path.size() >= size_t(length))
		return B_BUFFER_OVERFLOW;
	memcpy(pathString, path.c_str(), path.size() + 1);
	return B_OK;
}

status_t
find_directory(directory_which which, BPath* path, bool createIt, BVolume*)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	std::string folder;
	status_t status = folder_path(which, &folder);
	if (status != B_OK)
		return status;
	if (createIt) {
		status = create_directory(folder.c_str(), 0755);
		if (status != B_OK)
			return status;
	}
	return path->SetTo(folder.c_str());
}
