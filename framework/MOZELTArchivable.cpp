#include <framework/MOZELTArchivable.h>

#include <framework/SettingsEntry.h>

#include <Entry.h>
#include <InterfaceDefs.h>

namespace {

const uint32 kResetModifiers = B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY;

bool
reset_gesture_held()
{
	return (modifiers() & kResetModifiers) == kResetModifiers;
}

} // namespace

TMOZELTArchivable::TMOZELTArchivable() {}

TMOZELTArchivable::TMOZELTArchivable(BMessage* archive) : TArchivable(archive) {}

TMOZELTArchivable::~TMOZELTArchivable() {}

status_t
TMOZELTArchivable::LoadByName(const char* folderName, const char* fileName)
{
	BEntry entry;
	if (get_settings_entry(folderName, fileName, &entry) != B_OK)
		return B_ERROR;

	if (reset_gesture_held()) {
		// The next save writes a fresh file from the defaults.
		entry.Remove();
		return B_ERROR;
	}
	return Load(entry);
}

status_t
TMOZELTArchivable::SaveByName(const char* folderName, const char* fileName) const
{
	BEntry entry;
	if (get_settings_entry(folderName, fileName, &entry) != B_OK)
		return B_ERROR;

	if (reset_gesture_held())
		return B_ERROR;
	return Save(entry);
}

status_t
TMOZELTArchivable::DeleteByName(const char* folderName, const char* fileName) const
{
	BEntry entry;
	if (get_settings_entry(folderName, fileName, &entry) != B_OK)
		return B_ERROR;
	return entry.Remove();
}
