#include <locale/Locale.h>

#include <Autolock.h>

#include <cstring>
#include <string_view>

TLocale gLocale;

TLocale::TLocale() {}

TLocale::~TLocale() {}

const char*
TLocale::GetString(const char* key)
{
	if (key == NULL)
		return "";

	BAutolock lock(mLock);
	auto found = mDictionary.find(std::string_view(key));
	if (found == mDictionary.end())
		return key;
	return found->second.c_str();
}

void
TLocale::SetEntry(const std::string& key, const std::string& text)
{
	mDictionary.insert_or_assign(key, text);
}

std::string
locale_text_with_default(const char* key, const char* fallback)
{
	if (key == NULL)
		key = "";
	const char* text = gLocale.GetString(key);
	if (std::strcmp(text, key) == 0)
		return fallback != NULL ? fallback : "";
	return text;
}
