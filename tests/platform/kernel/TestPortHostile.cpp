// Another process of the same user may write anything into a port's file; the owner drops what
// makes no sense and goes on reading, and others can still reach the port.
#include "KernelTest.h"
#include "PortChild.h"

#include "../../../platform/src/kernel/PortPrivate.h"

#include <OS.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>

namespace {

using PortHostileTest = KernelTest;

// What the owner's reader thread saw.
struct Reader {
	std::mutex lock;
	std::condition_variable changed;
	int hellos = 0;
	status_t failure = B_OK;

	bool WaitForHellos(int count)
	{
		std::unique_lock<std::mutex> guard(lock);
		return changed.wait_for(guard, std::chrono::seconds(15), [&] {
			return hellos >= count || failure != B_OK;
		}) && failure == B_OK;
	}
};

} // namespace

TEST_F(PortHostileTest, GarbageWrittenIntoThePortFileIsDroppedAndTheOwnerReadsOn)
{
	const int32 capacity = 8;
	port_id port = create_port(capacity, "hostile");
	ASSERT_GT(port, 0);
	std::string file = fRuntimeFolder + "/beapi/port-" + std::to_string(port);

	Reader reader;
	std::atomic<bool> stop(false);
	std::thread reading([&] {
		std::vector<char> buffer(BPrivate::kMaxPortMessage);
		while (!stop.load()) {
			int32 code = 0;
			ssize_t size = read_port_etc(port, &code, buffer.data(), buffer.size(),
										 B_RELATIVE_TIMEOUT, 100000);
			std::lock_guard<std::mutex> guard(reader.lock);
			if (size >= 0 && code == 'helo')
				reader.hellos++;
			else if (size < 0 && size != B_TIMED_OUT)
				reader.failure = status_t(size);
			reader.changed.notify_all();
			if (reader.failure != B_OK)
				return;
		}
	});
	struct Stopper {
		std::atomic<bool>& stop;
		std::thread& thread;
		~Stopper()
		{
			stop = true;
			thread.join();
		}
	} stopper{stop, reading};

	using BPrivate::PortHeader;
	using BPrivate::PortSlot;
	const size_t slots = sizeof(PortHeader) + capacity * sizeof(PortSlot);
	struct Attack {
		const char* what;
		const char* how;
		size_t offset;
		size_t length;
	};
	const Attack attacks[] = {
		{"the first 40 bytes", "over", 0, 40},
		{"the queue", "over", offsetof(PortHeader, queue), 8},
		{"the slots", "over", sizeof(PortHeader), capacity * sizeof(PortSlot)},
		{"the deletion mark", "over", offsetof(PortHeader, deleted), 4},
		{"the lock", "over", offsetof(PortHeader, lock), sizeof(pthread_mutex_t)},
		{"everything before the data", "over", 0, slots},
		{"the file cut to 40 bytes", "cut", 0, 40},
	};
	int hellos = 0;
	uint32 seed = 1;
	for (const Attack& attack : attacks) {
		SCOPED_TRACE(attack.what);
		for (int i = 0; i < 3; i++)
			ASSERT_EQ(write_port_etc(port, 'fill', "queued", 6, B_RELATIVE_TIMEOUT, 5000000), B_OK);
		PortChild scribbler("scribble " + file + " " + attack.how + " " +
							std::to_string(attack.offset) + " " + std::to_string(attack.length) +
							" " + std::to_string(seed++));
		ASSERT_EQ(scribbler.Wait(), 0);
		// A process that opens the port afresh finds it by name and delivers to it.
		PortChild sender("send hostile");
		EXPECT_EQ(sender.Wait(), 0);
		ASSERT_TRUE(reader.WaitForHellos(++hellos)) << "reader stopped: " << reader.failure;
		// And the owner's own process still writes to it.
		EXPECT_EQ(write_port_etc(port, 'helo', "hello", 5, B_RELATIVE_TIMEOUT, 5000000), B_OK);
		ASSERT_TRUE(reader.WaitForHellos(++hellos)) << "reader stopped: " << reader.failure;
	}
	port_info info;
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_STREQ(info.name, "hostile");
	EXPECT_EQ(info.capacity, capacity);
	EXPECT_LE(info.queue_count, capacity);

	EXPECT_EQ(delete_port(port), B_OK);
}
