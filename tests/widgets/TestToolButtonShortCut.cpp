#include "WidgetTest.h"

#include <framework/DialogView.h>
#include <framework/DialogWindow.h>

#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>

using namespace BPrivate::headless;

TEST(ToolButtonShortCut, ControlAndTheLabelLetterSwitchesOnAndInvokesWithoutFocus)
{
	Watchdog watchdog;
	TDialogWindow* window = new TDialogWindow(BRect(100, 100, 399, 199), "Tool shortcut",
											  B_TITLED_WINDOW, B_NOT_RESIZABLE);
	TDialogView* view = new TDialogView(BRect(0, 0, 299, 99), "Dialog", B_FOLLOW_ALL, B_WILL_DRAW);
	TToolBar* bar = new TToolBar(BRect(0, 0, 10, 10), "bar", B_FOLLOW_LEFT_RIGHT);
	TToolButton* half = new TToolButton(BRect(0, 0, 1, 1), "half", NULL, "Half(H)",
										new BMessage('half'), TOOL_BUTTON_TOGGLE);
	TToolButton* full = new TToolButton(BRect(0, 0, 1, 1), "full", NULL, "Full(F)",
										new BMessage('full'), TOOL_BUTTON_TOGGLE);
	bar->AddItem(half);
	bar->AddItem(full);
	half->SetRadioMode(true);
	half->SetValue(1);
	view->AddChild(bar);
	window->AddChild(view);
	TestWindow* records = new TestWindow("Tool shortcut target");
	half->SetTarget(records);
	full->SetTarget(records);
	records->ShowAndWait();
	window->Show();
	ASSERT_EQ(wait_for_window("Tool shortcut"), window);
	ASSERT_EQ(sync(window), B_OK);

	ASSERT_EQ(press_key(window, "f", modifier_bits("control")), B_OK);
	ASSERT_EQ(sync(window), B_OK);
	ASSERT_EQ(sync(records), B_OK);
	EXPECT_EQ(records->Take('full').size(), 1u);
	window->Lock();
	EXPECT_EQ(full->Value(), 1);
	EXPECT_EQ(half->Value(), 0);
	EXPECT_FALSE(full->IsFocus());
	// A disabled bar does not answer either.
	bar->SetEnabled(false);
	window->Unlock();
	ASSERT_EQ(press_key(window, "h", modifier_bits("control")), B_OK);
	ASSERT_EQ(sync(window), B_OK);
	ASSERT_EQ(sync(records), B_OK);
	EXPECT_TRUE(records->Take('half').empty());

	TestWindow::Close(records);
	TestWindow::Close(window);
}
