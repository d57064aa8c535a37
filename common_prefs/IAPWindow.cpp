#include <common_prefs/IAPWindow.h>

#include <common_prefs/IAPMessages.h>
#include <common_prefs/IAPPortManager.h>
#include <common_prefs/IAPView.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>

#include <Application.h>
#include <Message.h>
#include <Roster.h>

namespace {

// The window to itself: tell every application that it hid.
const uint32 kMsgTellHidden = 'iaht';

} // namespace

TIAPWindow::TIAPWindow(BRect frame)
	: TDialogWindow(frame, gLocale.GetString(LKK_IAP_WIN_TITLE), B_TITLED_WINDOW,
					B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS),
	  mPortManager(NULL), mView(NULL)
{
	mView = new TIAPView(frame);
	// The window takes the view's size before the view is in it: the view follows every side,
	// and would otherwise shrink with the window by what it already lost.
	ResizeTo(mView->Bounds().Width(), mView->Bounds().Height());
	AddChild(mView);
	SetWindowTitle();
}

TIAPWindow::~TIAPWindow()
{
	// Only a window that served the port was the applications' window.
	bool served = Port() >= 0;
	if (mPortManager != NULL) {
		// Woken from its wait, the thread sees the request, deletes the port and ends; the next
		// application to ask for the window makes a new one.
		mPortManager->Terminate();
		mPortManager->PreventBlocking();
		mPortManager->Wait();
		delete mPortManager;
		mPortManager = NULL;
	}
	if (served)
		TellHidden();
}

bool
TIAPWindow::QuitRequested()
{
	// The close box and a quit request through the port are Cancel; the application quitting
	// closes the window as it is.
	if (find_thread(NULL) == Thread() && CurrentMessage() != NULL) {
		if (!IsHidden())
			Hide();
		mView->SetComponents(0);
	}
	return TDialogWindow::QuitRequested();
}

void
TIAPWindow::Show()
{
	TDialogWindow::Show();
	if (mPortManager != NULL)
		return;
	mPortManager = new TIAPPortManager(BMessenger(mView));
	mPortManager->Resume();
}

void
TIAPWindow::Hide()
{
	bool shown = !IsHidden();
	TDialogWindow::Hide();
	// Told once the message that hid the window is done, so that the others hear the states
	// Cancel brings back before they hear that the window is gone: an application that ends
	// with the window still saves them.
	if (shown && IsHidden())
		PostMessage(kMsgTellHidden);
}

void
TIAPWindow::MessageReceived(BMessage* message)
{
	if (message->what == kMsgTellHidden) {
		TellHidden();
		return;
	}
	TDialogWindow::MessageReceived(message);
}

void
TIAPWindow::LanguageChanged()
{
	SetWindowTitle();
}

port_id
TIAPWindow::Port() const
{
	return mPortManager != NULL ? mPortManager->Port() : IAP_PORT_NOT_YET;
}

void
TIAPWindow::SetWindowTitle()
{
	SetTitle(gLocale.GetString(LKK_IAP_WIN_TITLE));
}

void
TIAPWindow::TellHidden() const
{
	BMessage hidden(MSG_IAP_WINDOW_HIDDEN);
	be_app_messenger.SendMessage(&hidden);
	be_roster->Broadcast(&hidden);
}
