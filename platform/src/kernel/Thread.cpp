// Threads: POSIX threads that wait for resume_thread before they run their function, in a
// process-wide table of records that outlive them until their exit value is collected.

#include "ThreadPrivate.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <sys/resource.h>
#include <unistd.h>

namespace BPrivate {

namespace {

// Ended threads whose exit value nobody collected are forgotten past this many records.
constexpr size_t kKeptRecords = 1024;

struct ThreadTable {
	std::mutex lock;
	std::map<thread_id, std::shared_ptr<ThreadRecord>> records;
	thread_id nextID = 1;
};

ThreadTable&
table()
{
	// Never destroyed: detached threads may still look themselves up while the process exits.
	static ThreadTable* sTable = new ThreadTable;
	return *sTable;
}

// Runs the thread's exit hooks, the last registered first, then lets waiters go.
void
finish_thread(ThreadRecord& record)
{
	for (;;) {
		std::pair<void (*)(void*), void*> hook;
		{
			std::lock_guard<std::mutex> guard(record.lock);
			if (record.exitHooks.empty()) {
				record.leaving = true;
				break;
			}
			hook = record.exitHooks.back();
			record.exitHooks.pop_back();
		}
		hook.first(hook.second);
	}
	record.ended.store(1);
	wake_word(&record.ended);
}

struct CurrentThread {
	std::shared_ptr<ThreadRecord> record;
	~CurrentThread()
	{
		// A thread we did not spawn ends here; spawned ones have finished in their entry.
		if (record && !record->spawned)
			finish_thread(*record);
	}
};

thread_local CurrentThread tCurrent;

void
copy_name(char* to, const char* from)
{
	if (from == nullptr)
		from = "";
	size_t length = strnlen(from, B_OS_NAME_LENGTH - 1);
	memcpy(to, from, length);
	to[length] = '\0';
}

// The system keeps at most 15 bytes of a thread's name.
void
apply_name(ThreadRecord& record)
{
	char shortName[16];
	size_t length = strnlen(record.name, sizeof(shortName) - 1);
	memcpy(shortName, record.name, length);
	shortName[length] = '\0';
	pthread_setname_np(record.handle, shortName);
}

// Below normal priority a thread gets a higher nice value; the system lets an unprivileged
// process make its threads nicer but not take that back, so a failure is left as it is.
void
apply_priority(ThreadRecord& record)
{
	int nice = 0;
	if (record.priority < B_NORMAL_PRIORITY)
		nice = record.priority <= B_IDLE_PRIORITY ? 19 : (B_NORMAL_PRIORITY - record.priority);
	setpriority(PRIO_PROCESS, record.tid, nice);
}

std::shared_ptr<ThreadRecord>
lookup(thread_id id)
{
	ThreadTable& threads = table();
	std::lock_guard<std::mutex> guard(threads.lock);
	auto found = threads.records.find(id);
	if (found == threads.records.end())
		return nullptr;
	return found->second;
}

void
forget_old_records(ThreadTable& threads)
{
	for (auto it = threads.records.begin();
		 threads.records.size() > kKeptRecords && it != threads.records.end();) {
		if (it->second->ended.load() != 0)
			it = threads.records.erase(it);
		else
			++it;
	}
}

struct FinishOnExit {
	ThreadRecord& record;
	~FinishOnExit() { finish_thread(record); }
};

void*
thread_entry_point(void* argument)
{
	auto* handed = static_cast<std::shared_ptr<ThreadRecord>*>(argument);
	std::shared_ptr<ThreadRecord> record = std::move(*handed);
	delete handed;
	tCurrent.record = record;
	FinishOnExit finisher{*record};
	{
		std::lock_guard<std::mutex> guard(record->lock);
		record->handle = pthread_self();
		record->tid = gettid();
		apply_name(*record);
		apply_priority(*record);
	}
	// A kill before the start ends the thread inside this wait, so its body never runs.
	while (record->start.load() == 0)
		wait_on_word(&record->start, 0, B_INFINITE_TIMEOUT, B_THREAD_SUSPENDED);
	if (record->start.load() != 1) {
		record->exitStatus.store(B_INTERRUPTED);
		return nullptr;
	}
	record->state.store(B_THREAD_RUNNING);
	record->exitStatus.store(record->function(record->data));
	return nullptr;
}

bool
start_if_new(ThreadRecord& record, uint32 how)
{
	uint32 expected = 0;
	if (!record.start.compare_exchange_strong(expected, how))
		return false;
	wake_word(&record.start);
	return true;
}

void
wake_thread(ThreadRecord& record)
{
	record.wakeWord.fetch_add(1);
	wake_word(&record.wakeWord);
	if (std::atomic<uint32>* word = record.waitingOn.load())
		wake_word(word);
}

std::shared_ptr<ThreadRecord>
live_record(thread_id id)
{
	std::shared_ptr<ThreadRecord> record = lookup(id);
	if (record && record->ended.load() != 0)
		return nullptr;
	return record;
}

} // namespace

std::shared_ptr<ThreadRecord>
current_thread_record()
{
	if (tCurrent.record)
		return tCurrent.record;
	auto record = std::make_shared<ThreadRecord>();
	record->handle = pthread_self();
	record->tid = gettid();
	record->start.store(1);
	record->state.store(B_THREAD_RUNNING);
	char systemName[16] = {};
	pthread_getname_np(pthread_self(), systemName, sizeof(systemName));
	copy_name(record->name, systemName);
	ThreadTable& threads = table();
	{
		std::lock_guard<std::mutex> guard(threads.lock);
		record->id = threads.nextID++;
		threads.records[record->id] = record;
		forget_old_records(threads);
	}
	tCurrent.record = record;
	return record;
}

} // namespace BPrivate

using namespace BPrivate;

thread_id
spawn_thread(thread_func function, const char* name, int32 priority, void* data)
{
	if (function == nullptr)
		return B_BAD_VALUE;
	auto record = std::make_shared<ThreadRecord>();
	record->spawned = true;
	record->function = function;
	record->data = data;
	copy_name(record->name, name != nullptr ? name : "unnamed thread");
	record->priority = std::clamp<int32>(priority, B_IDLE_PRIORITY, B_REAL_TIME_PRIORITY);
	ThreadTable& threads = table();
	{
		std::lock_guard<std::mutex> guard(threads.lock);
		record->id = threads.nextID++;
		threads.records[record->id] = record;
		forget_old_records(threads);
	}
	pthread_attr_t attributes;
	pthread_attr_init(&attributes);
	pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
	pthread_t handle;
	auto* handed = new std::shared_ptr<ThreadRecord>(record);
	int error = pthread_create(&handle, &attributes, thread_entry_point, handed);
	pthread_attr_destroy(&attributes);
	if (error != 0) {
		delete handed;
		std::lock_guard<std::mutex> guard(threads.lock);
		threads.records.erase(record->id);
		return B_NO_MORE_THREADS;
	}
	return record->id;
}

status_t
resume_thread(thread_id id)
{
	std::shared_ptr<ThreadRecord> record = live_record(id);
	if (!record)
		return B_BAD_THREAD_ID;
	if (start_if_new(*record, 1))
		return B_OK;
	if (!record->suspendRequested.exchange(false))
		return B_BAD_THREAD_STATE;
	wake_thread(*record);
	return B_OK;
}

status_t
suspend_thread(thread_id id)
{
	std::shared_ptr<ThreadRecord> record = live_record(id);
	if (!record)
		return B_BAD_THREAD_ID;
	if (record->start.load() == 0)
		return B_OK;
	record->suspendRequested.store(true);
	if (record == current_thread_record())
		return snooze(0);
	wake_thread(*record);
	return B_OK;
}

status_t
kill_thread(thread_id id)
{
	std::shared_ptr<ThreadRecord> record = live_record(id);
	if (!record)
		return B_BAD_THREAD_ID;
	if (!record->spawned)
		return B_NOT_ALLOWED;
	if (record == current_thread_record())
		exit_thread(B_INTERRUPTED);
	record->killRequested.store(true);
	start_if_new(*record, 2);
	wake_thread(*record);
	return B_OK;
}

status_t
wait_for_thread(thread_id id, status_t* returnValue)
{
	std::shared_ptr<ThreadRecord> record = lookup(id);
	if (!record)
		return B_BAD_THREAD_ID;
	if (record == current_thread_record())
		return B_BAD_THREAD_ID;
	// Waiting for a thread that was never started starts it.
	start_if_new(*record, 1);
	while (record->ended.load() == 0)
		wait_on_word(&record->ended, 0, B_INFINITE_TIMEOUT, B_THREAD_WAITING);
	if (returnValue != nullptr)
		*returnValue = record->exitStatus.load();
	ThreadTable& threads = table();
	std::lock_guard<std::mutex> guard(threads.lock);
	threads.records.erase(id);
	return B_OK;
}

status_t
rename_thread(thread_id id, const char* newName)
{
	if (newName == nullptr)
		return B_BAD_VALUE;
	std::shared_ptr<ThreadRecord> record = live_record(id);
	if (!record)
		return B_BAD_THREAD_ID;
	std::lock_guard<std::mutex> guard(record->lock);
	copy_name(record->name, newName);
	if (record->tid != 0 && !record->leaving)
		apply_name(*record);
	return B_OK;
}

status_t
set_thread_priority(thread_id id, int32 newPriority)
{
	std::shared_ptr<ThreadRecord> record = live_record(id);
	if (!record)
		return B_BAD_THREAD_ID;
	std::lock_guard<std::mutex> guard(record->lock);
	int32 old = record->priority;
	record->priority = std::clamp<int32>(newPriority, B_IDLE_PRIORITY, B_REAL_TIME_PRIORITY);
	if (record->tid != 0 && !record->leaving)
		apply_priority(*record);
	return old;
}

status_t
get_thread_info(thread_id id, thread_info* info)
{
	if (info == nullptr)
		return B_BAD_VALUE;
	std::shared_ptr<ThreadRecord> record = live_record(id);
	if (!record)
		return B_BAD_THREAD_ID;
	*info = thread_info{};
	info->thread = record->id;
	info->team = getpid();
	info->state = thread_state(record->state.load());
	if (record->start.load() == 0)
		info->state = B_THREAD_SUSPENDED;
	else if (info->state == B_THREAD_SUSPENDED && !record->suspendRequested.load())
		info->state = B_THREAD_READY;
	info->sem = -1;
	std::lock_guard<std::mutex> guard(record->lock);
	memcpy(info->name, record->name, sizeof(info->name));
	info->priority = record->priority;
	return B_OK;
}

thread_id
find_thread(const char* name)
{
	if (name == nullptr)
		return current_thread_record()->id;
	ThreadTable& threads = table();
	std::lock_guard<std::mutex> guard(threads.lock);
	for (auto& [id, record] : threads.records) {
		if (record->ended.load() != 0)
			continue;
		std::lock_guard<std::mutex> recordGuard(record->lock);
		if (strcmp(record->name, name) == 0)
			return id;
	}
	return B_NAME_NOT_FOUND;
}

status_t
on_exit_thread(void (*callback)(void*), void* data)
{
	if (callback == nullptr)
		return B_BAD_VALUE;
	std::shared_ptr<ThreadRecord> self = current_thread_record();
	std::lock_guard<std::mutex> guard(self->lock);
	self->exitHooks.emplace_back(callback, data);
	return B_OK;
}
