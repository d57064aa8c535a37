#ifndef _MESSAGE_QUEUE_H
#define _MESSAGE_QUEUE_H

#include <SupportDefs.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class BMessage;

namespace BPrivate {
struct MessageEnvelope;
}

// The messages waiting for a looper, oldest first. The queue owns the messages it holds; each one
// travels with the delivery details (target, source, where a reply goes) its sender gave it.
class BMessageQueue {
public:
	BMessageQueue();
	virtual ~BMessageQueue();

	void AddMessage(BMessage* message);
	void RemoveMessage(BMessage* message);

	int32 CountMessages() const;
	bool IsEmpty() const;

	BMessage* FindMessage(int32 index) const;
	BMessage* FindMessage(uint32 what, int32 index = 0) const;

	bool Lock();
	void Unlock();
	bool IsLocked() const;

	BMessage* NextMessage();
	bool IsNextMessage(const BMessage* message) const;

private:
	friend class BLooper;

	struct Entry {
		BMessage* message;
		std::shared_ptr<BPrivate::MessageEnvelope> envelope;
	};

	BMessageQueue(const BMessageQueue&) = delete;
	BMessageQueue& operator=(const BMessageQueue&) = delete;

	void _AddMessage(BMessage* message, std::shared_ptr<BPrivate::MessageEnvelope> envelope);
	BMessage* _NextMessage(std::shared_ptr<BPrivate::MessageEnvelope>* envelope);

	mutable std::recursive_mutex fLock;
	std::deque<Entry> fEntries;
	std::atomic<std::thread::id> fOwner;
	int32 fLockCount;
};

#endif
