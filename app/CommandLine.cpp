#include <app/CommandLine.h>

#include <app/AppIdentity.h>
#include <locale/DataFolder.h>
#include <locale/Locale.h>

#include <cstdio>

namespace {

// "--name=value" gives its value with it; "--name value" in the next argument.
bool
split_option(const std::string& argument, std::string* name, std::string* value)
{
	size_t equals = argument.find('=');
	if (argument.compare(0, 2, "--") != 0 || equals == std::string::npos) {
		*name = argument;
		return false;
	}
	*name = argument.substr(0, equals);
	*value = argument.substr(equals + 1);
	return true;
}

std::string
joined(const std::vector<std::string>& codes)
{
	std::string text;
	for (const std::string& code : codes)
		text += (text.empty() ? "" : ", ") + code;
	return text.empty() ? "none" : text;
}

} // namespace

TCommandLine::TCommandLine() : mHelp(false), mVersion(false), mAbout(false), mCommonPrefs(false) {}

status_t
TCommandLine::Parse(int argc, const char* const* argv)
{
	for (int i = 1; i < argc; i++) {
		std::string name;
		std::string value;
		bool valueGiven = split_option(argv[i] != NULL ? argv[i] : "", &name, &value);

		bool* flag = name == "--help" || name == "-h" ? &mHelp
					 : name == "--version"            ? &mVersion
					 : name == "--about"              ? &mAbout
					 : name == "--common-prefs"       ? &mCommonPrefs
													  : NULL;
		if (flag != NULL) {
			if (valueGiven) {
				mError = "the option " + name + " takes no value";
				return B_BAD_VALUE;
			}
			*flag = true;
		} else if (name == "--language") {
			if (!valueGiven) {
				if (i + 1 >= argc || argv[i + 1] == NULL) {
					mError = "the option --language needs a language code, such as enUS";
					return B_BAD_VALUE;
				}
				value = argv[++i];
			}
			if (!valid_language_code(value)) {
				mError = "\"" + value +
						 "\" is no language code: four characters, two lower-case letters "
						 "first, such as enUS or jaJP";
				return B_BAD_VALUE;
			}
			mLanguage = value;
		} else if (name.compare(0, 1, "-") == 0) {
			mError = "unknown option " + name;
			return B_BAD_VALUE;
		} else {
			mError = "unexpected argument \"" + name + "\"";
			return B_BAD_VALUE;
		}
	}
	return B_OK;
}

std::string
TCommandLine::HelpText(const std::string& languageFolder, const std::string& languages)
{
	return std::string("Usage: ") + kProgramName +
		   " [OPTION]...\n"
		   "Changes how the Zorvy Japanese input method behaves. Every change reaches the\n"
		   "running input method at once; OK saves the settings.\n"
		   "\n"
		   "Options:\n"
		   "  --language CODE  show the interface in the language CODE, read from the file\n"
		   "                   MOZELT.CODE of the language folder (without the option the\n"
		   "                   interface is Japanese). When the application already runs, its\n"
		   "                   window comes forward and keeps the language it has.\n"
		   "  --about          open the About box once the window is up\n"
		   "  --common-prefs   open the preferences shared by the maker's applications once\n"
		   "                   the window is up\n"
		   "                   (Both also work while the application runs: the running one\n"
		   "                   opens the window in front, and this start ends with status 0.)\n"
		   "  -h, --help       print this help and exit\n"
		   "  --version        print the version and exit\n"
		   "\n"
		   "Languages: " +
		   languages + "\nLanguage folder: " + languageFolder +
		   "\n"
		   "\n"
		   "Exit status:\n"
		   "  0  success\n"
		   "  1  a failure at start-up or when quitting (told on standard error)\n"
		   "  2  bad arguments: nothing was started or written\n"
		   "  3  a bad event script (BEAPI_EVENTS; the line and the reason are told)\n";
}

std::string
TCommandLine::VersionText()
{
	return std::string(gAppNameEnUs) + " " + gAppVer + "\n";
}

bool
handle_command_line(int argc, char** argv, int* exitStatus)
{
	TCommandLine commandLine;
	if (commandLine.Parse(argc, argv) != B_OK) {
		fprintf(stderr, "%s: %s (see %s --help)\n", kProgramName, commandLine.Error().c_str(),
				kProgramName);
		*exitStatus = EXIT_STATUS_BAD_ARGUMENTS;
		return false;
	}

	std::string dataFolder;
	bool haveData = find_data_folder(&dataFolder) == B_OK;
	std::string languageFolder =
		haveData ? language_files_folder(dataFolder) : std::string("(not found)");
	std::string languages =
		joined(haveData ? installed_languages(dataFolder) : std::vector<std::string>());

	if (commandLine.Help() || commandLine.Version()) {
		std::string text = commandLine.Help() ? TCommandLine::HelpText(languageFolder, languages)
											  : TCommandLine::VersionText();
		fputs(text.c_str(), stdout);
		*exitStatus = fflush(stdout) == 0 ? 0 : 1;
		return false;
	}

	if (!commandLine.Language().empty()) {
		// Chosen before anything is loaded or any window is built, so that every label is
		// looked up in the language from the first.
		gLocale.SetLanguage(commandLine.Language(), false);
		if (!haveData ||
			gLocale.LoadLanguageFile(dataFolder, LANGUAGE_FILE_BASE_NAME, false) != B_OK) {
			fprintf(stderr, "%s: no language file for %s in %s (languages: %s)\n", kProgramName,
					commandLine.Language().c_str(), languageFolder.c_str(), languages.c_str());
			*exitStatus = EXIT_STATUS_BAD_ARGUMENTS;
			return false;
		}
	}
	return true;
}
