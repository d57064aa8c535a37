#include <framework/DialogWindow.h>

#include <framework/BasicView.h>
#include <framework/DialogView.h>
#include <framework/ShortCutFilter.h>

#include <AppDefs.h>
#include <Message.h>
#include <OS.h>

TDialogWindow::TDialogWindow(BRect frame, const char* title, window_type type, uint32 flags,
							 uint32 workspace)
	: TBasicWindow(frame, title, type, flags, workspace), mMessage(NULL)
{
	Init();
}

TDialogWindow::TDialogWindow(BRect frame, const char* title, window_look look, window_feel feel,
							 uint32 flags, uint32 workspace)
	: TBasicWindow(frame, title, look, feel, flags, workspace), mMessage(NULL)
{
	Init();
}

TDialogWindow::~TDialogWindow()
{
	delete mMessage;
}

void
TDialogWindow::Init()
{
	AddCommonFilter(new TShortCutFilter(NULL));
	mMessage = NULL;
}

status_t
TDialogWindow::Invoke(BMessage* message)
{
	if (message == NULL)
		message = mMessage;
	if (message == NULL)
		return B_BAD_VALUE;
	return mTarget.SendMessage(message, static_cast<BHandler*>(NULL), B_INFINITE_TIMEOUT);
}

BMessage*
TDialogWindow::Message() const
{
	return mMessage;
}

void
TDialogWindow::SetMessage(BMessage* message)
{
	if (message == mMessage)
		return;
	delete mMessage;
	mMessage = message;
}

BMessenger
TDialogWindow::Target() const
{
	return mTarget;
}

void
TDialogWindow::SetTarget(BMessenger target)
{
	mTarget = target;
}

void
TDialogWindow::KeyDown(BMessage* message)
{
	TDialogView* view = dynamic_cast<TDialogView*>(ChildAt(0));
	if (view == NULL)
		return;
	int32 rawChar = 0;
	int32 key = 0;
	message->FindInt32("raw_char", &rawChar);
	message->FindInt32("key", &key);
	view->ShortCutDown(rawChar, key);
}

void
TDialogWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case B_KEY_DOWN:
		// Other keys reach the window only when no view has the focus: Tab then still moves it.
		if (TShortCutFilter::IsShortCut(message))
			KeyDown(message);
		else
			BWindow::MessageReceived(message);
		break;
	case MSG_IAP_CHANGED:
		IAPChanged(message);
		TransferToView(message);
		break;
	case MSG_LANGUAGE_CHANGED:
		LanguageChanged();
		TransferToView(message);
		break;
	default:
		BWindow::MessageReceived(message);
		break;
	}
}

void
TDialogWindow::Show()
{
	// The thread exists once the window has run; a window shown for the first time gets its
	// priority right after.
	bool running = Thread() >= 0;
	if (running)
		set_thread_priority(Thread(), B_DISPLAY_PRIORITY);
	TBasicWindow::Show();
	if (!running && Thread() >= 0)
		set_thread_priority(Thread(), B_DISPLAY_PRIORITY);
}

void
TDialogWindow::Hide()
{
	TBasicWindow::Hide();
	if (Thread() >= 0)
		set_thread_priority(Thread(), B_LOW_PRIORITY);
}
