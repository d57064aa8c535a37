#include "MenuFieldBar.h"

#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include "ControlLook.h"

#include <algorithm>
#include <cmath>

_BMCMenuBar_::_BMCMenuBar_(BRect frame, bool fixedSize, BMenuField*)
	: BMenuBar(frame, "_mc_mb_", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_ITEMS_IN_ROW, !fixedSize)
{
	_InitBar();
	SetBorder(B_BORDER_CONTENTS);
	MovePenTo(B_ORIGIN);
	SetMaxContentWidth(std::max(0.0f, frame.Width() - 19));
}

_BMCMenuBar_::_BMCMenuBar_(BMessage* archive) : BMenuBar(archive)
{
	_InitBar();
}

void
_BMCMenuBar_::_InitBar()
{
	SetFlags(Flags() & ~B_NAVIGABLE);
}

_BMCMenuBar_::~_BMCMenuBar_() {}

BArchivable*
_BMCMenuBar_::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "_BMCMenuBar_"))
		return NULL;
	return new _BMCMenuBar_(archive);
}

void
_BMCMenuBar_::Draw(BRect)
{
	BRect bounds = Bounds();
	bool enabled = IsEnabled();
	BPrivate::draw_button_frame(this, bounds, _IsSubmenuOpen(), false, enabled);
	BMenuItem* item = ItemAt(0);
	if (item != NULL) {
		// The choice, cut to what fits left of the marker.
		BMenuField* field = dynamic_cast<BMenuField*>(Parent());
		float y = BPrivate::centred_baseline(this, bounds.top, bounds.Height());
		BPrivate::draw_label(this, item->Label(), BPoint(bounds.left + 6, y),
							 enabled && (field == NULL || field->IsEnabled()));
	}
	BPrivate::draw_popup_marker(this, bounds, enabled);
}

void
_BMCMenuBar_::MouseDown(BPoint)
{
	BMenuField* field = dynamic_cast<BMenuField*>(Parent());
	if (field != NULL && field->IsEnabled() && (field->Flags() & B_NAVIGABLE) != 0)
		field->MakeFocus(true);
	Open();
}

void
_BMCMenuBar_::Open()
{
	BMenuItem* item = ItemAt(0);
	if (item == NULL || !IsEnabled() || _IsSubmenuOpen())
		return;
	_Layout();
	_OpenSubmenu(item, ConvertToScreen(BPoint(Bounds().left, Bounds().bottom + 1)),
				 Bounds().Width() + 1);
}

float
_BMCMenuBar_::FittingWidth()
{
	BMenuField* field = dynamic_cast<BMenuField*>(Parent());
	BMenuItem* item = ItemAt(0);
	if (!fResizeToFit || field == NULL || field->fFixedSize || item == NULL)
		return -1;
	// The choice starts 6 pixels in; the marker takes the last 14.
	return std::ceil(StringWidth(item->Label())) + 20;
}

void
_BMCMenuBar_::_LabelChanged()
{
	if (BMenuField* field = dynamic_cast<BMenuField*>(Parent()))
		field->_PlaceBar();
}
