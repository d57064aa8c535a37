#ifndef ZORVY_TESTS_PAGE_TEST_H
#define ZORVY_TESTS_PAGE_TEST_H

// Shared by the tests of the settings pages: a page alone in a dialog window on the headless
// display, as the main window shows it, with the input method's port listening in a fresh
// runtime folder and a watchdog that ends a hung test.

#include "Watchdog.h"

#include <app/ItemView.h>
#include <app/Prefs.h>
#include <framework/DialogWindow.h>

#include <Message.h>
#include <OS.h>
#include <View.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class BControl;
class BMenuField;

class PageTest : public testing::Test {
protected:
	void SetUp() override;
	void TearDown() override;

	// Puts the page, built from gPrefs as it is now, into a new window and shows it.
	void Open(TItemView* page);
	// Takes the page out of its window and puts it back, as switching categories does.
	void Reattach();

	void Locked(const std::function<void()>& function);

	template <class T>
	T* Child(const char* name)
	{
		T* child = NULL;
		Locked([&] { child = dynamic_cast<T*>(mPage->FindView(name)); });
		EXPECT_NE(child, nullptr) << name;
		return child;
	}

	// The control's value, read under the window's lock; -1 when there is no such control.
	int32 Value(BControl* control);
	int32 Value(const char* name);

	// The middle of the view in window coordinates.
	BPoint Middle(BView* view);
	void Click(BView* view);
	void ControlKey(const char* key);
	// Opens the menu field's pop-up with a click and clicks the item at the index.
	void Choose(BMenuField* field, int32 index);

	// The records delivered so far, each decoded; waits a moment for the first.
	std::vector<BMessage> Bodies();
	// The one record the last action delivered; a failure when there were more or none.
	BMessage OneBody();
	bool NothingDelivered();

	std::unique_ptr<Watchdog> mWatchdog;
	std::string mFolder;
	TPrefs mSavedPrefs;
	std::string mSavedFormat;
	port_id mPort = -1;
	TDialogWindow* mWindow = NULL;
	TItemView* mPage = NULL;
};

#endif
