#ifndef _MENU_H
#define _MENU_H

#include <Messenger.h>
#include <View.h>

#include <vector>

class BMenuItem;

namespace BPrivate {
class MenuWindow;
}

enum menu_layout { B_ITEMS_IN_ROW = 0, B_ITEMS_IN_COLUMN, B_ITEMS_IN_MATRIX };

// A list of items the user chooses from. A menu that is the submenu of an item opens as a
// window of its own below (or beside) that item, follows the pointer and the arrow keys, is
// chosen from with a click or Enter and closes on Escape or a click outside.
class BMenu : public BView {
public:
	BMenu(const char* name, menu_layout layout = B_ITEMS_IN_COLUMN);
	BMenu(BMessage* archive);
	virtual ~BMenu();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void AttachedToWindow();
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MessageReceived(BMessage* message);
	virtual void GetPreferredSize(float* width, float* height);

	bool AddItem(BMenuItem* item);
	bool AddItem(BMenuItem* item, int32 index);
	bool AddItem(BMenu* menu);
	bool AddItem(BMenu* menu, int32 index);
	bool AddSeparatorItem();
	bool RemoveItem(BMenuItem* item);
	BMenuItem* RemoveItem(int32 index);
	bool RemoveItems(int32 index, int32 count, bool deleteItems = false);
	bool RemoveItem(BMenu* menu);

	BMenuItem* ItemAt(int32 index) const;
	BMenu* SubmenuAt(int32 index) const;
	int32 CountItems() const;
	int32 IndexOf(BMenuItem* item) const;
	int32 IndexOf(BMenu* menu) const;
	BMenuItem* FindItem(uint32 command) const;
	BMenuItem* FindItem(const char* label) const;

	virtual status_t SetTargetForItems(BHandler* target);
	virtual status_t SetTargetForItems(BMessenger messenger);
	virtual void SetEnabled(bool enabled);
	virtual void SetRadioMode(bool on);
	virtual void SetTriggersEnabled(bool enabled);
	virtual void SetMaxContentWidth(float maxWidth);
	void SetLabelFromMarked(bool on);
	bool IsLabelFromMarked();
	bool IsEnabled() const;
	bool IsRadioMode() const;
	bool AreTriggersEnabled() const;
	float MaxContentWidth() const;

	BMenuItem* FindMarked();
	int32 FindMarkedIndex();

	BMenu* Supermenu() const;
	BMenuItem* Superitem() const;

	menu_layout Layout() const;

protected:
	BMenu(BRect frame, const char* name, uint32 resizingMode, uint32 flags, menu_layout layout,
		  bool resizeToFit);

	// Lays the items out and, when the menu sizes itself, fits the view around them.
	void InvalidateLayout();
	void _Layout();
	BMenuItem* _ItemAt(BPoint where) const;
	// Opens the submenu of an item as a window whose top left is at screenWhere; choices and
	// the closing are reported to this menu.
	void _OpenSubmenu(BMenuItem* item, BPoint screenWhere, float minWidth = 0);
	bool _IsSubmenuOpen() const;
	void _Choose(int32 index);
	void _Select(BMenuItem* item);
	BMenuItem* _Selected() const;
	virtual void _SubmenuClosed();

	bool fResizeToFit;

private:
	friend class BMenuItem;
	friend class BPrivate::MenuWindow;

	void _InitMenu();
	void _ItemMarked(BMenuItem* item);
	void _SelectNext(int32 direction);
	BWindow* _RootWindow() const;

	std::vector<BMenuItem*> fItems;
	BMenuItem* fSuperitem;
	BMenuItem* fSelected;
	BMenuItem* fOpenItem;
	BMessenger fOwner;
	menu_layout fLayout;
	float fMaxContentWidth;
	bool fEnabled;
	bool fRadioMode;
	bool fTriggersEnabled;
	bool fLabelFromMarked;
	bool fPressed;
	bool fLayoutValid;
};

#endif
