// Time, sleeping and the one wait every blocking kernel call goes through, so that killing or
// suspending a thread reaches it wherever it waits.

#include "ThreadPrivate.h"

#include <climits>
#include <ctime>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace BPrivate {

namespace {

// The longest a wait sleeps before its caller looks at the world again (a port's owner may
// have died without waking anybody).
constexpr bigtime_t kWaitSlice = 100000;

void
futex_wait(std::atomic<uint32>* word, uint32 expected, bigtime_t microseconds)
{
	timespec relative;
	relative.tv_sec = microseconds / 1000000;
	relative.tv_nsec = (microseconds % 1000000) * 1000;
	syscall(SYS_futex, reinterpret_cast<uint32*>(word), FUTEX_WAIT, expected, &relative, nullptr,
			0);
}

[[noreturn]] void
end_current_thread(ThreadRecord& self, status_t status)
{
	self.exitStatus.store(status);
	pthread_exit(nullptr);
}

// A kill ends the thread here; a suspension parks it until resume_thread or a kill.
void
honour_requests(ThreadRecord& self)
{
	if (self.killRequested.load() && self.spawned)
		end_current_thread(self, B_INTERRUPTED);
	if (!self.suspendRequested.load())
		return;
	self.state.store(B_THREAD_SUSPENDED);
	for (;;) {
		uint32 seen = self.wakeWord.load();
		if (!self.suspendRequested.load() || (self.killRequested.load() && self.spawned))
			break;
		futex_wait(&self.wakeWord, seen, kWaitSlice);
	}
	self.state.store(B_THREAD_RUNNING);
	if (self.killRequested.load() && self.spawned)
		end_current_thread(self, B_INTERRUPTED);
}

} // namespace

void
wake_word(std::atomic<uint32>* word)
{
	syscall(SYS_futex, reinterpret_cast<uint32*>(word), FUTEX_WAKE, INT_MAX, nullptr, nullptr, 0);
}

status_t
wait_on_word(std::atomic<uint32>* word, uint32 expected, bigtime_t deadline, thread_state state)
{
	std::shared_ptr<ThreadRecord> self = current_thread_record();
	honour_requests(*self);
	if (word->load() != expected)
		return B_OK;
	bigtime_t slice = kWaitSlice;
	if (deadline != B_INFINITE_TIMEOUT) {
		bigtime_t now = system_time();
		if (now >= deadline)
			return B_TIMED_OUT;
		slice = min_c(slice, deadline - now);
	}
	// Published before the requests are read again: kill_thread sets its flag before it reads
	// this, so one of the two sides always sees the other.
	self->waitingOn.store(word);
	self->state.store(state);
	if (!self->killRequested.load() && !self->suspendRequested.load())
		futex_wait(word, expected, slice);
	self->waitingOn.store(nullptr);
	self->state.store(B_THREAD_RUNNING);
	honour_requests(*self);
	return B_OK;
}

bigtime_t
deadline_for(uint32 flags, bigtime_t timeout)
{
	if ((flags & B_ABSOLUTE_TIMEOUT) != 0)
		return timeout;
	if ((flags & B_RELATIVE_TIMEOUT) == 0 || timeout == B_INFINITE_TIMEOUT)
		return B_INFINITE_TIMEOUT;
	bigtime_t now = system_time();
	if (timeout <= 0)
		return now;
	if (timeout > B_INFINITE_TIMEOUT - now)
		return B_INFINITE_TIMEOUT;
	return now + timeout;
}

} // namespace BPrivate

using namespace BPrivate;

bigtime_t
system_time()
{
	timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return bigtime_t(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

status_t
snooze_until(bigtime_t time, int timeBase)
{
	if (timeBase != B_SYSTEM_TIMEBASE)
		return B_BAD_VALUE;
	std::shared_ptr<ThreadRecord> self = current_thread_record();
	for (;;) {
		uint32 seen = self->wakeWord.load();
		if (wait_on_word(&self->wakeWord, seen, time, B_THREAD_ASLEEP) == B_TIMED_OUT)
			return B_OK;
	}
}

status_t
snooze(bigtime_t microseconds)
{
	if (microseconds <= 0)
		microseconds = 0;
	return snooze_until(deadline_for(B_RELATIVE_TIMEOUT, microseconds), B_SYSTEM_TIMEBASE);
}

[[noreturn]] void
exit_thread(status_t status)
{
	end_current_thread(*current_thread_record(), status);
}
