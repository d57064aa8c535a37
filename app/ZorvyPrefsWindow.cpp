#include <app/ZorvyPrefsWindow.h>

#include <app/AppIdentity.h>
#include <app/ZorvyPrefsExitStates.h>
#include <app/ZorvyPrefsView.h>
#include <locale/Locale.h>

#include <Application.h>
#include <Screen.h>

TZorvyPrefsWindow::TZorvyPrefsWindow(BRect frame)
	: TDialogWindow(frame, gLocale.GetString(gAppNameJaJp), B_TITLED_WINDOW,
					B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS, B_CURRENT_WORKSPACE)
{
	SetWinTitle();
	mPrefsView = new TZorvyPrefsView();
	// Only the stored left-top corner counts: the window always takes its view's size.
	ResizeTo(mPrefsView->Bounds().Width(), mPrefsView->Bounds().Height());
	AddChild(mPrefsView);
	// A corner stored on a larger or another screen would put the window out of reach.
	if (!BScreen(B_MAIN_SCREEN_ID).Frame().Contains(Frame().LeftTop()))
		IntelligentAdjust();
}

TZorvyPrefsWindow::~TZorvyPrefsWindow() {}

void
TZorvyPrefsWindow::SetWinTitle()
{
	SetTitle(gLocale.GetString(gAppNameJaJp));
}

void
TZorvyPrefsWindow::MessageReceived(BMessage* message)
{
	TDialogWindow::MessageReceived(message);
}

bool
TZorvyPrefsWindow::QuitRequested()
{
	// Closing the main window, however it happens, ends the application.
	be_app_messenger.SendMessage(B_QUIT_REQUESTED);
	return TDialogWindow::QuitRequested();
}

void
TZorvyPrefsWindow::Quit()
{
	gAPExitStates.mWindowFrame = Frame();
	TDialogWindow::Quit();
}
