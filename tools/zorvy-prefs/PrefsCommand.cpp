// zorvy-prefs: every setting of the input method from the command line, saved as the
// preferences window saves it and delivered to the running input method as the window does.

#include "PrefsStore.h"
#include "PrefsTransfer.h"
#include "SettingValues.h"

#include <app/AppIdentity.h>
#include <beapi/AtomicFile.h>
#include <framework/settings/SettingsProblems.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char kProgram[] = "zorvy-prefs";
const int kExitFailure = 1;
const int kExitBadArguments = 2;
const int kExitWindowOpen = 3;

void
usage(FILE* stream)
{
	fprintf(stream,
			"usage: %s list [--json | --names]\n"
			"       %s get NAME\n"
			"       %s [--force] set NAME=VALUE...\n"
			"       %s [--force] reset [NAME...]\n"
			"       %s export [FILE]\n"
			"       %s [--force] import FILE\n"
			"Reads and changes the settings of the Zorvy input method. Each change is saved as\n"
			"the preferences window saves it and sent at once to the running input method.\n"
			"NAME is a setting's name (input.startup-mode) or its stored key (DIMd); a choice\n"
			"takes its index or its text in Japanese or English, a flag true or false. set\n"
			"applies all its values or none; reset without NAME resets every setting. export\n"
			"writes JSON (to standard output without FILE); import takes back what export wrote.\n"
			"While the preferences window is open, set, reset and import refuse: its OK or\n"
			"Cancel would undo the change; --force goes ahead.\n"
			"Exit status: 0 done (also when the input method is not running: the change is\n"
			"saved); 1 the settings file could not be read or written, or the input method did\n"
			"not take the change; 2 bad arguments, names or values (nothing written or sent);\n"
			"3 the preferences window is open.\n",
			kProgram, kProgram, kProgram, kProgram, kProgram, kProgram);
}

int
bad_arguments(const std::string& why)
{
	fprintf(stderr, "%s: %s\n", kProgram, why.c_str());
	return kExitBadArguments;
}

// Loads the record; a file that is there but cannot be read is told.
status_t
load(TPrefsFile* file)
{
	status_t status = load_prefs_file(file);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND) {
		fprintf(stderr, "%s: the settings file %s cannot be read (%s); the defaults are shown\n",
				kProgram, prefs_file_path().c_str(), settings_problem(status, true).english);
	}
	return status == B_ENTRY_NOT_FOUND ? B_OK : status;
}

const TPrefsField*
find_setting(const std::string& name)
{
	const TPrefsField* field = find_prefs_setting(name.c_str());
	if (field == NULL) {
		std::string names;
		for (const TPrefsField& each : PREFS_FIELDS)
			names += std::string(names.empty() ? "" : ", ") + each.name;
		fprintf(stderr, "%s: no setting is called \"%s\"; the settings are %s (or their keys)\n",
				kProgram, name.c_str(), names.c_str());
	}
	return field;
}

// A change waits for any other command changing the settings; false, told, when it cannot.
bool
locked(const TPrefsChangeLock& lock)
{
	if (lock.InitCheck() == B_OK)
		return true;
	if (lock.InitCheck() == B_TIMED_OUT)
		fprintf(stderr, "%s: another zorvy-prefs kept the settings busy for 2 s; nothing changed\n",
				kProgram);
	else
		fprintf(stderr, "%s: the settings folder of %s cannot be opened (%s); nothing changed\n",
				kProgram, prefs_file_path().c_str(), strerror(lock.Error()));
	return false;
}

// Saves the changed record and delivers it, as the window's OK and its pages do.
int
apply(const TPrefsFile& changed, bool force)
{
	if (preferences_window_open()) {
		if (!force) {
			fprintf(stderr,
					"%s: the preferences window \"%s\" is open, and its OK or Cancel would undo "
					"this change; close it first, or use --force\n",
					kProgram, gAppNameJaJp);
			return kExitWindowOpen;
		}
		fprintf(stderr,
				"%s: the preferences window is open; going ahead (--force): its OK or Cancel "
				"will put back its own values\n",
				kProgram);
	}
	status_t status = save_prefs_file(changed);
	print_settings_files_set_aside(kProgram, take_settings_files_set_aside());
	if (status != B_OK) {
		print_settings_save_failure(kProgram, "the settings", prefs_file_path(), status);
		return kExitFailure;
	}
	status = deliver_prefs(changed.values);
	if (status == B_NAME_NOT_FOUND) {
		fprintf(stderr,
				"%s: saved; the input method is not running, it reads them when it starts\n",
				kProgram);
	} else if (status != B_OK) {
		fprintf(stderr, "%s: saved, but the input method did not take the change (%s)\n", kProgram,
				strerror(status == B_TIMED_OUT ? ETIMEDOUT : EIO));
		return kExitFailure;
	}
	return 0;
}

int
command_list(const std::vector<std::string>& args)
{
	if (args.size() > 1 || (args.size() == 1 && args[0] != "--json" && args[0] != "--names"))
		return bad_arguments("list takes --json or --names");
	if (!args.empty() && args[0] == "--names") {
		for (const TPrefsField& field : PREFS_FIELDS)
			printf("%s\n", field.name);
		return 0;
	}
	TPrefsFile file;
	status_t status = load(&file);
	TEnglishTexts english;
	std::string text = args.empty() ? list_text(file, &english) : list_json(file, &english);
	fputs(text.c_str(), stdout);
	return status == B_OK ? 0 : kExitFailure;
}

int
command_get(const std::vector<std::string>& args)
{
	if (args.size() != 1)
		return bad_arguments("get takes one NAME");
	const TPrefsField* field = find_setting(args[0]);
	if (field == NULL)
		return kExitBadArguments;
	TPrefsFile file;
	status_t status = load(&file);
	printf("%s\n", setting_value_text(*field, file.values).c_str());
	return status == B_OK ? 0 : kExitFailure;
}

int
command_set(const std::vector<std::string>& args, bool reset, bool force)
{
	if (!reset && args.empty())
		return bad_arguments("set takes one NAME=VALUE or more");
	TPrefsChangeLock lock;
	if (!locked(lock))
		return kExitFailure;
	TPrefsFile file;
	load(&file);
	TEnglishTexts english;
	if (reset && args.empty())
		file.values = TPrefsValues();
	for (const std::string& arg : args) {
		size_t equals = arg.find('=');
		if (!reset && equals == std::string::npos)
			return bad_arguments("\"" + arg + "\" is not NAME=VALUE");
		const TPrefsField* field = find_setting(reset ? arg : arg.substr(0, equals));
		if (field == NULL)
			return kExitBadArguments;
		std::string error;
		if (reset)
			reset_setting(*field, &file.values);
		else if (set_setting_value(*field, arg.substr(equals + 1), &english, &file.values,
								   &error) != B_OK)
			return bad_arguments(error);
	}
	return apply(file, force);
}

int
command_export(const std::vector<std::string>& args)
{
	if (args.size() > 1)
		return bad_arguments("export takes at most one FILE");
	TPrefsFile file;
	if (load(&file) != B_OK)
		return kExitFailure;
	std::string text = export_json(file);
	if (args.empty() || args[0] == "-") {
		fputs(text.c_str(), stdout);
		return fflush(stdout) == 0 ? 0 : kExitFailure;
	}
	status_t status = write_file_atomically(args[0].c_str(), text.data(), text.size());
	if (status != B_OK) {
		fprintf(stderr, "%s: %s could not be written: %s\n", kProgram, args[0].c_str(),
				settings_problem(status, false).english);
		return kExitFailure;
	}
	return 0;
}

int
command_import(const std::vector<std::string>& args, bool force)
{
	if (args.size() != 1)
		return bad_arguments("import takes one FILE");
	std::ifstream in(args[0], std::ios::binary);
	std::string text;
	if (in)
		text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	if (!in || in.bad())
		return bad_arguments(args[0] + " cannot be read");
	TPrefsFile file;
	std::string error;
	if (import_json(text, &file, &error) != B_OK)
		return bad_arguments(args[0] + ": " + error);
	TPrefsChangeLock lock;
	if (!locked(lock))
		return kExitFailure;
	return apply(file, force);
}

} // namespace

int
main(int argc, char** argv)
{
	std::vector<std::string> args(argv + 1, argv + argc);
	bool force = false;
	if (!args.empty() && args[0] == "--force") {
		force = true;
		args.erase(args.begin());
	}
	if (args.empty()) {
		usage(stderr);
		return kExitBadArguments;
	}
	std::string command = args[0];
	args.erase(args.begin());
	if (command == "--help" || command == "-h") {
		usage(stdout);
		return 0;
	}
	if (command == "--version") {
		printf("%s %s\n", kProgram, gAppVer);
		return 0;
	}
	if (force && command != "set" && command != "reset" && command != "import")
		return bad_arguments("--force goes only with set, reset and import");
	if (command == "list")
		return command_list(args);
	if (command == "get")
		return command_get(args);
	if (command == "set" || command == "reset")
		return command_set(args, command == "reset", force);
	if (command == "export")
		return command_export(args);
	if (command == "import")
		return command_import(args, force);
	usage(stderr);
	return bad_arguments("unknown command \"" + command + "\"");
}
