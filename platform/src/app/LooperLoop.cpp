#include <Looper.h>

#include <AppDefs.h>
#include <Message.h>
#include <MessageFilter.h>
#include <MessageQueue.h>

#include "LooperPrivate.h"
#include "MessagePrivate.h"
#include "ReplySender.h"

using BPrivate::MessageEnvelope;
using BPrivate::TokenSpace;

thread_id
BLooper::Run()
{
	if (fRunCalled)
		return B_BAD_VALUE;
	thread_id thread =
		spawn_thread(_ThreadEntry, Name() != NULL ? Name() : "looper", fPriority, this);
	if (thread < 0)
		return thread;
	fThread = thread;
	fRunCalled = true;
	fOwnThread = true;
	TokenSpace::Default().SetThread(thread, this);
	status_t status = resume_thread(thread);
	Unlock();
	if (status != B_OK)
		return status;
	return thread;
}

void
BLooper::_RunOnCallingThread()
{
	fThread = BPrivate::current_thread();
	fRunCalled = true;
	fOwnThread = false;
	TokenSpace::Default().SetThread(fThread, this);
	// Whoever made the looper on this thread may hold its lock more than once.
	while (IsLocked())
		Unlock();
	_Loop();
}

int32
BLooper::_ThreadEntry(void* data)
{
	BLooper* looper = static_cast<BLooper*>(data);
	looper->_Loop();
	// A looper with a thread of its own ends with it.
	looper->Lock();
	delete looper;
	return 0;
}

void
BLooper::_Loop()
{
	BPrivate::LooperLock& lock = *fLock;
	while (!fTerminating) {
		std::shared_ptr<MessageEnvelope> envelope;
		BMessage* message = fQueue->_NextMessage(&envelope);
		if (message == NULL) {
			std::unique_lock<std::mutex> wait(lock.wakeMutex);
			lock.wake.wait(wait, [&] { return lock.wakePending; });
			lock.wakePending = false;
			continue;
		}
		if (!Lock()) {
			delete message;
			break;
		}
		_DispatchOne(message, std::move(envelope));
		Unlock();
	}
}

void
BLooper::_DispatchOne(BMessage* message, std::shared_ptr<MessageEnvelope> envelope)
{
	if (message->what == BPrivate::kQuitLooperCode && envelope->target == _Token() &&
		!envelope->preferred && !envelope->remote) {
		fTerminating = true;
		delete message;
		return;
	}

	fLastMessage = message;
	fLastEnvelope = envelope;
	// The header tells the message's own calls how it arrived.
	BMessage::Private header(message);
	uint32 flags = header.Flags() | MESSAGE_FLAG_WAS_DELIVERED;
	if (envelope->replyWanted)
		flags |= MESSAGE_FLAG_REPLY_REQUIRED;
	if (envelope->isReply)
		flags |= MESSAGE_FLAG_IS_REPLY;
	header.SetFlags(flags);
	header.SetReply(envelope->replyTeam, envelope->replyPort, envelope->replyToken);
	if (envelope->replyWanted || envelope->replyToken != B_NULL_TOKEN)
		BPrivate::ReplyRegistry::Default().Register(message, envelope);

	BHandler* handler = NULL;
	if (envelope->preferred) {
		handler = fPreferred != NULL ? fPreferred : this;
	} else {
		BLooper* owner = NULL;
		if (TokenSpace::Default().Lookup(envelope->target, &handler, &owner, NULL) && owner != this)
			handler = NULL;
	}
	if (handler != NULL)
		handler = _DetermineTarget(message, handler);
	if (handler != NULL)
		handler = _TopLevelFilter(message, handler);
	if (handler != NULL)
		DispatchMessage(message, handler);

	// A message the handler kept is its own now; any other ends here.
	if (fLastMessage != NULL) {
		BPrivate::ReplyRegistry::Default().Remove(fLastMessage);
		BPrivate::answer_unreplied(fLastMessage, envelope);
		delete fLastMessage;
	}
	fLastMessage = NULL;
	fLastEnvelope = NULL;
}

BHandler*
BLooper::_DetermineTarget(BMessage*, BHandler* target)
{
	return target;
}

BHandler*
BLooper::_TopLevelFilter(BMessage* message, BHandler* target)
{
	if (!fCommonFilters.empty())
		target = _ApplyFilters(fCommonFilters, message, target);
	if (target == NULL)
		return NULL;
	if (target != this && target->Looper() != this)
		return NULL;
	return _HandlerFilter(message, target);
}

BHandler*
BLooper::_HandlerFilter(BMessage* message, BHandler* target)
{
	BHandler* previous;
	do {
		previous = target;
		if (!target->fFilters.empty())
			target = _ApplyFilters(target->fFilters, message, target);
		// A filter may only hand the message to a handler of this looper.
		if (target != NULL && target->Looper() != this)
			target = NULL;
	} while (target != NULL && target != previous);
	return target;
}

BHandler*
BLooper::_ApplyFilters(const std::vector<BMessageFilter*>& filters, BMessage* message,
					   BHandler* target)
{
	bool remote = fLastEnvelope != NULL && fLastEnvelope->remote;
	// A filter may remove itself or others; work on a copy of the list.
	std::vector<BMessageFilter*> list = filters;
	for (BMessageFilter* filter : list) {
		if (!filter->FiltersAnyCommand() && filter->Command() != message->what)
			continue;
		if (filter->MessageDelivery() == B_DROPPED_DELIVERY)
			continue;
		if ((filter->MessageSource() == B_REMOTE_SOURCE && !remote) ||
			(filter->MessageSource() == B_LOCAL_SOURCE && remote))
			continue;
		filter_result result;
		if (filter->FilterFunction() != NULL)
			result = filter->FilterFunction()(message, &target, filter);
		else
			result = filter->Filter(message, &target);
		if (result == B_SKIP_MESSAGE)
			return NULL;
		if (target == NULL)
			return NULL;
	}
	return target;
}

void
BLooper::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_QUIT_REQUESTED && handler == this) {
		_QuitRequested(message);
		return;
	}
	handler->MessageReceived(message);
}

void
BLooper::MessageReceived(BMessage* message)
{
	BHandler::MessageReceived(message);
}

void
BLooper::_QuitRequested(BMessage* message)
{
	bool agreed = QuitRequested();
	if (BPrivate::is_source_waiting(message)) {
		BMessage reply(B_REPLY);
		reply.AddBool("result", agreed);
		BPrivate::send_reply(message, &reply);
	}
	if (agreed)
		Quit();
}

bool
BLooper::QuitRequested()
{
	return true;
}

void
BLooper::Quit()
{
	if (!fRunCalled) {
		// Never started: nothing else can be holding on to it.
		delete this;
		return;
	}
	if (BPrivate::current_thread() == fThread) {
		// The loop ends after the message being handled.
		fTerminating = true;
		return;
	}
	// Another thread asks: queue the end behind what is waiting, let go and wait for it.
	auto envelope = std::make_shared<MessageEnvelope>();
	envelope->target = _Token();
	envelope->preferred = false;
	_Post(new BMessage(BPrivate::kQuitLooperCode), envelope);
	thread_id thread = fThread;
	bool ownThread = fOwnThread;
	std::shared_ptr<BPrivate::LooperLock> lock = fLock;
	while (lock->Release()) {
	}
	if (ownThread) {
		status_t exitValue;
		wait_for_thread(thread, &exitValue);
	}
}
