#include <Menu.h>

#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include "ControlLook.h"
#include "MenuWindow.h"

#include "ArchiveChecks.h"
#include <algorithm>

BMenu::BMenu(const char* name, menu_layout layout)
	: BView(BRect(0, 0, 0, 0), name, B_FOLLOW_NONE, B_WILL_DRAW), fResizeToFit(true),
	  fLayout(layout)
{
	_InitMenu();
	SetViewColor(ui_color(B_MENU_BACKGROUND_COLOR));
	SetLowColor(ui_color(B_MENU_BACKGROUND_COLOR));
	SetHighColor(ui_color(B_MENU_ITEM_TEXT_COLOR));
}

BMenu::BMenu(BRect frame, const char* name, uint32 resizingMode, uint32 flags, menu_layout layout,
			 bool resizeToFit)
	: BView(frame, name, resizingMode, flags), fResizeToFit(resizeToFit), fLayout(layout)
{
	_InitMenu();
	SetViewColor(ui_color(B_MENU_BACKGROUND_COLOR));
	SetLowColor(ui_color(B_MENU_BACKGROUND_COLOR));
	SetHighColor(ui_color(B_MENU_ITEM_TEXT_COLOR));
}

BMenu::BMenu(BMessage* archive) : BView(archive), fResizeToFit(true), fLayout(B_ITEMS_IN_ROW)
{
	_InitMenu();
	int32 layout;
	if (archive->FindInt32("_layout", &layout) == B_OK && layout >= B_ITEMS_IN_ROW &&
		layout <= B_ITEMS_IN_MATRIX)
		fLayout = menu_layout(layout);
	bool flag;
	if (archive->FindBool("_rsize_to_fit", &flag) == B_OK)
		fResizeToFit = flag;
	if (archive->FindBool("_disable", &flag) == B_OK)
		fEnabled = !flag;
	if (archive->FindBool("_radio", &flag) == B_OK)
		fRadioMode = flag;
	if (archive->FindBool("_trig_disabled", &flag) == B_OK)
		fTriggersEnabled = !flag;
	if (archive->FindBool("_dyn_label", &flag) == B_OK)
		fLabelFromMarked = flag;
	float width;
	if (archive->FindFloat("_maxwidth", &width) == B_OK && BPrivate::archived_length(width))
		fMaxContentWidth = width;
	BMessage itemArchive;
	for (int32 i = 0; archive->FindMessage("_items", i, &itemArchive) == B_OK; i++) {
		BArchivable* object = instantiate_object(&itemArchive);
		BMenuItem* item = dynamic_cast<BMenuItem*>(object);
		if (item != NULL)
			AddItem(item);
		else
			delete object;
	}
}

void
BMenu::_InitMenu()
{
	BPrivate::register_control_classes();
	fSuperitem = NULL;
	fSelected = NULL;
	fOpenItem = NULL;
	fMaxContentWidth = 0;
	fEnabled = true;
	fRadioMode = false;
	fTriggersEnabled = true;
	fLabelFromMarked = false;
	fPressed = false;
	fLayoutValid = false;
}

BMenu::~BMenu()
{
	if (fOpenItem != NULL && fOpenItem->Submenu() != NULL) {
		// The open menu's window must not outlive the menu it reports to.
		BPrivate::MenuWindow* window =
			dynamic_cast<BPrivate::MenuWindow*>(fOpenItem->Submenu()->Window());
		if (window != NULL && window->Lock())
			window->Abandon();
	}
	for (BMenuItem* item : fItems) {
		item->fSuper = NULL;
		delete item;
	}
}

BArchivable*
BMenu::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenu"))
		return NULL;
	return new BMenu(archive);
}

status_t
BMenu::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && fLayout != B_ITEMS_IN_ROW)
		status = archive->AddInt32("_layout", int32(fLayout));
	if (status == B_OK)
		status = archive->AddBool("_rsize_to_fit", fResizeToFit);
	if (status == B_OK)
		status = archive->AddBool("_disable", !fEnabled);
	if (status == B_OK)
		status = archive->AddBool("_radio", fRadioMode);
	if (status == B_OK)
		status = archive->AddBool("_trig_disabled", !fTriggersEnabled);
	if (status == B_OK)
		status = archive->AddBool("_dyn_label", fLabelFromMarked);
	if (status == B_OK)
		status = archive->AddFloat("_maxwidth", fMaxContentWidth);
	if (deep) {
		for (auto it = fItems.begin(); status == B_OK && it != fItems.end(); ++it) {
			BMessage itemArchive;
			status = (*it)->Archive(&itemArchive, true);
			if (status == B_OK)
				status = archive->AddMessage("_items", &itemArchive);
		}
	}
	return status;
}

bool
BMenu::AddItem(BMenuItem* item)
{
	return AddItem(item, CountItems());
}

bool
BMenu::AddItem(BMenuItem* item, int32 index)
{
	if (item == NULL || item->fSuper != NULL || index < 0 || index > CountItems())
		return false;
	fItems.insert(fItems.begin() + index, item);
	item->fSuper = this;
	if (item->IsMarked() && fRadioMode)
		_ItemMarked(item);
	InvalidateLayout();
	return true;
}

bool
BMenu::AddItem(BMenu* menu)
{
	return AddItem(menu, CountItems());
}

bool
BMenu::AddItem(BMenu* menu, int32 index)
{
	if (menu == NULL)
		return false;
	BMenuItem* item = new BMenuItem(menu);
	if (!AddItem(item, index)) {
		item->fSubmenu = NULL;
		menu->fSuperitem = NULL;
		delete item;
		return false;
	}
	return true;
}

bool
BMenu::AddSeparatorItem()
{
	return AddItem(new BSeparatorItem());
}

bool
BMenu::RemoveItem(BMenuItem* item)
{
	auto it = std::find(fItems.begin(), fItems.end(), item);
	if (it == fItems.end())
		return false;
	fItems.erase(it);
	item->fSuper = NULL;
	if (fSelected == item)
		fSelected = NULL;
	InvalidateLayout();
	return true;
}

BMenuItem*
BMenu::RemoveItem(int32 index)
{
	BMenuItem* item = ItemAt(index);
	if (item != NULL)
		RemoveItem(item);
	return item;
}

bool
BMenu::RemoveItems(int32 index, int32 count, bool deleteItems)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	for (int32 i = 0; i < count; i++) {
		BMenuItem* item = RemoveItem(index);
		if (deleteItems)
			delete item;
	}
	return true;
}

bool
BMenu::RemoveItem(BMenu* menu)
{
	int32 index = IndexOf(menu);
	if (index < 0)
		return false;
	delete RemoveItem(index);
	return true;
}
