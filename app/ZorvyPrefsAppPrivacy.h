#ifndef ZORVY_ZORVY_PREFS_APP_PRIVACY_H
#define ZORVY_ZORVY_PREFS_APP_PRIVACY_H

#include <framework/AppPrivacy.h>

#include <string>

// The application's private record: where the executable lies, and how accelerator keys are
// written into this application's labels.
class TZorvyPrefsAppPrivacy : public TAppPrivacy {
public:
	TZorvyPrefsAppPrivacy();
	virtual ~TZorvyPrefsAppPrivacy();

	// The user's accelerator format from the common preferences, read once at start-up: a
	// change made while the application runs shows only at its next start.
	std::string mAccFormat;
};

extern TZorvyPrefsAppPrivacy gAPAppPrivacy;

// label with the accelerator key written in the user's format.
std::string acc_label(const std::string& key, const std::string& label);

#endif
