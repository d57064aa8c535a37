#include <Locker.h>

#include <chrono>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

thread_id
current_thread()
{
	return static_cast<thread_id>(syscall(SYS_gettid));
}

} // namespace

BLocker::BLocker() : BLocker("some BLocker", true) {}

BLocker::BLocker(const char* name) : BLocker(name, true) {}

BLocker::BLocker(bool benaphoreStyle) : BLocker("some BLocker", benaphoreStyle) {}

BLocker::BLocker(const char* name, bool) : fName(name), fOwner(-1), fCount(0), fWaiting(0) {}

BLocker::~BLocker() {}

bool
BLocker::Lock()
{
	return LockWithTimeout(-1) == B_OK;
}

status_t
BLocker::LockWithTimeout(bigtime_t timeout)
{
	const thread_id self = current_thread();
	std::unique_lock<std::mutex> guard(fMutex);
	if (fOwner == self) {
		fCount++;
		return B_OK;
	}
	if (fOwner != -1) {
		if (timeout == 0)
			return B_WOULD_BLOCK;
		fWaiting++;
		if (timeout < 0) {
			fReleased.wait(guard, [this] { return fOwner == -1; });
		} else {
			const auto deadline =
				std::chrono::steady_clock::now() + std::chrono::microseconds(timeout);
			if (!fReleased.wait_until(guard, deadline, [this] { return fOwner == -1; })) {
				fWaiting--;
				return B_TIMED_OUT;
			}
		}
		fWaiting--;
	}
	fOwner = self;
	fCount = 1;
	return B_OK;
}

void
BLocker::Unlock()
{
	std::lock_guard<std::mutex> guard(fMutex);
	// Only the holder may release; anyone else's Unlock is a caller fault and is ignored.
	if (fOwner != current_thread() || fCount == 0)
		return;
	if (--fCount == 0) {
		fOwner = -1;
		fReleased.notify_one();
	}
}

thread_id
BLocker::LockingThread() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fOwner;
}

bool
BLocker::IsLocked() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fOwner == current_thread();
}

int32
BLocker::CountLocks() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fCount;
}

int32
BLocker::CountLockRequests() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fCount + fWaiting;
}
