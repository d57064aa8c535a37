#include "SettingValues.h"

#include <locale/DataFolder.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace {

// A whole decimal int32, nothing before or after it.
bool
parse_int32(const std::string& text, int32* value)
{
	if (text.empty() || (text[0] != '-' && (text[0] < '0' || text[0] > '9')))
		return false;
	errno = 0;
	char* end = NULL;
	long long parsed = strtoll(text.c_str(), &end, 10);
	if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
		return false;
	*value = int32(parsed);
	return true;
}

// A whole finite number.
bool
parse_float(const std::string& text, float* value)
{
	if (text.empty() || (text[0] != '-' && text[0] != '.' && (text[0] < '0' || text[0] > '9')))
		return false;
	errno = 0;
	char* end = NULL;
	float parsed = strtof(text.c_str(), &end);
	if (errno != 0 || *end != '\0' || !std::isfinite(parsed))
		return false;
	*value = parsed;
	return true;
}

std::string
float_text(float value)
{
	if (std::isnan(value))
		return "NaN";
	if (std::isinf(value))
		return value > 0 ? "Infinity" : "-Infinity";
	// Nine digits give back the same float.
	char text[32];
	snprintf(text, sizeof(text), "%.9g", value);
	return text;
}

template <class T>
T&
member_of(const TPrefsField& field, TPrefsValues* values)
{
	return values->*std::get<T TPrefsValues::*>(field.member);
}

template <class T>
const T&
member_of(const TPrefsField& field, const TPrefsValues& values)
{
	return values.*std::get<T TPrefsValues::*>(field.member);
}

} // namespace

TEnglishTexts::TEnglishTexts() : mLoaded(false)
{
	std::string folder;
	if (find_data_folder(&folder) != B_OK || mLocale.SetLanguage("enUS", false) != B_OK)
		return;
	mLoaded = mLocale.LoadLanguageFile(folder, LANGUAGE_FILE_BASE_NAME, false) == B_OK;
}

std::string
TEnglishTexts::Text(const char* key)
{
	if (!mLoaded || key == NULL)
		return std::string();
	std::string text = mLocale.GetString(key);
	return text == key ? std::string() : text;
}

const char*
setting_kind(const TPrefsField& field)
{
	if (!field.choices.empty())
		return "choice";
	static const char* const kKinds[] = {"integer", "flag", "number", "text"};
	return kKinds[field.member.index()];
}

std::string
setting_value_text(const TPrefsField& field, const TPrefsValues& values)
{
	return std::visit(
		[&](auto member) -> std::string {
			const auto& value = values.*member;
			using T = std::decay_t<decltype(value)>;
			if constexpr (std::is_same_v<T, bool>)
				return value ? "true" : "false";
			else if constexpr (std::is_same_v<T, int32>)
				return std::to_string(value);
			else if constexpr (std::is_same_v<T, float>)
				return float_text(value);
			else
				return value;
		},
		field.member);
}

std::string
setting_value_json(const TPrefsField& field, const TPrefsValues& values)
{
	if (std::holds_alternative<std::string TPrefsValues::*>(field.member))
		return json_string(member_of<std::string>(field, values));
	if (std::holds_alternative<float TPrefsValues::*>(field.member) &&
		!std::isfinite(member_of<float>(field, values)))
		return json_string(float_text(member_of<float>(field, values)));
	return setting_value_text(field, values);
}

int32
setting_choice(const TPrefsField& field, const TPrefsValues& values)
{
	return member_of<int32>(field, values);
}

std::string
allowed_values(const TPrefsField& field, TEnglishTexts* english)
{
	if (!field.choices.empty()) {
		std::string text = "one of";
		for (const TPrefsChoice& choice : field.choices) {
			std::string en = english->Text(choice.text);
			text += " " + std::to_string(choice.value) + " (\"" + choice.text + "\"" +
					(en.empty() ? "" : ", \"" + en + "\"") + "),";
		}
		text.pop_back();
		return text + ": the index or either text";
	}
	switch (field.member.index()) {
	case 0:
		return "a whole number from " + std::to_string(INT32_MIN) + " to " +
			   std::to_string(INT32_MAX);
	case 1:
		return "true or false";
	case 2:
		return "a finite number";
	default:
		return "a UTF-8 text of at most " + std::to_string(kMaxTextSetting) + " bytes";
	}
}

status_t
set_setting_value(const TPrefsField& field, const std::string& text, TEnglishTexts* english,
				  TPrefsValues* values, std::string* error)
{
	bool taken = false;
	if (!field.choices.empty()) {
		int32 index = 0;
		for (const TPrefsChoice& choice : field.choices) {
			if ((parse_int32(text, &index) && index == choice.value) || text == choice.text ||
				(!text.empty() && text == english->Text(choice.text))) {
				member_of<int32>(field, values) = choice.value;
				taken = true;
				break;
			}
		}
	} else if (std::holds_alternative<int32 TPrefsValues::*>(field.member)) {
		taken = parse_int32(text, &member_of<int32>(field, values));
	} else if (std::holds_alternative<bool TPrefsValues::*>(field.member)) {
		taken = text == "true" || text == "false";
		if (taken)
			member_of<bool>(field, values) = text == "true";
	} else if (std::holds_alternative<float TPrefsValues::*>(field.member)) {
		taken = parse_float(text, &member_of<float>(field, values));
	} else {
		taken = text.size() <= kMaxTextSetting && is_valid_utf8(text);
		if (taken)
			member_of<std::string>(field, values) = text;
	}
	if (!taken) {
		*error = std::string(field.name) + ": \"" + text + "\" is not allowed; " +
				 allowed_values(field, english);
		return B_BAD_VALUE;
	}
	return B_OK;
}

status_t
import_setting_value(const TPrefsField& field, const TJsonValue& value, TPrefsValues* values,
					 std::string* error)
{
	bool taken = false;
	if (std::holds_alternative<int32 TPrefsValues::*>(field.member)) {
		taken = value.kind == TJsonValue::NUMBER &&
				parse_int32(value.text, &member_of<int32>(field, values));
	} else if (std::holds_alternative<bool TPrefsValues::*>(field.member)) {
		taken = value.kind == TJsonValue::BOOLEAN;
		if (taken)
			member_of<bool>(field, values) = value.boolean;
	} else if (std::holds_alternative<float TPrefsValues::*>(field.member)) {
		float& number = member_of<float>(field, values);
		if (value.kind == TJsonValue::NUMBER) {
			taken = parse_float(value.text, &number);
		} else if (value.kind == TJsonValue::STRING) {
			taken = value.text == "NaN" || value.text == "Infinity" || value.text == "-Infinity";
			if (taken)
				number = value.text == "NaN" ? NAN : value.text[0] == '-' ? -INFINITY : INFINITY;
		}
	} else {
		taken = value.kind == TJsonValue::STRING && value.text.size() <= kMaxTextSetting;
		if (taken)
			member_of<std::string>(field, values) = value.text;
	}
	if (!taken) {
		*error = std::string(field.name) + ": not " +
				 (field.choices.empty() ? allowed_values(field, NULL) : "a whole number");
		return B_BAD_VALUE;
	}
	return B_OK;
}

void
reset_setting(const TPrefsField& field, TPrefsValues* values)
{
	const TPrefsValues defaults;
	std::visit([&](auto member) { values->*member = defaults.*member; }, field.member);
}
