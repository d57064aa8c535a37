#include <MessageQueue.h>

#include <Message.h>

#include "LooperPrivate.h"

using BPrivate::MessageEnvelope;

BMessageQueue::BMessageQueue() : fLockCount(0) {}

BMessageQueue::~BMessageQueue()
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	for (Entry& entry : fEntries)
		delete entry.message;
	fEntries.clear();
}

void
BMessageQueue::AddMessage(BMessage* message)
{
	_AddMessage(message, std::make_shared<MessageEnvelope>());
}

void
BMessageQueue::_AddMessage(BMessage* message, std::shared_ptr<MessageEnvelope> envelope)
{
	if (message == NULL)
		return;
	std::lock_guard<std::recursive_mutex> guard(fLock);
	fEntries.push_back(Entry{message, std::move(envelope)});
}

void
BMessageQueue::RemoveMessage(BMessage* message)
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	for (auto it = fEntries.begin(); it != fEntries.end(); ++it) {
		if (it->message == message) {
			fEntries.erase(it);
			return;
		}
	}
}

int32
BMessageQueue::CountMessages() const
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	return (int32)fEntries.size();
}

bool
BMessageQueue::IsEmpty() const
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	return fEntries.empty();
}

BMessage*
BMessageQueue::FindMessage(int32 index) const
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	if (index < 0 || (size_t)index >= fEntries.size())
		return NULL;
	return fEntries[index].message;
}

BMessage*
BMessageQueue::FindMessage(uint32 what, int32 index) const
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	for (const Entry& entry : fEntries) {
		if (entry.message->what != what)
			continue;
		if (index-- == 0)
			return entry.message;
	}
	return NULL;
}

bool
BMessageQueue::Lock()
{
	fLock.lock();
	fOwner.store(std::this_thread::get_id());
	fLockCount++;
	return true;
}

void
BMessageQueue::Unlock()
{
	if (fOwner.load() != std::this_thread::get_id())
		return;
	if (--fLockCount == 0)
		fOwner.store(std::thread::id());
	fLock.unlock();
}

bool
BMessageQueue::IsLocked() const
{
	return fOwner.load() == std::this_thread::get_id();
}

BMessage*
BMessageQueue::NextMessage()
{
	std::shared_ptr<MessageEnvelope> envelope;
	return _NextMessage(&envelope);
}

BMessage*
BMessageQueue::_NextMessage(std::shared_ptr<MessageEnvelope>* envelope)
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	if (fEntries.empty())
		return NULL;
	BMessage* message = fEntries.front().message;
	*envelope = std::move(fEntries.front().envelope);
	fEntries.pop_front();
	return message;
}

bool
BMessageQueue::IsNextMessage(const BMessage* message) const
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	return !fEntries.empty() && fEntries.front().message == message;
}
