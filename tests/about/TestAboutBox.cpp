// The About box on the headless display, driven with the mouse and keys a person uses. This
// test program carries no icon, so the box shows none; the application's own box, icon and all,
// is checked end to end.
#include "HeadlessEnvironment.h"
#include "PngImage.h"
#include "Watchdog.h"

#include <about/AboutDefs.h>
#include <about/AppInfoView.h>
#include <about/MOZELTAboutWindow.h>
#include <about/SimpleAboutView.h>
#include <common_prefs/InterAppPrefs.h>
#include <framework/BasicView.h>
#include <locale/DataFolder.h>
#include <locale/Locale.h>

#include <Button.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <StringView.h>

#include <headless/HeadlessInput.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace BPrivate::headless;

namespace {

namespace fs = std::filesystem;

const HeadlessEnvironment sEnvironment("1025x769");

// What the application gives its box.
const char kName[] = "Zorvy 環境設定";
const char kVersion[] = "Ver 1.40";
const char kCopyright[] = "Copyright © 2026 %AppAuthor%. All rights reserved.";
const char kShippedData[] = BEAPI_BINARY_DIR "/share/mozelt";

class AboutBoxTest : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/mozelt-about-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fFolder = pattern;
		fs::create_directories(fFolder + "/Language/Dictionaries");
		fWindow = new TMOZELTAboutWindow(BRect(100, 100, 500, 400));
		fWindow->SetAppInfo(kName, kVersion, kCopyright);
		fWindow->SetIAPRef(&fIAPs);
	}

	void TearDown() override
	{
		if (fWindow->Lock())
			fWindow->Quit();
		// Back to the built-in texts for the next test.
		UseLanguage("");
		std::error_code ignored;
		fs::remove_all(fFolder, ignored);
	}

	// Fills the catalogue from a language file of the test's own.
	void UseLanguage(const std::string& text)
	{
		std::ofstream(fFolder + "/Language/Dictionaries/T.enUS", std::ios::binary) << text;
		ASSERT_EQ(gLocale.SetLanguage("enUS", false), B_OK);
		ASSERT_EQ(gLocale.LoadLanguageFile(fFolder, "T.txt", false), B_OK);
	}

	void UseShippedLanguage(const char* code)
	{
		ASSERT_EQ(gLocale.SetLanguage(code, false), B_OK);
		ASSERT_EQ(gLocale.LoadLanguageFile(kShippedData, LANGUAGE_FILE_BASE_NAME, false), B_OK);
	}

	// A language change as a host announces it.
	void AnnounceLanguage()
	{
		ASSERT_EQ(BMessenger(fWindow).SendMessage(MSG_LANGUAGE_CHANGED), B_OK);
		ASSERT_EQ(sync(fWindow), B_OK);
		// The views hear it through their own copies, which follow the window's.
		ASSERT_EQ(sync(fWindow), B_OK);
	}

	void Appear()
	{
		fWindow->Appear();
		ASSERT_EQ(wait_for_window(fWindow->Title()), fWindow);
		ASSERT_EQ(sync(fWindow), B_OK);
	}

	bool Hidden()
	{
		bool hidden = false;
		if (fWindow->Lock()) {
			hidden = fWindow->IsHidden();
			fWindow->Unlock();
		}
		return hidden;
	}

	// The texts of the four lines (name, version, copyright, translator), the title and OK.
	std::vector<std::string> Texts()
	{
		std::vector<std::string> texts;
		if (!fWindow->Lock())
			return texts;
		BView* info = fWindow->FindView("AppInfoView");
		for (int32 i = 0; info != NULL && i < 4; i++) {
			const char* text = static_cast<BStringView*>(info->ChildAt(i))->Text();
			texts.push_back(text != NULL ? text : "");
		}
		texts.push_back(fWindow->Title());
		BButton* ok = dynamic_cast<BButton*>(fWindow->FindView("ButtonOK"));
		texts.push_back(ok != NULL ? ok->Label() : "");
		fWindow->Unlock();
		return texts;
	}

	void ExpectLooksLike(const char* name)
	{
		std::string reference = std::string(BEAPI_SOURCE_DIR "/tests/about/ref/") + name;
		if (getenv("BEAPI_UPDATE_REFERENCES") != NULL) {
			ASSERT_EQ(screenshot(fWindow, reference.c_str()), B_OK);
			return;
		}
		std::string shot = fFolder + "/" + name;
		ASSERT_EQ(screenshot(fWindow, shot.c_str()), B_OK);
		double difference = png_difference(shot, reference);
		EXPECT_GE(difference, 0) << "cannot compare " << shot << " with " << reference;
		EXPECT_LT(difference, 0.005) << name << " differs from its reference";
	}

	Watchdog fWatchdog{60};
	std::string fFolder;
	TInterAppPrefs fIAPs;
	TMOZELTAboutWindow* fWindow;
};

} // namespace

TEST_F(AboutBoxTest, BuiltInTextsAndLayout)
{
	// Made hidden; the application shows it.
	EXPECT_TRUE(Hidden());
	Appear();
	std::vector<std::string> expected = {kName,
										 kVersion,
										 "Copyright © 2026 MOZELT. All rights reserved.",
										 "",
										 "About Zorvy 環境設定",
										 "OK"};
	EXPECT_EQ(Texts(), expected);

	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fWindow->Bounds(), BRect(0, 0, 320, 248));
	BView* ok = fWindow->FindView("ButtonOK");
	ASSERT_NE(ok, nullptr);
	// Centred below the lower separator.
	EXPECT_EQ(ok->Frame(), BRect(120, 213, 200, 238));
	EXPECT_EQ(fWindow->FindView("BoxSep2")->Frame(), BRect(0, 195, 320, 198));
	EXPECT_EQ(fWindow->DefaultButton(), ok);
	EXPECT_EQ(fWindow->CurrentFocus(), ok);
	fWindow->Unlock();

	// Without an icon the corner shows the panel alone.
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	for (BPoint where : {BPoint(10, 10), BPoint(25, 25), BPoint(41, 41)}) {
		rgb_color pixel;
		ASSERT_EQ(get_pixel(fWindow, int32(where.x), int32(where.y), &pixel), B_OK);
		EXPECT_EQ(pixel, panel) << where.x << "," << where.y;
	}
	ExpectLooksLike("builtin.png");
}

TEST_F(AboutBoxTest, ALanguageFileTranslatesTitleLinesAndButton)
{
	UseLanguage("About %AppName%\tInfo: %AppName%\n"
				"Zorvy 環境設定\tZorvy Setup\n"
				"Ver 1.40\tVersion 1.40\n"
				"MOZELT\tMozelt Ltd\n"
				"OK\tFine\n"
				"Made by %TranslatorName% (%LangNameInNative%)\tTranslation: %TranslatorName%, "
				"%LangNameInNative%\n");
	// A box made while the language is in use.
	ASSERT_TRUE(fWindow->Lock());
	fWindow->Quit();
	fWindow = new TMOZELTAboutWindow(BRect(0, 0, 10, 10));
	fWindow->SetAppInfo(kName, kVersion, kCopyright);
	fWindow->SetTranslatorInfo("Made by %TranslatorName% (%LangNameInNative%)");
	Appear();
	// The language file says nothing about itself: the defaults take the placeholders' place.
	std::vector<std::string> expected = {"Zorvy Setup",
										 "Version 1.40",
										 "Copyright © 2026 Mozelt Ltd. All rights reserved.",
										 "Translation: MOZELT, English",
										 "Info: Zorvy Setup",
										 "Fine"};
	EXPECT_EQ(Texts(), expected);
}

TEST_F(AboutBoxTest, TheShippedFilesInTheirLanguages)
{
	fWindow->SetTranslatorInfo("%LangNameInNative% by %TranslatorName%");
	Appear();
	UseShippedLanguage("enUS");
	AnnounceLanguage();
	std::vector<std::string> english = {"Zorvy Preferences",
										kVersion,
										"Copyright © 2026 MOZELT. All rights reserved.",
										"English by MOZELT",
										"About Zorvy Preferences",
										"OK"};
	EXPECT_EQ(Texts(), english);
	ExpectLooksLike("enUS.png");

	UseShippedLanguage("jaJP");
	AnnounceLanguage();
	std::vector<std::string> japanese = {kName,
										 kVersion,
										 "Copyright © 2026 ＭＯＺＥＬＴ. All rights reserved.",
										 "日本語 by ＭＯＺＥＬＴ",
										 "Zorvy 環境設定について",
										 "OK"};
	EXPECT_EQ(Texts(), japanese);
}

TEST_F(AboutBoxTest, RelabelledAtOnceWhileOpen)
{
	Appear();
	UseLanguage("About %AppName%\tAbout the program %AppName%\n"
				"Zorvy 環境設定\tZorvy Preferences\n"
				"OK\tClose\n");
	// Nothing changes until the language change is announced.
	EXPECT_EQ(Texts()[0], kName);
	AnnounceLanguage();
	std::vector<std::string> texts = Texts();
	ASSERT_EQ(texts.size(), 6u);
	EXPECT_EQ(texts[0], "Zorvy Preferences");
	EXPECT_EQ(texts[4], "About the program Zorvy Preferences");
	EXPECT_EQ(texts[5], "Close");
	// The shown title follows: a script finds the window by it.
	EXPECT_EQ(wait_for_window("About the program Zorvy Preferences"), fWindow);
}

TEST_F(AboutBoxTest, EveryWayOutHidesAndTheBoxComesBack)
{
	ASSERT_TRUE(fWindow->Lock());
	BView* view = fWindow->FindView("AboutView");
	fWindow->Unlock();
	ASSERT_NE(view, nullptr);
	struct Way {
		const char* name;
		std::function<status_t()> act;
	};
	const std::vector<Way> ways = {
		{"click OK", [&] { return click(fWindow, BPoint(160, 225)); }},
		{"Enter", [&] { return press_key(fWindow, "enter"); }},
		{"Escape", [&] { return press_key(fWindow, "escape"); }},
		{"close box", [&] { return close(fWindow); }},
		{"cancel request",
		 [&] {
			 status_t status = BMessenger(view, fWindow).SendMessage(MSG_ABOUT_CANCEL);
			 return status == B_OK ? sync(fWindow) : status;
		 }},
	};
	for (const Way& way : ways) {
		SCOPED_TRACE(way.name);
		Appear();
		ASSERT_FALSE(Hidden());
		ASSERT_EQ(way.act(), B_OK);
		EXPECT_TRUE(Hidden());
	}
	// The box lives on: a request shows it again as it was.
	Appear();
	EXPECT_FALSE(Hidden());
	EXPECT_EQ(Texts()[0], kName);
}
