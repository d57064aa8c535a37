#include <MenuItem.h>

#include "MenuFieldBar.h"

#include <Menu.h>
#include <Message.h>
#include <Window.h>

#include "ControlLook.h"

#include <cmath>

BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut, uint32 modifiers)
	: BInvoker(message, NULL, NULL), fSubmenu(NULL), fSuper(NULL), fModifiers(0), fShortcut(0),
	  fUserTrigger(0), fMarked(false), fEnabled(true), fSelected(false)
{
	BPrivate::register_control_classes();
	if (label != NULL)
		fLabel = label;
	if (shortcut != 0)
		SetShortcut(shortcut, modifiers);
}

BMenuItem::BMenuItem(BMenu* menu, BMessage* message)
	: BMenuItem(menu != NULL ? menu->Name() : NULL, message)
{
	_SetSubmenu(menu);
}

BMenuItem::BMenuItem(BMessage* archive)
	: BArchivable(archive), fSubmenu(NULL), fSuper(NULL), fModifiers(0), fShortcut(0),
	  fUserTrigger(0), fMarked(false), fEnabled(true), fSelected(false)
{
	BPrivate::register_control_classes();
	const char* label;
	if (archive->FindString("_label", &label) == B_OK)
		fLabel = label;
	bool flag;
	if (archive->FindBool("_disable", &flag) == B_OK)
		fEnabled = !flag;
	if (archive->FindBool("_marked", &flag) == B_OK)
		fMarked = flag;
	int32 value;
	if (archive->FindInt32("_user_trig", &value) == B_OK)
		fUserTrigger = char(value);
	if (archive->FindInt32("_shortcut", &value) == B_OK) {
		int32 modifiers = 0;
		archive->FindInt32("_mods", &modifiers);
		fShortcut = char(value);
		fModifiers = uint32(modifiers);
	}
	BMessage message;
	if (archive->FindMessage("_msg", &message) == B_OK)
		SetMessage(new BMessage(message));
	BMessage submenu;
	if (archive->FindMessage("_submenu", &submenu) == B_OK) {
		BArchivable* object = instantiate_object(&submenu);
		BMenu* menu = dynamic_cast<BMenu*>(object);
		if (menu != NULL)
			_SetSubmenu(menu);
		else
			delete object;
	}
}

BMenuItem::~BMenuItem()
{
	if (fSuper != NULL)
		fSuper->RemoveItem(this);
	delete fSubmenu;
}

void
BMenuItem::_SetSubmenu(BMenu* menu)
{
	fSubmenu = menu;
	if (menu != NULL)
		menu->fSuperitem = this;
}

BArchivable*
BMenuItem::Instantiate(BMessage* archive)
{
	if (validate_instantiation(archive, "BMenuItem") ||
		validate_instantiation(archive, "_BMCItem_"))
		return new BMenuItem(archive);
	return NULL;
}

status_t
BMenuItem::Archive(BMessage* archive, bool deep) const
{
	status_t status = BArchivable::Archive(archive, deep);
	if (status == B_OK && !fLabel.empty())
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	if (status == B_OK && fMarked)
		status = archive->AddBool("_marked", true);
	if (status == B_OK && fUserTrigger != 0)
		status = archive->AddInt32("_user_trig", fUserTrigger);
	if (fShortcut != 0) {
		if (status == B_OK)
			status = archive->AddInt32("_shortcut", fShortcut);
		if (status == B_OK)
			status = archive->AddInt32("_mods", int32(fModifiers));
	}
	if (status == B_OK && Message() != NULL)
		status = archive->AddMessage("_msg", Message());
	if (deep && fSubmenu != NULL) {
		BMessage submenu;
		if (status == B_OK)
			status = fSubmenu->Archive(&submenu, true);
		if (status == B_OK)
			status = archive->AddMessage("_submenu", &submenu);
	}
	return status;
}

void
BMenuItem::SetLabel(const char* label)
{
	std::string text = label != NULL ? label : "";
	if (text == fLabel)
		return;
	fLabel = text;
	if (fSuper != NULL) {
		fSuper->InvalidateLayout();
		fSuper->Invalidate();
	}
	if (_BMCMenuBar_* bar = dynamic_cast<_BMCMenuBar_*>(fSuper))
		bar->_LabelChanged();
}

const char*
BMenuItem::Label() const
{
	return fLabel.c_str();
}

void
BMenuItem::SetEnabled(bool enabled)
{
	if (fEnabled == enabled)
		return;
	fEnabled = enabled;
	if (fSubmenu != NULL)
		fSubmenu->SetEnabled(enabled);
	if (fSuper != NULL)
		fSuper->Invalidate();
}

bool
BMenuItem::IsEnabled() const
{
	if (fSubmenu != NULL)
		return fSubmenu->IsEnabled();
	return fEnabled && (fSuper == NULL || fSuper->IsEnabled());
}

void
BMenuItem::SetMarked(bool marked)
{
	if (marked == fMarked)
		return;
	fMarked = marked;
	if (fSuper != NULL && marked)
		fSuper->_ItemMarked(this);
	if (fSuper != NULL)
		fSuper->Invalidate();
}

bool
BMenuItem::IsMarked() const
{
	return fMarked;
}

char
BMenuItem::Trigger() const
{
	return fUserTrigger;
}

void
BMenuItem::SetShortcut(char shortcut, uint32 modifiers)
{
	fShortcut = shortcut;
	fModifiers = shortcut != 0 ? modifiers | B_COMMAND_KEY : 0;
}

char
BMenuItem::Shortcut(uint32* modifiers) const
{
	if (modifiers != NULL)
		*modifiers = fModifiers;
	return fShortcut;
}

BMenu*
BMenuItem::Submenu() const
{
	return fSubmenu;
}

BMenu*
BMenuItem::Menu() const
{
	return fSuper;
}

BRect
BMenuItem::Frame() const
{
	return fBounds;
}

status_t
BMenuItem::Invoke(BMessage* message)
{
	if (!IsEnabled())
		return B_ERROR;
	if (fSuper != NULL && fSuper->IsRadioMode())
		SetMarked(true);
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	copy.AddInt32("index", fSuper != NULL ? fSuper->IndexOf(this) : -1);
	if (Messenger().IsValid() || fSuper == NULL)
		return BInvoker::Invoke(&copy);
	// Without a target of its own the item talks to the window its menu was opened from.
	BWindow* window = fSuper->_RootWindow();
	if (window == NULL)
		return B_BAD_VALUE;
	return BMessenger(window).SendMessage(&copy);
}

void
BMenuItem::GetContentSize(float* width, float* height)
{
	BView* view = fSuper;
	if (width != NULL)
		*width = view != NULL ? std::ceil(view->StringWidth(fLabel.c_str())) : 0;
	if (height != NULL)
		*height = view != NULL ? BPrivate::line_height(view) : 0;
}

BPoint
BMenuItem::ContentLocation() const
{
	if (fSuper != NULL && fSuper->Layout() == B_ITEMS_IN_ROW)
		return BPoint(fBounds.left + 8, fBounds.top + 2);
	return BPoint(fBounds.left + 18, fBounds.top + 2);
}

void
BMenuItem::DrawContent()
{
	if (fSuper == NULL)
		return;
	font_height fh;
	fSuper->GetFontHeight(&fh);
	BPoint where = ContentLocation();
	where.y = BPrivate::centred_baseline(fSuper, fBounds.top, fBounds.Height());
	fSuper->SetHighColor(
		IsEnabled() ? ui_color(B_MENU_ITEM_TEXT_COLOR)
					: tint_color(ui_color(B_MENU_BACKGROUND_COLOR), B_DISABLED_LABEL_TINT));
	fSuper->SetDrawingMode(B_OP_OVER);
	fSuper->DrawString(fLabel.c_str(), where);
	fSuper->SetDrawingMode(B_OP_COPY);
}

void
BMenuItem::Draw()
{
	if (fSuper == NULL)
		return;
	Highlight(fSelected && IsEnabled());
	if (fMarked) {
		// The check mark left of the label.
		float middle = std::floor((fBounds.top + fBounds.bottom) / 2);
		float left = fBounds.left + 5;
		fSuper->SetHighColor(ui_color(B_MENU_ITEM_TEXT_COLOR));
		fSuper->SetPenSize(2);
		fSuper->StrokeLine(BPoint(left, middle), BPoint(left + 3, middle + 3));
		fSuper->StrokeLine(BPoint(left + 3, middle + 3), BPoint(left + 8, middle - 4));
		fSuper->SetPenSize(1);
	}
	DrawContent();
}

void
BMenuItem::Highlight(bool highlighted)
{
	fSuper->SetHighColor(highlighted ? ui_color(B_MENU_SELECTED_BACKGROUND_COLOR)
									 : fSuper->ViewColor());
	fSuper->FillRect(fBounds);
}

bool
BMenuItem::IsSelected() const
{
	return fSelected;
}
