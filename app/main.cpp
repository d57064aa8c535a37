#include <app/AppIdentity.h>
#include <app/CommandLine.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <app/ZorvyPrefsApp.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <app/ZorvyPrefsExitStates.h>
#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/InterAppPrefs.h>
#include <framework/settings/SettingsProblems.h>

int
main(int argc, char** argv)
{
	// Options come first: --help, --version and bad arguments start nothing and write nothing,
	// and a language is loaded before any window is built.
	int exitStatus = 0;
	if (!handle_command_line(argc, argv, &exitStatus))
		return exitStatus;

	gAPAppPrivacy.AnalyzeExePath(argc > 0 ? argv[0] : NULL);
	gAPExitStates.LoadFromFile();
	gPrefs.LoadFromFile();

	gIAPs.SetAppSignatureRef(gAppSignature);
	gIAPs.AddItem(new TIAPItemAccKeyFormat());
	gIAPs.AddItem(new TIAPItemFlatToolBar());
	gIAPs.GetString(IAP_ITEM_NAME_ACC_KEY_FORMAT, &gAPAppPrivacy.mAccFormat);

	// The input method's port is looked up once; without it the changes are simply not sent.
	gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);

	// Files that could not be read were set aside before anything was written over them; the
	// person is told here and, once the window is up, in an alert.
	std::vector<settings_file_set_aside> setAside = take_settings_files_set_aside();
	print_settings_files_set_aside(kProgramName, setAside);

	TZorvyPrefsApp* app = new TZorvyPrefsApp();
	app->TellSettingsFilesSetAside(setAside);
	app->Run();
	delete app;

	delete gPortMessageSender;
	gPortMessageSender = NULL;

	status_t saved = gAPExitStates.SaveToFile();
	if (saved != B_OK && saved != B_CANCELED) {
		print_settings_save_failure(kProgramName, "the window's place",
									TZorvyPrefsExitStates::FilePath(), saved);
		return 1;
	}
	return 0;
}
