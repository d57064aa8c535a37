#ifndef ZORVY_ZORVY_PREFS_WINDOW_H
#define ZORVY_ZORVY_PREFS_WINDOW_H

#include <framework/DialogWindow.h>

class TZorvyPrefsView;

// The main window. It opens at the left-top corner it is given, in the size of its view, and
// remembers where it was when it goes.
class TZorvyPrefsWindow : public TDialogWindow {
public:
	explicit TZorvyPrefsWindow(BRect frame);
	virtual ~TZorvyPrefsWindow();

	virtual void MessageReceived(BMessage* message);
	virtual void Quit();
	virtual bool QuitRequested();

	void SetWinTitle();
	TZorvyPrefsView* PrefsView() const { return mPrefsView; }

private:
	TZorvyPrefsView* mPrefsView;
};

#endif
