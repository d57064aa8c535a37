#ifndef _MENU_ITEM_H
#define _MENU_ITEM_H

#include <Archivable.h>
#include <Invoker.h>
#include <Rect.h>

#include <string>

class BMenu;
class BMessage;
class BView;

// One entry of a menu: a label with a message, or a submenu. The item owns its message and its
// submenu.
class BMenuItem : public BArchivable, public BInvoker {
public:
	BMenuItem(const char* label, BMessage* message, char shortcut = 0, uint32 modifiers = 0);
	BMenuItem(BMenu* menu, BMessage* message = NULL);
	BMenuItem(BMessage* archive);
	virtual ~BMenuItem();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void SetLabel(const char* label);
	const char* Label() const;
	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const;
	virtual void SetMarked(bool marked);
	bool IsMarked() const;
	char Trigger() const;
	virtual void SetShortcut(char shortcut, uint32 modifiers);
	char Shortcut(uint32* modifiers = NULL) const;

	BMenu* Submenu() const;
	BMenu* Menu() const;
	// Where the item is in its menu's coordinates.
	BRect Frame() const;

	// Sends a copy of the message with "when", "source" and "index" (the item's place in its
	// menu) added; marks the item first when its menu is in radio mode.
	virtual status_t Invoke(BMessage* message = NULL);

protected:
	virtual void GetContentSize(float* width, float* height);
	virtual void DrawContent();
	virtual void Draw();
	virtual void Highlight(bool highlighted);
	bool IsSelected() const;
	BPoint ContentLocation() const;

private:
	friend class BMenu;

	BMenuItem(const BMenuItem&) = delete;
	BMenuItem& operator=(const BMenuItem&) = delete;

	void _SetSubmenu(BMenu* menu);

	std::string fLabel;
	BMenu* fSubmenu;
	BMenu* fSuper;
	BRect fBounds;
	uint32 fModifiers;
	char fShortcut;
	char fUserTrigger;
	bool fMarked;
	bool fEnabled;
	bool fSelected;
};

// A line between groups of items; it cannot be chosen.
class BSeparatorItem : public BMenuItem {
public:
	BSeparatorItem();
	BSeparatorItem(BMessage* archive);
	virtual ~BSeparatorItem();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void SetEnabled(bool enabled);

protected:
	virtual void GetContentSize(float* width, float* height);
	virtual void Draw();
};

#endif
