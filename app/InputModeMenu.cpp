#include <app/InputModeMenu.h>

#include <locale/Locale.h>
#include <locale/LocaleKeys.h>
#include <util/AccLabel.h>

#include <Entry.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <Roster.h>

#include <cstring>

namespace {

bool
is_separator_row(int32 row)
{
	return strcmp(LKK_POP_MITEM_INPUT_MODE[row], "-") == 0;
}

} // namespace

BMessage*
create_pop_mitem_input_mode_message(int32 mode)
{
	BMessage* message = new BMessage(MSG_POP_MITEM_INPUT_MODE);
	message->AddInt32(INPUT_MODE_FIELD, mode);
	return message;
}

void
add_input_mode_mitem(BMenu* menu, bool withAccelerators, const std::string& format)
{
	if (menu == NULL)
		return;
	for (int32 row = 0; row < INPUT_MODE_MENU_ROWS; row++) {
		if (is_separator_row(row)) {
			menu->AddItem(new BSeparatorItem());
			continue;
		}
		std::string label = gLocale.GetString(LKK_POP_MITEM_INPUT_MODE[row]);
		if (withAccelerators)
			label = merge_accelerator_key(format, ACC_LABEL_INPUT_MODE[row], label);
		menu->AddItem(new BMenuItem(label.c_str(), create_pop_mitem_input_mode_message(row)));
	}
}

status_t
launch_utility(const std::string& folder, const std::string& fileName, const char* signature)
{
	std::string path = folder + fileName;
	entry_ref ref;
	status_t status = get_ref_for_path(path.c_str(), &ref);
	if (status == B_OK)
		status = be_roster->Launch(&ref);
	if (status == B_OK || status == B_ALREADY_RUNNING)
		return status;
	return be_roster->Launch(signature);
}
