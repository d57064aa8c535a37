#include <Menu.h>

#include <MenuItem.h>
#include <Window.h>

#include <algorithm>

BMenuItem*
BMenu::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return NULL;
	return fItems[size_t(index)];
}

BMenu*
BMenu::SubmenuAt(int32 index) const
{
	BMenuItem* item = ItemAt(index);
	return item != NULL ? item->Submenu() : NULL;
}

int32
BMenu::CountItems() const
{
	return int32(fItems.size());
}

int32
BMenu::IndexOf(BMenuItem* item) const
{
	auto it = std::find(fItems.begin(), fItems.end(), item);
	return it == fItems.end() ? -1 : int32(it - fItems.begin());
}

int32
BMenu::IndexOf(BMenu* menu) const
{
	for (size_t i = 0; i < fItems.size(); i++) {
		if (menu != NULL && fItems[i]->Submenu() == menu)
			return int32(i);
	}
	return -1;
}

BMenuItem*
BMenu::FindItem(uint32 command) const
{
	for (BMenuItem* item : fItems) {
		if (item->Message() != NULL && item->Command() == command)
			return item;
		if (item->Submenu() != NULL) {
			if (BMenuItem* found = item->Submenu()->FindItem(command))
				return found;
		}
	}
	return NULL;
}

BMenuItem*
BMenu::FindItem(const char* label) const
{
	if (label == NULL)
		return NULL;
	for (BMenuItem* item : fItems) {
		if (item->fLabel == label)
			return item;
		if (item->Submenu() != NULL) {
			if (BMenuItem* found = item->Submenu()->FindItem(label))
				return found;
		}
	}
	return NULL;
}

status_t
BMenu::SetTargetForItems(BHandler* target)
{
	status_t status = B_OK;
	for (BMenuItem* item : fItems) {
		status = item->SetTarget(target);
		if (status != B_OK)
			break;
	}
	return status;
}

status_t
BMenu::SetTargetForItems(BMessenger messenger)
{
	status_t status = B_OK;
	for (BMenuItem* item : fItems) {
		status = item->SetTarget(messenger);
		if (status != B_OK)
			break;
	}
	return status;
}

void
BMenu::SetEnabled(bool enabled)
{
	if (fEnabled == enabled)
		return;
	fEnabled = enabled;
	Invalidate();
}

void
BMenu::SetRadioMode(bool on)
{
	fRadioMode = on;
	if (!on)
		fLabelFromMarked = false;
}

void
BMenu::SetTriggersEnabled(bool enabled)
{
	fTriggersEnabled = enabled;
}

void
BMenu::SetMaxContentWidth(float maxWidth)
{
	fMaxContentWidth = maxWidth;
}

void
BMenu::SetLabelFromMarked(bool on)
{
	fLabelFromMarked = on;
	if (on)
		fRadioMode = true;
}

bool
BMenu::IsLabelFromMarked()
{
	return fLabelFromMarked;
}

bool
BMenu::IsEnabled() const
{
	if (!fEnabled)
		return false;
	BMenu* super = Supermenu();
	return super == NULL || super->IsEnabled();
}

bool
BMenu::IsRadioMode() const
{
	return fRadioMode;
}

bool
BMenu::AreTriggersEnabled() const
{
	return fTriggersEnabled;
}

float
BMenu::MaxContentWidth() const
{
	return fMaxContentWidth;
}

BMenuItem*
BMenu::FindMarked()
{
	for (BMenuItem* item : fItems) {
		if (item->IsMarked())
			return item;
	}
	return NULL;
}

int32
BMenu::FindMarkedIndex()
{
	return IndexOf(FindMarked());
}

BMenu*
BMenu::Supermenu() const
{
	return fSuperitem != NULL ? fSuperitem->Menu() : NULL;
}

BMenuItem*
BMenu::Superitem() const
{
	return fSuperitem;
}

menu_layout
BMenu::Layout() const
{
	return fLayout;
}

void
BMenu::_ItemMarked(BMenuItem* item)
{
	if (fRadioMode) {
		for (BMenuItem* other : fItems) {
			if (other != item && other->fMarked) {
				other->fMarked = false;
				Invalidate();
			}
		}
	}
	if (fLabelFromMarked && fSuperitem != NULL)
		fSuperitem->SetLabel(item->Label());
}

BWindow*
BMenu::_RootWindow() const
{
	const BMenu* menu = this;
	while (menu->Supermenu() != NULL)
		menu = menu->Supermenu();
	return menu->Window();
}
