// MOZELTCommonPrefs: opens the maker's common preferences (accelerator-key labels, flat
// toolbars, interface language), shared by all of the maker's running applications, and ends
// when the window hides.

#include "CommonPrefsApp.h"

#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/IAPItemLocale.h>
#include <common_prefs/InterAppPrefs.h>
#include <locale/DataFolder.h>

#include <cstdio>
#include <cstring>
#include <string>

TInterAppPrefs gIAPs;

namespace {

enum { EXIT_STATUS_FAILED = 1, EXIT_STATUS_BAD_ARGUMENTS = 2 };

const char kProgramName[] = "MOZELTCommonPrefs";
const char kVersion[] = "MOZELT Common Preferences Ver 1.00";

void
print_help()
{
	fputs("usage: MOZELTCommonPrefs [--help] [--version]\n"
		  "Opens the common preferences of the MOZELT applications: how accelerator keys are\n"
		  "shown in labels, flat toolbars and the interface language. One window serves every\n"
		  "running MOZELT application; when another already shows it, it comes forward there.\n"
		  "Every change reaches every running MOZELT application at once. The program ends when\n"
		  "the window hides (OK, Cancel, Escape or its close box), wherever it is shown; a second\n"
		  "start brings the window forward and ends at once.\n"
		  "  -h, --help   print this help and exit\n"
		  "  --version    print the version and exit\n"
		  "\n"
		  "Exit status:\n"
		  "  0  the window was shown and has hidden\n"
		  "  1  a failure at start-up: the window could not be opened (told on standard error)\n"
		  "  2  bad arguments: nothing was started\n"
		  "  3  a bad event script (BEAPI_EVENTS; the line and the reason are told)\n",
		  stdout);
}

} // namespace

int
main(int argc, char** argv)
{
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "-h") == 0 || strcmp(argv[i], "--help") == 0) {
			print_help();
			return fflush(stdout) == 0 ? 0 : EXIT_STATUS_FAILED;
		}
		if (strcmp(argv[i], "--version") == 0) {
			printf("%s\n", kVersion);
			return fflush(stdout) == 0 ? 0 : EXIT_STATUS_FAILED;
		}
		fprintf(stderr, "%s: unknown argument \"%s\" (see %s --help)\n", kProgramName, argv[i],
				kProgramName);
		return EXIT_STATUS_BAD_ARGUMENTS;
	}

	gIAPs.SetAppSignatureRef(kCommonPrefsSignature);
	gIAPs.AddItem(new TIAPItemAccKeyFormat());
	gIAPs.AddItem(new TIAPItemFlatToolBar());
	gIAPs.AddItem(new TIAPItemLocale());

	std::string dataFolder;
	if (find_data_folder(&dataFolder) != B_OK)
		dataFolder.clear();
	TCommonPrefsApp::LoadLanguage(dataFolder);

	TCommonPrefsApp* app = new TCommonPrefsApp(dataFolder);
	if (app->InitCheck() != B_OK) {
		// A running copy took over.
		status_t status = app->InitCheck();
		delete app;
		if (status == B_ALREADY_RUNNING)
			return 0;
		fprintf(stderr, "%s: the application could not start\n", kProgramName);
		return EXIT_STATUS_FAILED;
	}
	app->Run();
	int status = app->ExitStatus();
	delete app;
	return status;
}
