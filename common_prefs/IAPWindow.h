#ifndef MOZELT_IAP_WINDOW_H
#define MOZELT_IAP_WINDOW_H

#include <framework/DialogWindow.h>

#include <OS.h>

class TIAPPortManager;
class TIAPView;

// The common preferences window: one for all of the maker's running applications, living in
// whichever opened it first and reached by the others through its port. Closing it hides it;
// it goes when its application quits, and its port with it.
class TIAPWindow : public TDialogWindow {
public:
	explicit TIAPWindow(BRect frame);
	virtual ~TIAPWindow();

	virtual bool QuitRequested();
	// The first showing starts serving the port.
	virtual void Show();
	virtual void Hide();
	virtual void LanguageChanged();
	virtual void MessageReceived(BMessage* message);

	// IAP_PORT_NOT_YET until the port is made (or before the first showing), then the port or
	// IAP_PORT_FAILED.
	port_id Port() const;
	void SetWindowTitle();
	TIAPView* View() const { return mView; }

private:
	// Every application, this one included, hears that the window is no longer shown.
	void TellHidden() const;

	TIAPPortManager* mPortManager;
	TIAPView* mView;
};

#endif
