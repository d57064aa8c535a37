#include <app/AppIdentity.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <app/ZorvyPrefsApp.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <app/ZorvyPrefsExitStates.h>
#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/InterAppPrefs.h>

int
main(int argc, char** argv)
{
	gAPAppPrivacy.AnalyzeExePath(argc > 0 ? argv[0] : NULL);
	gAPExitStates.LoadFromFile();
	gPrefs.LoadFromFile();

	gIAPs.SetAppSignatureRef(gAppSignature);
	gIAPs.AddItem(new TIAPItemAccKeyFormat());
	gIAPs.AddItem(new TIAPItemFlatToolBar());
	gIAPs.GetString(IAP_ITEM_NAME_ACC_KEY_FORMAT, &gAPAppPrivacy.mAccFormat);

	// The input method's port is looked up once; without it the changes are simply not sent.
	gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);

	TZorvyPrefsApp* app = new TZorvyPrefsApp();
	app->Run();
	delete app;

	delete gPortMessageSender;
	gPortMessageSender = NULL;

	gAPExitStates.SaveToFile();
	return 0;
}
