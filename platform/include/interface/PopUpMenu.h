#ifndef _POP_UP_MENU_H
#define _POP_UP_MENU_H

#include <Menu.h>

// A menu that pops up on its own, by default in radio mode with its superitem labelled after
// the marked item.
class BPopUpMenu : public BMenu {
public:
	BPopUpMenu(const char* name, bool radioMode = true, bool labelFromMarked = true,
			   menu_layout layout = B_ITEMS_IN_COLUMN);
	BPopUpMenu(BMessage* archive);
	virtual ~BPopUpMenu();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;
};

#endif
