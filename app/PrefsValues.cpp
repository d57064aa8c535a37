#include <app/PrefsValues.h>

#include <locale/LocaleKeys.h>

#include <Message.h>
#include <TypeConstants.h>

#include <cstring>
#include <type_traits>

namespace {

template <class T, class D>
constexpr TPrefsField
field(const char* key, T TPrefsValues::*member, D value, const char* name,
	  std::span<const TPrefsChoice> choices = {})
{
	if constexpr (std::is_same_v<T, std::string>)
		return {key, member, TPrefsField::Value(std::in_place_type<const char*>, value), name,
				choices};
	else
		return {key, member, TPrefsField::Value(std::in_place_type<T>, T(value)), name, choices};
}

// What the pages offer. The start-up mode menu leaves out its separators and code input, and
// Space offers every width but the opposite of Space, which only Shift+Space can type.
constexpr TPrefsChoice kInputModes[] = {
	{0, LKK_POP_MITEM_INPUT_MODE[0]}, {2, LKK_POP_MITEM_INPUT_MODE[2]},
	{3, LKK_POP_MITEM_INPUT_MODE[3]}, {4, LKK_POP_MITEM_INPUT_MODE[4]},
	{6, LKK_POP_MITEM_INPUT_MODE[6]}, {7, LKK_POP_MITEM_INPUT_MODE[7]},
};
constexpr TPrefsChoice kKanaMethods[] = {
	{0, LKK_RBUTTON_HIRAGANA_MODE_ROMAN},
	{1, LKK_RBUTTON_HIRAGANA_MODE_KANA},
};
constexpr TPrefsChoice kKeyNavigations[] = {
	{0, LKK_POP_MITEM_KEY_NAVIGATION[0]}, {1, LKK_POP_MITEM_KEY_NAVIGATION[1]},
	{2, LKK_POP_MITEM_KEY_NAVIGATION[2]}, {3, LKK_POP_MITEM_KEY_NAVIGATION[3]},
	{4, LKK_POP_MITEM_KEY_NAVIGATION[4]},
};
constexpr TPrefsChoice kBlankWidths[] = {
	{0, LKK_POP_MITEM_SPACE_MODE[0]},
	{1, LKK_POP_MITEM_SPACE_MODE[1]},
	{2, LKK_POP_MITEM_SPACE_MODE[2]},
	{3, LKK_POP_MITEM_SPACE_MODE[3]},
};

const char kClassName[] = "TPrefs";
const char kBaseClassName[] = "TArchivable";

// The default as the member's own type.
template <class T>
T
default_of(const TPrefsField& field)
{
	if constexpr (std::is_same_v<T, std::string>)
		return std::get<const char*>(field.defaultValue);
	else
		return std::get<T>(field.defaultValue);
}

status_t
add(BMessage* archive, const char* key, int32 value)
{
	return archive->AddInt32(key, value);
}

status_t
add(BMessage* archive, const char* key, bool value)
{
	return archive->AddBool(key, value);
}

status_t
add(BMessage* archive, const char* key, float value)
{
	return archive->AddFloat(key, value);
}

status_t
add(BMessage* archive, const char* key, const std::string& value)
{
	return archive->AddString(key, value.c_str());
}

// Each reader writes the value only when the archive holds it with the field's type.
status_t
take(const BMessage& archive, const char* key, int32* value)
{
	int32 found = 0;
	status_t status = archive.FindInt32(key, &found);
	if (status == B_OK)
		*value = found;
	return status;
}

status_t
take(const BMessage& archive, const char* key, bool* value)
{
	bool found = false;
	status_t status = archive.FindBool(key, &found);
	if (status == B_OK)
		*value = found;
	return status;
}

status_t
take(const BMessage& archive, const char* key, float* value)
{
	float found = 0;
	status_t status = archive.FindFloat(key, &found);
	if (status == B_OK)
		*value = found;
	return status;
}

status_t
take(const BMessage& archive, const char* key, std::string* value)
{
	const char* found = NULL;
	status_t status = archive.FindString(key, &found);
	if (status == B_OK && found != NULL)
		*value = found;
	return status == B_OK && found == NULL ? B_ERROR : status;
}

} // namespace

// Constant data, ready before any record is built at start-up.
constinit const TPrefsField PREFS_FIELDS[PREFS_FIELD_COUNT] = {
	field("DIMd", &TPrefsValues::mDefaultInputMode, 0, "input.startup-mode", kInputModes),
	field("DHgM", &TPrefsValues::mDefaultHiraganaMode, 0, "input.kana-method", kKanaMethods),
	field("PerT", &TPrefsValues::mPeriodType, false, "input.full-stop-alternative"),
	field("ComT", &TPrefsValues::mCommaType, false, "input.comma-alternative"),
	field("SlsT", &TPrefsValues::mSlashType, false, "input.slash-alternative"),
	field("BrkT", &TPrefsValues::mBracketType, false, "input.brackets-alternative"),
	field("KyNv", &TPrefsValues::mKeyNavigation, 0, "input.key-bindings", kKeyNavigations),
	field("TKHI", &TPrefsValues::mTenKeyHalfInput, true, "assist.keypad-half-width"),
	field("TKCI", &TPrefsValues::mTenKeyConfirmInput, true, "assist.keypad-confirmed"),
	field("FxCI", &TPrefsValues::mFixedConfirmInput, false, "assist.fixed-mode-confirmed"),
	field("SpMd", &TPrefsValues::mSpaceMode, 0, "assist.space-width", std::span(kBlankWidths, 3)),
	// Shift+Space types the opposite of Space unless the user says otherwise.
	field("SSMd", &TPrefsValues::mShiftSpaceMode, 3, "assist.shift-space-width", kBlankWidths),
	field("PctC", &TPrefsValues::mPunctuationConvert, true, "punctuation.convert"),
	field("PerC", &TPrefsValues::mPeriodConvert, true, "punctuation.full-stop"),
	field("ComC", &TPrefsValues::mCommaConvert, false, "punctuation.comma"),
	field("QstC", &TPrefsValues::mQuestionConvert, true, "punctuation.question-mark"),
	field("ExcC", &TPrefsValues::mExclamationConvert, true, "punctuation.exclamation-mark"),
	field("CpmC", &TPrefsValues::mCpmC, true, "engine.CpmC"),
	field("NCpC", &TPrefsValues::mNCpC, 2, "engine.NCpC"),
	field("CpUD", &TPrefsValues::mCpUD, true, "engine.CpUD"),
	field("NSCW", &TPrefsValues::mNSCW, 2, "engine.NSCW"),
	field("CWFS", &TPrefsValues::mCWFS, 12.0f, "engine.font-size"),
	field("CWFF", &TPrefsValues::mCWFF, "Haru", "engine.font-family"),
};

TPrefsValues::TPrefsValues()
{
	for (const TPrefsField& field : PREFS_FIELDS) {
		std::visit(
			[&](auto member) {
				using T = std::remove_reference_t<decltype(this->*member)>;
				this->*member = default_of<T>(field);
			},
			field.member);
	}
}

const TPrefsField&
prefs_field(int32 index)
{
	return PREFS_FIELDS[index];
}

const TPrefsField*
find_prefs_field(const char* key)
{
	if (key == NULL)
		return NULL;
	for (const TPrefsField& field : PREFS_FIELDS) {
		if (strcmp(field.key, key) == 0)
			return &field;
	}
	return NULL;
}

const TPrefsField*
find_prefs_setting(const char* nameOrKey)
{
	if (nameOrKey == NULL)
		return NULL;
	for (const TPrefsField& field : PREFS_FIELDS) {
		if (strcmp(field.name, nameOrKey) == 0)
			return &field;
	}
	return find_prefs_field(nameOrKey);
}

const TPrefsChoice*
find_prefs_choice(const TPrefsField& field, int32 value)
{
	for (const TPrefsChoice& choice : field.choices) {
		if (choice.value == value)
			return &choice;
	}
	return NULL;
}

type_code
prefs_field_type(const TPrefsField& field)
{
	static constexpr type_code kTypes[] = {B_INT32_TYPE, B_BOOL_TYPE, B_FLOAT_TYPE, B_STRING_TYPE};
	return kTypes[field.member.index()];
}

status_t
archive_prefs_values(const TPrefsValues& values, BMessage* archive)
{
	if (archive == NULL)
		return B_BAD_VALUE;
	status_t status = B_OK;
	for (const TPrefsField& field : PREFS_FIELDS) {
		status |= std::visit([&](auto member) { return add(archive, field.key, values.*member); },
							 field.member);
	}
	return status;
}

status_t
archive_prefs_record(const TPrefsValues& values, BMessage* archive)
{
	if (archive == NULL)
		return B_BAD_VALUE;
	status_t status = archive->AddString("class", kClassName);
	status |= archive->AddString("class", kBaseClassName);
	return status | archive_prefs_values(values, archive);
}

status_t
unarchive_prefs_values(const BMessage& archive, TPrefsValues* values)
{
	if (values == NULL)
		return B_BAD_VALUE;
	status_t status = B_OK;
	for (const TPrefsField& field : PREFS_FIELDS) {
		status |=
			std::visit([&](auto member) { return take(archive, field.key, &(values->*member)); },
					   field.member);
	}
	return status;
}
