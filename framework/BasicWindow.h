#ifndef MOZELT_BASIC_WINDOW_H
#define MOZELT_BASIC_WINDOW_H

#include <Window.h>

// The window every window of the library derives from: it hides instead of closing when the
// user clicks its close box, comes forward with Appear, keeps itself on the main screen, and
// passes the change notifications on to its top view.
class TBasicWindow : public BWindow {
public:
	TBasicWindow(BRect frame, const char* title, window_type type, uint32 flags,
				 uint32 workspace = B_CURRENT_WORKSPACE);
	TBasicWindow(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
				 uint32 workspace = B_CURRENT_WORKSPACE);
	virtual ~TBasicWindow();

	// Shows the window however often it was hidden, and activates it. Any thread may call it.
	virtual void Appear();
	virtual void IAPChanged(BMessage* message);
	virtual void LanguageChanged();

	// The following three expect the caller to hold the window's lock.
	BPoint IntelligentMoveTo(BPoint where);
	BPoint IntelligentCentering();
	BPoint IntelligentAdjust();

	// Sends the message to the top view when that is a TBasicView.
	void TransferToView(BMessage* message);

	virtual void MessageReceived(BMessage* message);
	virtual bool QuitRequested();

private:
	void Init();
};

#endif
