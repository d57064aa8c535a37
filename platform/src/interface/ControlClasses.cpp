#include <Archivable.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <Control.h>
#include <ListItem.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <StringView.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>

#include "ControlLook.h"
#include "MenuFieldBar.h"
#include "TextInput.h"

// All in one place: any control that is linked in makes every control rebuildable from an
// archive, whether or not the program names its class.
B_REGISTER_ARCHIVABLE(BControl);
B_REGISTER_ARCHIVABLE(BButton);
B_REGISTER_ARCHIVABLE(BCheckBox);
B_REGISTER_ARCHIVABLE(BRadioButton);
B_REGISTER_ARCHIVABLE(BStringView);
B_REGISTER_ARCHIVABLE(BBox);
B_REGISTER_ARCHIVABLE(BMenuItem);
B_REGISTER_ARCHIVABLE(BSeparatorItem);
B_REGISTER_ARCHIVABLE(BMenu);
B_REGISTER_ARCHIVABLE(BPopUpMenu);
B_REGISTER_ARCHIVABLE(BMenuBar);
B_REGISTER_ARCHIVABLE(_BMCMenuBar_);
B_REGISTER_ARCHIVABLE(BMenuField);
B_REGISTER_ARCHIVABLE(BListView);
B_REGISTER_ARCHIVABLE(BStringItem);
B_REGISTER_ARCHIVABLE(BTextView);
B_REGISTER_ARCHIVABLE(BTab);
B_REGISTER_ARCHIVABLE(BTabView);
B_REGISTER_ARCHIVABLE(BTextControl);
B_REGISTER_ARCHIVABLE(BPrivate::_BTextInput_);
// Older archives name the item of a menu field's bar after a private class of their own.
static const status_t sMenuFieldItemRegistration =
	register_instantiation_func("_BMCItem_", &BMenuItem::Instantiate);

namespace BPrivate {

void
register_control_classes()
{}

} // namespace BPrivate
