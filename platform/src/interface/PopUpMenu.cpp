#include <PopUpMenu.h>

#include <Message.h>

BPopUpMenu::BPopUpMenu(const char* name, bool radioMode, bool labelFromMarked, menu_layout layout)
	: BMenu(name, layout)
{
	SetRadioMode(radioMode);
	if (labelFromMarked)
		SetLabelFromMarked(true);
}

BPopUpMenu::BPopUpMenu(BMessage* archive) : BMenu(archive) {}

BPopUpMenu::~BPopUpMenu() {}

BArchivable*
BPopUpMenu::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BPopUpMenu"))
		return NULL;
	return new BPopUpMenu(archive);
}

status_t
BPopUpMenu::Archive(BMessage* archive, bool deep) const
{
	return BMenu::Archive(archive, deep);
}
