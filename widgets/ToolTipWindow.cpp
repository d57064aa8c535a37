#include <widgets/ToolTipWindow.h>

#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <StringView.h>

#include <mutex>
#include <vector>

const rgb_color FUC_COLOR_TOOL_TIP_WIN_BG = {255, 255, 225, 255};

namespace {

// Tooltip windows are created and closed from other windows' threads: they are found through
// this list, which a window leaves in its destructor, rather than by reading the names of
// windows that may be going away.
std::mutex sOpenLock;
std::vector<TToolTipWindow*> sOpen;

} // namespace

TToolTipWindow::TToolTipWindow(BRect frame, const std::string& name, const std::string& tip,
							   bigtime_t showTime)
	: BWindow(frame, name.c_str(), B_BORDERED_WINDOW_LOOK, B_FLOATING_APP_WINDOW_FEEL,
			  B_AVOID_FRONT | B_AVOID_FOCUS, B_CURRENT_WORKSPACE),
	  mCloseTimer(NULL)
{
	BRect textFrame = frame.OffsetToCopy(0, 0);
	std::string text = " " + tip + " ";
	BStringView* view = new BStringView(textFrame, tip.c_str(), text.c_str());
	view->SetViewColor(FUC_COLOR_TOOL_TIP_WIN_BG);
	view->ResizeToPreferred();
	BRect bounds = view->Bounds();
	ResizeTo(bounds.Width(), bounds.Height());
	AddChild(view);

	BMessage quit(B_QUIT_REQUESTED);
	mCloseTimer = new BMessageRunner(BMessenger(this), &quit, showTime, 1);

	std::lock_guard<std::mutex> guard(sOpenLock);
	sOpen.push_back(this);
}

TToolTipWindow::~TToolTipWindow()
{
	{
		std::lock_guard<std::mutex> guard(sOpenLock);
		for (size_t i = 0; i < sOpen.size(); i++) {
			if (sOpen[i] == this) {
				sOpen.erase(sOpen.begin() + i);
				break;
			}
		}
	}
	delete mCloseTimer;
}

BWindow*
TToolTipWindow::Find(const std::string& name)
{
	std::lock_guard<std::mutex> guard(sOpenLock);
	for (TToolTipWindow* window : sOpen) {
		if (name == window->Name())
			return window;
	}
	return NULL;
}

bool
TToolTipWindow::AnyOpen()
{
	std::lock_guard<std::mutex> guard(sOpenLock);
	return !sOpen.empty();
}

status_t
TToolTipWindow::Close(const std::string& name)
{
	std::lock_guard<std::mutex> guard(sOpenLock);
	for (TToolTipWindow* window : sOpen) {
		if (name == window->Name())
			return BMessenger(window).SendMessage(B_QUIT_REQUESTED);
	}
	return B_ERROR;
}
