#include <framework/Archivable.h>

#include <framework/settings/SettingsEntry.h>

#include <Entry.h>
#include <Message.h>

B_REGISTER_ARCHIVABLE(TArchivable);

TArchivable::TArchivable() {}

TArchivable::TArchivable(BMessage* archive) : BArchivable(archive) {}

TArchivable::~TArchivable() {}

BArchivable*
TArchivable::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, CLASS_NAME_T_ARCHIVABLE))
		return NULL;
	return new TArchivable(archive);
}

status_t
TArchivable::Load(const BEntry& entry)
{
	BMessage archive;
	if (read_settings_message(entry, &archive) != B_OK)
		return B_ERROR;

	return Unarchive(archive) == B_OK ? B_OK : B_ERROR;
}

// The previous file stays whole until the new one is complete on disk, so neither a failing
// Archive nor a crash in the middle of writing costs the user the settings. A failed write
// says why.
status_t
TArchivable::Save(const BEntry& entry) const
{
	BMessage archive;
	if (Archive(&archive, true) != B_OK)
		return B_ERROR;
	return save_settings_message(entry, archive);
}

status_t
TArchivable::Archive(BMessage* archive, bool deep) const
{
	if (archive == NULL)
		return B_BAD_VALUE;
	status_t status = BArchivable::Archive(archive, deep);
	status |= archive->AddString("class", CLASS_NAME_T_ARCHIVABLE);
	return status;
}

status_t
TArchivable::Unarchive(const BMessage&)
{
	return B_OK;
}
