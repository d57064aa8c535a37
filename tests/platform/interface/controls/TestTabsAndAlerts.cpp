#include "../InterfaceTest.h"

#include <Alert.h>
#include <Button.h>
#include <Invoker.h>
#include <StringView.h>
#include <TabView.h>
#include <TextView.h>

#include <algorithm>
#include <future>
#include <limits>
#include <memory>

using namespace BPrivate::headless;

TEST(TabView, OnlyTheSelectedTabsViewIsInTheWindow)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Tabs", BRect(100, 100, 399, 299));
	BTabView* tabs = new BTabView(BRect(0, 0, 299, 199), "tabs");
	BView* first = new BStringView(BRect(10, 10, 100, 30), "一般", "first");
	BView* second = new BStringView(BRect(10, 10, 100, 30), "Keys", "second");
	tabs->AddTab(first);
	tabs->AddTab(second);
	window->AddChild(tabs);
	window->ShowAndWait();

	window->Lock();
	EXPECT_EQ(tabs->CountTabs(), 2);
	EXPECT_EQ(tabs->Selection(), 0);
	EXPECT_EQ(first->Window(), window);
	EXPECT_EQ(second->Window(), nullptr);
	EXPECT_STREQ(tabs->TabAt(1)->Label(), "Keys");
	EXPECT_EQ(tabs->TabAt(1)->View(), second);
	BRect tab = tabs->TabFrame(1);
	window->Unlock();

	ASSERT_EQ(click(window, BPoint((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2)), B_OK);
	window->Lock();
	EXPECT_EQ(tabs->Selection(), 1);
	EXPECT_EQ(first->Window(), nullptr);
	EXPECT_EQ(second->Window(), window);
	EXPECT_TRUE(tabs->TabAt(1)->IsSelected());
	EXPECT_FALSE(tabs->TabAt(0)->IsSelected());
	tabs->MakeFocus(true);
	window->Unlock();
	ASSERT_EQ(press_key(window, "left"), B_OK);
	window->Lock();
	EXPECT_EQ(tabs->Selection(), 0);
	EXPECT_EQ(first->Window(), window);
	window->Unlock();
	TestWindow::Close(window);
}

TEST(TabView, ArchivesKeepTheTabsAndTheirPages)
{
	BTabView tabs(BRect(0, 0, 299, 199), "tabs");
	tabs.AddTab(new BStringView(BRect(10, 10, 100, 30), "a", "first"));
	tabs.AddTab(new BStringView(BRect(10, 10, 100, 30), "b", "second"));
	tabs.TabAt(1)->SetEnabled(false);
	tabs.Select(1);
	BMessage archive;
	ASSERT_EQ(tabs.Archive(&archive), B_OK);
	std::unique_ptr<BTabView> copy(dynamic_cast<BTabView*>(instantiate_object(&archive)));
	ASSERT_TRUE(copy);
	ASSERT_EQ(copy->CountTabs(), 2);
	EXPECT_EQ(copy->Selection(), 1);
	EXPECT_FALSE(copy->TabAt(1)->IsEnabled());
	EXPECT_STREQ(copy->TabAt(0)->Label(), "a");
	EXPECT_STREQ(static_cast<BStringView*>(copy->ViewForTab(1))->Text(), "second");
	// The container holds only the selected page.
	EXPECT_EQ(copy->ContainerView()->CountChildren(), 1);
	EXPECT_EQ(copy->ContainerView()->ChildAt(0), copy->ViewForTab(1));
}

TEST(TabView, AnArchiveWithAnUnknownWidthOrABadHeightGivesAUsualTabView)
{
	BTabView tabs(BRect(0, 0, 299, 199), "tabs", B_WIDTH_FROM_LABEL);
	BMessage archive;
	ASSERT_EQ(tabs.Archive(&archive), B_OK);
	const float usualHeight = tabs.TabHeight();
	for (int16 width : {int16(-1), int16(3), int16(0x7fff)}) {
		for (float height : {std::numeric_limits<float>::quiet_NaN(), -5.0f, 1e30f}) {
			BMessage hostile(archive);
			hostile.ReplaceInt16("_but_width", width);
			hostile.ReplaceFloat("_high", height);
			std::unique_ptr<BTabView> copy(dynamic_cast<BTabView*>(instantiate_object(&hostile)));
			ASSERT_TRUE(copy);
			EXPECT_EQ(copy->TabWidth(), B_WIDTH_AS_USUAL);
			EXPECT_EQ(copy->TabHeight(), usualHeight);
		}
	}
}

TEST(Alert, GoReturnsThePressedButtonByClickShortcutOrEnter)
{
	Watchdog watchdog;
	struct Case {
		const char* title;
		const char* action;
		int32 expected;
	};
	const Case cases[] = {{"Alert click", "click", 1},
						  {"Alert escape", "escape", 0},
						  {"Alert letter", "d", 2},
						  {"Alert enter", "enter", 2}};
	for (const Case& c : cases) {
		// The thread that makes the alert is the one that waits for it.
		std::promise<BAlert*> made;
		std::future<int32> answer = std::async(std::launch::async, [&made, &c] {
			BAlert* alert = new BAlert(c.title, "保存しますか?\n\nSave?", "Cancel", "Don't save",
									   "Save", B_WIDTH_AS_USUAL, B_WARNING_ALERT);
			alert->SetShortcut(0, B_ESCAPE);
			alert->SetShortcut(2, 'd');
			made.set_value(alert);
			return alert->Go();
		});
		BAlert* alert = made.get_future().get();
		BWindow* shown = wait_for_window(c.title);
		ASSERT_EQ(shown, alert) << c.title;
		alert->Lock();
		EXPECT_EQ(alert->Shortcut(2), 'd');
		EXPECT_STREQ(alert->TextView()->Text(), "保存しますか?\n\nSave?");
		BButton* middle = alert->ButtonAt(1);
		EXPECT_EQ(alert->DefaultButton(), alert->ButtonAt(2));
		alert->Unlock();
		if (strcmp(c.action, "click") == 0) {
			alert->Lock();
			BRect frame = middle->ConvertToParent(middle->Bounds());
			frame = middle->Parent()->ConvertToParent(frame);
			alert->Unlock();
			click(shown, BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2));
		} else {
			press_key(shown, c.action);
		}
		EXPECT_EQ(answer.get(), c.expected) << c.title;
	}
}

TEST(Alert, GoWithAnInvokerAnswersByMessage)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Alert owner");
	window->ShowAndWait();
	BAlert* alert = new BAlert("Alert async", "Text", "One", "Two");
	ASSERT_EQ(alert->Go(new BInvoker(new BMessage('answ'), window)), B_OK);
	BWindow* shown = wait_for_window("Alert async");
	ASSERT_EQ(shown, alert);
	press_key(shown, "enter");
	bool answered = false;
	for (int i = 0; i < 500 && !answered; i++) {
		window->Lock();
		for (const BMessage& message : window->received) {
			int32 which = -1;
			if (message.what == 'answ' && message.FindInt32("which", &which) == B_OK) {
				EXPECT_EQ(which, 1);
				answered = true;
			}
		}
		window->Unlock();
		if (!answered)
			snooze(10000);
	}
	EXPECT_TRUE(answered);
	TestWindow::Close(window);
}

TEST(Alert, ALongTextWrapsToTheAlertsWidth)
{
	Watchdog watchdog;
	std::string japanese;
	for (int i = 0; i < 40; i++)
		japanese += "設定";
	const std::string path =
		"/home/someone/.config/MOZELT/Zorvy/Zorvy_Prefs.arc.unreadable-20250101";
	const std::string words = "Every word of this sentence stays whole when the line is broken.";
	const std::string text = "短い行\n" + japanese + "\n" + path + "\n" + words;
	BAlert* alert = new BAlert("Alert wrap", text.c_str(), "OK");
	ASSERT_TRUE(alert->Lock());
	BTextView* view = alert->TextView();
	std::string shown = view->Text();
	float width = view->TextRect().Width();

	std::vector<std::string> lines;
	size_t start = 0;
	for (size_t end; (end = shown.find('\n', start)) != std::string::npos; start = end + 1)
		lines.push_back(shown.substr(start, end - start));
	lines.push_back(shown.substr(start));
	EXPECT_GT(lines.size(), 6u);
	EXPECT_EQ(lines[0], "短い行");
	for (const std::string& line : lines)
		EXPECT_LE(view->StringWidth(line.c_str()), width) << line;
	// Only line breaks were added, and only the blanks they replaced went.
	auto bare = [](std::string s) {
		s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == '\n' || c == ' '; }),
				s.end());
		return s;
	};
	EXPECT_EQ(bare(shown), bare(text));
	for (const char* word : {"Every", "sentence", "whole", "broken."})
		EXPECT_NE(shown.find(word), std::string::npos) << word;
	EXPECT_GE(alert->Bounds().Height(), view->TextHeight(0, view->CountLines() - 1));
	alert->Quit();
}
