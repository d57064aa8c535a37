#include <app/InputModeMenu.h>
#include <app/ItemViewInput.h>
#include <app/ItemViewMessages.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <framework/DialogWindow.h>
#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>

#include <Box.h>
#include <Control.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <RadioButton.h>
#include <StringView.h>

#include <headless/HeadlessDisplay.h>
#include <headless/HeadlessInput.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace BPrivate::headless;

namespace {

// Before anything starts the display: the headless one, with the test fonts.
struct Environment {
	Environment()
	{
		setenv("BEAPI_DISPLAY", "headless", 1);
		setenv("FONTCONFIG_FILE", BEAPI_SOURCE_DIR "/tests/fonts.conf", 1);
	}
} sEnvironment;

// Ends the process when a test hangs, so that a stuck looper fails instead of stalling.
class PageWatchdog {
public:
	PageWatchdog()
	{
		mThread = std::thread([this] {
			for (int i = 0; i < 600; i++) {
				if (mDone.load())
					return;
				std::this_thread::sleep_for(std::chrono::milliseconds(100));
			}
			fprintf(stderr, "watchdog: the test hangs, giving up\n");
			fflush(stderr);
			_exit(2);
		});
	}

	~PageWatchdog()
	{
		mDone.store(true);
		mThread.join();
	}

private:
	std::atomic<bool> mDone{false};
	std::thread mThread;
};

const char kTitle[] = "Input page";

// The page alone in a dialog window, as the main window shows it, with the input method's port
// listening in a fresh runtime folder.
class ItemViewInputTest : public testing::Test {
protected:
	void SetUp() override
	{
		mWatchdog = std::make_unique<PageWatchdog>();
		char folder[] = "/tmp/input-page-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		mFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
		mSavedPrefs = gPrefs;
		mSavedFormat = gAPAppPrivacy.mAccFormat;
		gPrefs = TPrefs();
		gAPAppPrivacy.mAccFormat = "\x02(a)";
		mPort = create_port(20, PORT_NAME_PREFERENCES);
		ASSERT_GE(mPort, 0);
		gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);
	}

	void TearDown() override
	{
		if (mWindow != NULL && mWindow->Lock())
			mWindow->Quit();
		delete gPortMessageSender;
		gPortMessageSender = NULL;
		delete_port(mPort);
		gPrefs = mSavedPrefs;
		gAPAppPrivacy.mAccFormat = mSavedFormat;
		std::string command = "rm -rf '" + mFolder + "'";
		(void)!system(command.c_str());
		mWatchdog.reset();
	}

	// Builds the page from gPrefs as it is now and shows it.
	void Open()
	{
		mWindow =
			new TDialogWindow(BRect(100, 100, 499, 299), kTitle, B_TITLED_WINDOW, B_NOT_RESIZABLE);
		mPage = new TItemViewInput();
		ASSERT_EQ(mPage->InitCheck(), B_OK);
		mWindow->AddChild(mPage);
		mWindow->Show();
		ASSERT_EQ(wait_for_window(kTitle), mWindow);
		ASSERT_EQ(sync(mWindow), B_OK);
	}

	void Locked(const std::function<void()>& function)
	{
		ASSERT_TRUE(mWindow->Lock());
		function();
		mWindow->Unlock();
	}

	template <class T>
	T* Child(const char* name)
	{
		T* child = NULL;
		Locked([&] { child = dynamic_cast<T*>(mPage->FindView(name)); });
		EXPECT_NE(child, nullptr) << name;
		return child;
	}

	// The middle of the view in window coordinates.
	BPoint Middle(BView* view)
	{
		BPoint middle;
		Locked([&] {
			BRect frame = view->ConvertToScreen(view->Bounds());
			middle = mWindow->ConvertFromScreen(
				BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2));
		});
		return middle;
	}

	void Click(BView* view)
	{
		ASSERT_EQ(click(mWindow, Middle(view)), B_OK);
		ASSERT_EQ(sync(mWindow), B_OK);
	}

	void ControlKey(const char* key)
	{
		ASSERT_EQ(press_key(mWindow, key, modifier_bits("control")), B_OK);
		ASSERT_EQ(sync(mWindow), B_OK);
	}

	// Opens the menu field's pop-up by a click and clicks the item at the index.
	void Choose(BMenuField* field, int32 index)
	{
		ASSERT_EQ(click(mWindow, Middle(field->MenuBar())), B_OK);
		BWindow* menuWindow = wait_for_window("Menu");
		ASSERT_NE(menuWindow, nullptr);
		ASSERT_TRUE(menuWindow->Lock());
		BRect frame = field->Menu()->ItemAt(index)->Frame();
		menuWindow->Unlock();
		ASSERT_EQ(click(menuWindow,
						BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2)),
				  B_OK);
		BPrivate::HeadlessDisplay* display = BPrivate::HeadlessDisplay::Get();
		for (int i = 0; i < 500 && display->IsShown(menuWindow); i++)
			snooze(10000);
		ASSERT_FALSE(display->IsShown(menuWindow));
		ASSERT_EQ(sync(mWindow), B_OK);
	}

	// The records delivered so far, each decoded.
	std::vector<BMessage> Bodies()
	{
		std::vector<BMessage> bodies;
		std::vector<char> buffer(65536);
		for (;;) {
			int32 code = -1;
			ssize_t size = read_port_etc(mPort, &code, buffer.data(), buffer.size(),
										 B_RELATIVE_TIMEOUT, bodies.empty() ? 200000 : 0);
			if (size < 0)
				break;
			EXPECT_EQ(code, 0);
			BMessage body;
			EXPECT_EQ(body.Unflatten(buffer.data()), B_OK);
			EXPECT_EQ(body.what, MSG_PREFERENCES_CHANGED);
			bodies.push_back(body);
		}
		return bodies;
	}

	BMessage OneBody()
	{
		std::vector<BMessage> bodies = Bodies();
		EXPECT_EQ(bodies.size(), 1u);
		return bodies.empty() ? BMessage() : bodies.front();
	}

	bool NothingDelivered() { return sync(mWindow) == B_OK && port_count(mPort) == 0; }

	std::unique_ptr<PageWatchdog> mWatchdog;
	std::string mFolder;
	TPrefs mSavedPrefs;
	std::string mSavedFormat;
	port_id mPort = -1;
	TDialogWindow* mWindow = NULL;
	TItemViewInput* mPage = NULL;
};

TEST_F(ItemViewInputTest, LabelsMenusAndToolbarsComeFromTheLayoutAndTheCatalogue)
{
	Open();
	Locked([&] {
		EXPECT_STREQ(static_cast<BBox*>(mPage->FindView("BoxInput"))->Label(), "起動時の入力方法");
		EXPECT_STREQ(static_cast<BStringView*>(mPage->FindView("StrViewHiraganaMode"))->Text(),
					 "方法：");
		EXPECT_STREQ(static_cast<BStringView*>(mPage->FindView("StrViewBracketType"))->Text(),
					 "括弧：");
		EXPECT_STREQ(static_cast<BControl*>(mPage->FindView("RButtonHiraganaModeRoman"))->Label(),
					 "ローマ字入力(R)");
		EXPECT_STREQ(static_cast<BControl*>(mPage->FindView("RButtonHiraganaModeKana"))->Label(),
					 "かな入力(K)");
		BMenuField* inputMode = static_cast<BMenuField*>(mPage->FindView("MFieldInputMode"));
		BMenuField* keys = static_cast<BMenuField*>(mPage->FindView("MFieldKeyNavigation"));
		EXPECT_STREQ(inputMode->Label(), "文字種(N)：");
		EXPECT_STREQ(keys->Label(), "キー操作(E)：");

		// The input-mode menu ends before code input; the key-binding styles are all there.
		EXPECT_EQ(inputMode->Menu()->CountItems(), INPUT_MODE_MENU_ROWS);
		ASSERT_EQ(keys->Menu()->CountItems(), 5);
		EXPECT_STREQ(keys->Menu()->ItemAt(1)->Label(), "Zorvy（↓次候補、←→文節移動）");
		EXPECT_STREQ(keys->Menu()->ItemAt(4)->Label(), "MS-IME");
		EXPECT_EQ(keys->Menu()->ItemAt(4)->Message()->GetInt32(KEY_NAVIGATION_FIELD, -1), 4);
		EXPECT_EQ(inputMode->Menu()->FindMarkedIndex(), 0);
		EXPECT_EQ(keys->Menu()->FindMarkedIndex(), 0);
		EXPECT_STREQ(keys->MenuItem()->Label(), "Zorvy");

		const char* const types[] = {"Period", "Comma", "Slash", "Bracket"};
		const char* const labels[][2] = {
			{"。", "．"}, {"、", "，"}, {"・", "／"}, {"「」", "［］"}};
		for (int i = 0; i < 4; i++) {
			std::string type = types[i];
			SCOPED_TRACE(type);
			TToolBar* bar =
				dynamic_cast<TToolBar*>(mPage->FindView(("ToolBar" + type + "Type").c_str()));
			ASSERT_NE(bar, nullptr);
			EXPECT_EQ(bar->Parent(), mPage->FindView(("View" + type + "Type").c_str()));
			EXPECT_TRUE(bar->IsBarFlat());
			ASSERT_EQ(bar->CountItems(), 2);
			EXPECT_STREQ(bar->ItemAt(0)->Name(), (type + "False").c_str());
			EXPECT_STREQ(bar->ItemAt(1)->Name(), (type + "True").c_str());
			EXPECT_STREQ(bar->ItemAt(0)->Label(), labels[i][0]);
			EXPECT_STREQ(bar->ItemAt(1)->Label(), labels[i][1]);
			EXPECT_TRUE(bar->ItemAt(0)->IsRadioMode());
			EXPECT_EQ(bar->ItemAt(0)->Value(), 1);
			EXPECT_EQ(bar->ItemAt(1)->Value(), 0);
			// The holder is cut to the two buttons.
			BRect holder = bar->Parent()->Bounds();
			EXPECT_EQ(holder.right, bar->ItemAt(1)->Frame().right);
			EXPECT_EQ(holder.bottom, bar->ItemAt(1)->Frame().bottom);
		}
	});
}

TEST_F(ItemViewInputTest, CaptionsLineUpWithTheFieldAndTheirHolders)
{
	Open();
	Locked([&] {
		BView* caption = mPage->FindView("StrViewHiraganaMode");
		BMenuField* field = static_cast<BMenuField*>(mPage->FindView("MFieldInputMode"));
		BView* roman = mPage->FindView("RButtonHiraganaModeRoman");
		BView* kana = mPage->FindView("RButtonHiraganaModeKana");
		EXPECT_EQ(caption->Frame().right, field->Frame().left + field->Divider());
		EXPECT_EQ(caption->Frame().top, 20);
		EXPECT_EQ(roman->Frame().left, caption->Frame().right + 10);
		EXPECT_EQ(kana->Frame().left, roman->Frame().right + 10);
		EXPECT_EQ(roman->Frame().top, 20);
		EXPECT_EQ(kana->Frame().top, 20);

		const char* const types[] = {"Period", "Comma", "Slash", "Bracket"};
		const float lefts[] = {0, 90, 180, 270};
		const float tops[] = {95, 95, 95, 90};
		for (int i = 0; i < 4; i++) {
			std::string type = types[i];
			SCOPED_TRACE(type);
			BView* label = mPage->FindView(("StrView" + type + "Type").c_str());
			BView* holder = mPage->FindView(("View" + type + "Type").c_str());
			EXPECT_EQ(label->Frame().left, lefts[i]);
			EXPECT_EQ(label->Frame().top, tops[i]);
			EXPECT_EQ(holder->Frame().left, label->Frame().right);
			EXPECT_EQ(holder->Frame().top, tops[i]);
		}
	});
}

TEST_F(ItemViewInputTest, OnlyTheReleasedGlyphButtonWritesAndDelivers)
{
	Open();
	const char* const types[] = {"Period", "Comma", "Slash", "Bracket"};
	const char* const keys[] = {"PerT", "ComT", "SlsT", "BrkT"};
	for (int i = 0; i < 4; i++) {
		std::string type = types[i];
		SCOPED_TRACE(type);
		TToolButton* pushed = Child<TToolButton>((type + "False").c_str());
		TToolButton* released = Child<TToolButton>((type + "True").c_str());
		ASSERT_NE(released, nullptr);
		Click(pushed);
		EXPECT_TRUE(NothingDelivered());

		Click(released);
		BMessage body = OneBody();
		EXPECT_TRUE(body.GetBool(keys[i], false));
		// The choices made before are in the same record.
		for (int j = 0; j < i; j++)
			EXPECT_TRUE(body.GetBool(keys[j], false)) << keys[j];
		for (int j = i + 1; j < 4; j++)
			EXPECT_FALSE(body.GetBool(keys[j], true)) << keys[j];
		Locked([&] {
			EXPECT_EQ(released->Value(), 1);
			EXPECT_EQ(pushed->Value(), 0);
		});
		Click(released);
		EXPECT_TRUE(NothingDelivered());
	}
	EXPECT_TRUE(gPrefs.mPeriodType && gPrefs.mCommaType && gPrefs.mSlashType &&
				gPrefs.mBracketType);

	// And back.
	Click(Child<TToolButton>("CommaFalse"));
	BMessage body = OneBody();
	EXPECT_FALSE(body.GetBool("ComT", true));
	EXPECT_TRUE(body.GetBool("PerT", false));
	EXPECT_FALSE(gPrefs.mCommaType);
}

TEST_F(ItemViewInputTest, StoredGlyphsAndKanaOpenPushed)
{
	gPrefs.mBracketType = true;
	gPrefs.mSlashType = true;
	gPrefs.mDefaultHiraganaMode = 1;
	gPrefs.mDefaultInputMode = INPUT_MODE_FIXED_KATAKANA;
	gPrefs.mKeyNavigation = 3;
	Open();
	Locked([&] {
		EXPECT_EQ(static_cast<BControl*>(mPage->FindView("BracketTrue"))->Value(), 1);
		EXPECT_EQ(static_cast<BControl*>(mPage->FindView("BracketFalse"))->Value(), 0);
		EXPECT_EQ(static_cast<BControl*>(mPage->FindView("SlashTrue"))->Value(), 1);
		EXPECT_EQ(static_cast<BControl*>(mPage->FindView("PeriodFalse"))->Value(), 1);
		EXPECT_EQ(static_cast<BControl*>(mPage->FindView("RButtonHiraganaModeKana"))->Value(), 1);
		EXPECT_EQ(static_cast<BControl*>(mPage->FindView("RButtonHiraganaModeRoman"))->Value(), 0);
		BMenuField* inputMode = static_cast<BMenuField*>(mPage->FindView("MFieldInputMode"));
		EXPECT_EQ(inputMode->Menu()->FindMarkedIndex(), INPUT_MODE_FIXED_KATAKANA);
		EXPECT_STREQ(inputMode->MenuItem()->Label(), "カタカナ固定");
		BMenuField* keys = static_cast<BMenuField*>(mPage->FindView("MFieldKeyNavigation"));
		EXPECT_EQ(keys->Menu()->FindMarkedIndex(), 3);
	});
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewInputTest, StartUpChoicesWaitForTheNextDelivery)
{
	Open();
	BMenuField* inputMode = Child<BMenuField>("MFieldInputMode");
	BMenuField* keys = Child<BMenuField>("MFieldKeyNavigation");
	ASSERT_NE(keys, nullptr);
	Choose(inputMode, INPUT_MODE_FIXED_HALF_ALPHANUMERIC);
	EXPECT_EQ(gPrefs.mDefaultInputMode, INPUT_MODE_FIXED_HALF_ALPHANUMERIC);
	Click(Child<BRadioButton>("RButtonHiraganaModeKana"));
	EXPECT_EQ(gPrefs.mDefaultHiraganaMode, 1);
	EXPECT_TRUE(NothingDelivered());

	Choose(keys, 2);
	EXPECT_EQ(gPrefs.mKeyNavigation, 2);
	BMessage body = OneBody();
	EXPECT_EQ(body.GetInt32("KyNv", -1), 2);
	EXPECT_EQ(body.GetInt32("DIMd", -1), INPUT_MODE_FIXED_HALF_ALPHANUMERIC);
	EXPECT_EQ(body.GetInt32("DHgM", -1), 1);

	Click(Child<BRadioButton>("RButtonHiraganaModeRoman"));
	EXPECT_EQ(gPrefs.mDefaultHiraganaMode, 0);
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewInputTest, ControlLettersChooseTheMethodAndFocusTheFields)
{
	Open();
	ControlKey("k");
	EXPECT_EQ(gPrefs.mDefaultHiraganaMode, 1);
	Locked([&] {
		EXPECT_EQ(static_cast<BControl*>(mPage->FindView("RButtonHiraganaModeKana"))->Value(), 1);
	});
	ControlKey("r");
	EXPECT_EQ(gPrefs.mDefaultHiraganaMode, 0);
	Locked([&] {
		EXPECT_EQ(static_cast<BControl*>(mPage->FindView("RButtonHiraganaModeRoman"))->Value(), 1);
		EXPECT_EQ(static_cast<BControl*>(mPage->FindView("RButtonHiraganaModeKana"))->Value(), 0);
	});
	ControlKey("n");
	Locked([&] { EXPECT_EQ(mWindow->CurrentFocus(), mPage->FindView("MFieldInputMode")); });
	ControlKey("e");
	Locked([&] { EXPECT_EQ(mWindow->CurrentFocus(), mPage->FindView("MFieldKeyNavigation")); });
	EXPECT_TRUE(NothingDelivered());
}

TEST_F(ItemViewInputTest, AStoredValueWithoutItsItemMarksNothingAndStays)
{
	gPrefs.mDefaultInputMode = 12;
	gPrefs.mKeyNavigation = 7;
	Open();
	BMenuField* inputMode = Child<BMenuField>("MFieldInputMode");
	BMenuField* keys = Child<BMenuField>("MFieldKeyNavigation");
	ASSERT_NE(inputMode, nullptr);
	ASSERT_NE(keys, nullptr);
	Locked([&] {
		EXPECT_EQ(inputMode->Menu()->FindMarked(), nullptr);
		EXPECT_EQ(keys->Menu()->FindMarked(), nullptr);
		EXPECT_STREQ(inputMode->MenuItem()->Label(), "");
		EXPECT_STREQ(keys->MenuItem()->Label(), "");
	});

	// Another choice delivers the odd values untouched.
	Click(Child<TToolButton>("PeriodTrue"));
	BMessage body = OneBody();
	EXPECT_EQ(body.GetInt32("DIMd", -1), 12);
	EXPECT_EQ(body.GetInt32("KyNv", -1), 7);

	// A separator's place is no mode either; a page shown again forgets its earlier mark.
	Locked([&] { mWindow->RemoveChild(mPage); });
	gPrefs.mDefaultInputMode = 1;
	gPrefs.mKeyNavigation = 4;
	Locked([&] { mWindow->AddChild(mPage); });
	Locked([&] {
		EXPECT_EQ(inputMode->Menu()->FindMarked(), nullptr);
		EXPECT_EQ(keys->Menu()->FindMarkedIndex(), 4);
		EXPECT_STREQ(keys->MenuItem()->Label(), "MS-IME");
	});
	gPrefs.mKeyNavigation = -1;
	Locked([&] { mWindow->RemoveChild(mPage); });
	Locked([&] { mWindow->AddChild(mPage); });
	Locked([&] {
		EXPECT_EQ(keys->Menu()->FindMarked(), nullptr);
		EXPECT_STREQ(keys->MenuItem()->Label(), "");
	});
	EXPECT_EQ(gPrefs.mKeyNavigation, -1);
	EXPECT_EQ(gPrefs.mDefaultInputMode, 1);

	// Choosing sets the value again.
	Choose(keys, 0);
	EXPECT_EQ(OneBody().GetInt32("KyNv", -1), 0);
}

TEST_F(ItemViewInputTest, MessagesWithoutTheirFieldChangeNothing)
{
	gPrefs.mDefaultInputMode = 2;
	gPrefs.mKeyNavigation = 1;
	Open();
	BMessenger page(mPage);
	ASSERT_EQ(page.SendMessage(MSG_POP_MITEM_INPUT_MODE), B_OK);
	ASSERT_EQ(page.SendMessage(MSG_POP_MITEM_KEY_NAVIGATION), B_OK);
	EXPECT_TRUE(NothingDelivered());
	EXPECT_EQ(gPrefs.mDefaultInputMode, 2);
	EXPECT_EQ(gPrefs.mKeyNavigation, 1);

	BMessage choice(MSG_POP_MITEM_KEY_NAVIGATION);
	choice.AddInt32(KEY_NAVIGATION_FIELD, 3);
	ASSERT_EQ(page.SendMessage(&choice), B_OK);
	EXPECT_EQ(OneBody().GetInt32("KyNv", -1), 3);
}

} // namespace
