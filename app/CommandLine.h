#ifndef ZORVY_COMMAND_LINE_H
#define ZORVY_COMMAND_LINE_H

#include <SupportDefs.h>

#include <string>

// Exit statuses of the application's own decisions at start-up.
inline constexpr int EXIT_STATUS_BAD_ARGUMENTS = 2;

// The options a person can start the application with, all read here: a new option is one
// more row of the option table in CommandLine.cpp and one more field below.
class TCommandLine {
public:
	TCommandLine();

	// Reads the arguments that follow the program's name. B_BAD_VALUE for an unknown option,
	// a missing or invalid value, or an argument that is no option; Error() then says which.
	status_t Parse(int argc, const char* const* argv);
	const std::string& Error() const { return mError; }

	bool Help() const { return mHelp; }
	bool Version() const { return mVersion; }
	// Windows to open once the main window is up, at the first start or in the running
	// instance that a later start hands its arguments to.
	bool About() const { return mAbout; }
	bool CommonPrefs() const { return mCommonPrefs; }
	// The language code given with --language, or "".
	const std::string& Language() const { return mLanguage; }

	// What --help prints: every option and the exit statuses. languages lists the codes that
	// have a language file, found in languageFolder.
	static std::string HelpText(const std::string& languageFolder, const std::string& languages);
	// What --version prints.
	static std::string VersionText();

private:
	bool mHelp;
	bool mVersion;
	bool mAbout;
	bool mCommonPrefs;
	std::string mLanguage;
	std::string mError;
};

// Does what the command line asks before anything starts: prints the help or the version, or
// selects and loads the language. Returns true when the application is to start; otherwise
// *exitStatus is what the program ends with, after a message on standard error for bad
// arguments.
bool handle_command_line(int argc, char** argv, int* exitStatus);

#endif
