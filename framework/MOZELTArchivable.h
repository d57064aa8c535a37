#ifndef MOZELT_MOZELT_ARCHIVABLE_H
#define MOZELT_MOZELT_ARCHIVABLE_H

#include <framework/Archivable.h>

#include <Message.h>

// An archivable object that lives in a settings file of the maker's folder, found by a folder
// and a file name. Holding Shift, Command, Control and Option together throws the stored file
// away when it is loaded (the defaults stay) and skips saving it.
//
// A file that is there but cannot be read is set aside (see set_settings_file_aside) before
// the defaults are used. Fields of the file that this version does not write (a newer
// version's) are kept and written back after the object's own, so that going back to an older
// version for a while loses nothing; Archive itself never holds them.
class TMOZELTArchivable : public TArchivable {
public:
	TMOZELTArchivable();
	explicit TMOZELTArchivable(BMessage* archive);
	virtual ~TMOZELTArchivable();

	// B_OK; B_ERROR when there is no file, it cannot be read, or a field is missing (what the
	// file holds is taken all the same).
	status_t LoadByName(const char* folderName, const char* fileName);
	// B_OK; B_CANCELED when the reset gesture skipped the save; otherwise why nothing was
	// written (the platform's status: B_PERMISSION_DENIED, B_DEVICE_FULL …), or B_ERROR.
	status_t SaveByName(const char* folderName, const char* fileName) const;
	status_t DeleteByName(const char* folderName, const char* fileName) const;

	// The fields of the last file loaded that Archive does not write, in the file's order.
	const BMessage& NewerFields() const { return mNewerFields; }
	void SetNewerFields(const BMessage& fields) { mNewerFields = fields; }

	// What the settings file holds: the archive, then the newer fields it lacks.
	status_t ArchiveWithNewerFields(BMessage* archive) const;

private:
	void KeepNewerFields(const BMessage& loaded);

	BMessage mNewerFields;
};

#endif
