#include <framework/Thread.h>

TThread::TThread(const char* name, int32 priority)
	: mTerminateRequested(false), mThread(-1), mAutoDelete(false), mTerminated(false)
{
	mThread = spawn_thread(SpawnThread, name, priority, this);
}

TThread::TThread(const TThread& other)
	: mTerminateRequested(false), mThread(-1), mAutoDelete(false), mTerminated(false)
{
	thread_info info;
	status_t status = get_thread_info(other.mThread, &info);
	if (status != B_OK) {
		mThread = status;
		return;
	}
	mThread = spawn_thread(SpawnThread, info.name, info.priority, this);
}

TThread::~TThread()
{
	if (mTerminated || mThread < 0 || mThread == find_thread(NULL))
		return;
	// The exit hook still refers to this object, so the thread must be gone before it is.
	if (kill_thread(mThread) == B_OK)
		wait_for_thread(mThread, NULL);
}

status_t
TThread::Terminate()
{
	mTerminateRequested = true;
	return B_OK;
}

status_t
TThread::Resume() const
{
	return resume_thread(mThread);
}

status_t
TThread::Suspend() const
{
	return suspend_thread(mThread);
}

status_t
TThread::SetName(const char* name) const
{
	return rename_thread(mThread, name);
}

status_t
TThread::SetPriority(int32 priority) const
{
	return set_thread_priority(mThread, priority);
}

bool
TThread::IsSuspended() const
{
	thread_info info;
	return get_thread_info(mThread, &info) == B_OK && info.state == B_THREAD_SUSPENDED;
}

bool
TThread::IsTerminated() const
{
	return mTerminated;
}

thread_id
TThread::ThreadID() const
{
	return mThread;
}

status_t
TThread::Wait(status_t* exitValue) const
{
	// With auto delete the object is gone when the wait returns: nothing of it is read after.
	thread_id thread = mThread;
	status_t ignored;
	return wait_for_thread(thread, exitValue != NULL ? exitValue : &ignored);
}

status_t
TThread::SetAutoDelete(bool autoDelete)
{
	mAutoDelete = autoDelete;
	return B_OK;
}

status_t
TThread::SpawnThread(void* object)
{
	on_exit_thread(ExitThread, object);
	return static_cast<TThread*>(object)->Execute();
}

void
TThread::ExitThread(void* object)
{
	TThread* thread = static_cast<TThread*>(object);
	thread->mTerminated = true;
	if (thread->mAutoDelete)
		delete thread;
}
