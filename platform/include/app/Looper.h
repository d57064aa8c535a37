#ifndef _LOOPER_H
#define _LOOPER_H

#include <Handler.h>
#include <OS.h>

#include <memory>
#include <vector>

class BMessage;
class BMessageQueue;

namespace BPrivate {
struct LooperAccess;
struct LooperLock;
struct MessageEnvelope;
} // namespace BPrivate

#define B_LOOPER_PORT_DEFAULT_CAPACITY 200

// A message loop on a thread of its own. The looper is created locked by the thread that makes
// it; Run starts the thread and hands the lock back.
class BLooper : public BHandler {
public:
	BLooper(const char* name = NULL, int32 priority = B_NORMAL_PRIORITY,
			int32 portCapacity = B_LOOPER_PORT_DEFAULT_CAPACITY);
	BLooper(BMessage* data);
	virtual ~BLooper();

	static BArchivable* Instantiate(BMessage* data);
	virtual status_t Archive(BMessage* data, bool deep = true) const;

	status_t PostMessage(uint32 command);
	status_t PostMessage(BMessage* message);
	status_t PostMessage(uint32 command, BHandler* handler, BHandler* replyTo = NULL);
	status_t PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo = NULL);

	virtual void DispatchMessage(BMessage* message, BHandler* handler);
	virtual void MessageReceived(BMessage* message);
	BMessage* CurrentMessage() const;
	BMessage* DetachCurrentMessage();
	BMessageQueue* MessageQueue() const;
	bool IsMessageWaiting() const;

	void AddHandler(BHandler* handler);
	bool RemoveHandler(BHandler* handler);
	int32 CountHandlers() const;
	BHandler* HandlerAt(int32 index) const;
	int32 IndexOf(BHandler* handler) const;

	BHandler* PreferredHandler() const;
	void SetPreferredHandler(BHandler* handler);

	virtual thread_id Run();
	virtual void Quit();
	virtual bool QuitRequested();

	bool Lock();
	void Unlock();
	bool IsLocked() const;
	status_t LockWithTimeout(bigtime_t timeout);
	thread_id Thread() const;
	team_id Team() const;
	static BLooper* LooperForThread(thread_id thread);

	thread_id LockingThread() const;
	int32 CountLocks() const;

	virtual void AddCommonFilter(BMessageFilter* filter);
	virtual bool RemoveCommonFilter(BMessageFilter* filter);
	int32 CountCommonFilters() const;
	BMessageFilter* CommonFilterAt(int32 index) const;

protected:
	// The application looper runs on the thread that calls its Run.
	void _RunOnCallingThread();
	// Answers the quit request the looper is handling: asks QuitRequested and quits if it agrees.
	virtual void _QuitRequested(BMessage* message);

private:
	friend class BHandler;
	friend class BMessenger;
	friend class BApplication;
	friend struct BPrivate::LooperAccess;

	BLooper(const BLooper&) = delete;
	BLooper& operator=(const BLooper&) = delete;

	void _InitData(const char* name, int32 priority, int32 capacity);
	static int32 _ThreadEntry(void* data);
	void _Loop();
	void _DispatchOne(BMessage* message, std::shared_ptr<BPrivate::MessageEnvelope> envelope);
	// Lets a subclass route a message to another of its handlers before any filter sees it
	// (a window sends the pointer's messages to the view under it); NULL means it was handled.
	virtual BHandler* _DetermineTarget(BMessage* message, BHandler* target);
	BHandler* _TopLevelFilter(BMessage* message, BHandler* target);
	BHandler* _HandlerFilter(BMessage* message, BHandler* target);
	BHandler* _ApplyFilters(const std::vector<BMessageFilter*>& filters, BMessage* message,
							BHandler* target);
	status_t _Post(BMessage* message, std::shared_ptr<BPrivate::MessageEnvelope> envelope);
	void _DrainQueue();
	void _Shutdown();
	bool _IsLockedByCaller() const;

	std::shared_ptr<BPrivate::LooperLock> fLock;
	BMessageQueue* fQueue;
	BMessage* fLastMessage;
	std::shared_ptr<BPrivate::MessageEnvelope> fLastEnvelope;
	std::vector<BHandler*> fHandlers;
	std::vector<BMessageFilter*> fCommonFilters;
	BHandler* fPreferred;
	thread_id fThread;
	int32 fPriority;
	int32 fCapacity;
	bool fRunCalled;
	bool fOwnThread;
	bool fTerminating;
};

#endif
