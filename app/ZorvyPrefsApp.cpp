#include <app/ZorvyPrefsApp.h>

#include <about/MOZELTAboutWindow.h>
#include <app/AppIdentity.h>
#include <app/CommandLine.h>
#include <app/ZorvyPrefsExitStates.h>
#include <app/ZorvyPrefsMessages.h>
#include <app/ZorvyPrefsWindow.h>
#include <common_prefs/IAPMessages.h>
#include <common_prefs/InterAppPrefs.h>
#include <framework/BasicView.h>
#include <framework/SettingsAlerts.h>

#include <AppDefs.h>
#include <Message.h>

namespace {

// The About box and the common preferences open this far below the main window's top-left
// corner.
const float kAboutOffset = 22.0f;
const float kCommonPrefsOffset = 22.0f;

} // namespace

TZorvyPrefsApp::TZorvyPrefsApp()
	: BApplication(gAppSignature), mAboutWindow(NULL), mAboutAfterRelaunch(false),
	  mCommonPrefsAfterRelaunch(false), mReady(false)
{
	mPrefsWindow = new TZorvyPrefsWindow(gAPExitStates.mWindowFrame);
	mPrefsWindow->Show();
}

TZorvyPrefsApp::~TZorvyPrefsApp() {}

void
TZorvyPrefsApp::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_IAP_CHANGED:
		gIAPs.SetValue(*message);
		break;
	case MSG_MITEM_MOZELT_COMMON_PREFS:
		MItemMOZELTCommonPrefsClicked();
		break;
	default:
		BApplication::MessageReceived(message);
		break;
	}
}

void
TZorvyPrefsApp::MItemMOZELTCommonPrefsClicked()
{
	// A new window opens a little below the main window's top, as the About box does; one that
	// another application shows comes forward where it is.
	if (mPrefsWindow == NULL)
		return;
	BRect frame = mPrefsWindow->Frame();
	frame.top += kCommonPrefsOffset;
	gIAPs.ShowWindow(frame);
}

void
TZorvyPrefsApp::ReadyToRun()
{
	mReady = true;
	alert_settings_files_set_aside(mSetAside);
	mSetAside.clear();
}

void
TZorvyPrefsApp::TellSettingsFilesSetAside(const std::vector<settings_file_set_aside>& files)
{
	mSetAside.insert(mSetAside.end(), files.begin(), files.end());
}

void
TZorvyPrefsApp::AboutRequested()
{
	if (mAboutWindow == NULL) {
		BRect main = mPrefsWindow->Frame();
		BRect frame = main;
		frame.top += kAboutOffset;
		mAboutWindow = new TMOZELTAboutWindow(frame);
		if (mAboutWindow->Lock()) {
			mAboutWindow->IntelligentMoveTo(BPoint(main.left, main.top + kAboutOffset));
			mAboutWindow->Unlock();
		}
		mAboutWindow->SetAppInfo(gAppNameJaJp, gAppVer, gCright);
		mAboutWindow->SetIAPRef(&gIAPs);
	}
	mAboutWindow->Appear();
}

void
TZorvyPrefsApp::ArgvReceived(int32 argc, char** argv)
{
	// main has read the same options before anything started, so they are sound; the
	// language and the help are its affair.
	TCommandLine commandLine;
	if (commandLine.Parse(argc, argv) != B_OK)
		return;
	// The common preferences, when both are asked for, end in front.
	if (commandLine.About())
		AboutRequested();
	if (commandLine.CommonPrefs())
		MItemMOZELTCommonPrefsClicked();
	// At the first start the options arrive before the loop is ready and nothing follows them.
	mAboutAfterRelaunch = mReady && commandLine.About();
	mCommonPrefsAfterRelaunch = mReady && commandLine.CommonPrefs();
}

void
TZorvyPrefsApp::DispatchMessage(BMessage* message, BHandler* handler)
{
	BApplication::DispatchMessage(message, handler);
	// A later start brings the main window forward after handing its options over; the
	// windows they asked for go back in front of it.
	if (message->what != B_SILENT_RELAUNCH || handler != this)
		return;
	if (mAboutAfterRelaunch && mAboutWindow != NULL)
		mAboutWindow->Appear();
	if (mCommonPrefsAfterRelaunch)
		MItemMOZELTCommonPrefsClicked();
	mAboutAfterRelaunch = false;
	mCommonPrefsAfterRelaunch = false;
}

bool
TZorvyPrefsApp::QuitRequested()
{
	if (mPrefsWindow == NULL)
		return true;
	return mPrefsWindow->QuitRequested();
}

void
TZorvyPrefsApp::Quit()
{
	if (mPrefsWindow != NULL)
		mPrefsWindow->Hide();
	if (mAboutWindow != NULL && mAboutWindow->Lock()) {
		mAboutWindow->Quit();
		mAboutWindow = NULL;
	}
	if (mPrefsWindow != NULL) {
		// The window writes its frame into the window state as it goes.
		if (mPrefsWindow->Lock()) {
			mPrefsWindow->Quit();
			mPrefsWindow = NULL;
		}
	}
	BApplication::Quit();
}
