#ifndef ZORVY_PREFS_H
#define ZORVY_PREFS_H

#include <app/PrefsValues.h>
#include <framework/MOZELTArchivable.h>

#include <string>

// Every setting this application edits for the input method. The same archive is the content
// of the settings file and the body of the message delivered to the input method, so the keys,
// types and order of the fields are the input method's wire format.
class TPrefs : public TMOZELTArchivable, public TPrefsValues {
public:
	TPrefs();
	TPrefs(const TPrefs& other);
	virtual ~TPrefs();

	TPrefs& operator=(const TPrefs& other);

	virtual status_t Archive(BMessage* archive, bool deep = true) const;
	virtual status_t Unarchive(const BMessage& archive);

	status_t LoadFromFile();
	status_t SaveToFile() const;
	// Where the settings file is, to name it to the person.
	static std::string FilePath();
};

extern TPrefs gPrefs;

#endif
