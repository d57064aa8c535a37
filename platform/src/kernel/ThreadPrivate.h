#ifndef _THREAD_PRIVATE_H
#define _THREAD_PRIVATE_H

#include <OS.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <utility>
#include <vector>

namespace BPrivate {

// What the kernel calls know of one thread, spawned here or met on its first call.
struct ThreadRecord {
	thread_id id = -1;
	bool spawned = false;
	thread_func function = nullptr;
	void* data = nullptr;

	// Guards the fields below it; the thread takes it once more before it goes, so that
	// renaming and priority changes never touch a thread that is gone.
	std::mutex lock;
	char name[B_OS_NAME_LENGTH] = {};
	int32 priority = B_NORMAL_PRIORITY;
	pthread_t handle{};
	pid_t tid = 0;
	bool leaving = false;
	std::vector<std::pair<void (*)(void*), void*>> exitHooks;

	// 0 until resumed, 1 running, 2 killed before it ran; a futex word.
	std::atomic<uint32> start{0};
	std::atomic<bool> killRequested{false};
	std::atomic<bool> suspendRequested{false};
	// Bumped by resume_thread and kill_thread; snooze and parked threads wait on it.
	std::atomic<uint32> wakeWord{0};
	// The futex word the thread sleeps on, so that kill_thread can wake it.
	std::atomic<std::atomic<uint32>*> waitingOn{nullptr};
	std::atomic<int32> state{B_THREAD_SUSPENDED};
	// 1 once the thread has ended and its exit hooks have run; a futex word.
	std::atomic<uint32> ended{0};
	std::atomic<status_t> exitStatus{B_OK};
};

std::shared_ptr<ThreadRecord> current_thread_record();

// Sleeps on a futex word while it holds expected, for at most one bounded slice and never past
// deadline (system_time; B_INFINITE_TIMEOUT for none). Returns B_TIMED_OUT once the deadline
// has passed, B_OK otherwise; callers check their condition again and loop. A thread killed
// meanwhile ends here, and one asked to suspend stays here until resumed.
status_t wait_on_word(std::atomic<uint32>* word, uint32 expected, bigtime_t deadline,
					  thread_state state);

// Wakes every thread, in any process, sleeping on the word.
void wake_word(std::atomic<uint32>* word);

// deadline for a call's flags and timeout; B_INFINITE_TIMEOUT when it may wait for ever.
bigtime_t deadline_for(uint32 flags, bigtime_t timeout);

} // namespace BPrivate

#endif
