#ifndef MOZELT_THREAD_H
#define MOZELT_THREAD_H

#include <OS.h>

#include <atomic>

// One platform thread in an object. A subclass supplies the body (Execute); the thread is made
// suspended, so the owner finishes setting the object up and then calls Resume. Stopping is
// cooperative: Terminate raises a flag the body polls, the owner wakes the body if it may be
// blocked, then calls Wait.
class TThread {
public:
	TThread(const char* name, int32 priority);
	TThread(const TThread& other);
	// Kills the thread if it has not ended, and waits until it has: a body blocked in a kernel
	// wait ends at once, one that is computing ends at its next wait.
	virtual ~TThread();

	TThread& operator=(const TThread&) = delete;

	virtual status_t Terminate();
	virtual int32 Execute() = 0;

	status_t Resume() const;
	status_t Suspend() const;
	status_t SetName(const char* name) const;
	status_t SetPriority(int32 priority) const;
	bool IsSuspended() const;
	bool IsTerminated() const;
	thread_id ThreadID() const;
	status_t Wait(status_t* exitValue = NULL) const;
	status_t SetAutoDelete(bool autoDelete);

	static status_t SpawnThread(void* object);
	static void ExitThread(void* object);

protected:
	std::atomic<bool> mTerminateRequested;
	thread_id mThread;
	std::atomic<bool> mAutoDelete;
	std::atomic<bool> mTerminated;
};

#endif
