#include "WindowTest.h"

#include <framework/BasicView.h>
#include <framework/BasicWindow.h>

#include <Message.h>
#include <Screen.h>
#include <TabView.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

using namespace BPrivate::headless;

namespace {

class NotedView : public TBasicView {
public:
	explicit NotedView(const char* name)
		: TBasicView(BRect(0, 0, 49, 49), name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
	{}

	virtual void IAPChanged(BMessage* message)
	{
		iapChanged++;
		const char* text = nullptr;
		if (message->FindString("item", &text) == B_OK)
			item = text;
	}
	virtual void LanguageChanged() { languageChanged++; }

	std::atomic<int> iapChanged{0};
	std::atomic<int> languageChanged{0};
	std::string item;
};

class NotedWindow : public TBasicWindow {
public:
	NotedWindow(const char* title, BRect frame = BRect(100, 100, 400, 300))
		: TBasicWindow(frame, title, B_TITLED_WINDOW, B_NOT_RESIZABLE)
	{}

	virtual void IAPChanged(BMessage*) { iapChanged++; }
	virtual void LanguageChanged() { languageChanged++; }

	std::atomic<int> iapChanged{0};
	std::atomic<int> languageChanged{0};
};

TEST(BasicWindow, TheHeadlessScreenEndsAt1024By768)
{
	BRect frame = BScreen(B_MAIN_SCREEN_ID).Frame();
	EXPECT_EQ(frame.right, 1024);
	EXPECT_EQ(frame.bottom, 768);
}

TEST(BasicWindow, IntelligentMoveToKeepsTheWindowOnScreen)
{
	Watchdog watchdog;
	// Bounds 300 wide and 200 high.
	NotedWindow* window = new NotedWindow("Placed");
	show_and_wait(window);
	with_lock(window, [&] {
		EXPECT_EQ(window->IntelligentMoveTo(BPoint(-50, 10)), BPoint(5, 27));
		EXPECT_EQ(window->Frame().LeftTop(), BPoint(5, 27));
		EXPECT_EQ(window->IntelligentMoveTo(BPoint(900, 700)), BPoint(719, 563));
		EXPECT_EQ(window->Frame().LeftTop(), BPoint(719, 563));
		EXPECT_EQ(window->IntelligentMoveTo(BPoint(200, 150)), BPoint(200, 150));

		window->MoveTo(1000, 760);
		EXPECT_EQ(window->IntelligentAdjust(), BPoint(719, 563));
		EXPECT_EQ(window->IntelligentCentering(), BPoint(362, 284));
		EXPECT_EQ(window->Frame().LeftTop(), BPoint(362, 284));
	});
	quit_window(window);
}

TEST(BasicWindow, AWindowLargerThanTheScreenKeepsItsLeftAndTopEdges)
{
	Watchdog watchdog;
	NotedWindow* window = new NotedWindow("Wide", BRect(0, 0, 1200, 900));
	with_lock(window,
			  [&] { EXPECT_EQ(window->IntelligentMoveTo(BPoint(300, 300)), BPoint(5, 27)); });
	quit_window(window);
}

TEST(BasicWindow, TheCloseBoxHidesAndAppearBringsItBack)
{
	Watchdog watchdog;
	NotedWindow* window = new NotedWindow("Closable");
	show_and_wait(window);
	BPoint before = window->Frame().LeftTop();

	ASSERT_EQ(close(window), B_OK);
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_TRUE(window->IsHidden());
	// A second close while hidden is refused as well: the window still runs.
	ASSERT_EQ(close(window), B_OK);
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_TRUE(window->IsHidden());

	window->Appear();
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_FALSE(window->IsHidden());
	EXPECT_TRUE(window->IsActive());
	EXPECT_EQ(window->Frame().LeftTop(), before);
	quit_window(window);
}

TEST(BasicWindow, AppearUndoesNestedHides)
{
	Watchdog watchdog;
	NotedWindow* window = new NotedWindow("Nested");
	show_and_wait(window);
	with_lock(window, [&] {
		window->Hide();
		window->Hide();
	});
	window->Appear();
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_FALSE(window->IsHidden());
	quit_window(window);
}

TEST(BasicWindow, NotificationsReachTheTopBasicView)
{
	Watchdog watchdog;
	NotedWindow* window = new NotedWindow("Notified");
	NotedView* top = new NotedView("top");
	NotedView* second = new NotedView("second");
	window->AddChild(top);
	window->AddChild(second);
	show_and_wait(window);

	BMessage change(MSG_IAP_CHANGED);
	change.AddString("item", "AccFormat");
	ASSERT_EQ(window->PostMessage(&change), B_OK);
	ASSERT_EQ(window->PostMessage(MSG_LANGUAGE_CHANGED), B_OK);
	ASSERT_EQ(sync(window), B_OK);
	ASSERT_EQ(sync(window), B_OK);

	EXPECT_EQ(window->iapChanged, 1);
	EXPECT_EQ(window->languageChanged, 1);
	with_lock(window, [&] {
		EXPECT_EQ(top->iapChanged, 1);
		EXPECT_EQ(top->item, "AccFormat");
		EXPECT_EQ(top->languageChanged, 1);
		EXPECT_EQ(second->iapChanged, 0);
		EXPECT_EQ(second->languageChanged, 0);
	});
	quit_window(window);
}

TEST(BasicWindow, NotificationsStopAtATopViewOfAnotherKind)
{
	Watchdog watchdog;
	NotedWindow* window = new NotedWindow("Plain top");
	BView* plain = new BView(BRect(0, 0, 49, 49), "plain", B_FOLLOW_NONE, 0);
	NotedView* inner = new NotedView("inner");
	plain->AddChild(inner);
	window->AddChild(plain);
	show_and_wait(window);

	ASSERT_EQ(window->PostMessage(MSG_LANGUAGE_CHANGED), B_OK);
	ASSERT_EQ(sync(window), B_OK);
	EXPECT_EQ(window->languageChanged, 1);
	EXPECT_EQ(inner->languageChanged, 0);
	quit_window(window);
}

TEST(BasicView, FindViewExFindsNamedViewsBelowIt)
{
	Watchdog watchdog;
	NotedWindow* window = new NotedWindow("Finding");
	NotedView* top = new NotedView("top");
	BView* box = new BView(BRect(0, 0, 20, 20), "box", B_FOLLOW_NONE, 0);
	BView* deep = new BView(BRect(0, 0, 5, 5), "deep", B_FOLLOW_NONE, 0);
	box->AddChild(deep);
	top->AddChild(box);
	window->AddChild(top);
	with_lock(window, [&] {
		EXPECT_EQ(top->FindViewEx("deep"), deep);
		EXPECT_EQ(top->FindViewEx(box, "deep"), deep);
		EXPECT_EQ(top->FindViewEx("missing"), nullptr);
		EXPECT_EQ(top->FindViewEx(nullptr, "deep"), nullptr);
	});
	quit_window(window);
}

TEST(BasicView, FindViewExLooksIntoTheTabsOfTabViewsBelowIt)
{
	Watchdog watchdog;
	NotedWindow* window = new NotedWindow("Tabs");
	NotedView* top = new NotedView("top");
	top->ResizeTo(299, 199);

	BTabView* tabs = new BTabView(BRect(0, 0, 149, 99), "Tabs");
	BView* first = new BView(BRect(0, 0, 100, 60), "First", B_FOLLOW_NONE, 0);
	BView* second = new BView(BRect(0, 0, 100, 60), "Second", B_FOLLOW_NONE, 0);
	BView* hidden = new BView(BRect(0, 0, 5, 5), "OnSecondPage", B_FOLLOW_NONE, 0);
	second->AddChild(hidden);
	tabs->AddTab(first);
	tabs->AddTab(second);
	top->AddChild(tabs);

	// A tab view one level further down is left to the platform's search.
	BView* plain = new BView(BRect(150, 0, 299, 199), "Plain", B_FOLLOW_NONE, 0);
	BTabView* nested = new BTabView(BRect(0, 0, 140, 99), "Nested");
	BView* nestedFirst = new BView(BRect(0, 0, 100, 60), "NestedFirst", B_FOLLOW_NONE, 0);
	BView* nestedSecond = new BView(BRect(0, 0, 100, 60), "NestedSecond", B_FOLLOW_NONE, 0);
	nestedSecond->AddChild(new BView(BRect(0, 0, 5, 5), "Unreached", B_FOLLOW_NONE, 0));
	nested->AddTab(nestedFirst);
	nested->AddTab(nestedSecond);
	plain->AddChild(nested);
	top->AddChild(plain);
	window->AddChild(top);

	with_lock(window, [&] {
		tabs->Select(0);
		nested->Select(0);
		EXPECT_EQ(top->FindView("OnSecondPage"), nullptr);
		EXPECT_EQ(top->FindViewEx("OnSecondPage"), hidden);
		EXPECT_EQ(top->FindViewEx("Unreached"), nullptr);
	});
	quit_window(window);
}

} // namespace
