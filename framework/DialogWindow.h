#ifndef MOZELT_DIALOG_WINDOW_H
#define MOZELT_DIALOG_WINDOW_H

#include <framework/BasicWindow.h>

#include <Messenger.h>

// A dialog-like window: its shortcut keys go to its top TDialogView, its thread runs at
// display priority while it is shown, and it can report a result to a target as a control
// does.
class TDialogWindow : public TBasicWindow {
public:
	TDialogWindow(BRect frame, const char* title, window_type type, uint32 flags,
				  uint32 workspace = B_CURRENT_WORKSPACE);
	TDialogWindow(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
				  uint32 workspace = B_CURRENT_WORKSPACE);
	virtual ~TDialogWindow();

	// Sends the message, or the stored one when none is given, to the target.
	status_t Invoke(BMessage* message = NULL);
	BMessage* Message() const;
	// Takes the message over; the previous one is deleted.
	void SetMessage(BMessage* message);
	BMessenger Target() const;
	void SetTarget(BMessenger target);

	// A shortcut key was redirected to the window.
	virtual void KeyDown(BMessage* message);

	virtual void MessageReceived(BMessage* message);
	virtual void Show();
	virtual void Hide();

private:
	void Init();

	BMessenger mTarget;
	BMessage* mMessage;
};

#endif
