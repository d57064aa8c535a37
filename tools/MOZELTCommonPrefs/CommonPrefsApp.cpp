#include "CommonPrefsApp.h"

#include <common_prefs/IAPItemLocale.h>
#include <common_prefs/IAPMessages.h>
#include <common_prefs/InterAppPrefs.h>
#include <framework/BasicView.h>
#include <locale/DataFolder.h>
#include <locale/Locale.h>

#include <AppDefs.h>
#include <Message.h>
#include <Window.h>

#include <cstdio>
#include <cstring>

namespace {

// Where a window of this program opens when it is the first of the maker's.
const BRect kWindowFrame(120, 120, 420, 320);

} // namespace

TCommonPrefsApp::TCommonPrefsApp(const std::string& dataFolder)
	: BApplication(kCommonPrefsSignature), mDataFolder(dataFolder), mExitStatus(0)
{}

TCommonPrefsApp::~TCommonPrefsApp() {}

void
TCommonPrefsApp::LoadLanguage(const std::string& dataFolder)
{
	std::string code;
	if (gIAPs.GetString(IAP_ITEM_NAME_LOCALE, &code) != B_OK ||
		gLocale.SetLanguage(code, false) != B_OK || dataFolder.empty() ||
		gLocale.LoadLanguageFile(dataFolder, LANGUAGE_FILE_BASE_NAME, false) != B_OK)
		gLocale.UseBuiltInTexts();
}

void
TCommonPrefsApp::ReadyToRun()
{
	ShowCommonPrefs();
}

void
TCommonPrefsApp::ShowCommonPrefs()
{
	gIAPs.ShowWindow(kWindowFrame);
	// A window made here that could not serve the maker's port shows nothing the others could
	// reach: the person is told and the program ends.
	if (find_port(PORT_NAME) < 0) {
		fprintf(stderr, "MOZELTCommonPrefs: the common preferences window could not be opened\n");
		mExitStatus = 1;
		Quit();
	}
}

void
TCommonPrefsApp::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_IAP_CHANGED: {
		bool locale =
			strcmp(message->GetString(IAP_FIELD_SRC_IAP_ITEM, ""), IAP_ITEM_NAME_LOCALE) == 0;
		if (gIAPs.SetValue(*message) == B_OK && locale) {
			LoadLanguage(mDataFolder);
			TellLanguageChanged();
		}
		break;
	}
	case MSG_IAP_WINDOW_HIDDEN:
		// Whichever application shows the window, its hiding ends this program; every change
		// before it has been kept.
		Quit();
		break;
	default:
		BApplication::MessageReceived(message);
		break;
	}
}

void
TCommonPrefsApp::DispatchMessage(BMessage* message, BHandler* handler)
{
	// A second start hands over to this one: the window comes forward wherever it is.
	if (message->what == B_SILENT_RELAUNCH && handler == this) {
		ShowCommonPrefs();
		return;
	}
	BApplication::DispatchMessage(message, handler);
}

void
TCommonPrefsApp::TellLanguageChanged()
{
	for (int32 i = 0; BWindow* window = WindowAt(i); i++)
		window->PostMessage(MSG_LANGUAGE_CHANGED);
}
