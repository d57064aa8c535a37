#include <app/ZorvyPrefsExitStates.h>

#include <app/AppIdentity.h>
#include <framework/settings/SettingsEntry.h>

#include <Message.h>

namespace {

const char kExitStatesFolderName[] = "Zorvy";
const char kExitStatesFileName[] = "ZorvyPreferences_ExitStates.arc";

} // namespace

TZorvyPrefsExitStates gAPExitStates;

TZorvyPrefsExitStates::TZorvyPrefsExitStates() : mWindowFrame(50, 50, 350, 300) {}

TZorvyPrefsExitStates::~TZorvyPrefsExitStates() {}

// The file always names the version that wrote it.
status_t
TZorvyPrefsExitStates::Archive(BMessage* archive, bool deep) const
{
	status_t status = TMOZELTArchivable::Archive(archive, deep);
	if (archive == NULL)
		return status;
	status |= archive->AddString("_Ver", gAppVer);
	status |= archive->AddRect("_WFr", mWindowFrame);
	return status;
}

status_t
TZorvyPrefsExitStates::Unarchive(const BMessage& archive)
{
	status_t status = TMOZELTArchivable::Unarchive(archive);
	status |= FindString(archive, "_Ver", &mVersion);
	status |= FindFrame(archive, "_WFr", &mWindowFrame);
	return status;
}

status_t
TZorvyPrefsExitStates::LoadFromFile()
{
	return LoadByName(kExitStatesFolderName, kExitStatesFileName);
}

status_t
TZorvyPrefsExitStates::SaveToFile() const
{
	return SaveByName(kExitStatesFolderName, kExitStatesFileName);
}

std::string
TZorvyPrefsExitStates::FilePath()
{
	return settings_file_path(kExitStatesFolderName, kExitStatesFileName);
}
