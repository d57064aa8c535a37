#include <Handler.h>

#include <AppDefs.h>
#include <Looper.h>
#include <Message.h>
#include <MessageFilter.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "LooperPrivate.h"
#include "ReplySender.h"

using BPrivate::TokenSpace;

BHandler::BHandler(const char* name) : BArchivable()
{
	_InitData(name);
}

BHandler::BHandler(BMessage* data) : BArchivable(data)
{
	const char* name = NULL;
	if (data != NULL)
		data->FindString("_name", &name);
	_InitData(name);
}

void
BHandler::_InitData(const char* name)
{
	fName = name != NULL ? strdup(name) : NULL;
	fLooper = NULL;
	fNextHandler = NULL;
	fToken = TokenSpace::Default().NewToken(this);
}

BHandler::~BHandler()
{
	// A looper must not keep dispatching to, or filtering for, a handler that is gone.
	if (fLooper != NULL)
		fLooper->RemoveHandler(this);
	TokenSpace::Default().RemoveToken(fToken);
	for (BMessageFilter* filter : fFilters)
		delete filter;
	free(fName);
}

BArchivable*
BHandler::Instantiate(BMessage* data)
{
	if (!validate_instantiation(data, "BHandler"))
		return NULL;
	return new BHandler(data);
}

status_t
BHandler::Archive(BMessage* data, bool deep) const
{
	status_t status = BArchivable::Archive(data, deep);
	if (status != B_OK)
		return status;
	if (fName == NULL)
		return B_OK;
	return data->AddString("_name", fName);
}

void
BHandler::MessageReceived(BMessage* message)
{
	if (fNextHandler != NULL) {
		// The next handler's own filters still get their say.
		BHandler* target = fNextHandler;
		if (fLooper != NULL)
			target = fLooper->_HandlerFilter(message, fNextHandler);
		if (target != NULL && target != this)
			target->MessageReceived(message);
		return;
	}
	// The end of the chain: a sender that waits for an answer learns that nobody understood.
	if (message->what != B_MESSAGE_NOT_UNDERSTOOD && BPrivate::expects_reply(message)) {
		BMessage reply(B_MESSAGE_NOT_UNDERSTOOD);
		BPrivate::send_reply(message, &reply);
	}
}

BLooper*
BHandler::Looper() const
{
	return fLooper;
}

void
BHandler::SetName(const char* name)
{
	free(fName);
	fName = name != NULL ? strdup(name) : NULL;
}

const char*
BHandler::Name() const
{
	return fName;
}

void
BHandler::SetNextHandler(BHandler* handler)
{
	if (fLooper == NULL || handler == this)
		return;
	if (handler != NULL && handler->fLooper != fLooper)
		return;
	fNextHandler = handler;
}

BHandler*
BHandler::NextHandler() const
{
	return fNextHandler;
}

void
BHandler::AddFilter(BMessageFilter* filter)
{
	if (filter == NULL)
		return;
	filter->_SetLooper(fLooper);
	fFilters.push_back(filter);
}

bool
BHandler::RemoveFilter(BMessageFilter* filter)
{
	auto it = std::find(fFilters.begin(), fFilters.end(), filter);
	if (it == fFilters.end())
		return false;
	fFilters.erase(it);
	filter->_SetLooper(NULL);
	return true;
}

int32
BHandler::CountFilters() const
{
	return (int32)fFilters.size();
}

BMessageFilter*
BHandler::FilterAt(int32 index) const
{
	if (index < 0 || (size_t)index >= fFilters.size())
		return NULL;
	return fFilters[index];
}

bool
BHandler::LockLooper()
{
	return LockLooperWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t
BHandler::LockLooperWithTimeout(bigtime_t timeout)
{
	BLooper* looper = NULL;
	std::shared_ptr<BPrivate::LooperLock> lock;
	if (!TokenSpace::Default().Lookup(fToken, NULL, &looper, &lock) || looper == NULL)
		return B_BAD_VALUE;
	status_t status = lock->Acquire(timeout);
	if (status != B_OK)
		return status;
	// The handler may have moved while we waited.
	BLooper* now = NULL;
	if (!TokenSpace::Default().Lookup(fToken, NULL, &now, NULL) || now != looper) {
		lock->Release();
		return B_MISMATCHED_VALUES;
	}
	return B_OK;
}

void
BHandler::UnlockLooper()
{
	if (fLooper != NULL)
		fLooper->Unlock();
}

void
BHandler::_SetLooper(BLooper* looper)
{
	fLooper = looper;
	if (looper == NULL)
		fNextHandler = NULL;
	for (BMessageFilter* filter : fFilters)
		filter->_SetLooper(looper);
}
