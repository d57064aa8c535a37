#include "Watchdog.h"

#include <app/ItemView.h>
#include <app/ItemViewInput.h>
#include <app/ItemViewPunctuationConvert.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <app/ZorvyPrefsExitStates.h>
#include <app/ZorvyPrefsView.h>
#include <app/ZorvyPrefsWindow.h>

#include <headless/HeadlessInput.h>

#include <Button.h>
#include <ListView.h>
#include <Message.h>
#include <OS.h>
#include <StringView.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace BPrivate::headless;

namespace {

// The main window in this process on the headless display, with a port standing in for the
// input method.
class MainViewTest : public testing::Test {
protected:
	void SetUp() override
	{
		fWatchdog = std::make_unique<Watchdog>();
		char folder[] = "/tmp/main-view-test-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
		setenv("XDG_CONFIG_HOME", folder, 1);
		fSavedPrefs = gPrefs;
		fPort = create_port(100, PORT_NAME_PREFERENCES);
		gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);
		fWindow = new TZorvyPrefsWindow(BRect(300, 200, 1200, 900));
		fWindow->Show();
		ASSERT_EQ(wait_for_window(fWindow->Title()), fWindow);
		ASSERT_EQ(sync(fWindow), B_OK);
		fView = fWindow->PrefsView();
	}

	void TearDown() override
	{
		if (fWindow != nullptr && fWindow->Lock())
			fWindow->Quit();
		delete gPortMessageSender;
		gPortMessageSender = NULL;
		delete_port(fPort);
		gPrefs = fSavedPrefs;
		std::string command = "rm -rf '" + fFolder + "'";
		(void)!system(command.c_str());
		fWatchdog.reset();
	}

	template <typename Function>
	void Locked(Function function)
	{
		ASSERT_TRUE(fWindow->Lock());
		function();
		fWindow->Unlock();
	}

	void SelectCategory(int32 index)
	{
		Locked([&] {
			BListView* list = dynamic_cast<BListView*>(fView->FindView("LViewCategory"));
			list->Select(index);
		});
		ASSERT_EQ(sync(fWindow), B_OK);
	}

	std::unique_ptr<Watchdog> fWatchdog;
	std::string fFolder;
	TPrefs fSavedPrefs;
	port_id fPort = -1;
	TZorvyPrefsWindow* fWindow = nullptr;
	TZorvyPrefsView* fView = nullptr;
};

TEST_F(MainViewTest, OpensAtTheGivenCornerInItsOwnSizeWithTheInputPage)
{
	Locked([&] {
		EXPECT_EQ(fWindow->Bounds(), BRect(0, 0, 550, 285));
		EXPECT_EQ(fWindow->Frame().LeftTop(), BPoint(300, 200));
		EXPECT_STREQ(fWindow->Title(), "Zorvy 環境設定");
		EXPECT_EQ(fView->FindView("StrViewCaption")->Frame(), BRect(10, 10, 130, 30));
		EXPECT_EQ(fView->FindView("LViewCategory")->Frame(), BRect(10, 30, 130, 240));
		EXPECT_EQ(fView->FindView("StrViewDescription")->Frame(), BRect(140, 10, 540, 30));
		EXPECT_EQ(fView->FindView("ButtonCancel")->Frame(), BRect(370, 250, 450, 275));
		EXPECT_EQ(fView->FindView("ButtonOK")->Frame(), BRect(460, 250, 540, 275));

		BListView* list = dynamic_cast<BListView*>(fView->FindView("LViewCategory"));
		ASSERT_NE(list, nullptr);
		EXPECT_EQ(list->CountItems(), 3);
		EXPECT_EQ(list->CurrentSelection(), 0);
		BStringView* description =
			dynamic_cast<BStringView*>(fView->FindView("StrViewDescription"));
		EXPECT_STREQ(description->Text(), "入力の基本設定を行います");
		BButton* ok = dynamic_cast<BButton*>(fView->FindView("ButtonOK"));
		EXPECT_TRUE(ok->IsDefault());
		EXPECT_STREQ(ok->Label(), "OK");
		EXPECT_STREQ(dynamic_cast<BButton*>(fView->FindView("ButtonCancel"))->Label(),
					 "キャンセル");

		TItemView* page = fView->CurrentItemView();
		ASSERT_NE(dynamic_cast<TItemViewInput*>(page), nullptr);
		EXPECT_EQ(page->Parent(), fView);
		EXPECT_EQ(page->Frame().LeftTop(), BPoint(140, 40));
	});
}

TEST_F(MainViewTest, EachPageIsBuiltOnceAndKeptAcrossSwitches)
{
	SelectCategory(2);
	TItemView* punctuation = nullptr;
	Locked([&] {
		punctuation = fView->CurrentItemView();
		ASSERT_NE(dynamic_cast<TItemViewPunctuationConvert*>(punctuation), nullptr);
		EXPECT_EQ(punctuation->Frame().LeftTop(), BPoint(140, 40));
		EXPECT_STREQ(dynamic_cast<BStringView*>(fView->FindView("StrViewDescription"))->Text(),
					 "句読点変換の設定を行います");
	});
	SelectCategory(0);
	Locked([&] {
		EXPECT_EQ(punctuation->Parent(), nullptr);
		EXPECT_NE(fView->CurrentItemView(), punctuation);
	});
	SelectCategory(2);
	Locked([&] { EXPECT_EQ(fView->CurrentItemView(), punctuation); });

	// A click beside the rows takes the selection away: the page and description stay.
	Locked([&] { dynamic_cast<BListView*>(fView->FindView("LViewCategory"))->DeselectAll(); });
	ASSERT_EQ(sync(fWindow), B_OK);
	Locked([&] {
		EXPECT_EQ(fView->CurrentItemView(), punctuation);
		EXPECT_STREQ(dynamic_cast<BStringView*>(fView->FindView("StrViewDescription"))->Text(),
					 "句読点変換の設定を行います");
	});
}

TEST_F(MainViewTest, CancelDeliversTheOpeningRecordOnceMore)
{
	TPrefs opening = gPrefs;
	Locked([&] { gPrefs.mSpaceMode = (opening.mSpaceMode + 1) % 3; });
	ASSERT_EQ(click(fWindow, BPoint(410, 262)), B_OK);
	ASSERT_EQ(sync(fWindow), B_OK);
	EXPECT_EQ(gPrefs.mSpaceMode, opening.mSpaceMode);
	ASSERT_EQ(port_count(fPort), 1);
	std::vector<char> buffer(65536);
	int32 code = -1;
	ssize_t size = read_port(fPort, &code, buffer.data(), buffer.size());
	ASSERT_GT(size, 0);
	BMessage body;
	ASSERT_EQ(body.Unflatten(buffer.data()), B_OK);
	EXPECT_EQ(body.what, MSG_PREFERENCES_CHANGED);
	EXPECT_EQ(body.GetInt32("SpMd", -1), opening.mSpaceMode);
	// The window went away from the screen, and nothing was saved.
	Locked([&] { EXPECT_TRUE(fWindow->IsHidden()); });
	EXPECT_NE(access((fFolder + "/MOZELT/Zorvy/Zorvy_Prefs.arc").c_str(), F_OK), 0);
}

TEST_F(MainViewTest, QuittingRemembersTheFrame)
{
	Locked([&] { fWindow->MoveTo(123, 77); });
	ASSERT_TRUE(fWindow->Lock());
	fWindow->Quit();
	fWindow = new TZorvyPrefsWindow(BRect(0, 0, 10, 10));
	EXPECT_EQ(gAPExitStates.mWindowFrame, BRect(123, 77, 673, 362));
}

} // namespace
