#include "PrefsTransfer.h"

#include <DataIO.h>
#include <beapi/MessageFormats.h>

#include <cstring>
#include <set>

namespace {

const char kFormatName[] = "zorvy-prefs";
const int kFormatVersion = 1;

std::string
padded(const std::string& text, size_t width)
{
	return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string
choice_json(int32 value, const char* text, TEnglishTexts* english)
{
	return "{\"index\": " + std::to_string(value) + ", \"text\": " + json_string(text) +
		   ", \"text-en\": " + json_string(english->Text(text)) + "}";
}

} // namespace

std::string
list_text(const TPrefsFile& file, TEnglishTexts* english)
{
	std::string out;
	for (const TPrefsField& field : PREFS_FIELDS) {
		std::string line = padded(field.name, 30) + field.key + "  ";
		line += setting_value_text(field, file.values);
		if (!field.choices.empty()) {
			const TPrefsChoice* choice =
				find_prefs_choice(field, setting_choice(field, file.values));
			if (choice == NULL) {
				line += "  (stored, not offered by the page)";
			} else {
				std::string en = english->Text(choice->text);
				line += std::string("  ") + choice->text + (en.empty() ? "" : " / " + en);
			}
		}
		out += line + "\n";
	}
	int32 newer = file.newer.CountNames(B_ANY_TYPE);
	if (newer > 0)
		out += "(and " + std::to_string(newer) + " fields of a newer version, kept as they are)\n";
	return out;
}

std::string
list_json(const TPrefsFile& file, TEnglishTexts* english)
{
	std::string out = "[\n";
	for (int32 i = 0; i < PREFS_FIELD_COUNT; i++) {
		const TPrefsField& field = prefs_field(i);
		out += std::string("  {\"name\": ") + json_string(field.name) +
			   ", \"key\": " + json_string(field.key) + ", \"kind\": \"" + setting_kind(field) +
			   "\", \"value\": " + setting_value_json(field, file.values);
		if (!field.choices.empty()) {
			int32 value = setting_choice(field, file.values);
			const TPrefsChoice* choice = find_prefs_choice(field, value);
			out += std::string(", \"offered\": ") + (choice != NULL ? "true" : "false");
			if (choice != NULL)
				out += ", \"text\": " + json_string(choice->text) +
					   ", \"text-en\": " + json_string(english->Text(choice->text));
			out += ", \"choices\": [";
			for (const TPrefsChoice& offered : field.choices)
				out += choice_json(offered.value, offered.text, english) + ", ";
			out.resize(out.size() - 2);
			out += "]";
		}
		out += i + 1 < PREFS_FIELD_COUNT ? "},\n" : "}\n";
	}
	return out + "]\n";
}

std::string
export_json(const TPrefsFile& file)
{
	std::string out = std::string("{\n  \"format\": \"") + kFormatName +
					  "\",\n  \"version\": " + std::to_string(kFormatVersion) +
					  ",\n  \"settings\": {\n";
	for (int32 i = 0; i < PREFS_FIELD_COUNT; i++) {
		const TPrefsField& field = prefs_field(i);
		out += "    " + json_string(field.name) + ": " + setting_value_json(field, file.values) +
			   (i + 1 < PREFS_FIELD_COUNT ? ",\n" : "\n");
	}
	out += "  }";
	// Stored values the pages do not offer are named, for the reader; import takes them as they
	// are.
	std::string notOffered;
	for (const TPrefsField& field : PREFS_FIELDS) {
		if (!field.choices.empty() &&
			find_prefs_choice(field, setting_choice(field, file.values)) == NULL)
			notOffered += (notOffered.empty() ? "" : ", ") + json_string(field.name);
	}
	if (!notOffered.empty())
		out += ",\n  \"not-offered\": [" + notOffered + "]";
	if (file.newer.CountNames(B_ANY_TYPE) > 0) {
		BMallocIO bytes;
		file.newer.Flatten(&bytes);
		out += ",\n  \"newer-fields\": \"" +
			   base64_encode(std::string_view(static_cast<const char*>(bytes.Buffer()),
											  bytes.BufferLength())) +
			   "\"";
	}
	return out + "\n}\n";
}

status_t
import_json(const std::string& text, TPrefsFile* file, std::string* error)
{
	TJsonValue root;
	if (parse_json(text, &root, error) != B_OK)
		return B_BAD_VALUE;
	if (root.kind != TJsonValue::OBJECT) {
		*error = "not a JSON object";
		return B_BAD_VALUE;
	}
	TPrefsFile imported;
	bool sawFormat = false, sawSettings = false;
	for (size_t m = 0; m < root.items.size(); m++) {
		const std::string& name = root.names[m];
		const TJsonValue& value = root.items[m];
		if (name == "format" || name == "version") {
			bool right = name == "format"
							 ? value.kind == TJsonValue::STRING && value.text == kFormatName
							 : value.kind == TJsonValue::NUMBER &&
								   value.text == std::to_string(kFormatVersion);
			if (!right) {
				*error = "not a file that zorvy-prefs export wrote (\"" + name + "\")";
				return B_BAD_VALUE;
			}
			sawFormat |= name == "format";
		} else if (name == "settings" && value.kind == TJsonValue::OBJECT && !sawSettings) {
			sawSettings = true;
			std::set<const TPrefsField*> seen;
			for (size_t s = 0; s < value.items.size(); s++) {
				const std::string& settingName = value.names[s];
				const TJsonValue& settingValue = value.items[s];
				const TPrefsField* field = find_prefs_setting(settingName.c_str());
				if (field == NULL || !seen.insert(field).second) {
					*error = (field == NULL ? "no setting is called \"" : "twice: \"") +
							 settingName + "\"";
					return B_BAD_VALUE;
				}
				if (import_setting_value(*field, settingValue, &imported.values, error) != B_OK)
					return B_BAD_VALUE;
			}
		} else if (name == "not-offered" && value.kind == TJsonValue::ARRAY) {
			// Only told to the reader: the settings hold the values.
		} else if (name == "newer-fields" && value.kind == TJsonValue::STRING) {
			std::string bytes;
			BMessage newer;
			if (!base64_decode(value.text, &bytes) ||
				unflatten_message(&newer, bytes.data(), bytes.size()) != B_OK) {
				*error = "\"newer-fields\" is not a flattened message in base64";
				return B_BAD_VALUE;
			}
			// A newer version's field never takes the place of one of ours.
			char* field = NULL;
			type_code type;
			for (int32 i = 0; newer.GetInfo(B_ANY_TYPE, i, &field, &type) == B_OK; i++) {
				if (find_prefs_field(field) != NULL || strcmp(field, "class") == 0) {
					*error = std::string("\"newer-fields\" holds the field \"") + field +
							 "\" of this version";
					return B_BAD_VALUE;
				}
			}
			imported.newer = newer;
		} else {
			*error = "unexpected member \"" + name + "\"";
			return B_BAD_VALUE;
		}
	}
	if (!sawFormat || !sawSettings) {
		*error = "no \"format\" or no \"settings\": not a file that zorvy-prefs export wrote";
		return B_BAD_VALUE;
	}
	*file = imported;
	return B_OK;
}
