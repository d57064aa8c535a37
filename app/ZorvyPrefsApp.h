#ifndef ZORVY_ZORVY_PREFS_APP_H
#define ZORVY_ZORVY_PREFS_APP_H

#include <Application.h>

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

	TZorvyPrefsWindow* PrefsWindow() const { return mPrefsWindow; }

private:
	TZorvyPrefsWindow* mPrefsWindow;
};

#endif
