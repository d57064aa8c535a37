#include <util/UIHelpers.h>

#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <Font.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <OS.h>
#include <RadioButton.h>
#include <StringView.h>
#include <TextControl.h>
#include <Window.h>

#include <cmath>

namespace {

// Room for the box or the dot in front of a check box's or radio button's label.
const float kMarkWidth = 17.0f;
const float kLabelGap = 2.0f;
// How long a button pressed from the keyboard stays drawn pressed.
const bigtime_t kClickDelay = 50000;

float
label_width(const BView* view, const char* label)
{
	if (label == NULL)
		return 0;
	BFont font;
	view->GetFont(&font);
	return std::ceil(font.StringWidth(label));
}

} // namespace

void
adjust_button_width(BButton* button)
{
	if (button == NULL)
		return;
	float width = 0;
	float height = 0;
	button->GetPreferredSize(&width, &height);
	button->ResizeTo(std::ceil(width), button->Bounds().Height());
}

void
adjust_cbox_width(BCheckBox* checkBox)
{
	if (checkBox == NULL)
		return;
	float width = label_width(checkBox, checkBox->Label()) + kMarkWidth + kLabelGap;
	checkBox->ResizeTo(width, checkBox->Bounds().Height());
}

void
adjust_rbutton_width(BRadioButton* radioButton)
{
	if (radioButton == NULL)
		return;
	float width = label_width(radioButton, radioButton->Label()) + kMarkWidth + kLabelGap;
	radioButton->ResizeTo(width, radioButton->Bounds().Height());
}

void
adjust_str_view_width(BStringView* stringView)
{
	if (stringView == NULL)
		return;
	float width = label_width(stringView, stringView->Text()) + kLabelGap;
	stringView->ResizeTo(width, stringView->Bounds().Height());
}

void
adjust_mfield_divider(BMenuField* menuField)
{
	if (menuField == NULL)
		return;
	// The field grows or shrinks with its label, so that the menu keeps its width and stays
	// inside the field however long the translated label is.
	float divider = label_width(menuField, menuField->Label()) + 2;
	menuField->ResizeBy(divider - menuField->Divider(), 0);
	menuField->SetDivider(divider);
}

void
adjust_txt_ctrl_divider(BTextControl* textControl)
{
	if (textControl == NULL)
		return;
	textControl->SetDivider(label_width(textControl, textControl->Label()) + 3);
}

void
click_button(BButton* button, bool force)
{
	if (button == NULL || (!button->IsEnabled() && !force))
		return;
	button->SetValue(B_CONTROL_ON);
	if (BWindow* window = button->Window())
		window->UpdateIfNeeded();
	snooze(kClickDelay);
	button->SetValue(B_CONTROL_OFF);
	button->Invoke();
}

void
close_window(BWindow** window)
{
	if (window == NULL || *window == NULL)
		return;
	if (!(*window)->Lock())
		return;
	(*window)->Quit();
	*window = NULL;
}

void
delete_mfield_mitems(BMenuField* menuField)
{
	if (menuField == NULL || menuField->Menu() == NULL)
		return;
	BMenu* menu = menuField->Menu();
	while (BMenuItem* item = menu->RemoveItem(int32(0)))
		delete item;
}

void
mark_mfield_mitem(BMenuField* menuField, int32 index)
{
	if (menuField == NULL || menuField->Menu() == NULL)
		return;
	BMenu* menu = menuField->Menu();
	BMenuItem* item = menu->ItemAt(index);
	if (item != NULL && dynamic_cast<BSeparatorItem*>(item) == NULL) {
		item->SetMarked(true);
		return;
	}
	if (BMenuItem* marked = menu->FindMarked())
		marked->SetMarked(false);
	if (BMenuItem* shown = menuField->MenuItem())
		shown->SetLabel("");
}

void
set_view_label(BView* view, const char* label)
{
	if (BStringView* caption = dynamic_cast<BStringView*>(view)) {
		caption->SetText(label);
		adjust_str_view_width(caption);
	} else if (BMenuField* menuField = dynamic_cast<BMenuField*>(view)) {
		menuField->SetLabel(label);
		adjust_mfield_divider(menuField);
	} else if (BTextControl* textControl = dynamic_cast<BTextControl*>(view)) {
		textControl->SetLabel(label);
		adjust_txt_ctrl_divider(textControl);
	} else if (BControl* control = dynamic_cast<BControl*>(view)) {
		control->SetLabel(label);
	} else if (BBox* box = dynamic_cast<BBox*>(view)) {
		box->SetLabel(label);
	}
}

status_t
set_target_for_items(BMenu* menu, BHandler* handler)
{
	if (menu == NULL)
		return B_OK;
	for (int32 i = 0; i < menu->CountItems(); i++) {
		BMenuItem* item = menu->ItemAt(i);
		if (BMenu* subMenu = item->Submenu())
			set_target_for_items(subMenu, handler);
		item->SetTarget(handler);
	}
	return B_OK;
}
