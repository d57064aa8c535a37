#include <Looper.h>

#include <AppDefs.h>
#include <Message.h>
#include <MessageFilter.h>
#include <MessageQueue.h>

#include <algorithm>
#include <unistd.h>

#include "LooperPrivate.h"
#include "ReplySender.h"

using BPrivate::LooperLock;
using BPrivate::MessageEnvelope;
using BPrivate::TokenSpace;

BLooper::BLooper(const char* name, int32 priority, int32 portCapacity) : BHandler(name)
{
	_InitData(name, priority, portCapacity);
}

BLooper::BLooper(BMessage* data) : BHandler(data)
{
	int32 capacity;
	if (data == NULL || data->FindInt32("_port_cap", &capacity) != B_OK)
		capacity = B_LOOPER_PORT_DEFAULT_CAPACITY;
	_InitData(Name(), B_NORMAL_PRIORITY, capacity);
}

void
BLooper::_InitData(const char*, int32 priority, int32 capacity)
{
	fLock = std::make_shared<LooperLock>();
	fQueue = new BMessageQueue;
	fLastMessage = NULL;
	fPreferred = NULL;
	fThread = -1;
	fPriority = priority;
	fCapacity = capacity > 0 ? capacity : B_LOOPER_PORT_DEFAULT_CAPACITY;
	fRunCalled = false;
	fOwnThread = true;
	fTerminating = false;

	// A looper is its own first handler.
	fHandlers.push_back(this);
	_SetLooper(this);
	TokenSpace::Default().SetLooper(_Token(), this, fLock);

	// The creator holds the lock until Run hands it over.
	fLock->Acquire(B_INFINITE_TIMEOUT);
}

BLooper::~BLooper()
{
	_Shutdown();
	for (BHandler* handler : fHandlers) {
		if (handler != this) {
			handler->_SetLooper(NULL);
			handler->fNextHandler = NULL;
		}
	}
	// The handler part of this looper is destroyed next and has no looper to leave.
	fLooper = NULL;
	for (BMessageFilter* filter : fCommonFilters)
		delete filter;
	fCommonFilters.clear();
	delete fQueue;
	fQueue = NULL;
}

void
BLooper::_Shutdown()
{
	if (fQueue == NULL)
		return;
	// From here on no messenger can reach this looper.
	TokenSpace::Default().ForgetLooper(this);
	_DrainQueue();
	std::lock_guard<std::mutex> guard(fLock->mutex);
	fLock->deleted = true;
	fLock->released.notify_all();
}

void
BLooper::_DrainQueue()
{
	std::shared_ptr<MessageEnvelope> envelope;
	while (BMessage* message = fQueue->_NextMessage(&envelope)) {
		BPrivate::answer_unreplied(message, envelope);
		delete message;
	}
}

BArchivable*
BLooper::Instantiate(BMessage* data)
{
	if (!validate_instantiation(data, "BLooper"))
		return NULL;
	return new BLooper(data);
}

status_t
BLooper::Archive(BMessage* data, bool deep) const
{
	status_t status = BHandler::Archive(data, deep);
	if (status != B_OK)
		return status;
	return data->AddInt32("_port_cap", fCapacity);
}

status_t
BLooper::PostMessage(uint32 command)
{
	BMessage message(command);
	return PostMessage(&message);
}

status_t
BLooper::PostMessage(BMessage* message)
{
	return PostMessage(message, this, NULL);
}

status_t
BLooper::PostMessage(uint32 command, BHandler* handler, BHandler* replyTo)
{
	BMessage message(command);
	return PostMessage(&message, handler, replyTo);
}

status_t
BLooper::PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	if (message == NULL)
		return B_BAD_VALUE;
	auto envelope = std::make_shared<MessageEnvelope>();
	if (handler != NULL) {
		BLooper* owner = NULL;
		if (!TokenSpace::Default().Lookup(handler->_Token(), NULL, &owner, NULL) || owner != this)
			return B_MISMATCHED_VALUES;
		envelope->target = handler->_Token();
		envelope->preferred = false;
	}
	if (replyTo != NULL) {
		envelope->replyToken = replyTo->_Token();
		envelope->replyTeam = getpid();
		envelope->replyPort = BPrivate::gApplicationPort.load();
	}
	return _Post(new BMessage(*message), std::move(envelope));
}

status_t
BLooper::_Post(BMessage* message, std::shared_ptr<MessageEnvelope> envelope)
{
	fQueue->_AddMessage(message, std::move(envelope));
	fLock->Signal();
	return B_OK;
}

status_t
BPrivate::LooperAccess::Post(BLooper* looper, BMessage* message,
							 std::shared_ptr<MessageEnvelope> envelope)
{
	return looper->_Post(message, std::move(envelope));
}

int32
BPrivate::LooperAccess::Token(const BHandler* handler)
{
	return handler->_Token();
}

BMessage*
BLooper::CurrentMessage() const
{
	return fLastMessage;
}

BMessage*
BLooper::DetachCurrentMessage()
{
	BMessage* message = fLastMessage;
	fLastMessage = NULL;
	return message;
}

BMessageQueue*
BLooper::MessageQueue() const
{
	return fQueue;
}

bool
BLooper::IsMessageWaiting() const
{
	return !fQueue->IsEmpty();
}

void
BLooper::AddHandler(BHandler* handler)
{
	if (handler == NULL || handler->Looper() != NULL)
		return;
	fHandlers.push_back(handler);
	handler->_SetLooper(this);
	// What the handler does not understand goes on to the looper.
	handler->fNextHandler = this;
	TokenSpace::Default().SetLooper(handler->_Token(), this, fLock);
}

bool
BLooper::RemoveHandler(BHandler* handler)
{
	if (handler == NULL || handler == this || handler->Looper() != this)
		return false;
	auto it = std::find(fHandlers.begin(), fHandlers.end(), handler);
	if (it == fHandlers.end())
		return false;
	fHandlers.erase(it);
	handler->_SetLooper(NULL);
	handler->fNextHandler = NULL;
	TokenSpace::Default().SetLooper(handler->_Token(), NULL, NULL);
	if (fPreferred == handler)
		fPreferred = NULL;
	// A chain that went through the handler now ends at the looper, as a new one does.
	for (BHandler* other : fHandlers) {
		if (other->NextHandler() == handler)
			other->fNextHandler = other == this ? NULL : this;
	}
	return true;
}

int32
BLooper::CountHandlers() const
{
	return (int32)fHandlers.size();
}

BHandler*
BLooper::HandlerAt(int32 index) const
{
	if (index < 0 || (size_t)index >= fHandlers.size())
		return NULL;
	return fHandlers[index];
}

int32
BLooper::IndexOf(BHandler* handler) const
{
	auto it = std::find(fHandlers.begin(), fHandlers.end(), handler);
	return it == fHandlers.end() ? -1 : (int32)(it - fHandlers.begin());
}

BHandler*
BLooper::PreferredHandler() const
{
	return fPreferred;
}

void
BLooper::SetPreferredHandler(BHandler* handler)
{
	if (handler != NULL && handler->Looper() != this)
		return;
	fPreferred = handler;
}

bool
BLooper::Lock()
{
	return fLock->Acquire(B_INFINITE_TIMEOUT) == B_OK;
}

void
BLooper::Unlock()
{
	fLock->Release();
}

bool
BLooper::IsLocked() const
{
	return _IsLockedByCaller();
}

bool
BLooper::_IsLockedByCaller() const
{
	std::lock_guard<std::mutex> guard(fLock->mutex);
	return !fLock->deleted && fLock->owner == BPrivate::current_thread();
}

status_t
BLooper::LockWithTimeout(bigtime_t timeout)
{
	return fLock->Acquire(timeout);
}

thread_id
BLooper::Thread() const
{
	return fThread;
}

team_id
BLooper::Team() const
{
	return getpid();
}

BLooper*
BLooper::LooperForThread(thread_id thread)
{
	return TokenSpace::Default().LooperForThread(thread);
}

thread_id
BLooper::LockingThread() const
{
	std::lock_guard<std::mutex> guard(fLock->mutex);
	return fLock->owner;
}

int32
BLooper::CountLocks() const
{
	std::lock_guard<std::mutex> guard(fLock->mutex);
	return fLock->count;
}

void
BLooper::AddCommonFilter(BMessageFilter* filter)
{
	if (filter == NULL || filter->Looper() != NULL)
		return;
	filter->_SetLooper(this);
	fCommonFilters.push_back(filter);
}

bool
BLooper::RemoveCommonFilter(BMessageFilter* filter)
{
	auto it = std::find(fCommonFilters.begin(), fCommonFilters.end(), filter);
	if (it == fCommonFilters.end())
		return false;
	fCommonFilters.erase(it);
	filter->_SetLooper(NULL);
	return true;
}

int32
BLooper::CountCommonFilters() const
{
	return (int32)fCommonFilters.size();
}

BMessageFilter*
BLooper::CommonFilterAt(int32 index) const
{
	if (index < 0 || (size_t)index >= fCommonFilters.size())
		return NULL;
	return fCommonFilters[index];
}
