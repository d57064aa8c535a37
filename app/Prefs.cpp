#include <app/Prefs.h>

#include <common_prefs/InterAppPrefs.h>
#include <framework/settings/SettingsEntry.h>

#include <Message.h>

// The common store is built before the preference record and outlives it.
TInterAppPrefs gIAPs;
TPrefs gPrefs;

TPrefs::TPrefs() {}

TPrefs::TPrefs(const TPrefs& other) : TMOZELTArchivable(), TPrefsValues(other)
{
	TMOZELTArchivable::operator=(other);
}

TPrefs::~TPrefs() {}

TPrefs&
TPrefs::operator=(const TPrefs& other)
{
	// The fields a newer version wrote travel with the values.
	TMOZELTArchivable::operator=(other);
	TPrefsValues::operator=(other);
	return *this;
}

status_t
TPrefs::Archive(BMessage* archive, bool deep) const
{
	status_t status = TMOZELTArchivable::Archive(archive, deep);
	if (archive == NULL)
		return status;
	return status | archive_prefs_values(*this, archive);
}

// Every key is read even after a missing one, so an older or newer file gives what it has and
// the defaults fill the rest.
status_t
TPrefs::Unarchive(const BMessage& archive)
{
	status_t status = TMOZELTArchivable::Unarchive(archive);
	return status | unarchive_prefs_values(archive, this);
}

status_t
TPrefs::LoadFromFile()
{
	return LoadByName(PREFS_FOLDER_NAME, PREFS_FILE_NAME);
}

status_t
TPrefs::SaveToFile() const
{
	return SaveByName(PREFS_FOLDER_NAME, PREFS_FILE_NAME);
}

std::string
TPrefs::FilePath()
{
	return settings_file_path(PREFS_FOLDER_NAME, PREFS_FILE_NAME);
}
