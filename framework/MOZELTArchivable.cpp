#include <framework/MOZELTArchivable.h>

#include <framework/settings/SettingsEntry.h>

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

	BMessage archive;
	if (load_settings_message(entry, &archive) != B_OK)
		return B_ERROR;
	status_t status = Unarchive(archive);
	KeepNewerFields(archive);
	return status == B_OK ? B_OK : B_ERROR;
}

status_t
TMOZELTArchivable::SaveByName(const char* folderName, const char* fileName) const
{
	BEntry entry;
	if (get_settings_entry(folderName, fileName, &entry) != B_OK)
		return B_ERROR;

	if (reset_gesture_held())
		return B_CANCELED;

	BMessage archive;
	if (ArchiveWithNewerFields(&archive) != B_OK)
		return B_ERROR;
	return save_settings_message(entry, archive);
}

status_t
TMOZELTArchivable::DeleteByName(const char* folderName, const char* fileName) const
{
	BEntry entry;
	if (get_settings_entry(folderName, fileName, &entry) != B_OK)
		return B_ERROR;
	return entry.Remove();
}

status_t
TMOZELTArchivable::ArchiveWithNewerFields(BMessage* archive) const
{
	status_t status = Archive(archive, true);
	if (status != B_OK)
		return status;
	char* name = NULL;
	type_code type;
	for (int32 i = 0; mNewerFields.GetInfo(B_ANY_TYPE, i, &name, &type) == B_OK; i++) {
		if (archive->GetInfo(name, &type) == B_OK)
			continue;
		status |= copy_message_field(mNewerFields, name, archive);
	}
	return status;
}

// A field is ours when Archive writes it; whatever else the file holds is a newer version's.
void
TMOZELTArchivable::KeepNewerFields(const BMessage& loaded)
{
	mNewerFields.MakeEmpty();
	BMessage ours;
	Archive(&ours, true);
	char* name = NULL;
	type_code type;
	for (int32 i = 0; loaded.GetInfo(B_ANY_TYPE, i, &name, &type) == B_OK; i++) {
		type_code known;
		if (ours.GetInfo(name, &known) != B_OK)
			copy_message_field(loaded, name, &mNewerFields);
	}
}
