#ifndef ZORVY_ZORVY_PREFS_EXIT_STATES_H
#define ZORVY_ZORVY_PREFS_EXIT_STATES_H

#include <framework/MOZELTArchivable.h>

#include <Rect.h>

#include <string>

// Where the main window was when the application last quit, kept in a settings file of its
// own beside the preference record.
class TZorvyPrefsExitStates : public TMOZELTArchivable {
public:
	TZorvyPrefsExitStates();
	virtual ~TZorvyPrefsExitStates();

	virtual status_t Archive(BMessage* archive, bool deep = true) const;
	virtual status_t Unarchive(const BMessage& archive);

	status_t LoadFromFile();
	status_t SaveToFile() const;
	static std::string FilePath();

	// The version that wrote the file; only informative, the file is read whatever it says.
	std::string mVersion;
	// A frame the file holds that could not place a window is not taken.
	BRect mWindowFrame;
};

extern TZorvyPrefsExitStates gAPExitStates;

#endif
