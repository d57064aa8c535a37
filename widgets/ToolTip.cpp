#include <widgets/ToolTip.h>

#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <View.h>
#include <Window.h>

#include <widgets/TTSpy.h>
#include <widgets/ToolTipWindow.h>

namespace {

const bigtime_t kDefaultDelayTime = 1000000;
const bigtime_t kDefaultShowTime = 5000000;
// Within this time of a hide, the next tooltip opens without waiting.
const bigtime_t kReopenAtOnceTime = 199999;

} // namespace

std::atomic<bigtime_t> TToolTip::smLastHideTime{0};

TToolTip::TToolTip(const char* name)
	: BHandler(name), mDelayTime(kDefaultDelayTime), mShowTime(kDefaultShowTime), mOpenTimer(NULL),
	  mTarget(NULL), mSpy(new TTTSpy(this))
{}

TToolTip::~TToolTip()
{
	delete mOpenTimer;
	// The spy is the tooltip's own: it and this handler leave the window first, so that the
	// window never reaches either once they are gone.
	TargetDetached();
	delete mSpy;
}

status_t
TToolTip::SetTarget(BView* target)
{
	if (target == NULL || target->Window() == NULL)
		return B_ERROR;
	if (Looper() != NULL)
		Looper()->RemoveHandler(this);
	mTarget = target;
	mSpy->SetTarget(target);
	target->Window()->AddHandler(this);
	return B_OK;
}

BView*
TToolTip::Target() const
{
	return mTarget;
}

void
TToolTip::TargetDetached()
{
	delete mOpenTimer;
	mOpenTimer = NULL;
	if (mSpy->Looper() != NULL)
		mSpy->Looper()->RemoveCommonFilter(mSpy);
	if (Looper() != NULL)
		Looper()->RemoveHandler(this);
}

status_t
TToolTip::SetTip(const std::string& tip)
{
	mTip = tip;
	return B_OK;
}

std::string
TToolTip::Tip() const
{
	return mTip;
}

status_t
TToolTip::SetDelayTime(bigtime_t delay)
{
	if (delay < 0)
		return B_ERROR;
	mDelayTime = delay;
	return B_OK;
}

bigtime_t
TToolTip::DelayTime() const
{
	return mDelayTime;
}

status_t
TToolTip::SetShowTime(bigtime_t show)
{
	if (show < 0)
		return B_ERROR;
	mShowTime = show;
	return B_OK;
}

bigtime_t
TToolTip::ShowTime() const
{
	return mShowTime;
}

void
TToolTip::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case TT_MOUSE_ENTERED:
		MouseEntered();
		break;
	case TT_MOUSE_EXITED:
		MouseExited();
		break;
	case TT_OPEN_WINDOW:
		OpenToolTipWindowRqtd();
		break;
	case TT_HIDE_WINDOW:
		Hide();
		break;
	default:
		BHandler::MessageReceived(message);
		break;
	}
}

void
TToolTip::Hide()
{
	if (TToolTipWindow::Close(ToolTipWindowName()) == B_OK)
		smLastHideTime = system_time();
}

void
TToolTip::HideToolTipWindowRqtd()
{
	Hide();
}

BWindow*
TToolTip::FindToolTipWindow()
{
	return TToolTipWindow::Find(ToolTipWindowName());
}

bool
TToolTip::IsAnyToolTipWindowOpened() const
{
	return TToolTipWindow::AnyOpen();
}

std::string
TToolTip::ToolTipWindowName() const
{
	std::string name = "TlTipWin_";
	if (Name() != NULL)
		name += Name();
	return name;
}

void
TToolTip::SendToSelf(uint32 what)
{
	BMessenger(this).SendMessage(what, (BHandler*)NULL);
}

void
TToolTip::MouseEntered()
{
	if (mOpenTimer != NULL)
		return;
	if (mDelayTime == 0 || IsAnyToolTipWindowOpened() ||
		system_time() - smLastHideTime <= kReopenAtOnceTime) {
		SendToSelf(TT_OPEN_WINDOW);
		return;
	}
	BMessage open(TT_OPEN_WINDOW);
	mOpenTimer = new BMessageRunner(BMessenger(this), &open, mDelayTime, 1);
}

void
TToolTip::MouseExited()
{
	delete mOpenTimer;
	mOpenTimer = NULL;
	SendToSelf(TT_HIDE_WINDOW);
}

void
TToolTip::OpenToolTipWindowRqtd()
{
	delete mOpenTimer;
	mOpenTimer = NULL;
	if (mTip.empty() || mTarget == NULL || mTarget->Window() == NULL)
		return;
	if (!mTarget->Window()->IsActive())
		return;
	BPoint where;
	uint32 buttons = 0;
	mTarget->GetMouse(&where, &buttons, true);
	if (buttons != 0)
		return;
	where = mTarget->ConvertToScreen(where) + BPoint(-16, 16);
	TToolTipWindow* window =
		new TToolTipWindow(BRect(where, where), ToolTipWindowName(), mTip, mShowTime);
	window->Show();
}
