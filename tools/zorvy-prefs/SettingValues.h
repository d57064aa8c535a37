#ifndef ZORVY_SETTING_VALUES_H
#define ZORVY_SETTING_VALUES_H

// One setting of the record as a person names, reads and writes it on the command line.

#include "PrefsJson.h"

#include <app/PrefsValues.h>
#include <locale/Locale.h>

#include <string>

// The longest text a text setting takes.
inline constexpr size_t kMaxTextSetting = 1024;

// The English texts of the pages' choices, from the English language file of the maker's data
// folder; without that file there are none.
class TEnglishTexts {
public:
	TEnglishTexts();

	// The English text for a catalogue key, or "".
	std::string Text(const char* key);

private:
	TLocale mLocale;
	bool mLoaded;
};

// "choice", "flag", "integer", "number" or "text".
const char* setting_kind(const TPrefsField& field);

// The stored value as `set` takes it back: an index, true or false, a number or the text.
std::string setting_value_text(const TPrefsField& field, const TPrefsValues& values);
// The stored value as JSON: a number, true or false, or a string (also for a number that is
// no finite number: "NaN", "Infinity", "-Infinity").
std::string setting_value_json(const TPrefsField& field, const TPrefsValues& values);
// The stored index of a choice field.
int32 setting_choice(const TPrefsField& field, const TPrefsValues& values);

// What `set` accepts for the field, for telling a person who gave something else.
std::string allowed_values(const TPrefsField& field, TEnglishTexts* english);

// Takes the VALUE given to `set`: for a choice an offered index or its text in either
// language, for a flag true or false, for a number a finite one, for a text UTF-8 of at most
// kMaxTextSetting bytes. B_BAD_VALUE, with *error naming what is allowed, for anything else.
status_t set_setting_value(const TPrefsField& field, const std::string& text,
						   TEnglishTexts* english, TPrefsValues* values, std::string* error);

// Takes a value of an exported file: anything of the field's type that the record can store,
// offered by the pages or not, as export wrote it.
status_t import_setting_value(const TPrefsField& field, const TJsonValue& value,
							  TPrefsValues* values, std::string* error);

// Puts the field back to its default.
void reset_setting(const TPrefsField& field, TPrefsValues* values);

#endif
