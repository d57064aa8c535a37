#ifndef _OS_H
#define _OS_H

#include <SupportDefs.h>

// Kernel calls: threads, ports and time, with the platform's names and values.

#define B_OS_NAME_LENGTH 32
#define B_PAGE_SIZE 4096
#define B_INFINITE_TIMEOUT (9223372036854775807LL)

enum {
	B_CAN_INTERRUPT = 0x01,
	B_CHECK_PERMISSION = 0x04,
	B_TIMEOUT = 0x08,
	B_RELATIVE_TIMEOUT = 0x08,
	B_ABSOLUTE_TIMEOUT = 0x10,
	B_KILL_CAN_INTERRUPT = 0x20,
};

enum {
	B_SYSTEM_TIMEBASE = 0,
};

// Time

// Microseconds on a monotonic clock.
bigtime_t system_time();
status_t snooze(bigtime_t microseconds);
status_t snooze_until(bigtime_t time, int timeBase);

// Threads

typedef status_t (*thread_func)(void* data);
#define thread_entry thread_func

typedef enum {
	B_THREAD_RUNNING = 1,
	B_THREAD_READY,
	B_THREAD_RECEIVING,
	B_THREAD_ASLEEP,
	B_THREAD_SUSPENDED,
	B_THREAD_WAITING,
} thread_state;

#define B_IDLE_PRIORITY 0
#define B_LOWEST_ACTIVE_PRIORITY 1
#define B_LOW_PRIORITY 5
#define B_NORMAL_PRIORITY 10
#define B_DISPLAY_PRIORITY 15
#define B_URGENT_DISPLAY_PRIORITY 20
#define B_REAL_TIME_DISPLAY_PRIORITY 100
#define B_URGENT_PRIORITY 110
#define B_REAL_TIME_PRIORITY 120
#define B_FIRST_REAL_TIME_PRIORITY B_REAL_TIME_DISPLAY_PRIORITY

typedef struct {
	thread_id thread;
	team_id team;
	char name[B_OS_NAME_LENGTH];
	thread_state state;
	int32 priority;
	sem_id sem;
	bigtime_t user_time;
	bigtime_t kernel_time;
	void* stack_base;
	void* stack_end;
} thread_info;

// A new thread does not run until resume_thread (or wait_for_thread) starts it.
thread_id spawn_thread(thread_func function, const char* name, int32 priority, void* data);
status_t resume_thread(thread_id thread);
// Honoured at once for the calling thread and for threads not yet started; another running
// thread stops at its next wait in these calls (snooze, ports, wait_for_thread).
status_t suspend_thread(thread_id thread);
// Ends a thread that was never started without running its body. A running thread ends as
// soon as it is in, or next enters, one of the waits of these calls; its exit hooks run and the
// destructors of its stack frames run as it unwinds. The exit value is B_INTERRUPTED.
status_t kill_thread(thread_id thread);
status_t wait_for_thread(thread_id thread, status_t* returnValue);
status_t rename_thread(thread_id thread, const char* newName);
// Returns the previous priority. The value is recorded; the system's scheduling is changed
// only as far as an unprivileged process may.
status_t set_thread_priority(thread_id thread, int32 newPriority);
status_t get_thread_info(thread_id thread, thread_info* info);
// NULL: the calling thread.
thread_id find_thread(const char* name);
// The hook runs on every way out of the calling thread, the last registered first.
status_t on_exit_thread(void (*callback)(void*), void* data);
[[noreturn]] void exit_thread(status_t status);

// Ports: named message queues shared by the processes of one user. A port holds at most
// 4096 messages of at most 1 MiB each.

typedef struct port_info {
	port_id port;
	team_id team;
	char name[B_OS_NAME_LENGTH];
	int32 capacity;
	int32 queue_count;
	int32 total_count;
} port_info;

port_id create_port(int32 capacity, const char* name);
port_id find_port(const char* name);
status_t write_port(port_id port, int32 code, const void* buffer, size_t bufferSize);
status_t write_port_etc(port_id port, int32 code, const void* buffer, size_t bufferSize,
						uint32 flags, bigtime_t timeout);
ssize_t read_port(port_id port, int32* code, void* buffer, size_t bufferSize);
ssize_t read_port_etc(port_id port, int32* code, void* buffer, size_t bufferSize, uint32 flags,
					  bigtime_t timeout);
ssize_t port_buffer_size(port_id port);
ssize_t port_buffer_size_etc(port_id port, uint32 flags, bigtime_t timeout);
ssize_t port_count(port_id port);
status_t get_port_info(port_id port, port_info* info);
status_t delete_port(port_id port);

#endif
