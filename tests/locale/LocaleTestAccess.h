#ifndef TESTS_LOCALE_TEST_ACCESS_H
#define TESTS_LOCALE_TEST_ACCESS_H

#include <locale/Locale.h>

#include <Autolock.h>

#include <string>

// Fills a catalogue the way a language file does, so that lookups can be tested before any
// file is read.
class TLocaleTestAccess {
public:
	static void Set(TLocale& locale, const std::string& key, const std::string& text)
	{
		BAutolock lock(locale.mLock);
		locale.SetEntry(key, text);
	}

	static void Clear(TLocale& locale)
	{
		BAutolock lock(locale.mLock);
		locale.mDictionary.Clear();
	}
};

#endif
