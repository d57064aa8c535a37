#ifndef _LOCKER_H
#define _LOCKER_H

#include <condition_variable>
#include <mutex>

#include <SupportDefs.h>

// A recursive lock: the thread holding it may lock it again, and must unlock it as often.
class BLocker {
public:
	BLocker();
	explicit BLocker(const char* name);
	BLocker(bool benaphoreStyle);
	BLocker(const char* name, bool benaphoreStyle);
	virtual ~BLocker();

	status_t InitCheck() const { return B_OK; }

	bool Lock();
	// Waits at most timeout microseconds; B_TIMED_OUT (or B_WOULD_BLOCK for 0) when it
	// could not get the lock.
	status_t LockWithTimeout(bigtime_t timeout);
	void Unlock();

	thread_id LockingThread() const;
	bool IsLocked() const;
	int32 CountLocks() const;
	int32 CountLockRequests() const;
	const char* Name() const { return fName; }

private:
	BLocker(const BLocker&) = delete;
	BLocker& operator=(const BLocker&) = delete;

	const char* fName;
	mutable std::mutex fMutex;
	std::condition_variable fReleased;
	thread_id fOwner;
	int32 fCount;
	int32 fWaiting;
};

#endif
