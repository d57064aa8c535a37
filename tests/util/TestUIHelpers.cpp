#include <util/SpyFilter.h>
#include <util/UIHelpers.h>

#include <Button.h>
#include <CheckBox.h>
#include <Entry.h>
#include <File.h>
#include <Handler.h>
#include <Looper.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <Message.h>
#include <NodeInfo.h>
#include <OS.h>
#include <PopUpMenu.h>
#include <StringView.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A looper that counts the messages of its handler and keeps the last one.
class CountingLooper : public BLooper {
public:
	CountingLooper() : BLooper("CountingLooper") {}

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what < 0x10000) {
			BLooper::MessageReceived(message);
			return;
		}
		last = *message;
		count++;
	}

	std::atomic<int> count{0};
	BMessage last;
};

// Waits until the looper has counted the messages, or a while when it should not.
void
settle(CountingLooper* looper, int expected)
{
	for (int i = 0; i < 500 && looper->count < expected; i++)
		snooze(10000);
	snooze(20000);
}

class HelpersTest : public testing::Test {
protected:
	void SetUp() override
	{
		mLooper = new CountingLooper();
		mLooper->Run();
	}

	void TearDown() override
	{
		if (mLooper->Lock())
			mLooper->Quit();
	}

	CountingLooper* mLooper = nullptr;
};

TEST(Colours, RoundTripUnderThePlatformsColourType)
{
	BMessage message;
	rgb_color color = {10, 20, 30, 40};
	ASSERT_EQ(add_rgb_color(&message, "Back", color), B_OK);
	type_code type = 0;
	ASSERT_EQ(message.GetInfo("Back", &type), B_OK);
	EXPECT_EQ(type, uint32('RGBC'));
	rgb_color read = {0, 0, 0, 0};
	ASSERT_EQ(find_rgb_color(&message, "Back", &read), B_OK);
	EXPECT_TRUE(is_same_rgb_color(read, color));
	rgb_color other = color;
	other.alpha = 41;
	EXPECT_FALSE(is_same_rgb_color(other, color));

	rgb_color kept = {1, 2, 3, 4};
	EXPECT_EQ(find_rgb_color(&message, "Missing", &kept), B_NAME_NOT_FOUND);
	EXPECT_TRUE(is_same_rgb_color(kept, rgb_color{1, 2, 3, 4}));
}

TEST_F(HelpersTest, NestedMessagesNeedBothFields)
{
	BMessage nested('nest');
	nested.AddInt32("value", 7);
	BMessage lonely;
	lonely.AddMessage("NestMsg", &nested);
	EXPECT_EQ(invoke_nest_message(&lonely), B_ERROR);

	BMessage carrier;
	ASSERT_EQ(add_nest_message(&carrier, &nested, BMessenger(mLooper)), B_OK);
	BMessage found;
	BMessenger where;
	ASSERT_EQ(find_nest_message(&carrier, &found, &where), B_OK);
	EXPECT_EQ(found.what, uint32('nest'));
	EXPECT_EQ(where, BMessenger(mLooper));
	ASSERT_EQ(invoke_nest_message(&carrier), B_OK);
	settle(mLooper, 1);
	EXPECT_EQ(mLooper->count, 1);
}

TEST_F(HelpersTest, SpyFilterCopiesOnceAndLetsTheMessageGoOn)
{
	TSpyFilter spy('_lng', BMessenger(mLooper));
	BMessage message('_lng');
	BHandler* target = nullptr;
	EXPECT_EQ(spy.Filter(&message, &target), B_DISPATCH_MESSAGE);
	EXPECT_FALSE(message.HasBool("SpySendFlag"));
	settle(mLooper, 1);
	ASSERT_EQ(mLooper->count, 1);
	bool flag = false;
	ASSERT_TRUE(mLooper->Lock());
	EXPECT_EQ(mLooper->last.FindBool("SpySendFlag", &flag), B_OK);
	mLooper->Unlock();
	EXPECT_TRUE(flag);

	BMessage copied('_lng');
	copied.AddBool("SpySendFlag", true);
	EXPECT_EQ(spy.Filter(&copied, &target), B_DISPATCH_MESSAGE);
	settle(mLooper, 1);
	EXPECT_EQ(mLooper->count, 1);
	EXPECT_EQ(spy.Command(), uint32('_lng'));
}

TEST_F(HelpersTest, SendMessageWithLockDelivers)
{
	ASSERT_EQ(send_message_with_lock(mLooper, BMessage('lckd')), B_OK);
	settle(mLooper, 1);
	EXPECT_EQ(mLooper->count, 1);
}

TEST_F(HelpersTest, ClickButtonPressesADisabledButtonOnlyWhenForced)
{
	BButton button(BRect(0, 0, 80, 24), "ButtonOK", "OK", new BMessage('clkd'));
	ASSERT_EQ(button.SetTarget(mLooper), B_OK);
	button.SetEnabled(false);
	click_button(&button, false);
	click_button(&button, true);
	settle(mLooper, 1);
	EXPECT_EQ(mLooper->count, 1);
	EXPECT_EQ(button.Value(), B_CONTROL_OFF);
	click_button(nullptr, true);
}

TEST(Fitting, CheckBoxesAndStringViewsFitTheirText)
{
	BCheckBox box(BRect(10, 10, 20, 30), "CBox", "Numeric keypad", NULL);
	adjust_cbox_width(&box);
	EXPECT_EQ(box.Frame().LeftTop(), BPoint(10, 10));
	EXPECT_EQ(box.Bounds().Height(), 20);
	EXPECT_EQ(box.Bounds().Width(), std::ceil(box.StringWidth("Numeric keypad")) + 17 + 2);

	BStringView text(BRect(0, 0, 5, 15), "Str", "Label text");
	adjust_str_view_width(&text);
	EXPECT_EQ(text.Bounds().Width(), std::ceil(text.StringWidth("Label text")) + 2);
}

TEST(Fitting, AMenuFieldKeepsItsMenuWhateverItsLabel)
{
	const char* const labels[] = {"Mode:", "A label far longer than the field was made for:"};
	for (const char* label : labels) {
		SCOPED_TRACE(label);
		BMenuField field(BRect(10, 25, 153, 48), "MField", "", new BPopUpMenu("Menu"));
		field.SetDivider(90);
		float barWidth = field.MenuBar()->Bounds().Width();
		field.SetLabel(label);
		adjust_mfield_divider(&field);
		float divider = std::ceil(field.StringWidth(label)) + 2;
		EXPECT_EQ(field.Divider(), divider);
		EXPECT_EQ(field.Frame().LeftTop(), BPoint(10, 25));
		EXPECT_EQ(field.Bounds().Height(), 23);
		// The menu follows the label and stays whole inside the field.
		EXPECT_EQ(field.MenuBar()->Frame().left, divider + 1);
		EXPECT_EQ(field.MenuBar()->Bounds().Width(), barWidth);
		EXPECT_LE(field.MenuBar()->Frame().right, field.Bounds().right);
	}
}

TEST(Windows, CloseWindowWithoutAWindowDoesNothing)
{
	close_window(nullptr);
	BWindow* none = nullptr;
	close_window(&none);
	EXPECT_EQ(none, nullptr);
}

// A fake desktop opener first in PATH, which writes down what it was asked to open.
class OpenerTest : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/mozelt-opener-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		mFolder = pattern;
		mLog = mFolder + "/opened";
		std::ofstream script(mFolder + "/xdg-open");
		script << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << mLog << ".part'\nmv '" << mLog
			   << ".part' '" << mLog << "'\n";
		script.close();
		chmod((mFolder + "/xdg-open").c_str(), 0755);
		mOldPath = getenv("PATH") != nullptr ? getenv("PATH") : "";
		setenv("PATH", (mFolder + ":" + mOldPath).c_str(), 1);
	}

	void TearDown() override
	{
		setenv("PATH", mOldPath.c_str(), 1);
		std::string command = "rm -rf '" + mFolder + "'";
		EXPECT_EQ(system(command.c_str()), 0);
	}

	// What the opener was given, once it has run.
	std::string Opened()
	{
		for (int i = 0; i < 500; i++) {
			std::ifstream log(mLog);
			std::string line;
			if (std::getline(log, line))
				return line;
			snooze(10000);
		}
		return "";
	}

	std::string mFolder;
	std::string mLog;
	std::string mOldPath;
};

TEST_F(OpenerTest, ShowUrlHandsTheAddressToTheDesktop)
{
	EXPECT_EQ(show_url("https://example.org/a b"), B_OK);
	EXPECT_EQ(Opened(), "https://example.org/a b");
}

TEST_F(OpenerTest, ShowHelpNeedsTheFilesType)
{
	std::string path = mFolder + "/help.html";
	BFile file(path.c_str(), B_CREATE_FILE | B_WRITE_ONLY);
	ASSERT_EQ(file.InitCheck(), B_OK);
	EXPECT_EQ(show_help(path.c_str()), B_ERROR);
	BNodeInfo info(&file);
	ASSERT_EQ(info.SetType("text/html"), B_OK);
	EXPECT_EQ(show_help(path.c_str()), B_OK);
	EXPECT_EQ(Opened(), path);
}

TEST_F(OpenerTest, WithoutAnOpenerShowCoreFails)
{
	setenv("PATH", mFolder.c_str(), 1);
	unlink((mFolder + "/xdg-open").c_str());
	EXPECT_EQ(show_core("text/plain", "/tmp"), B_ERROR);
}

TEST(SavePanel, TheRefOfTheFolderAndTheName)
{
	entry_ref folder;
	ASSERT_EQ(get_ref_for_path("/tmp", &folder), B_OK);
	BMessage message(B_SAVE_REQUESTED);
	message.AddRef("directory", &folder);
	message.AddString("name", "Saved.txt");
	entry_ref ref;
	ASSERT_EQ(get_save_ref(&message, &ref), B_OK);
	EXPECT_STREQ(ref.name, "Saved.txt");
	BMessage noName(B_SAVE_REQUESTED);
	noName.AddRef("directory", &folder);
	EXPECT_NE(get_save_ref(&noName, &ref), B_OK);
}

} // namespace
