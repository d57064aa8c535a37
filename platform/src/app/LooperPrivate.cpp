#include "LooperPrivate.h"

#include "MessagePrivate.h"

#include <Message.h>

#include <chrono>

namespace BPrivate {

std::atomic<port_id> gApplicationPort{-1};

thread_id
current_thread()
{
	return find_thread(NULL);
}

// Waits on a condition until it holds or the timeout (B_INFINITE_TIMEOUT for none) ends.
template <typename Lock, typename Predicate>
static bool
wait_for(std::condition_variable& condition, Lock& lock, bigtime_t timeout, Predicate ready)
{
	if (timeout == B_INFINITE_TIMEOUT || timeout < 0) {
		condition.wait(lock, ready);
		return true;
	}
	return condition.wait_for(lock, std::chrono::microseconds(timeout), ready);
}

status_t
LooperLock::Acquire(bigtime_t timeout)
{
	thread_id self = current_thread();
	std::unique_lock<std::mutex> lock(mutex);
	if (deleted)
		return B_BAD_VALUE;
	if (owner == self) {
		count++;
		return B_OK;
	}
	if (!wait_for(released, lock, timeout, [&] { return deleted || owner < 0; }))
		return timeout == 0 ? B_WOULD_BLOCK : B_TIMED_OUT;
	if (deleted)
		return B_BAD_VALUE;
	owner = self;
	count = 1;
	return B_OK;
}

bool
LooperLock::Release()
{
	std::lock_guard<std::mutex> lock(mutex);
	if (owner != current_thread() || count <= 0)
		return false;
	if (--count == 0) {
		owner = -1;
		released.notify_one();
	}
	return true;
}

void
LooperLock::Signal()
{
	std::lock_guard<std::mutex> lock(wakeMutex);
	wakePending = true;
	wake.notify_one();
}

ReplySlot::~ReplySlot()
{
	delete reply;
}

bool
ReplySlot::Deliver(BMessage* message)
{
	std::lock_guard<std::mutex> lock(mutex);
	if (done) {
		delete message;
		return false;
	}
	reply = message;
	done = true;
	arrived.notify_all();
	return true;
}

status_t
ReplySlot::Wait(bigtime_t timeout, BMessage* out)
{
	std::unique_lock<std::mutex> lock(mutex);
	if (!wait_for(arrived, lock, timeout, [&] { return done; })) {
		// Whatever comes later has nobody to go to.
		done = true;
		return B_TIMED_OUT;
	}
	if (reply == nullptr)
		return B_ERROR;
	// Assignment clears the delivery flags; the answer still is a reply.
	*out = *reply;
	BMessage::Private header(out);
	header.SetFlags(header.Flags() | MESSAGE_FLAG_IS_REPLY);
	return B_OK;
}

TokenSpace&
TokenSpace::Default()
{
	static TokenSpace* space = new TokenSpace;
	return *space;
}

int32
TokenSpace::NewToken(BHandler* handler)
{
	std::lock_guard<std::mutex> guard(fLock);
	int32 token = fNext++;
	fEntries[token] = Entry{handler, nullptr, nullptr};
	return token;
}

void
TokenSpace::RemoveToken(int32 token)
{
	std::lock_guard<std::mutex> guard(fLock);
	fEntries.erase(token);
}

void
TokenSpace::SetLooper(int32 token, BLooper* looper, std::shared_ptr<LooperLock> lock)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fEntries.find(token);
	if (it == fEntries.end())
		return;
	it->second.looper = looper;
	it->second.lock = std::move(lock);
}

void
TokenSpace::ForgetLooper(BLooper* looper)
{
	std::lock_guard<std::mutex> guard(fLock);
	for (auto& [token, entry] : fEntries) {
		if (entry.looper == looper) {
			entry.looper = nullptr;
			entry.lock = nullptr;
		}
	}
	for (auto it = fThreads.begin(); it != fThreads.end();) {
		if (it->second == looper)
			it = fThreads.erase(it);
		else
			++it;
	}
}

bool
TokenSpace::Lookup(int32 token, BHandler** handler, BLooper** looper,
				   std::shared_ptr<LooperLock>* lock)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fEntries.find(token);
	if (it == fEntries.end())
		return false;
	if (handler != nullptr)
		*handler = it->second.handler;
	if (looper != nullptr)
		*looper = it->second.looper;
	if (lock != nullptr)
		*lock = it->second.lock;
	return true;
}

void
TokenSpace::SetThread(thread_id thread, BLooper* looper)
{
	std::lock_guard<std::mutex> guard(fLock);
	fThreads[thread] = looper;
}

BLooper*
TokenSpace::LooperForThread(thread_id thread)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fThreads.find(thread);
	return it == fThreads.end() ? nullptr : it->second;
}

ReplyRegistry&
ReplyRegistry::Default()
{
	static ReplyRegistry* registry = new ReplyRegistry;
	return *registry;
}

void
ReplyRegistry::Register(const BMessage* message, std::shared_ptr<MessageEnvelope> envelope)
{
	std::lock_guard<std::mutex> guard(fLock);
	fEntries[message] = std::move(envelope);
}

std::shared_ptr<MessageEnvelope>
ReplyRegistry::Find(const BMessage* message)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fEntries.find(message);
	return it == fEntries.end() ? nullptr : it->second;
}

std::shared_ptr<MessageEnvelope>
ReplyRegistry::Remove(const BMessage* message)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fEntries.find(message);
	if (it == fEntries.end())
		return nullptr;
	auto envelope = std::move(it->second);
	fEntries.erase(it);
	return envelope;
}

} // namespace BPrivate
