#ifndef _LOCKER_H
#define _LOCKER_H

#include <memory>

#include <SupportDefs.h>

namespace BPrivate {
struct LockerState;
}

// A recursive lock: the thread holding it may lock it again, and must unlock it as often.
// Deleting the lock wakes every thread still waiting for it with an error.
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
	// could not get the lock, B_BAD_SEM_ID when the lock was deleted meanwhile.
	status_t LockWithTimeout(bigtime_t timeout);
	void Unlock();

	thread_id LockingThread() const;
	bool IsLocked() const;
	int32 CountLocks() const;
	// The holder and the waiting threads, plus one for a lock that is not benaphore style.
	int32 CountLockRequests() const;
	const char* Name() const { return fName; }

private:
	BLocker(const BLocker&) = delete;
	BLocker& operator=(const BLocker&) = delete;

	const char* fName;
	// Shared with the threads waiting, so that they can still learn of the deletion.
	std::shared_ptr<BPrivate::LockerState> fState;
};

#endif
