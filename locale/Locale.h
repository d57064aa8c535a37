#ifndef MOZELT_LOCALE_H
#define MOZELT_LOCALE_H

#include <locale/LocaleKeys.h>

#include <Locker.h>

#include <functional>
#include <map>
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

private:
	TLocale(const TLocale&) = delete;
	TLocale& operator=(const TLocale&) = delete;

	// Adds or replaces one entry; the caller holds mLock. A later entry for the same key wins,
	// as a later line of a language file does.
	void SetEntry(const std::string& key, const std::string& text);

	// Tests fill the catalogue as a language file would.
	friend class TLocaleTestAccess;

	// Ordered by plain byte comparison; looked up without copying the key.
	std::map<std::string, std::string, std::less<>> mDictionary;
	// Where the last language file came from, and the language chosen; a reload uses them.
	std::string mFileName;
	std::string mBaseFolder;
	std::string mLanguage;
	// Guards mDictionary: lookups come from every window's thread.
	BLocker mLock;
};

extern TLocale gLocale;

// The catalogue's text for key, unless the catalogue has no translation for it (or maps it to
// itself): then fallback. Lets a caller tell "not translated" from a translation.
std::string locale_text_with_default(const char* key, const char* fallback);

#endif
