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
	const char* text = mDictionary.Find(key);
	return text != NULL ? text : key;
}

void
TLocale::SetEntry(const std::string& key, const std::string& text)
{
	// One block holds the key and the text, each followed by a NUL byte.
	std::unique_ptr<char[]> block(new char[key.size() + text.size() + 2]);
	memcpy(block.get(), key.data(), key.size());
	block[key.size()] = '\0';
	memcpy(block.get() + key.size() + 1, text.data(), text.size());
	block[key.size() + 1 + text.size()] = '\0';
	const char* bytes = mDictionary.AddBlock(std::move(block));
	mDictionary.Set(std::string_view(bytes, key.size()),
					std::string_view(bytes + key.size() + 1, text.size()));
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
