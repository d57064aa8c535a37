#include "../InterfaceTest.h"

#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>

#include <headless/HeadlessDisplay.h>

#include <cmath>
#include <cstring>
#include <memory>

using namespace BPrivate::headless;

namespace {

// A window with a menu field of three choices (the third disabled) at (10,10)-(209,33) and the
// pop-up menu named "Modes".
struct MenuScene {
	TestWindow* window;
	BMenuField* field;
	BPopUpMenu* menu;

	explicit MenuScene(const char* title)
	{
		window = new TestWindow(title, BRect(100, 100, 399, 299));
		menu = new BPopUpMenu("Modes");
		menu->AddItem(new BMenuItem("ローマ字入力", new BMessage('roma')));
		menu->AddItem(new BMenuItem("かな入力", new BMessage('kana')));
		menu->AddSeparatorItem();
		BMenuItem* off = new BMenuItem("Off", new BMessage('off '));
		off->SetEnabled(false);
		menu->AddItem(off);
		menu->ItemAt(0)->SetMarked(true);
		field = new BMenuField(BRect(10, 10, 209, 33), "field", "Mode", menu);
		field->SetDivider(90);
		window->AddChild(field);
		window->ShowAndWait();
	}

	~MenuScene() { TestWindow::Close(window); }

	// The open menu's window, and the middle of one of its items in its coordinates.
	BWindow* OpenMenu(BPoint* itemMiddle = NULL, int32 index = 0)
	{
		BWindow* menuWindow = wait_for_window("Modes");
		if (menuWindow != NULL && itemMiddle != NULL) {
			menuWindow->Lock();
			BRect frame = menu->ItemAt(index)->Frame();
			menuWindow->Unlock();
			*itemMiddle = BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
		}
		return menuWindow;
	}

	std::vector<BMessage> Take(uint32 what)
	{
		std::vector<BMessage> result;
		std::vector<BMessage> rest;
		window->Lock();
		for (const BMessage& message : window->received)
			(message.what == what ? result : rest).push_back(message);
		window->received = rest;
		window->Unlock();
		return result;
	}

	// Waits until the menu's window has gone and the field has heard of it.
	bool MenuClosed(BWindow* menuWindow)
	{
		BPrivate::HeadlessDisplay* display = BPrivate::HeadlessDisplay::Get();
		for (int i = 0; i < 500 && display->IsShown(menuWindow); i++)
			snooze(10000);
		if (display->IsShown(menuWindow) || sync(window) != B_OK)
			return false;
		window->Lock();
		bool closed = menu->Window() == NULL;
		window->Unlock();
		return closed;
	}
};

} // namespace

TEST(MenuField, AClickOpensTheMenuBelowTheFieldAndAClickChooses)
{
	Watchdog watchdog;
	MenuScene scene("Menu click");
	window_look look;
	{
		scene.window->Lock();
		EXPECT_STREQ(scene.field->MenuItem()->Label(), "ローマ字入力");
		EXPECT_EQ(scene.field->Divider(), 90.0f);
		EXPECT_EQ(scene.field->MenuBar()->Frame().left, 91.0f);
		scene.window->Unlock();
	}
	ASSERT_EQ(click(scene.window, BPoint(150, 20)), B_OK);
	BPoint middle;
	BWindow* menuWindow = scene.OpenMenu(&middle, 1);
	ASSERT_NE(menuWindow, nullptr);
	look = menuWindow->Look();
	EXPECT_EQ(look, B_NO_BORDER_WINDOW_LOOK);
	// Right below the field's bar, at least as wide.
	BRect frame = menuWindow->Frame();
	EXPECT_EQ(frame.left, 100 + 10 + 91.0f);
	EXPECT_EQ(frame.top, 100 + 10 + 2 + 21 - 2 + 1.0f);
	scene.window->Lock();
	EXPECT_GE(frame.Width(), scene.field->MenuBar()->Bounds().Width());
	scene.window->Unlock();

	click(menuWindow, middle);
	ASSERT_TRUE(scene.MenuClosed(menuWindow));
	std::vector<BMessage> chosen = scene.Take('kana');
	ASSERT_EQ(chosen.size(), 1u);
	int32 index = -1;
	EXPECT_EQ(chosen[0].FindInt32("index", &index), B_OK);
	EXPECT_EQ(index, 1);
	int64 when = 0;
	EXPECT_EQ(chosen[0].FindInt64("when", &when), B_OK);
	void* source = NULL;
	EXPECT_EQ(chosen[0].FindPointer("source", &source), B_OK);
	scene.window->Lock();
	EXPECT_EQ(source, scene.menu->ItemAt(1));
	EXPECT_EQ(scene.menu->FindMarked(), scene.menu->ItemAt(1));
	EXPECT_FALSE(scene.menu->ItemAt(0)->IsMarked());
	EXPECT_STREQ(scene.field->MenuItem()->Label(), "かな入力");
	EXPECT_EQ(scene.menu->Superitem(), scene.field->MenuItem());
	EXPECT_EQ(scene.menu->Supermenu(), scene.field->MenuBar());
	scene.window->Unlock();
	EXPECT_TRUE(scene.Take('roma').empty());
}

TEST(MenuField, TheKeyboardOpensMovesAndChooses)
{
	Watchdog watchdog;
	MenuScene scene("Menu keys");
	scene.window->Lock();
	scene.field->MakeFocus(true);
	scene.window->Unlock();
	ASSERT_EQ(press_key(scene.window, "space"), B_OK);
	BWindow* menuWindow = scene.OpenMenu();
	ASSERT_NE(menuWindow, nullptr);
	// From the marked item down; the separator and the disabled item are passed over.
	ASSERT_EQ(press_key(menuWindow, "down"), B_OK);
	ASSERT_EQ(press_key(menuWindow, "down"), B_OK);
	ASSERT_EQ(press_key(menuWindow, "down"), B_OK);
	press_key(menuWindow, "enter");
	ASSERT_TRUE(scene.MenuClosed(menuWindow));
	EXPECT_EQ(scene.Take('kana').size(), 1u);
	EXPECT_TRUE(scene.Take('roma').empty());
	scene.window->Lock();
	EXPECT_EQ(scene.menu->FindMarkedIndex(), 1);
	scene.window->Unlock();

	// Escape closes without a choice.
	ASSERT_EQ(press_key(scene.window, "down"), B_OK);
	menuWindow = scene.OpenMenu();
	ASSERT_NE(menuWindow, nullptr);
	ASSERT_EQ(press_key(menuWindow, "up"), B_OK);
	press_key(menuWindow, "escape");
	ASSERT_TRUE(scene.MenuClosed(menuWindow));
	EXPECT_TRUE(scene.Take('roma').empty());
	EXPECT_TRUE(scene.Take('kana').empty());
	scene.window->Lock();
	EXPECT_EQ(scene.menu->FindMarkedIndex(), 1);
	scene.window->Unlock();
}

TEST(MenuField, AClickOutsideClosesAndADisabledFieldStaysShut)
{
	Watchdog watchdog;
	MenuScene scene("Menu outside");
	ASSERT_EQ(click(scene.window, BPoint(150, 20)), B_OK);
	BWindow* menuWindow = scene.OpenMenu();
	ASSERT_NE(menuWindow, nullptr);
	ASSERT_EQ(click(scene.window, BPoint(250, 180)), B_OK);
	ASSERT_TRUE(scene.MenuClosed(menuWindow));
	EXPECT_TRUE(scene.window->IsActive());

	scene.window->Lock();
	scene.field->SetEnabled(false);
	EXPECT_FALSE(scene.field->IsEnabled());
	scene.window->Unlock();
	ASSERT_EQ(click(scene.window, BPoint(150, 20)), B_OK);
	EXPECT_TRUE(scene.Take('roma').empty());
}

TEST(MenuField, ItemsSentToAChosenTarget)
{
	Watchdog watchdog;
	MenuScene scene("Menu target");
	RecordingView* target = new RecordingView(BRect(10, 100, 49, 139), "target");
	scene.window->Lock();
	scene.window->AddChild(target);
	EXPECT_EQ(scene.menu->SetTargetForItems(target), B_OK);
	scene.window->Unlock();
	ASSERT_EQ(click(scene.window, BPoint(150, 20)), B_OK);
	BPoint middle;
	BWindow* menuWindow = scene.OpenMenu(&middle, 0);
	ASSERT_NE(menuWindow, nullptr);
	click(menuWindow, middle);
	ASSERT_TRUE(scene.MenuClosed(menuWindow));
	scene.window->Lock();
	std::vector<Seen> messages = target->Take("message");
	ASSERT_EQ(messages.size(), 1u);
	EXPECT_EQ(messages[0].message.what, uint32('roma'));
	scene.window->Unlock();
}

TEST(Menu, ItemsMarksAndLookUps)
{
	BPopUpMenu menu("m");
	EXPECT_TRUE(menu.IsRadioMode());
	EXPECT_TRUE(menu.IsLabelFromMarked());
	BMenuItem* a = new BMenuItem("a", new BMessage('aaaa'));
	BMenuItem* b = new BMenuItem("b", new BMessage('bbbb'));
	BMenu* sub = new BMenu("sub");
	EXPECT_TRUE(menu.AddItem(a));
	EXPECT_TRUE(menu.AddItem(b));
	EXPECT_TRUE(menu.AddItem(sub));
	EXPECT_FALSE(menu.AddItem(a));
	EXPECT_EQ(menu.CountItems(), 3);
	EXPECT_EQ(menu.IndexOf(b), 1);
	EXPECT_EQ(menu.IndexOf(sub), 2);
	EXPECT_EQ(menu.SubmenuAt(2), sub);
	EXPECT_EQ(sub->Supermenu(), &menu);
	EXPECT_EQ(menu.FindItem('bbbb'), b);
	EXPECT_EQ(menu.FindItem("sub"), menu.ItemAt(2));
	EXPECT_EQ(menu.FindMarked(), nullptr);
	b->SetMarked(true);
	a->SetMarked(true);
	EXPECT_FALSE(b->IsMarked());
	EXPECT_EQ(menu.FindMarkedIndex(), 0);
	menu.SetRadioMode(false);
	b->SetMarked(true);
	EXPECT_TRUE(a->IsMarked());
	EXPECT_EQ(menu.RemoveItem(int32(0)), a);
	EXPECT_EQ(a->Menu(), nullptr);
	delete a;
	EXPECT_EQ(menu.CountItems(), 2);
	BSeparatorItem separator;
	separator.SetEnabled(true);
	EXPECT_FALSE(separator.IsEnabled());
}

TEST(MenuField, AFieldWhoseMenuFitsItsChoiceShowsAllOfIt)
{
	MenuScene scene("Fitting field");
	scene.window->Lock();
	BMenuBar* bar = scene.field->MenuBar();
	// Marking a longer choice widens the bar, and the field with it, from the same divider.
	scene.menu->ItemAt(1)->SetLabel("かな入力（長いラベル）");
	scene.menu->ItemAt(1)->SetMarked(true);
	float wide = bar->Bounds().Width();
	EXPECT_GE(wide, std::ceil(bar->StringWidth("かな入力（長いラベル）")) + 20);
	EXPECT_EQ(bar->Frame().left, 91);
	EXPECT_EQ(scene.field->Bounds().right, bar->Frame().right + 2);
	// A shorter choice narrows both again.
	scene.menu->ItemAt(0)->SetMarked(true);
	EXPECT_LT(bar->Bounds().Width(), wide);
	EXPECT_EQ(scene.field->Bounds().right, bar->Frame().right + 2);
	// A field of fixed size keeps its width whatever it shows.
	BPopUpMenu* menu = new BPopUpMenu("Fixed");
	menu->AddItem(new BMenuItem("A choice far longer than the field", NULL));
	menu->ItemAt(0)->SetMarked(true);
	BMenuField* fixed = new BMenuField(BRect(10, 50, 109, 73), "fixed", "F", menu, true);
	scene.window->AddChild(fixed);
	fixed->SetDivider(20);
	EXPECT_EQ(fixed->Bounds().Width(), 99);
	EXPECT_LE(fixed->MenuBar()->Frame().right, fixed->Bounds().right);
	scene.window->Unlock();
}
