#ifndef ZORVY_PREFS_VALUES_H
#define ZORVY_PREFS_VALUES_H

// The input method's preference record as plain values, and the one description of its fields
// (archive key, member, default) that everything else is driven from: the defaults, the copy,
// the archive that is both the settings file and the message delivered to the input method,
// and tools that read or change single settings by key. Needs only the support and application
// kits, so a program without windows can use it.

#include <SupportDefs.h>

#include <span>
#include <string>
#include <variant>

class BMessage;

// The settings file of the record: this file of this folder of the maker's settings folder.
inline constexpr char PREFS_FOLDER_NAME[] = "Zorvy";
inline constexpr char PREFS_FILE_NAME[] = "Zorvy_Prefs.arc";

struct TPrefsValues {
	// Every field at its default, as a first run has them.
	TPrefsValues();

	// Index in the input-mode list; 0 is hiragana.
	int32 mDefaultInputMode;
	// 0 romaji input, 1 kana input.
	int32 mDefaultHiraganaMode;
	// The glyph pairs of the Input page's toolbar: false is the first of each pair.
	bool mPeriodType;
	bool mCommaType;
	bool mSlashType;
	bool mBracketType;
	// Index in the list of key-binding styles.
	int32 mKeyNavigation;
	bool mTenKeyHalfInput;
	bool mTenKeyConfirmInput;
	bool mFixedConfirmInput;
	// Widths of the blank typed by Space and by Shift+Space: index in the list of blank widths.
	int32 mSpaceMode;
	int32 mShiftSpaceMode;
	bool mPunctuationConvert;
	bool mPeriodConvert;
	bool mCommaConvert;
	bool mQuestionConvert;
	bool mExclamationConvert;
	// The input method's own settings; this application has no control for them but keeps and
	// delivers them unchanged.
	bool mCpmC;
	int32 mNCpC;
	bool mCpUD;
	int32 mNSCW;
	float mCWFS;
	std::string mCWFF;
};

// A value a page offers for a choice field, and its text as the page shows it: the
// catalogue's key, which is the Japanese text.
struct TPrefsChoice {
	int32 value;
	const char* text;
};

// One field of the record. The member's type is the field's type in the archive: int32, bool,
// float or string; the default holds the same type (a string default as its text).
struct TPrefsField {
	using Member = std::variant<int32 TPrefsValues::*, bool TPrefsValues::*, float TPrefsValues::*,
								std::string TPrefsValues::*>;
	using Value = std::variant<int32, bool, float, const char*>;

	const char* key;
	Member member;
	Value defaultValue;
	// The readable name a person or a script uses for the setting, "input.startup-mode".
	const char* name;
	// What a page offers for the field, in the page's order; empty for a field edited as a flag
	// or not edited at all.
	std::span<const TPrefsChoice> choices;
};

// The record's field numbered `index` in PREFS_FIELDS.
const TPrefsField& prefs_field(int32 index);

inline constexpr int32 PREFS_FIELD_COUNT = 23;
// The fields in archive order, which is also the order the input method reads them in.
extern const TPrefsField PREFS_FIELDS[PREFS_FIELD_COUNT];

// The field stored under key, or NULL.
const TPrefsField* find_prefs_field(const char* key);
// The field of that readable name or stored key, or NULL.
const TPrefsField* find_prefs_setting(const char* nameOrKey);
// The choice of a choice field that stores value, or NULL when the pages do not offer it.
const TPrefsChoice* find_prefs_choice(const TPrefsField& field, int32 value);
// B_INT32_TYPE, B_BOOL_TYPE, B_FLOAT_TYPE or B_STRING_TYPE.
type_code prefs_field_type(const TPrefsField& field);

// Adds every field in archive order; the bitwise OR of the statuses of all the additions.
status_t archive_prefs_values(const TPrefsValues& values, BMessage* archive);
// The record as the settings file and the input method have it: the class names the archive of
// the application's record starts with, then every field (archive_prefs_values).
status_t archive_prefs_record(const TPrefsValues& values, BMessage* archive);

// Takes every field the archive holds with its type; one that is missing or of another type
// keeps its value and makes the status non-zero, and the fields after it are still read.
status_t unarchive_prefs_values(const BMessage& archive, TPrefsValues* values);

#endif
