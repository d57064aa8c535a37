#ifndef _LOOPER_PRIVATE_H
#define _LOOPER_PRIVATE_H

// What the application kit keeps about loopers, handlers and the messages on their way to them.

#include <OS.h>
#include <SupportDefs.h>

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

class BHandler;
class BLooper;
class BMessage;

#define B_NULL_TOKEN (-1)
#define B_PREFERRED_TOKEN (-2)

namespace BPrivate {

// The internal request a looper reads as "end your loop now".
enum : uint32 { kQuitLooperCode = '_QIT' };

// The recursive lock of a looper and the wake-up of its thread. It outlives the looper for
// whoever still waits on it, and tells them the looper has gone.
struct LooperLock {
	std::mutex mutex;
	std::condition_variable released;
	thread_id owner = -1;
	int32 count = 0;
	bool deleted = false;

	std::mutex wakeMutex;
	std::condition_variable wake;
	bool wakePending = false;

	status_t Acquire(bigtime_t timeout);
	bool Release();
	void Signal();
};

// A one-time meeting point between a sender waiting for its answer and the handler that replies.
struct ReplySlot {
	std::mutex mutex;
	std::condition_variable arrived;
	BMessage* reply = nullptr;
	bool done = false;

	~ReplySlot();
	// Takes the reply; false when an answer was already given.
	bool Deliver(BMessage* message);
	status_t Wait(bigtime_t timeout, BMessage* out);
};

// How a message reached its looper and where its answer goes.
struct MessageEnvelope {
	int32 target = B_NULL_TOKEN;
	bool preferred = true;
	bool remote = false;
	bool isReply = false;

	port_id replyPort = -1;
	int32 replyToken = B_NULL_TOKEN;
	team_id replyTeam = -1;
	std::shared_ptr<ReplySlot> replySlot;
	bool replyWanted = false;
	bool replied = false;
};

// The few looper internals the rest of the kit reaches.
struct LooperAccess {
	static status_t Post(BLooper* looper, BMessage* message,
						 std::shared_ptr<MessageEnvelope> envelope);
	static int32 Token(const BHandler* handler);
};

// Every handler has a token that messengers name it by; the token knows the handler's looper
// while the handler belongs to one.
class TokenSpace {
public:
	static TokenSpace& Default();

	int32 NewToken(BHandler* handler);
	void RemoveToken(int32 token);
	void SetLooper(int32 token, BLooper* looper, std::shared_ptr<LooperLock> lock);
	void ForgetLooper(BLooper* looper);

	// Finds the looper that serves the token, and runs the action with the registry held so
	// that the looper cannot go away in between.
	template <typename Action>
	status_t WithLooper(int32 token, Action action)
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fEntries.find(token);
		if (it == fEntries.end())
			return B_BAD_HANDLER;
		if (it->second.looper == nullptr)
			return B_BAD_HANDLER;
		return action(it->second.handler, it->second.looper);
	}

	bool Lookup(int32 token, BHandler** handler, BLooper** looper,
				std::shared_ptr<LooperLock>* lock);
	void SetThread(thread_id thread, BLooper* looper);
	BLooper* LooperForThread(thread_id thread);

private:
	struct Entry {
		BHandler* handler;
		BLooper* looper;
		std::shared_ptr<LooperLock> lock;
	};

	std::mutex fLock;
	std::map<int32, Entry> fEntries;
	std::map<thread_id, BLooper*> fThreads;
	int32 fNext = 1;
};

// The messages being handled, or taken out of their loop, whose sender still expects an answer.
class ReplyRegistry {
public:
	static ReplyRegistry& Default();

	void Register(const BMessage* message, std::shared_ptr<MessageEnvelope> envelope);
	std::shared_ptr<MessageEnvelope> Find(const BMessage* message);
	std::shared_ptr<MessageEnvelope> Remove(const BMessage* message);

private:
	std::mutex fLock;
	std::map<const BMessage*, std::shared_ptr<MessageEnvelope>> fEntries;
};

// The port this process's application reads, or -1 before an application exists.
extern std::atomic<port_id> gApplicationPort;

// The code of a message that another process wrote to the application's port.
enum : int32 { kPortMessageCode = 'pjpp', kReplyMessageCode = 'rply' };

thread_id current_thread();

} // namespace BPrivate

#endif
