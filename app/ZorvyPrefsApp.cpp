#include <app/ZorvyPrefsApp.h>

#include <app/AppIdentity.h>
#include <app/SettingsAlerts.h>
#include <app/ZorvyPrefsExitStates.h>
#include <app/ZorvyPrefsWindow.h>
#include <common_prefs/IAPMessages.h>
#include <common_prefs/InterAppPrefs.h>
#include <framework/BasicView.h>

#include <Message.h>

TZorvyPrefsApp::TZorvyPrefsApp() : BApplication(gAppSignature)
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
	default:
		BApplication::MessageReceived(message);
		break;
	}
}

void
TZorvyPrefsApp::ReadyToRun()
{
	alert_settings_files_set_aside(mSetAside);
	mSetAside.clear();
}

void
TZorvyPrefsApp::TellSettingsFilesSetAside(const std::vector<settings_file_set_aside>& files)
{
	mSetAside.insert(mSetAside.end(), files.begin(), files.end());
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
	if (mPrefsWindow != NULL) {
		mPrefsWindow->Hide();
		// The window writes its frame into the window state as it goes.
		if (mPrefsWindow->Lock()) {
			mPrefsWindow->Quit();
			mPrefsWindow = NULL;
		}
	}
	BApplication::Quit();
}
