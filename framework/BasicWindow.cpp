#include <framework/BasicWindow.h>

#include <framework/BasicView.h>

#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <Screen.h>

namespace {

// The window keeps this far from the screen's right, bottom and left edges, and leaves room
// for its title tab at the top.
const float kScreenMargin = 5.0f;
const float kScreenTopMargin = 27.0f;

} // namespace

TBasicWindow::TBasicWindow(BRect frame, const char* title, window_type type, uint32 flags,
						   uint32 workspace)
	: BWindow(frame, title, type, flags, workspace)
{
	Init();
}

TBasicWindow::TBasicWindow(BRect frame, const char* title, window_look look, window_feel feel,
						   uint32 flags, uint32 workspace)
	: BWindow(frame, title, look, feel, flags, workspace)
{
	Init();
}

TBasicWindow::~TBasicWindow() {}

void
TBasicWindow::Init()
{}

void
TBasicWindow::Appear()
{
	bool locked = Lock();
	// Shows nest: a window hidden twice needs two.
	while (IsHidden())
		Show();
	// Asked every time: the window's own idea of being active may not yet know that another
	// window came forward a moment ago.
	Activate(true);
	if (locked)
		Unlock();
}

void
TBasicWindow::IAPChanged(BMessage*)
{}

void
TBasicWindow::LanguageChanged()
{}

BPoint
TBasicWindow::IntelligentMoveTo(BPoint where)
{
	BRect screen = BScreen(B_MAIN_SCREEN_ID).Frame();
	BRect bounds = Bounds();
	// Right and bottom first, so that a window larger than the screen keeps its left and
	// top edges (and its title tab) visible.
	if (where.x + bounds.right > screen.right - kScreenMargin)
		where.x = screen.right - bounds.right - kScreenMargin;
	if (where.y + bounds.bottom > screen.bottom - kScreenMargin)
		where.y = screen.bottom - bounds.bottom - kScreenMargin;
	if (where.x < kScreenMargin)
		where.x = kScreenMargin;
	if (where.y < kScreenTopMargin)
		where.y = kScreenTopMargin;
	MoveTo(where);
	return where;
}

BPoint
TBasicWindow::IntelligentCentering()
{
	BRect screen = BScreen(B_MAIN_SCREEN_ID).Frame();
	BRect bounds = Bounds();
	BPoint where((screen.right - bounds.right) * 0.5f, (screen.bottom - bounds.bottom) * 0.5f);
	MoveTo(where);
	return where;
}

BPoint
TBasicWindow::IntelligentAdjust()
{
	return IntelligentMoveTo(Frame().LeftTop());
}

void
TBasicWindow::TransferToView(BMessage* message)
{
	TBasicView* view = dynamic_cast<TBasicView*>(ChildAt(0));
	if (view == NULL)
		return;
	BMessenger(view).SendMessage(message, static_cast<BHandler*>(NULL), B_INFINITE_TIMEOUT);
}

void
TBasicWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_IAP_CHANGED:
		IAPChanged(message);
		TransferToView(message);
		break;
	case MSG_LANGUAGE_CHANGED:
		LanguageChanged();
		TransferToView(message);
		break;
	default:
		BWindow::MessageReceived(message);
		break;
	}
}

bool
TBasicWindow::QuitRequested()
{
	// A quit asked for by code proceeds; the user's close box only hides the window. A call
	// from another thread (the application quitting) is code, whatever the window is handling.
	if (find_thread(NULL) != Thread() || CurrentMessage() == NULL)
		return true;
	if (!IsHidden())
		Hide();
	return false;
}
