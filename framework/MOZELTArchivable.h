#ifndef MOZELT_MOZELT_ARCHIVABLE_H
#define MOZELT_MOZELT_ARCHIVABLE_H

#include <framework/Archivable.h>

// An archivable object that lives in a settings file of the maker's folder, found by a folder
// and a file name. Holding Shift, Command, Control and Option together throws the stored file
// away when it is loaded (the defaults stay) and skips saving it.
class TMOZELTArchivable : public TArchivable {
public:
	TMOZELTArchivable();
	explicit TMOZELTArchivable(BMessage* archive);
	virtual ~TMOZELTArchivable();

	status_t LoadByName(const char* folderName, const char* fileName);
	status_t SaveByName(const char* folderName, const char* fileName) const;
	status_t DeleteByName(const char* folderName, const char* fileName) const;
};

#endif
