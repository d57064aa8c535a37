#include "AppRun.h"
#include "PngImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <string>
#include <unistd.h>
#include <vector>

// The application started with --language: its labels in another language, everything it
// stores and sends unchanged.
namespace {

const char kEnglishTitle[] = "Zorvy Preferences";

// Where a person clicks, the same in every language (window coordinates, with the test fonts).
const char kRowInput[] = "60 38";
const char kRowInputAssist[] = "60 54";
const char kRowPunctuation[] = "60 70";
const char kTenKeyHalf[] = "150 50";
const char kSpaceModeField[] = "400 157";

std::string
click(const std::string& title, const char* where)
{
	return "click \"" + title + "\" " + where + "\n";
}

std::string
key(const std::string& title, const char* name, const char* modifiers = "")
{
	return "key \"" + title + "\" " + name + " " + modifiers + "\n";
}

std::string
shot(const AppRun& run, const std::string& title, const char* name)
{
	return "shot \"" + title + "\" " + run.ShotPath(name) + "\n";
}

// One of every kind of change, made with the labels' shortcuts wherever a label has one, then
// OK: the shortcuts must work in either language.
std::string
changes(const std::string& title)
{
	const std::string menuDown = "key Menu down\n";
	const std::string menuEnter = "key Menu enter\n";
	// The shortcut of a menu field gives it the focus; Down opens its menu.
	return key(title, "k", "control") + key(title, "n", "control") + key(title, "down") + menuDown +
		   menuEnter + key(title, "e", "control") + key(title, "down") + menuDown + menuEnter +
		   click(title, kRowInputAssist) + click(title, kTenKeyHalf) +
		   click(title, kSpaceModeField) + menuDown + menuDown + menuEnter +
		   click(title, kRowPunctuation) + key(title, "k", "control") + key(title, "t", "control") +
		   key(title, "q", "control") + key(title, "x", "control") + key(title, "e", "control") +
		   click(title, kRowInput) + key(title, "enter");
}

// The bodies the input method received, byte for byte, in order.
std::vector<std::string>
body_bytes(AppRun& run)
{
	run.Bodies();
	std::vector<std::string> names;
	if (DIR* folder = opendir((run.Folder() + "/bodies").c_str())) {
		while (dirent* entry = readdir(folder)) {
			if (entry->d_name[0] != '.')
				names.push_back(entry->d_name);
		}
		closedir(folder);
	}
	std::sort(names.begin(), names.end());
	std::vector<std::string> bodies;
	for (const std::string& name : names)
		bodies.push_back(run.FileBytes(run.Folder() + "/bodies/" + name));
	return bodies;
}

bool
folder_is_empty(const std::string& path)
{
	DIR* folder = opendir(path.c_str());
	if (folder == nullptr)
		return true;
	bool empty = true;
	while (dirent* entry = readdir(folder)) {
		if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
			empty = false;
	}
	closedir(folder);
	return empty;
}

} // namespace

TEST(Language, EnglishPagesStoreAndSendWhatJapaneseOnesDo)
{
	AppRun japanese;
	ASSERT_TRUE(japanese.Listen());
	ASSERT_EQ(japanese.Run(changes(kWindowTitle)), 0) << japanese.Errors();

	AppRun english;
	ASSERT_TRUE(english.Listen());
	std::string pictures =
		shot(english, kEnglishTitle, "input.png") + click(kEnglishTitle, kRowInputAssist) +
		shot(english, kEnglishTitle, "assist.png") + click(kEnglishTitle, kRowPunctuation) +
		shot(english, kEnglishTitle, "punctuation.png") + click(kEnglishTitle, kRowInput);
	ASSERT_EQ(english.Run(pictures + changes(kEnglishTitle), {}, {"--language", "enUS"}), 0)
		<< english.Errors();

	// Every change went out, and in the same bytes.
	std::vector<std::string> sent = body_bytes(japanese);
	EXPECT_EQ(sent.size(), 8u);
	EXPECT_EQ(body_bytes(english), sent);
	std::string saved = japanese.FileBytes(japanese.SettingsPath());
	EXPECT_FALSE(saved.empty());
	EXPECT_EQ(english.FileBytes(english.SettingsPath()), saved);
	BMessage prefs;
	ASSERT_TRUE(english.ReadMessage(english.SettingsPath(), &prefs));
	EXPECT_EQ(prefs.GetInt32("DHgM", -1), 1);
	EXPECT_EQ(prefs.GetInt32("DIMd", -1), 2);
	EXPECT_EQ(prefs.GetInt32("KyNv", -1), 1);
	EXPECT_FALSE(prefs.GetBool("TKHI", true));
	EXPECT_EQ(prefs.GetInt32("SpMd", -1), 2);
	EXPECT_FALSE(prefs.GetBool("PerC", true));
	EXPECT_FALSE(prefs.GetBool("ExcC", true));

	// The three pages in English, as they were checked by eye.
	for (const char* page : {"input.png", "assist.png", "punctuation.png"}) {
		SCOPED_TRACE(page);
		double difference =
			png_difference(english.ShotPath(page),
						   BEAPI_SOURCE_DIR "/tests/e2e/ref/enUS-" + std::string(page), 48);
		EXPECT_GE(difference, 0);
		EXPECT_LT(difference, 0.01);
	}
}

TEST(Language, BadArgumentsStartNothing)
{
	struct Case {
		std::vector<std::string> arguments;
		std::string told;
	};
	const Case cases[] = {
		{{"--language", "frFR"}, "no language file for frFR"},
		{{"--language", "english"}, "\"english\" is no language code"},
		{{"--language"}, "needs a language code"},
		{{"--colour"}, "unknown option --colour"},
		{{"settings.arc"}, "unexpected argument"},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.told);
		AppRun run;
		EXPECT_EQ(run.Run("wait 5000\n", {}, c.arguments), 2);
		EXPECT_NE(run.Errors().find(c.told), std::string::npos) << run.Errors();
		EXPECT_EQ(run.Output(), "");
		EXPECT_TRUE(folder_is_empty(run.Folder() + "/config"));
		EXPECT_TRUE(folder_is_empty(run.Folder() + "/shots"));
	}
}

TEST(Language, HelpAndVersion)
{
	AppRun run;
	EXPECT_EQ(run.Run("wait 5000\n", {}, {"--help"}), 0) << run.Errors();
	for (const char* part : {"--language CODE", "--version", "Languages: enUS, jaJP", "  2  "})
		EXPECT_NE(run.Output().find(part), std::string::npos) << part;
	EXPECT_EQ(run.Errors(), "");

	EXPECT_EQ(run.Run("wait 5000\n", {}, {"--version"}), 0) << run.Errors();
	EXPECT_EQ(run.Output(), "Zorvy Preferences Ver 1.40\n");
	EXPECT_TRUE(folder_is_empty(run.Folder() + "/config"));
	EXPECT_TRUE(folder_is_empty(run.Folder() + "/shots"));
}

TEST(Language, ARunningInstanceKeepsItsLanguage)
{
	AppRun run;
	const std::string japaneseShot = run.Folder() + "/shots/" + kWindowTitle + ".png";
	pid_t first =
		run.Start("wait 4000\n" + std::string("close \"") + kWindowTitle + "\"\n", "first");
	for (int i = 0; i < 500 && access(japaneseShot.c_str(), F_OK) != 0; i++)
		usleep(10000);
	pid_t second = run.Start("", "second", {"--language", "enUS"});
	EXPECT_EQ(run.Wait(second, "second"), 0) << run.Errors();
	// The first one was closed by its Japanese title and never drew an English window.
	EXPECT_EQ(run.Wait(first, "first"), 0) << run.Errors();
	EXPECT_EQ(access((run.Folder() + "/shots/" + kEnglishTitle + ".png").c_str(), F_OK), -1);
}
