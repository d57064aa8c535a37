// The language files shipped with the application: complete, and every shortcut letter still
// found in the translated labels.
#include <app/AppIdentity.h>
#include <app/InputModeMenu.h>
#include <locale/DataFolder.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>
#include <util/AccLabel.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char kDataFolder[] = BEAPI_SOURCE_DIR "/data";

bool
is_ascii(const std::string& text)
{
	for (char c : text) {
		if (static_cast<unsigned char>(c) >= 0x80)
			return false;
	}
	return true;
}

// Every text of the catalogue's keys, read from their header as the compiler joins them: the
// strings of one initializer that follow each other without a comma are one text. Reading the
// header itself means a key added later is checked too.
std::vector<std::string>
header_texts()
{
	std::ifstream file(BEAPI_SOURCE_DIR "/locale/LocaleKeys.h");
	std::string source((std::istreambuf_iterator<char>(file)), {});
	std::vector<std::string> texts;
	std::string current;
	bool joining = false;
	for (size_t i = 0; i < source.size(); i++) {
		char c = source[i];
		if (c == '/' && i + 1 < source.size() && source[i + 1] == '/') {
			i = source.find('\n', i);
			if (i == std::string::npos)
				break;
		} else if (c == '"') {
			size_t end = source.find('"', i + 1);
			current += source.substr(i + 1, end - i - 1);
			joining = true;
			i = end;
		} else if (joining && c != ' ' && c != '\t' && c != '\n') {
			texts.push_back(current);
			current.clear();
			joining = false;
		}
	}
	return texts;
}

// Every text of the application that a person sees, as it is looked up.
std::vector<std::string>
application_keys()
{
	std::vector<std::string> keys = header_texts();
	keys.push_back(gAppNameJaJp);
	return keys;
}

// The library's own texts, English in the code.
const std::vector<std::string> kLibraryKeys = {
	LKK_ABOUT_WIN_TITLE,    LKK_IAP_WIN_TITLE,       LKK_IAP_ACC_KEY_NONE,
	LKK_IAP_BUTTON_CANCEL,  LKK_IAP_BUTTON_DEFAULTS, gAppAuthorEnUs,
	"Accelerator Format: ", "Flat Tool Bar",         "Locale: ",
};

// The keys each line of a language file gives, read by the catalogue's own word reader.
std::vector<std::string>
file_keys(const std::string& code)
{
	TLocale reader;
	std::ifstream file(std::string(kDataFolder) + "/Language/Dictionaries/MOZELT." + code);
	std::vector<std::string> keys;
	std::string line;
	while (std::getline(file, line)) {
		size_t start = line.find_first_not_of(" \t");
		if (start == std::string::npos || line[start] == '#')
			continue;
		size_t next;
		keys.push_back(reader.ExtractWord(line, start, &next));
	}
	return keys;
}

class LanguageFilesTest : public testing::Test {
protected:
	void Load(const char* code)
	{
		ASSERT_EQ(fLocale.SetLanguage(code, false), B_OK);
		ASSERT_EQ(fLocale.LoadLanguageFile(kDataFolder, LANGUAGE_FILE_BASE_NAME, false), B_OK);
	}

	std::string Text(const std::string& key) { return fLocale.GetString(key); }

	TLocale fLocale;
};

} // namespace

TEST_F(LanguageFilesTest, EnglishCoversEveryJapaneseText)
{
	Load("enUS");
	std::vector<std::string> keys = application_keys();
	// The header was read whole: texts of every kind are among the keys.
	for (const char* known : {LKK_BUTTON_CANCEL, LKK_POP_MITEM_INPUT_MODE[9], LKK_COLON_SPACE,
							  LKK_ALERT_SAVE_FAILED_TEXT, LKK_IAP_WIN_TITLE})
		EXPECT_NE(std::find(keys.begin(), keys.end(), known), keys.end()) << known;
	for (const std::string& key : keys) {
		SCOPED_TRACE(key);
		std::string text = Text(key);
		if (is_ascii(key)) {
			// "OK", "-", "Zorvy", "ATOK", "MS-IME" and the library's own English texts stay
			// as they are.
			EXPECT_EQ(text, key);
		} else {
			EXPECT_TRUE(is_ascii(text.substr(0, 1)));
			EXPECT_NE(text, key);
		}
	}
	EXPECT_EQ(Text("$LangNameInNative$"), "English");
	EXPECT_EQ(Text("$TranslatorName$"), "MOZELT");
	EXPECT_EQ(Text(gAppNameJaJp), gAppNameEnUs);
}

TEST_F(LanguageFilesTest, JapaneseCoversTheLibrarysEnglishTexts)
{
	Load("jaJP");
	for (const std::string& key : kLibraryKeys) {
		SCOPED_TRACE(key);
		EXPECT_NE(Text(key), key);
		EXPECT_FALSE(is_ascii(Text(key)));
	}
	EXPECT_EQ(Text(gAppAuthorEnUs), gAppAuthorJaJp);
	EXPECT_EQ(Text("$LangNameInNative$"), "日本語");
	// The title keeps the place of the application's name.
	EXPECT_NE(Text(LKK_ABOUT_WIN_TITLE).find("%AppName%"), std::string::npos);
}

TEST_F(LanguageFilesTest, EveryLineIsAKnownText)
{
	std::vector<std::string> known = application_keys();
	known.insert(known.end(), kLibraryKeys.begin(), kLibraryKeys.end());
	known.insert(known.end(), {"$LangNameInNative$", "$TranslatorName$", "Select..."});
	for (const char* code : {"enUS", "jaJP"}) {
		for (const std::string& key : file_keys(code)) {
			SCOPED_TRACE(std::string(code) + ": " + key);
			EXPECT_NE(std::find(known.begin(), known.end(), key), known.end());
		}
	}
}

TEST_F(LanguageFilesTest, ShortcutLettersAreFoundInTheEnglishLabels)
{
	Load("enUS");
	struct Labelled {
		std::string key;
		std::string letter;
	};
	std::vector<Labelled> labels = {
		{LKK_STR_VIEW_CAPTION, "Y"},           {LKK_RBUTTON_HIRAGANA_MODE_ROMAN, "R"},
		{LKK_RBUTTON_HIRAGANA_MODE_KANA, "K"}, {LKK_MFIELD_INPUT_MODE, "N"},
		{LKK_MFIELD_KEY_NAVIGATION, "E"},      {LKK_CBOX_PUNCTUATION_CONVERT, "E"},
		{LKK_CBOX_PERIOD_CONVERT, "K"},        {LKK_CBOX_COMMA_CONVERT, "T"},
		{LKK_CBOX_QUESTION_CONVERT, "Q"},      {LKK_CBOX_EXCLAMATION_CONVERT, "X"},
	};
	for (int row = 0; row < 10; row++) {
		if (std::string(ACC_LABEL_INPUT_MODE[row]) != "-")
			labels.push_back({LKK_POP_MITEM_INPUT_MODE[row], ACC_LABEL_INPUT_MODE[row]});
	}
	const char* const formats[] = {"\x02(a)", "\001a) ", "\001a・", "\001a - "};
	for (const Labelled& labelled : labels) {
		std::string text = Text(labelled.key);
		SCOPED_TRACE(text);
		char letter = static_cast<char>(tolower(labelled.letter[0]));
		// The letter reads as part of the English words.
		std::string lower = text;
		for (char& c : lower)
			c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
		EXPECT_NE(lower.find(letter), std::string::npos);
		for (const char* format : formats) {
			std::string label = merge_accelerator_key(format, labelled.letter, text);
			EXPECT_EQ(short_cut_from_label(label), letter) << label;
		}
	}
}
