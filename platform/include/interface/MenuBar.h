#ifndef _MENU_BAR_H
#define _MENU_BAR_H

#include <Menu.h>

enum menu_bar_border { B_BORDER_FRAME = 0, B_BORDER_CONTENTS, B_BORDER_EACH_ITEM };

// A row of items, each opening its submenu below it when clicked.
class BMenuBar : public BMenu {
public:
	BMenuBar(BRect frame, const char* name,
			 uint32 resizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
			 menu_layout layout = B_ITEMS_IN_ROW, bool resizeToFit = true);
	BMenuBar(BMessage* archive);
	virtual ~BMenuBar();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);

	virtual void SetBorder(menu_bar_border border);
	menu_bar_border Border() const;

	// Opens the submenu of the item at index from the keyboard, its first item selected.
	void OpenItem(int32 index);

private:
	menu_bar_border fBorder;
};

#endif
