#include <app/PrefsValues.h>

#include <Message.h>
#include <TypeConstants.h>

#include <cstring>
#include <type_traits>

namespace {

template <class T, class D>
constexpr TPrefsField
field(const char* key, T TPrefsValues::*member, D value)
{
	if constexpr (std::is_same_v<T, std::string>)
		return {key, member, TPrefsField::Value(std::in_place_type<const char*>, value)};
	else
		return {key, member, TPrefsField::Value(std::in_place_type<T>, T(value))};
}

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
	field("DIMd", &TPrefsValues::mDefaultInputMode, 0),
	field("DHgM", &TPrefsValues::mDefaultHiraganaMode, 0),
	field("PerT", &TPrefsValues::mPeriodType, false),
	field("ComT", &TPrefsValues::mCommaType, false),
	field("SlsT", &TPrefsValues::mSlashType, false),
	field("BrkT", &TPrefsValues::mBracketType, false),
	field("KyNv", &TPrefsValues::mKeyNavigation, 0),
	field("TKHI", &TPrefsValues::mTenKeyHalfInput, true),
	field("TKCI", &TPrefsValues::mTenKeyConfirmInput, true),
	field("FxCI", &TPrefsValues::mFixedConfirmInput, false),
	field("SpMd", &TPrefsValues::mSpaceMode, 0),
	// Shift+Space types the opposite of Space unless the user says otherwise.
	field("SSMd", &TPrefsValues::mShiftSpaceMode, 3),
	field("PctC", &TPrefsValues::mPunctuationConvert, true),
	field("PerC", &TPrefsValues::mPeriodConvert, true),
	field("ComC", &TPrefsValues::mCommaConvert, false),
	field("QstC", &TPrefsValues::mQuestionConvert, true),
	field("ExcC", &TPrefsValues::mExclamationConvert, true),
	field("CpmC", &TPrefsValues::mCpmC, true),
	field("NCpC", &TPrefsValues::mNCpC, 2),
	field("CpUD", &TPrefsValues::mCpUD, true),
	field("NSCW", &TPrefsValues::mNSCW, 2),
	field("CWFS", &TPrefsValues::mCWFS, 12.0f),
	field("CWFF", &TPrefsValues::mCWFF, "Haru"),
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
