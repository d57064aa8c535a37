#include "KernelTest.h"
#include "PortChild.h"

#include <OS.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using PortTest = KernelTest;

constexpr size_t kMiB = 1024 * 1024;

TEST_F(PortTest, QueuesMessagesInOrderWithTheirCodes)
{
	port_id port = create_port(10, "order");
	ASSERT_GT(port, 0);
	EXPECT_EQ(find_port("order"), port);
	EXPECT_EQ(create_port(10, "order"), B_NAME_IN_USE);
	ASSERT_EQ(write_port(port, 1, "one", 3), B_OK);
	ASSERT_EQ(write_port(port, 2, nullptr, 0), B_OK);
	ASSERT_EQ(write_port(port, -3, "three!", 6), B_OK);
	EXPECT_EQ(port_count(port), 3);
	EXPECT_EQ(port_buffer_size(port), 3);

	port_info info;
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_STREQ(info.name, "order");
	EXPECT_EQ(info.capacity, 10);
	EXPECT_EQ(info.queue_count, 3);
	EXPECT_EQ(info.team, getpid());

	char buffer[16] = {};
	int32 code = 0;
	EXPECT_EQ(read_port(port, &code, buffer, sizeof(buffer)), 3);
	EXPECT_EQ(code, 1);
	EXPECT_EQ(std::string(buffer, 3), "one");
	EXPECT_EQ(port_buffer_size(port), 0);
	EXPECT_EQ(read_port(port, &code, buffer, sizeof(buffer)), 0);
	EXPECT_EQ(code, 2);
	// A buffer too small gets the start of the message; the rest is dropped.
	EXPECT_EQ(read_port(port, &code, buffer, 4), 4);
	EXPECT_EQ(code, -3);
	EXPECT_EQ(std::string(buffer, 4), "thre");
	EXPECT_EQ(read_port_etc(port, &code, buffer, sizeof(buffer), B_RELATIVE_TIMEOUT, 0),
			  B_WOULD_BLOCK);
	EXPECT_EQ(read_port_etc(port, &code, buffer, sizeof(buffer), B_TIMEOUT, 20000), B_TIMED_OUT);
	EXPECT_EQ(port_buffer_size_etc(port, B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(info.total_count, 3);

	ASSERT_EQ(delete_port(port), B_OK);
	EXPECT_EQ(find_port("order"), B_NAME_NOT_FOUND);
	EXPECT_EQ(write_port(port, 1, "x", 1), B_BAD_PORT_ID);
	EXPECT_EQ(read_port(port, &code, buffer, sizeof(buffer)), B_BAD_PORT_ID);
	EXPECT_EQ(delete_port(port), B_BAD_PORT_ID);
	port_id again = create_port(1, "order");
	EXPECT_GT(again, 0);
	EXPECT_NE(again, port);
	delete_port(again);
}

TEST_F(PortTest, RefusesWhatIsOutOfBounds)
{
	EXPECT_EQ(create_port(0, "none"), B_BAD_VALUE);
	EXPECT_EQ(create_port(4097, "many"), B_BAD_VALUE);
	port_id port = create_port(2, "bounds");
	std::vector<char> big(kMiB + 1, 'b');
	EXPECT_EQ(write_port(port, 0, big.data(), big.size()), B_BAD_VALUE);
	EXPECT_EQ(write_port(port, 0, big.data(), kMiB), B_OK);
	EXPECT_EQ(write_port(port, 0, nullptr, 5), B_BAD_VALUE);
	EXPECT_EQ(write_port(-5, 0, "x", 1), B_BAD_PORT_ID);
	EXPECT_EQ(find_port("no such port"), B_NAME_NOT_FOUND);
	delete_port(port);
}

TEST_F(PortTest, HoldsExactlyItsCapacity)
{
	port_id port = create_port(5, "five");
	for (int32 i = 0; i < 5; i++)
		ASSERT_EQ(write_port_etc(port, i, &i, sizeof(i), B_RELATIVE_TIMEOUT, 0), B_OK);
	int32 extra = 5;
	EXPECT_EQ(write_port_etc(port, 5, &extra, sizeof(extra), B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	EXPECT_EQ(write_port_etc(port, 5, &extra, sizeof(extra), B_RELATIVE_TIMEOUT, 20000),
			  B_TIMED_OUT);
	EXPECT_EQ(
		write_port_etc(port, 5, &extra, sizeof(extra), B_ABSOLUTE_TIMEOUT, system_time() + 20000),
		B_TIMED_OUT);
	for (int32 i = 0; i < 5; i++) {
		int32 code = -1;
		int32 value = -1;
		ASSERT_EQ(read_port(port, &code, &value, sizeof(value)), ssize_t(sizeof(value)));
		EXPECT_EQ(code, i);
		EXPECT_EQ(value, i);
	}
	delete_port(port);
}

TEST_F(PortTest, KeepsLargeMessagesIntactAcrossTheRing)
{
	port_id port = create_port(3, "ring");
	std::vector<uint8> message(kMiB);
	std::vector<uint8> received(kMiB);
	int32 written = 0;
	int32 read = 0;
	// Enough full messages to go round the data area several times, with a varying backlog.
	for (int round = 0; round < 40; round++) {
		while (port_count(port) < 1 + round % 3) {
			size_t size = kMiB - size_t(written % 7) * 4099;
			memset(message.data(), written & 0xff, size);
			ASSERT_EQ(write_port_etc(port, written, message.data(), size, B_TIMEOUT, 0), B_OK);
			written++;
		}
		int32 code = -1;
		ssize_t size = read_port(port, &code, received.data(), received.size());
		ASSERT_EQ(code, read);
		ASSERT_EQ(size, ssize_t(kMiB - size_t(read % 7) * 4099));
		ASSERT_EQ(received[0], read & 0xff);
		ASSERT_EQ(received[size - 1], read & 0xff);
		read++;
	}
	delete_port(port);
}

off_t
allocated_bytes(const std::string& folder, port_id port)
{
	struct stat info;
	std::string path = folder + "/beapi/port-" + std::to_string(port);
	if (stat(path.c_str(), &info) != 0)
		return -1;
	return info.st_blocks * 512;
}

TEST_F(PortTest, MemoryFollowsWhatIsQueued)
{
	port_id port = create_port(100, "memory");
	char small[100] = {};
	for (int i = 0; i < 100; i++)
		ASSERT_EQ(write_port(port, 0, small, sizeof(small)), B_OK);
	EXPECT_LT(allocated_bytes(fRuntimeFolder, port), off_t(kMiB));

	int32 code;
	for (int i = 0; i < 100; i++)
		read_port(port, &code, small, sizeof(small));
	std::vector<char> big(kMiB, 'm');
	for (int i = 0; i < 8; i++)
		ASSERT_EQ(write_port(port, 0, big.data(), big.size()), B_OK);
	EXPECT_GE(allocated_bytes(fRuntimeFolder, port), off_t(8 * kMiB));
	for (int i = 0; i < 8; i++)
		read_port(port, &code, big.data(), big.size());
	EXPECT_LT(allocated_bytes(fRuntimeFolder, port), off_t(kMiB));
	delete_port(port);
}

struct Blocked {
	port_id port;
	std::atomic<bool> started{false};
	std::atomic<status_t> result{0};
};

status_t
block_in_read(void* data)
{
	Blocked* blocked = static_cast<Blocked*>(data);
	blocked->started = true;
	char buffer[8];
	int32 code;
	blocked->result = status_t(read_port(blocked->port, &code, buffer, sizeof(buffer)));
	return B_OK;
}

status_t
block_in_write(void* data)
{
	Blocked* blocked = static_cast<Blocked*>(data);
	blocked->started = true;
	blocked->result = write_port(blocked->port, 0, "full", 4);
	return B_OK;
}

thread_id
start_blocked(thread_func function, Blocked* blocked)
{
	thread_id thread = spawn_thread(function, "blocked", B_NORMAL_PRIORITY, blocked);
	resume_thread(thread);
	while (!blocked->started)
		snooze(1000);
	snooze(20000);
	return thread;
}

TEST_F(PortTest, DeletingWakesWaitersWithBadPortID)
{
	port_id empty = create_port(1, "empty");
	port_id full = create_port(1, "full");
	write_port(full, 0, "x", 1);
	Blocked reader{empty};
	Blocked writer{full};
	thread_id readerThread = start_blocked(block_in_read, &reader);
	thread_id writerThread = start_blocked(block_in_write, &writer);
	thread_info info;
	do {
		snooze(1000);
		ASSERT_EQ(get_thread_info(readerThread, &info), B_OK);
	} while (info.state != B_THREAD_RECEIVING);
	ASSERT_EQ(delete_port(empty), B_OK);
	ASSERT_EQ(delete_port(full), B_OK);
	wait_for_thread(readerThread, nullptr);
	wait_for_thread(writerThread, nullptr);
	EXPECT_EQ(reader.result.load(), B_BAD_PORT_ID);
	EXPECT_EQ(writer.result.load(), B_BAD_PORT_ID);
}

TEST_F(PortTest, KillingAThreadBlockedOnAPortEndsIt)
{
	port_id port = create_port(1, "killed");
	Blocked reader{port};
	thread_id thread = start_blocked(block_in_read, &reader);
	ASSERT_EQ(kill_thread(thread), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, B_INTERRUPTED);
	EXPECT_EQ(reader.result.load(), 0);
	ASSERT_EQ(write_port(port, 9, "ok", 2), B_OK);
	int32 code = 0;
	char buffer[2];
	EXPECT_EQ(read_port(port, &code, buffer, sizeof(buffer)), 2);
	EXPECT_EQ(code, 9);
	delete_port(port);
}

TEST_F(PortTest, RuntimeFolderIsPrivate)
{
	port_id port = create_port(1, "private");
	ASSERT_GT(port, 0);
	struct stat info;
	std::string folder = fRuntimeFolder + "/beapi";
	ASSERT_EQ(stat(folder.c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 0777, 0700u);
	delete_port(port);
	if (getuid() != 0)
		GTEST_SKIP() << "handing the folder to another user needs root";
	ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
	EXPECT_EQ(create_port(1, "planted"), B_PERMISSION_DENIED);
	EXPECT_EQ(find_port("private"), B_NAME_NOT_FOUND);
}

} // namespace

TEST_F(PortTest, ARelativeRuntimeFolderIsNoRuntimeFolder)
{
	// A relative value would name another folder in each working folder, so that processes
	// started elsewhere could not find each other's ports.
	char* previous = getcwd(nullptr, 0);
	ASSERT_EQ(chdir(fRuntimeFolder.c_str()), 0);
	setenv("XDG_RUNTIME_DIR", "relative", 1);
	port_id port = create_port(1, "relative-runtime-test");
	EXPECT_GE(port, 0);
	struct stat info;
	EXPECT_NE(stat((fRuntimeFolder + "/relative").c_str(), &info), 0);
	ASSERT_EQ(chdir("/"), 0);
	EXPECT_EQ(find_port("relative-runtime-test"), port);
	delete_port(port);
	ASSERT_EQ(chdir(previous), 0);
	free(previous);
}
