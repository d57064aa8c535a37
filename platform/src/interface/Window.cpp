#include <Window.h>

#include <Application.h>
#include <Message.h>
#include <Screen.h>
#include <View.h>

#include "Display.h"
#include "TextLayout.h"
#include "WindowPrivate.h"

#include <cmath>
#ifdef __GLIBC__
#include <malloc.h>
#endif

using BPrivate::Display;
using BPrivate::WindowInternals;

namespace {

BLooper*
window_looper(BWindow* window)
{
	return window;
}

void
window_activate(BWindow* window)
{
	window->Activate(true);
}

// The display starts first, on a thread of its own: reaching the desktop takes longest. Fonts
// are set up meanwhile, once, on the thread that starts the application and before any view
// measures text; the display's thread never uses them.
void
prepare_display()
{
#ifdef __GLIBC__
	// The few threads of a program with windows (the display, each window, the application's
	// port) allocate little and seldom at once: one allocation arena for all of them keeps what
	// one thread frees for the next, where an arena of each thread's own would hold it apart.
	mallopt(M_ARENA_MAX, 1);
#endif
	Display::Prepare();
	BPrivate::init_fonts();
}

const BPrivate::WindowHooks kWindowHooks = {window_looper, window_activate, prepare_display};

// A program with windows has its application start the display as it starts itself.
[[maybe_unused]] const bool kHooksSet = (BApplication::_SetWindowHooks(&kWindowHooks), true);

void
look_and_feel(window_type type, window_look* look, window_feel* feel)
{
	*feel = B_NORMAL_WINDOW_FEEL;
	switch (type) {
	case B_MODAL_WINDOW:
		*look = B_MODAL_WINDOW_LOOK;
		*feel = B_MODAL_APP_WINDOW_FEEL;
		break;
	case B_DOCUMENT_WINDOW:
		*look = B_DOCUMENT_WINDOW_LOOK;
		break;
	case B_BORDERED_WINDOW:
		*look = B_BORDERED_WINDOW_LOOK;
		break;
	case B_FLOATING_WINDOW:
		*look = B_FLOATING_WINDOW_LOOK;
		*feel = B_FLOATING_APP_WINDOW_FEEL;
		break;
	default:
		*look = B_TITLED_WINDOW_LOOK;
		break;
	}
}

} // namespace

BWindow::BWindow(BRect frame, const char* title, window_type type, uint32 flags, uint32 workspace)
	: BLooper(title, B_DISPLAY_PRIORITY)
{
	window_look look;
	window_feel feel;
	look_and_feel(type, &look, &feel);
	_InitData(frame, title, look, feel, flags, workspace);
	fInternals->type = type;
}

BWindow::BWindow(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
				 uint32 workspace)
	: BLooper(title, B_DISPLAY_PRIORITY)
{
	_InitData(frame, title, look, feel, flags, workspace);
}

void
BWindow::_InitData(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
				   uint32 workspace)
{
	fInternals = std::make_unique<WindowInternals>();
	frame.left = roundf(frame.left);
	frame.top = roundf(frame.top);
	frame.right = roundf(frame.right);
	frame.bottom = roundf(frame.bottom);
	fInternals->frame = frame;
	fFocus = NULL;
	fDefaultButton = NULL;
	fKeyMenuBar = NULL;
	fLook = look;
	fFeel = feel;
	fFlags = flags;
	fWorkspaces = workspace;
	SetName(title != NULL ? title : "");

	// The display is not waited for here: it learns of the window when the window is first shown.
	prepare_display();
	fTopView = new BView(frame.OffsetToCopy(0, 0), "fTopView", B_FOLLOW_ALL, B_WILL_DRAW);
	fTopView->fTopLevel = true;
	fTopView->_Attach(this);

	if (be_app != NULL)
		be_app->_AddWindow(this);
}

BWindow::~BWindow()
{
	if (fInternals->onDisplay.load())
		Display::Default()->RemoveWindow(this);
	if (be_app != NULL)
		be_app->_RemoveWindow(this);
	fTopView->_Detach();
	delete fTopView;
	fTopView = NULL;
	fFocus = NULL;
}

WindowInternals::~WindowInternals()
{
	if (surface != nullptr)
		cairo_surface_destroy(surface);
	if (dirty != nullptr)
		cairo_region_destroy(dirty);
}

thread_id
BWindow::Run()
{
	return BLooper::Run();
}

void
BWindow::Quit()
{
	while (!IsHidden())
		Hide();
	if ((fFlags & B_QUIT_ON_WINDOW_CLOSE) != 0 && be_app != NULL)
		be_app->PostMessage(B_QUIT_REQUESTED);
	BLooper::Quit();
}

bool
BWindow::QuitRequested()
{
	return BLooper::QuitRequested();
}

void
BWindow::AddChild(BView* child, BView* before)
{
	fTopView->AddChild(child, before);
}

bool
BWindow::RemoveChild(BView* child)
{
	return fTopView->RemoveChild(child);
}

int32
BWindow::CountChildren() const
{
	return fTopView->CountChildren();
}

BView*
BWindow::ChildAt(int32 index) const
{
	return fTopView->ChildAt(index);
}

void
BWindow::FrameMoved(BPoint)
{}

void
BWindow::FrameResized(float, float)
{}

void
BWindow::WindowActivated(bool)
{}

void
BWindow::MenusBeginning()
{}

void
BWindow::MenusEnded()
{}

void
BWindow::Show()
{
	bool start = false;
	if (!Lock())
		return;
	bool shown = false;
	{
		std::lock_guard<std::mutex> guard(fInternals->stateLock);
		fInternals->showLevel--;
		shown = fInternals->showLevel == 0;
		if (!fInternals->started) {
			fInternals->started = true;
			start = true;
		}
	}
	if (shown) {
		fInternals->unsettled = BPrivate::kSettleRounds;
		fTopView->Invalidate();
		Display* display = Display::Default();
		// Marked first: a title or frame set meanwhile is either read by AddWindow or sent on.
		if (!fInternals->onDisplay.exchange(true))
			display->AddWindow(this);
		display->ShowWindow(this);
	}
	Unlock();
	if (start)
		Run();
}

void
BWindow::Hide()
{
	if (!Lock())
		return;
	bool hidden = false;
	{
		std::lock_guard<std::mutex> guard(fInternals->stateLock);
		fInternals->showLevel++;
		hidden = fInternals->showLevel == 1;
	}
	if (hidden && fInternals->onDisplay.load())
		Display::Default()->HideWindow(this);
	Unlock();
}

bool
BWindow::IsHidden() const
{
	std::lock_guard<std::mutex> guard(fInternals->stateLock);
	return fInternals->showLevel > 0;
}

void
BWindow::Activate(bool active)
{
	if ((active && IsHidden()) || !fInternals->onDisplay.load())
		return;
	Display::Default()->ActivateWindow(this, active);
}

bool
BWindow::IsActive() const
{
	return fInternals->active.load();
}

bool
BWindow::IsModal() const
{
	return fFeel == B_MODAL_SUBSET_WINDOW_FEEL || fFeel == B_MODAL_APP_WINDOW_FEEL ||
		   fFeel == B_MODAL_ALL_WINDOW_FEEL;
}

bool
BWindow::IsFloating() const
{
	return fFeel == B_FLOATING_SUBSET_WINDOW_FEEL || fFeel == B_FLOATING_APP_WINDOW_FEEL ||
		   fFeel == B_FLOATING_ALL_WINDOW_FEEL;
}

void
BWindow::SetTitle(const char* title)
{
	SetName(title != NULL ? title : "");
	if (fInternals->onDisplay.load())
		Display::Default()->SetWindowTitle(this, Name());
}

const char*
BWindow::Title() const
{
	return Name();
}
