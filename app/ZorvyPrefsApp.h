#ifndef ZORVY_ZORVY_PREFS_APP_H
#define ZORVY_ZORVY_PREFS_APP_H

#include <framework/settings/SettingsEntry.h>

#include <Application.h>

#include <vector>

class TMOZELTAboutWindow;
class TZorvyPrefsWindow;

// The application object: it opens the main window at its remembered place, quits with it,
// shows the About box and the maker's common preferences on request, and hands the common
// preferences' change notices to the store.
class TZorvyPrefsApp : public BApplication {
public:
	TZorvyPrefsApp();
	virtual ~TZorvyPrefsApp();

	virtual void MessageReceived(BMessage* message);
	virtual void Quit();
	virtual bool QuitRequested();
	virtual void ReadyToRun();
	virtual void AboutRequested();
	// The options of the first start, and those a later start hands over: a window they ask
	// for opens in front.
	virtual void ArgvReceived(int32 argc, char** argv);
	virtual void DispatchMessage(BMessage* message, BHandler* handler);

	// Opens the maker's common preferences, or brings them forward where another application
	// shows them.
	void MItemMOZELTCommonPrefsClicked();

	// Settings files found unreadable at start-up, told in an alert once the loop runs.
	void TellSettingsFilesSetAside(const std::vector<settings_file_set_aside>& files);

	TZorvyPrefsWindow* PrefsWindow() const { return mPrefsWindow; }
	TMOZELTAboutWindow* AboutWindow() const { return mAboutWindow; }

private:
	TZorvyPrefsWindow* mPrefsWindow;
	TMOZELTAboutWindow* mAboutWindow;
	// Asked for by the options a later start handed over: they come forward again once that
	// start's relaunch has brought the main window forward.
	bool mAboutAfterRelaunch;
	bool mCommonPrefsAfterRelaunch;
	bool mReady;
	std::vector<settings_file_set_aside> mSetAside;
};

#endif
