#include <MenuItem.h>

#include <Menu.h>
#include <Message.h>

#include <cmath>

BSeparatorItem::BSeparatorItem() : BMenuItem("", NULL)
{
	BMenuItem::SetEnabled(false);
}

BSeparatorItem::BSeparatorItem(BMessage* archive) : BMenuItem(archive)
{
	BMenuItem::SetEnabled(false);
}

BSeparatorItem::~BSeparatorItem() {}

BArchivable*
BSeparatorItem::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BSeparatorItem"))
		return NULL;
	return new BSeparatorItem(archive);
}

status_t
BSeparatorItem::Archive(BMessage* archive, bool deep) const
{
	return BMenuItem::Archive(archive, deep);
}

void
BSeparatorItem::SetEnabled(bool)
{}

void
BSeparatorItem::GetContentSize(float* width, float* height)
{
	if (width != NULL)
		*width = 2;
	if (height != NULL)
		*height = 4;
}

void
BSeparatorItem::Draw()
{
	BMenu* menu = Menu();
	if (menu == NULL)
		return;
	BRect frame = Frame();
	float middle = std::floor((frame.top + frame.bottom) / 2);
	rgb_color base = ui_color(B_MENU_BACKGROUND_COLOR);
	menu->SetHighColor(menu->ViewColor());
	menu->FillRect(frame);
	menu->BeginLineArray(2);
	menu->AddLine(BPoint(frame.left + 1, middle), BPoint(frame.right - 1, middle),
				  tint_color(base, B_DARKEN_2_TINT));
	menu->AddLine(BPoint(frame.left + 1, middle + 1), BPoint(frame.right - 1, middle + 1),
				  ui_color(B_SHINE_COLOR));
	menu->EndLineArray();
}
