#ifndef MOZELT_SETTINGS_PROBLEMS_H
#define MOZELT_SETTINGS_PROBLEMS_H

// How the maker's applications word a settings file that could not be read or written: the
// reason for the person (a catalogue key, Japanese by default) and for standard error
// (English). None of this draws, so the command-line tools use it too.

#include <framework/settings/SettingsEntry.h>

#include <string>
#include <vector>

struct settings_problem_text {
	// Looked up in the catalogue before it is shown.
	const char* key;
	const char* english;
};

// Why a file could not be read (`reading`) or written, from the status the storage kit gave.
settings_problem_text settings_problem(status_t status, bool reading);

// "<program>: the settings file <file> could not be read (<reason>); it was moved to <copy>
// and the defaults are used", one line per file, on standard error.
void print_settings_files_set_aside(const char* program,
									const std::vector<settings_file_set_aside>& files);

// "<program>: <what> could not be saved to <file>: <reason>" on standard error.
void print_settings_save_failure(const char* program, const char* what, const std::string& file,
								 status_t status);

#endif
