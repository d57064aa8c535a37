#include <Locker.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sys/syscall.h>
#include <unistd.h>

namespace BPrivate {

struct LockerState {
	explicit LockerState(bool benaphoreStyle) : requests(benaphoreStyle ? 0 : 1) {}

	std::mutex mutex;
	std::condition_variable released;
	thread_id owner = -1;
	// How often the owner has locked.
	int32 count = 0;
	// The holder plus the waiting threads; a lock of semaphore style starts at one, as its
	// semaphore does.
	int32 requests;
	bool deleted = false;
};

} // namespace BPrivate

using BPrivate::LockerState;

namespace {

// About 35 years.
const bigtime_t kLongestTimeout = bigtime_t(1) << 50;

thread_id
current_thread()
{
	return static_cast<thread_id>(syscall(SYS_gettid));
}

} // namespace

BLocker::BLocker() : BLocker("some BLocker", true) {}

BLocker::BLocker(const char* name) : BLocker(name, true) {}

BLocker::BLocker(bool benaphoreStyle) : BLocker("some BLocker", benaphoreStyle) {}

BLocker::BLocker(const char* name, bool benaphoreStyle)
	: fName(name), fState(std::make_shared<LockerState>(benaphoreStyle))
{}

BLocker::~BLocker()
{
	std::lock_guard<std::mutex> guard(fState->mutex);
	fState->deleted = true;
	fState->released.notify_all();
}

bool
BLocker::Lock()
{
	return LockWithTimeout(-1) == B_OK;
}

status_t
BLocker::LockWithTimeout(bigtime_t timeout)
{
	const thread_id self = current_thread();
	// From the wait on, only this reference is used: the lock may be deleted meanwhile.
	std::shared_ptr<LockerState> state = fState;
	std::unique_lock<std::mutex> guard(state->mutex);
	if (state->deleted)
		return B_BAD_SEM_ID;
	if (state->owner == self) {
		state->count++;
		return B_OK;
	}
	if (state->owner != -1 && timeout == 0)
		return B_WOULD_BLOCK;
	state->requests++;
	auto free = [&state] { return state->deleted || state->owner == -1; };
	// Negative, or beyond any clock's range (the platform's infinite timeout): wait for ever.
	if (timeout < 0 || timeout > kLongestTimeout) {
		state->released.wait(guard, free);
	} else if (!state->released.wait_until(
				   guard, std::chrono::steady_clock::now() + std::chrono::microseconds(timeout),
				   free)) {
		state->requests--;
		return B_TIMED_OUT;
	}
	if (state->deleted)
		return B_BAD_SEM_ID;
	state->owner = self;
	state->count = 1;
	return B_OK;
}

void
BLocker::Unlock()
{
	std::lock_guard<std::mutex> guard(fState->mutex);
	// Only the holder may release; anyone else's Unlock is a caller fault and is ignored.
	if (fState->owner != current_thread() || fState->count == 0)
		return;
	if (--fState->count == 0) {
		fState->owner = -1;
		fState->requests--;
		fState->released.notify_one();
	}
}

thread_id
BLocker::LockingThread() const
{
	std::lock_guard<std::mutex> guard(fState->mutex);
	return fState->owner;
}

bool
BLocker::IsLocked() const
{
	std::lock_guard<std::mutex> guard(fState->mutex);
	return fState->owner == current_thread();
}

int32
BLocker::CountLocks() const
{
	std::lock_guard<std::mutex> guard(fState->mutex);
	return fState->count;
}

int32
BLocker::CountLockRequests() const
{
	std::lock_guard<std::mutex> guard(fState->mutex);
	return fState->requests;
}
