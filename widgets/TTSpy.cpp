#include <widgets/TTSpy.h>

#include <AppDefs.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include <widgets/ToolTip.h>

TTTSpy::TTTSpy(BHandler* toolTip)
	: BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_MOUSE_MOVED), mEntered(false),
	  mLastTarget(NULL), mTarget(NULL), mToolTip(toolTip)
{}

status_t
TTTSpy::SetTarget(BHandler* target)
{
	if (target == NULL || target->Looper() == NULL)
		return B_ERROR;
	if (Looper() != NULL)
		Looper()->RemoveCommonFilter(this);
	target->Looper()->AddCommonFilter(this);
	mTarget = target;
	return B_OK;
}

BHandler*
TTTSpy::Target() const
{
	return mTarget;
}

filter_result
TTTSpy::Filter(BMessage*, BHandler** target)
{
	if (mToolTip == NULL || mToolTip->Looper() == NULL)
		return B_DISPATCH_MESSAGE;
	BHandler* handler = target != NULL ? *target : NULL;
	if (handler == mTarget) {
		if (mLastTarget != mTarget && !mEntered) {
			BMessenger(mToolTip).SendMessage(TT_MOUSE_ENTERED, (BHandler*)NULL);
			mEntered = true;
		}
	} else if (mLastTarget == mTarget) {
		BMessenger(mToolTip).SendMessage(TT_MOUSE_EXITED, (BHandler*)NULL);
		mEntered = false;
	}
	mLastTarget = handler;
	return B_DISPATCH_MESSAGE;
}
