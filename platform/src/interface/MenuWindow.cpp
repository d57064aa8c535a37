#include "MenuWindow.h"

#include <Menu.h>
#include <Message.h>

namespace BPrivate {

MenuWindow::MenuWindow(BMenu* menu, BMessenger owner, BPoint screenWhere, float minWidth)
	: BWindow(BRect(screenWhere.x, screenWhere.y, screenWhere.x + 10, screenWhere.y + 10),
			  menu->Name() != NULL ? menu->Name() : "", B_NO_BORDER_WINDOW_LOOK,
			  B_FLOATING_APP_WINDOW_FEEL,
			  B_NOT_MOVABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE |
				  B_NOT_RESIZABLE | B_WILL_ACCEPT_FIRST_CLICK),
	  fMenu(menu), fOwner(owner), fClosed(false)
{
	float width = 0;
	float height = 0;
	menu->GetPreferredSize(&width, &height);
	if (width < minWidth)
		width = minWidth;
	menu->MoveTo(0, 0);
	menu->ResizeTo(width, height);
	ResizeTo(width, height);
	AddChild(menu);
	menu->MakeFocus(true);
}

void
MenuWindow::MessageReceived(BMessage* message)
{
	if (message->what == kMenuCloseCode) {
		int32 index;
		if (message->FindInt32("index", &index) != B_OK)
			index = -1;
		_Close(index);
		return;
	}
	BWindow::MessageReceived(message);
}

void
MenuWindow::WindowActivated(bool active)
{
	// A click anywhere else takes the activation away: the menu closes with no choice.
	if (!active)
		_Close(-1);
}

void
MenuWindow::_Close(int32 index)
{
	if (fClosed)
		return;
	fClosed = true;
	RemoveChild(fMenu);
	BMessage closed(kMenuClosedCode);
	closed.AddInt32("index", index);
	fOwner.SendMessage(&closed);
	Quit();
}

void
MenuWindow::Abandon()
{
	fClosed = true;
	RemoveChild(fMenu);
	Quit();
}

} // namespace BPrivate
