// The helpers that empty a menu field and aim every item of a menu tree at one handler.
#include <util/UIHelpers.h>

#include <Handler.h>
#include <Looper.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Messenger.h>
#include <PopUpMenu.h>

#include <gtest/gtest.h>

TEST(MenuHelpers, DeletingAMenuFieldsItemsLeavesAnEmptyMenu)
{
	BMenuField field(BRect(0, 0, 150, 23), "MField", "Mode:", new BPopUpMenu("Menu"));
	for (const char* label : {"one", "two", "three"})
		field.Menu()->AddItem(new BMenuItem(label, new BMessage('pick')));
	field.Menu()->AddSeparatorItem();
	delete_mfield_mitems(&field);
	EXPECT_EQ(field.Menu()->CountItems(), 0);
	// No field is left alone.
	delete_mfield_mitems(nullptr);
}

TEST(MenuHelpers, EveryItemOfTheTreeGetsTheTarget)
{
	BLooper* looper = new BLooper("target");
	BHandler* handler = new BHandler("handler");
	looper->Lock();
	looper->AddHandler(handler);
	looper->Unlock();

	BMenu menu("top");
	BMenu* inner = new BMenu("inner");
	BMenu* innermost = new BMenu("innermost");
	innermost->AddItem(new BMenuItem("deep", new BMessage('deep')));
	inner->AddItem(new BMenuItem(innermost));
	inner->AddItem(new BMenuItem("middle", new BMessage('midl')));
	menu.AddItem(new BMenuItem("first", new BMessage('frst')));
	menu.AddItem(new BMenuItem(inner));

	EXPECT_EQ(set_target_for_items(&menu, handler), B_OK);
	const BMenuItem* items[] = {menu.ItemAt(0), menu.ItemAt(1), inner->ItemAt(0), inner->ItemAt(1),
								innermost->ItemAt(0)};
	for (const BMenuItem* item : items) {
		SCOPED_TRACE(item->Label());
		EXPECT_EQ(item->Target(), handler);
	}
	EXPECT_EQ(set_target_for_items(nullptr, handler), B_OK);

	looper->Lock();
	looper->RemoveHandler(handler);
	delete handler;
	looper->Quit();
}
