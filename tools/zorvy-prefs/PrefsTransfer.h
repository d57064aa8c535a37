#ifndef ZORVY_PREFS_TRANSFER_H
#define ZORVY_PREFS_TRANSFER_H

// The settings as a person reads them (list, get) and as they move between machines (export,
// import).

#include "PrefsStore.h"
#include "SettingValues.h"

#include <string>

// Every setting, one a line: name, stored key, value and, for a choice, its texts.
std::string list_text(const TPrefsFile& file, TEnglishTexts* english);
// The same as a JSON array, a choice with every text the page offers.
std::string list_json(const TPrefsFile& file, TEnglishTexts* english);

// The whole record as JSON: every setting by name, as stored, and a newer version's fields.
std::string export_json(const TPrefsFile& file);
// Reads what export wrote into *file (settings it lacks take their defaults). B_OK, or
// B_BAD_VALUE with *error saying what is wrong.
status_t import_json(const std::string& text, TPrefsFile* file, std::string* error);

#endif
