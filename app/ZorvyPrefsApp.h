#ifndef ZORVY_ZORVY_PREFS_APP_H
#define ZORVY_ZORVY_PREFS_APP_H

#include <framework/SettingsEntry.h>

#include <Application.h>

#include <vector>

class TZorvyPrefsWindow;

// The application object: it opens the main window at its remembered place, quits with it,
// and hands the common preferences' change notices to the store.
class TZorvyPrefsApp : public BApplication {
public:
	TZorvyPrefsApp();
	virtual ~TZorvyPrefsApp();

	virtual void MessageReceived(BMessage* message);
	virtual void Quit();
	virtual bool QuitRequested();
	virtual void ReadyToRun();

	// Settings files found unreadable at start-up, told in an alert once the loop runs.
	void TellSettingsFilesSetAside(const std::vector<settings_file_set_aside>& files);

	TZorvyPrefsWindow* PrefsWindow() const { return mPrefsWindow; }

private:
	TZorvyPrefsWindow* mPrefsWindow;
	std::vector<settings_file_set_aside> mSetAside;
};

#endif
