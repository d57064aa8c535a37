#include <Invoker.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>

BInvoker::BInvoker() : fMessage(NULL), fReplyTo(NULL), fTimeout(B_INFINITE_TIMEOUT), fNotifyKind(0)
{}

BInvoker::BInvoker(BMessage* message, const BHandler* handler, const BLooper* looper) : BInvoker()
{
	fMessage = message;
	SetTarget(handler, looper);
}

BInvoker::BInvoker(BMessage* message, BMessenger target) : BInvoker()
{
	fMessage = message;
	SetTarget(target);
}

BInvoker::~BInvoker()
{
	delete fMessage;
}

status_t
BInvoker::SetMessage(BMessage* message)
{
	if (fMessage == message)
		return B_OK;
	delete fMessage;
	fMessage = message;
	return B_OK;
}

BMessage*
BInvoker::Message() const
{
	return fMessage;
}

uint32
BInvoker::Command() const
{
	return fMessage != NULL ? fMessage->what : 0;
}

status_t
BInvoker::SetTarget(const BHandler* handler, const BLooper* looper)
{
	fMessenger = BMessenger();
	if (handler == NULL && looper == NULL)
		return B_OK;
	status_t status;
	fMessenger = BMessenger(handler, looper, &status);
	return status;
}

status_t
BInvoker::SetTarget(BMessenger messenger)
{
	fMessenger = messenger;
	return B_OK;
}

bool
BInvoker::IsTargetLocal() const
{
	return fMessenger.IsTargetLocal();
}

BHandler*
BInvoker::Target(BLooper** looper) const
{
	return fMessenger.Target(looper);
}

BMessenger
BInvoker::Messenger() const
{
	return fMessenger;
}

status_t
BInvoker::Invoke(BMessage* message)
{
	if (message == NULL)
		message = fMessage;
	if (message == NULL)
		return B_BAD_VALUE;
	// The copy sent says when it was sent and by whom.
	BMessage copy(*message);
	if (!copy.HasInt64("when"))
		copy.AddInt64("when", system_time());
	if (!copy.HasPointer("source"))
		copy.AddPointer("source", this);
	return fMessenger.SendMessage(&copy, fReplyTo, fTimeout);
}

status_t
BInvoker::InvokeNotify(BMessage* message, uint32 kind)
{
	if (fNotifyKind != 0)
		return B_WOULD_BLOCK;
	BeginInvokeNotify(kind);
	status_t status = Invoke(message);
	EndInvokeNotify();
	return status;
}

uint32
BInvoker::InvokeKind(bool* notify)
{
	if (notify != NULL)
		*notify = fNotifyKind != 0;
	return fNotifyKind != 0 ? fNotifyKind : (uint32)B_CONTROL_INVOKED;
}

void
BInvoker::BeginInvokeNotify(uint32 kind)
{
	fNotifyKind = kind;
}

void
BInvoker::EndInvokeNotify()
{
	fNotifyKind = 0;
}
