#ifndef _MENU_WINDOW_H
#define _MENU_WINDOW_H

// The window an open menu lives in while the user chooses from it.

#include <Messenger.h>
#include <Window.h>

class BMenu;

namespace BPrivate {

enum : uint32 {
	// To the menu's window: close, reporting the chosen item ("index", -1 for none).
	kMenuCloseCode = '_mcl',
	// To the menu that opened it: the menu has closed ("index" of the chosen item or -1).
	kMenuClosedCode = '_mcd'
};

class MenuWindow : public BWindow {
public:
	// Shows menu with its top left at the screen point, at least minWidth wide.
	MenuWindow(BMenu* menu, BMessenger owner, BPoint screenWhere, float minWidth);

	virtual void MessageReceived(BMessage* message);
	virtual void WindowActivated(bool active);

	// Takes the menu out and quits without reporting; the window must be locked.
	void Abandon();

private:
	void _Close(int32 index);

	BMenu* fMenu;
	BMessenger fOwner;
	bool fClosed;
};

} // namespace BPrivate

#endif
