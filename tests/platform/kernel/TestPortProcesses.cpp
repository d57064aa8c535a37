#include "KernelTest.h"
#include "PortChild.h"

#include <OS.h>

#include <atomic>
#include <cstdlib>
#include <dirent.h>
#include <signal.h>
#include <string>
#include <vector>

namespace {

using PortProcessTest = KernelTest;

port_id
port_of(PortChild& child)
{
	return port_id(atoi(child.ReadLine().c_str()));
}

TEST_F(PortProcessTest, CapacityHoldsAcrossProcessesAndOrderIsKept)
{
	PortChild owner("hold held 100");
	port_id port = port_of(owner);
	ASSERT_GT(port, 0);
	ASSERT_EQ(find_port("held"), port);
	for (int32 i = 0; i < 100; i++) {
		uint8 first = uint8(i);
		ASSERT_EQ(write_port_etc(port, i, &first, 1, B_RELATIVE_TIMEOUT, 0), B_OK) << i;
	}
	uint8 extra = 100;
	EXPECT_EQ(write_port_etc(port, 100, &extra, 1, B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	EXPECT_EQ(port_count(port), 100);
	// Any process of the user may read; the room it makes takes a message of zero bytes.
	int32 code = -1;
	uint8 first = 0xff;
	ASSERT_EQ(read_port(port, &code, &first, 1), 1);
	EXPECT_EQ(code, 0);
	ASSERT_EQ(write_port_etc(port, 200, nullptr, 0, B_RELATIVE_TIMEOUT, 0), B_OK);
	owner.WriteLine("go");
	for (int i = 1; i < 100; i++)
		EXPECT_EQ(owner.ReadLine(), std::to_string(i) + " 1 " + std::to_string(i));
	EXPECT_EQ(owner.ReadLine(), "200 0 -1");
	EXPECT_EQ(owner.ReadLine(), "end");
	EXPECT_EQ(owner.Wait(), 0);
	EXPECT_EQ(find_port("held"), B_NAME_NOT_FOUND);
}

struct Writer {
	port_id port;
	std::atomic<bool> started{false};
	std::atomic<status_t> result{1};
};

status_t
write_to_full_port(void* data)
{
	Writer* writer = static_cast<Writer*>(data);
	writer->started = true;
	writer->result = write_port(writer->port, 1, "late", 4);
	return B_OK;
}

TEST_F(PortProcessTest, DeadOwnerTakesItsPortAlong)
{
	PortChild owner("own doomed 1");
	port_id port = port_of(owner);
	ASSERT_GT(port, 0);
	ASSERT_EQ(write_port(port, 0, "fill", 4), B_OK);
	Writer writer{port};
	thread_id thread = spawn_thread(write_to_full_port, "writer", B_NORMAL_PRIORITY, &writer);
	resume_thread(thread);
	while (!writer.started)
		snooze(1000);
	snooze(20000);
	EXPECT_EQ(writer.result.load(), 1);

	owner.Kill(SIGKILL);
	owner.Wait();
	bigtime_t killed = system_time();
	wait_for_thread(thread, nullptr);
	EXPECT_EQ(writer.result.load(), B_BAD_PORT_ID);
	EXPECT_LT(system_time() - killed, 2000000);
	EXPECT_EQ(find_port("doomed"), B_NAME_NOT_FOUND);
	EXPECT_EQ(port_count(port), B_BAD_PORT_ID);
	port_id again = create_port(1, "doomed");
	EXPECT_GT(again, 0);
	EXPECT_NE(again, port);
	delete_port(again);
}

// Every creation reads the runtime folder: what dead owners leave there must not pile up.
TEST_F(PortProcessTest, DeadOwnersLeaveNothingInTheFolder)
{
	for (int i = 0; i < 3; i++) {
		PortChild owner("own doomed" + std::to_string(i) + " 1");
		ASSERT_GT(port_of(owner), 0);
		owner.Kill(SIGKILL);
		owner.Wait();
	}
	port_id port = create_port(1, "survivor");
	ASSERT_GT(port, 0);
	std::vector<std::string> left;
	DIR* folder = opendir((fRuntimeFolder + "/beapi").c_str());
	ASSERT_NE(folder, nullptr);
	while (dirent* entry = readdir(folder)) {
		std::string name = entry->d_name;
		if (name.rfind("port-", 0) == 0 || name.rfind("name-", 0) == 0)
			left.push_back(name);
	}
	closedir(folder);
	EXPECT_EQ(left.size(), 2u) << "only the live port's file and name stay";
	EXPECT_EQ(find_port("survivor"), port);
	delete_port(port);
}

TEST_F(PortProcessTest, ASecondOwnerOfALiveNameIsRefused)
{
	port_id port = create_port(1, "taken");
	PortChild other("own taken 1");
	EXPECT_EQ(port_of(other), B_NAME_IN_USE);
	delete_port(port);
}

// Writers and readers killed at any instant, several times over, must leave a port that still
// works for everybody else.
TEST_F(PortProcessTest, KilledWritersAndReadersDoNotWedgeThePort)
{
	port_id port = create_port(4, "busy");
	std::vector<char> buffer(1024 * 1024);
	int32 code;
	for (int round = 0; round < 6; round++) {
		PortChild writer("writer " + std::to_string(port) + " 1048576");
		PortChild reader("reader " + std::to_string(port));
		ASSERT_EQ(writer.ReadLine(), "writing");
		ASSERT_EQ(reader.ReadLine(), "reading");
		snooze(2000 + (rand() % 20000));
		writer.Kill(SIGKILL);
		snooze(rand() % 3000);
		reader.Kill(SIGKILL);
		writer.Wait();
		reader.Wait();
		while (read_port_etc(port, &code, buffer.data(), buffer.size(), B_RELATIVE_TIMEOUT, 0) >=
			   0) {
		}
		ASSERT_EQ(write_port_etc(port, round, "still", 5, B_RELATIVE_TIMEOUT, 0), B_OK);
		ASSERT_EQ(
			read_port_etc(port, &code, buffer.data(), buffer.size(), B_RELATIVE_TIMEOUT, 1000000),
			5);
		ASSERT_EQ(code, round);
	}
	delete_port(port);
}

TEST_F(PortProcessTest, AProcessKilledHoldingTheLockDoesNotWedgeThePort)
{
	port_id port = create_port(2, "locked");
	ASSERT_EQ(write_port(port, 1, "before", 6), B_OK);
	PortChild holder("lock " + std::to_string(port));
	ASSERT_EQ(holder.ReadLine(), "locked");
	holder.Kill(SIGKILL);
	holder.Wait();
	EXPECT_EQ(write_port_etc(port, 2, "x", 1, B_RELATIVE_TIMEOUT, 0), B_OK)
		<< "the lock is taken over once its holder is dead";
	char buffer[8];
	int32 code = 0;
	EXPECT_EQ(read_port(port, &code, buffer, sizeof(buffer)), 6);
	EXPECT_EQ(code, 1);
	EXPECT_EQ(read_port(port, &code, buffer, sizeof(buffer)), 1);
	EXPECT_EQ(code, 2);
	delete_port(port);
}

TEST_F(PortProcessTest, AnotherUserCannotReachThePort)
{
	if (getuid() != 0)
		GTEST_SKIP() << "becoming another user needs root";
	port_id port = create_port(1, "mine");
	ASSERT_GT(port, 0);
	PortChild stranger("stranger mine " + std::to_string(port));
	EXPECT_EQ(stranger.Wait(), 0);
	EXPECT_EQ(port_count(port), 0);
	delete_port(port);
}

} // namespace
