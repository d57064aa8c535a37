#ifndef MOZELT_LOCALE_H
#define MOZELT_LOCALE_H

#include <locale/LocaleDictionary.h>
#include <locale/LocaleKeys.h>

#include <Locker.h>
#include <SupportDefs.h>

#include <memory>
#include <string>

// Each unit that needs it has its own copy.
constexpr char FUC_ELLIPSIS[] = "...";

// The process-wide catalogue of user-interface texts. A text is looked up by its built-in
// default; a translation supplied by a language file replaces it, and without one the default
// itself is shown, so the interface needs no language file at all.
class TLocale {
public:
	TLocale();
	~TLocale();

	// The translation of key, or key itself when there is none. The result points into the
	// catalogue (or into the caller's key) and stays valid only until the catalogue is next
	// reloaded: copy it at once. A null key is taken as the empty text.
	const char* GetString(const char* key);
	const char* GetString(const std::string& key) { return GetString(key.c_str()); }

	// Stores a valid language code (see valid_language_code) and, with reload, loads its file
	// from the folder and base name of the last file loaded, when there was one. B_ERROR for an
	// invalid code, which changes nothing; B_OK otherwise, whatever the load gave.
	status_t SetLanguage(const std::string& code, bool reload);
	// The language code, or "" when none was set.
	std::string Language() const;
	// Fills the catalogue from folder/Language/Dictionaries/<name with its extension replaced
	// by the language code>, replacing every entry or, with append, adding to them. B_ERROR
	// when the file cannot be read, which changes nothing; B_OK once it was read.
	status_t LoadLanguageFile(const std::string& folder, const std::string& name, bool append);
	// Empties the catalogue: every text is its built-in default again, as for a language that
	// has no file.
	void UseBuiltInTexts();
	// Loads the file of the last folder and base name again, for the language set now.
	// B_ERROR when the folder, the name or the language is not known yet.
	status_t RefreshDictionaries();
	// Reads the word of a language-file line at start: a quoted word up to its closing quote,
	// else up to the next tab. *next becomes the start of the following word, past spaces and
	// tabs, or std::string::npos when the line holds no more.
	std::string ExtractWord(const std::string& line, size_t start, size_t* next) const;

private:
	TLocale(const TLocale&) = delete;
	TLocale& operator=(const TLocale&) = delete;

	// Adds or replaces one entry; the caller holds mLock. A later entry for the same key wins,
	// as a later line of a language file does.
	void SetEntry(const std::string& key, const std::string& text);
	// Takes the entries of a language file's size bytes, followed by a NUL byte, which the
	// dictionary keeps; the caller holds mLock.
	void ParseLanguageText(std::unique_ptr<char[]> text, size_t size);

	// Tests fill the catalogue as a language file would.
	friend class TLocaleTestAccess;

	// Looked up without copying the key.
	TLocaleDictionary mDictionary;
	// Where the last language file came from, and the language chosen; a reload uses them.
	std::string mFileName;
	std::string mBaseFolder;
	std::string mLanguage;
	// Guards mDictionary, and the three strings above: lookups come from every window's thread,
	// and a language may be chosen on another.
	mutable BLocker mLock;
};

extern TLocale gLocale;

// A language code: four bytes, two lower-case ASCII letters and then two bytes that are not
// ("enUS", "jaJP").
bool valid_language_code(const std::string& code);

// The catalogue's text for key, unless the catalogue has no translation for it (or maps it to
// itself): then fallback. Lets a caller tell "not translated" from a translation.
std::string locale_text_with_default(const char* key, const char* fallback);

#endif
