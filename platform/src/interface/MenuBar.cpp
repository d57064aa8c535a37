#include <MenuBar.h>

#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include "ControlLook.h"

BMenuBar::BMenuBar(BRect frame, const char* name, uint32 resizingMode, menu_layout layout,
				   bool resizeToFit)
	: BMenu(frame, name, resizingMode, B_WILL_DRAW | B_FRAME_EVENTS, layout, resizeToFit),
	  fBorder(B_BORDER_FRAME)
{}

BMenuBar::BMenuBar(BMessage* archive) : BMenu(archive), fBorder(B_BORDER_FRAME)
{
	int32 border;
	if (archive->FindInt32("_border", &border) == B_OK && border >= B_BORDER_FRAME &&
		border <= B_BORDER_EACH_ITEM)
		fBorder = menu_bar_border(border);
}

BMenuBar::~BMenuBar() {}

BArchivable*
BMenuBar::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenuBar"))
		return NULL;
	return new BMenuBar(archive);
}

status_t
BMenuBar::Archive(BMessage* archive, bool deep) const
{
	status_t status = BMenu::Archive(archive, deep);
	if (status == B_OK && fBorder != B_BORDER_FRAME)
		status = archive->AddInt32("_border", int32(fBorder));
	return status;
}

void
BMenuBar::Draw(BRect updateRect)
{
	BMenu::Draw(updateRect);
	if (fBorder == B_BORDER_FRAME) {
		BRect bounds = Bounds();
		SetHighColor(tint_color(ViewColor(), B_DARKEN_2_TINT));
		StrokeLine(bounds.LeftBottom(), bounds.RightBottom());
	}
}

void
BMenuBar::MouseDown(BPoint where)
{
	if (!IsEnabled() || _IsSubmenuOpen())
		return;
	BMenuItem* item = _ItemAt(where);
	if (item == NULL || !item->IsEnabled())
		return;
	if (item->Submenu() == NULL) {
		_Select(NULL);
		item->Invoke();
		return;
	}
	_Select(item);
	_OpenSubmenu(item, ConvertToScreen(BPoint(item->Frame().left, Bounds().bottom + 1)));
}

void
BMenuBar::MouseUp(BPoint)
{}

void
BMenuBar::MouseMoved(BPoint, uint32, const BMessage*)
{}

void
BMenuBar::SetBorder(menu_bar_border border)
{
	fBorder = border;
	Invalidate();
}

menu_bar_border
BMenuBar::Border() const
{
	return fBorder;
}

void
BMenuBar::OpenItem(int32 index)
{
	BMenuItem* item = ItemAt(index);
	if (item == NULL || item->Submenu() == NULL || !IsEnabled() || _IsSubmenuOpen())
		return;
	_Layout();
	_Select(item);
	_OpenSubmenu(item, ConvertToScreen(BPoint(item->Frame().left, Bounds().bottom + 1)));
}
