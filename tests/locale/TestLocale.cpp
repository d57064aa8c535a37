#include "LocaleTestAccess.h"
#include "Watchdog.h"

#include <locale/Locale.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// gLocale is shared by the whole program: every test leaves it empty again.
class GlobalLocaleTest : public testing::Test {
protected:
	void TearDown() override { TLocaleTestAccess::Clear(gLocale); }
};

} // namespace

TEST(Locale, AnEmptyCatalogueGivesBackTheCallersOwnKey)
{
	TLocale locale;
	for (const char* key : {LKK_BUTTON_CANCEL, LKK_POP_MITEM_INPUT_MODE[6], "", "?"}) {
		SCOPED_TRACE(key);
		EXPECT_EQ(locale.GetString(key), key);
	}
	EXPECT_STREQ(locale.GetString(NULL), "");
	std::string owned = "owned";
	EXPECT_EQ(locale.GetString(owned), owned.c_str());
}

TEST(Locale, ATranslationReplacesOnlyItsOwnKey)
{
	TLocale locale;
	TLocaleTestAccess::Set(locale, LKK_BUTTON_CANCEL, "Cancel");
	TLocaleTestAccess::Set(locale, "", "empty");
	EXPECT_STREQ(locale.GetString(LKK_BUTTON_CANCEL), "Cancel");
	EXPECT_STREQ(locale.GetString(std::string(LKK_BUTTON_CANCEL)), "Cancel");
	EXPECT_STREQ(locale.GetString(""), "empty");
	EXPECT_EQ(locale.GetString(LKK_BUTTON_OK), LKK_BUTTON_OK);
	// Keys are compared byte for byte: a prefix or a longer text is another key.
	std::string prefix(LKK_BUTTON_CANCEL, 3);
	std::string longer = std::string(LKK_BUTTON_CANCEL) + " ";
	EXPECT_EQ(locale.GetString(prefix.c_str()), prefix.c_str());
	EXPECT_EQ(locale.GetString(longer.c_str()), longer.c_str());
}

TEST(Locale, ALaterEntryForTheSameKeyWins)
{
	TLocale locale;
	TLocaleTestAccess::Set(locale, LKK_BUTTON_OK, "Okay");
	TLocaleTestAccess::Set(locale, LKK_BUTTON_OK, "Fine");
	EXPECT_STREQ(locale.GetString(LKK_BUTTON_OK), "Fine");
}

TEST(Locale, ATranslationMayBeEmpty)
{
	TLocale locale;
	TLocaleTestAccess::Set(locale, LKK_COLON_SPACE, "");
	EXPECT_STREQ(locale.GetString(LKK_COLON_SPACE), "");
}

TEST_F(GlobalLocaleTest, TextWithDefault)
{
	TLocaleTestAccess::Set(gLocale, "$LangNameInNative$", "Deutsch");
	TLocaleTestAccess::Set(gLocale, "$TranslatorName$", "$TranslatorName$");
	TLocaleTestAccess::Set(gLocale, "same", "same");

	struct Case {
		const char* key;
		const char* fallback;
		std::string expected;
	};
	const Case cases[] = {
		{"$LangNameInNative$", "English", "Deutsch"},
		// Mapped to itself: as good as untranslated.
		{"$TranslatorName$", "MOZELT", "MOZELT"},
		{"same", "other", "other"},
		{"missing", "MOZELT", "MOZELT"},
		{"", "fallback", "fallback"},
		{"missing", "", ""},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.key);
		EXPECT_EQ(locale_text_with_default(c.key, c.fallback), c.expected);
	}
}

TEST_F(GlobalLocaleTest, TheGlobalCatalogueStartsEmpty)
{
	EXPECT_EQ(gLocale.GetString(LKK_STR_VIEW_CAPTION), LKK_STR_VIEW_CAPTION);
	EXPECT_EQ(locale_text_with_default("$TranslatorName$", "MOZELT"), "MOZELT");
}

// Lookups come from every window's thread while a language file may be filling the catalogue:
// the lock keeps the dictionary whole for every reader.
TEST(Locale, LookupsFromManyThreadsWhileEntriesAreAdded)
{
	Watchdog watchdog;
	TLocale locale;
	TLocaleTestAccess::Set(locale, "stable", "fixed");

	std::atomic<bool> done(false);
	std::atomic<int> wrong(0);
	std::vector<std::thread> readers;
	for (int i = 0; i < 3; i++) {
		readers.emplace_back([&]() {
			while (!done.load()) {
				if (std::string(locale.GetString("stable")) != "fixed")
					wrong++;
				const char* missing = "never added";
				if (locale.GetString(missing) != missing)
					wrong++;
			}
		});
	}
	for (int i = 0; i < 2000; i++)
		TLocaleTestAccess::Set(locale, "key " + std::to_string(i), "text " + std::to_string(i));
	done = true;
	for (std::thread& reader : readers)
		reader.join();

	EXPECT_EQ(wrong.load(), 0);
	EXPECT_STREQ(locale.GetString("key 1999"), "text 1999");
}
