#include <Menu.h>

#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include "ControlLook.h"
#include "MenuWindow.h"

#include <algorithm>
#include <cmath>

using BPrivate::MenuWindow;

namespace {

const float kColumnMarkSpace = 18;
const float kColumnRightMargin = 12;
const float kRowItemMargin = 8;
const float kItemVerticalPad = 4;

} // namespace

void
BMenu::AttachedToWindow()
{
	BView::AttachedToWindow();
	InvalidateLayout();
}

void
BMenu::InvalidateLayout()
{
	fLayoutValid = false;
	Invalidate();
}

void
BMenu::_Layout()
{
	if (fLayoutValid)
		return;
	fLayoutValid = true;
	BRect bounds = Bounds();
	if (fLayout == B_ITEMS_IN_ROW) {
		float x = 0;
		for (BMenuItem* item : fItems) {
			float width = 0;
			item->GetContentSize(&width, NULL);
			float itemWidth = std::ceil(width) + 2 * kRowItemMargin;
			item->fBounds = BRect(x, bounds.top, x + itemWidth - 1, bounds.bottom);
			x += itemWidth;
		}
		return;
	}
	float widest = 0;
	for (BMenuItem* item : fItems) {
		float width = 0;
		item->GetContentSize(&width, NULL);
		widest = std::max(widest, std::ceil(width));
	}
	float right = std::max(bounds.right - 1, widest + kColumnMarkSpace + kColumnRightMargin);
	float y = 1;
	for (BMenuItem* item : fItems) {
		float height = 0;
		item->GetContentSize(NULL, &height);
		float itemHeight = std::ceil(height) + kItemVerticalPad;
		item->fBounds = BRect(1, y, right, y + itemHeight - 1);
		y += itemHeight;
	}
}

void
BMenu::GetPreferredSize(float* width, float* height)
{
	fLayoutValid = false;
	_Layout();
	float w = 0;
	float h = 0;
	if (fLayout == B_ITEMS_IN_ROW) {
		if (!fItems.empty())
			w = fItems.back()->fBounds.right;
		h = BPrivate::line_height(this) + kItemVerticalPad;
	} else {
		float widest = 0;
		for (BMenuItem* item : fItems) {
			float itemWidth = 0;
			item->GetContentSize(&itemWidth, NULL);
			widest = std::max(widest, std::ceil(itemWidth));
		}
		w = widest + kColumnMarkSpace + kColumnRightMargin + 2;
		h = fItems.empty() ? 4 : fItems.back()->fBounds.bottom + 2;
	}
	fLayoutValid = false;
	if (width != NULL)
		*width = w;
	if (height != NULL)
		*height = h;
}

void
BMenu::Draw(BRect)
{
	_Layout();
	BRect bounds = Bounds();
	SetHighColor(ViewColor());
	FillRect(bounds);
	for (BMenuItem* item : fItems)
		item->Draw();
	if (fLayout != B_ITEMS_IN_ROW) {
		SetHighColor(tint_color(ui_color(B_MENU_BACKGROUND_COLOR), B_DARKEN_3_TINT));
		StrokeRect(bounds);
	}
}

BMenuItem*
BMenu::_ItemAt(BPoint where) const
{
	const_cast<BMenu*>(this)->_Layout();
	for (BMenuItem* item : fItems) {
		if (item->fBounds.Contains(where))
			return item;
	}
	return NULL;
}

void
BMenu::_Select(BMenuItem* item)
{
	if (item == fSelected)
		return;
	if (fSelected != NULL)
		fSelected->fSelected = false;
	fSelected = item;
	if (item != NULL)
		item->fSelected = true;
	Invalidate();
}

BMenuItem*
BMenu::_Selected() const
{
	return fSelected;
}

void
BMenu::_SelectNext(int32 direction)
{
	int32 count = CountItems();
	if (count == 0)
		return;
	int32 index = IndexOf(fSelected);
	for (int32 step = 0; step < count; step++) {
		if (index < 0)
			index = direction > 0 ? 0 : count - 1;
		else
			index = (index + direction + count) % count;
		BMenuItem* item = ItemAt(index);
		if (item->IsEnabled() && dynamic_cast<BSeparatorItem*>(item) == NULL) {
			_Select(item);
			return;
		}
	}
}

void
BMenu::MouseDown(BPoint where)
{
	fPressed = true;
	BMenuItem* item = _ItemAt(where);
	if (item != NULL && item->IsEnabled())
		_Select(item);
}

void
BMenu::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (dynamic_cast<MenuWindow*>(Window()) == NULL)
		return;
	BMenuItem* item = _ItemAt(where);
	if (item != NULL && item->IsEnabled() && dynamic_cast<BSeparatorItem*>(item) == NULL)
		_Select(item);
}

void
BMenu::MouseUp(BPoint where)
{
	fPressed = false;
	if (dynamic_cast<MenuWindow*>(Window()) == NULL)
		return;
	BMenuItem* item = _ItemAt(where);
	if (item == NULL || !item->IsEnabled() || dynamic_cast<BSeparatorItem*>(item) != NULL)
		return;
	BMessage close(BPrivate::kMenuCloseCode);
	close.AddInt32("index", IndexOf(item));
	Window()->PostMessage(&close);
}

void
BMenu::KeyDown(const char* bytes, int32 numBytes)
{
	if (dynamic_cast<MenuWindow*>(Window()) == NULL || numBytes != 1) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	BMessage close(BPrivate::kMenuCloseCode);
	switch (bytes[0]) {
	case B_UP_ARROW:
		_SelectNext(-1);
		return;
	case B_DOWN_ARROW:
		_SelectNext(1);
		return;
	case B_ENTER:
	case B_SPACE:
		if (fSelected == NULL)
			return;
		close.AddInt32("index", IndexOf(fSelected));
		break;
	case B_ESCAPE:
		close.AddInt32("index", -1);
		break;
	default:
		return;
	}
	Window()->PostMessage(&close);
}

void
BMenu::MessageReceived(BMessage* message)
{
	if (message->what != BPrivate::kMenuClosedCode) {
		BView::MessageReceived(message);
		return;
	}
	BMenuItem* item = fOpenItem;
	fOpenItem = NULL;
	int32 index;
	if (message->FindInt32("index", &index) != B_OK)
		index = -1;
	_Select(NULL);
	_SubmenuClosed();
	if (item != NULL && item->Submenu() != NULL && index >= 0)
		item->Submenu()->_Choose(index);
}

void
BMenu::_Choose(int32 index)
{
	_Select(NULL);
	BMenuItem* item = ItemAt(index);
	if (item == NULL || !item->IsEnabled() || item->Submenu() != NULL)
		return;
	item->Invoke();
}

void
BMenu::_OpenSubmenu(BMenuItem* item, BPoint screenWhere, float minWidth)
{
	BMenu* submenu = item != NULL ? item->Submenu() : NULL;
	if (submenu == NULL || fOpenItem != NULL || Window() == NULL || !submenu->IsEnabled())
		return;
	fOpenItem = item;
	Window()->MenusBeginning();
	// The choice the menu holds is where the keyboard starts.
	submenu->_Select(submenu->FindMarked());
	minWidth = std::max(minWidth, item->Frame().Width());
	MenuWindow* window = new MenuWindow(submenu, BMessenger(this), screenWhere, minWidth);
	window->Show();
	Invalidate();
}

bool
BMenu::_IsSubmenuOpen() const
{
	return fOpenItem != NULL;
}

void
BMenu::_SubmenuClosed()
{
	if (Window() != NULL)
		Window()->MenusEnded();
	Invalidate();
}
