#include "PortChild.h"
#include "SpawnSelf.h"

#include "../../../platform/src/kernel/PortPrivate.h"

#include <OS.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// The parts a child can play.

int
hold_port(std::istringstream& arguments)
{
	std::string name;
	int32 capacity = 0;
	arguments >> name >> capacity;
	port_id port = create_port(capacity, name.c_str());
	printf("%d\n", int(port));
	fflush(stdout);
	char line[16];
	if (port < 0 || fgets(line, sizeof(line), stdin) == nullptr)
		return 1;
	std::vector<char> buffer(1024 * 1024);
	int32 code = 0;
	ssize_t size;
	while ((size = read_port_etc(port, &code, buffer.data(), buffer.size(), B_RELATIVE_TIMEOUT,
								 0)) >= 0)
		printf("%d %zd %d\n", int(code), size, size > 0 ? int(uint8(buffer[0])) : -1);
	printf("end\n");
	fflush(stdout);
	return delete_port(port) == B_OK ? 0 : 1;
}

int
own_port(std::istringstream& arguments)
{
	std::string name;
	int32 capacity = 0;
	arguments >> name >> capacity;
	port_id port = create_port(capacity, name.c_str());
	printf("%d\n", int(port));
	fflush(stdout);
	for (;;)
		pause();
}

int
write_forever(std::istringstream& arguments)
{
	port_id port = -1;
	size_t size = 0;
	arguments >> port >> size;
	std::vector<char> buffer(size, 'w');
	printf("writing\n");
	fflush(stdout);
	for (int32 code = 0;; code++) {
		if (write_port(port, code, buffer.data(), size) != B_OK)
			return 1;
	}
}

int
read_forever(std::istringstream& arguments)
{
	port_id port = -1;
	arguments >> port;
	std::vector<char> buffer(1024 * 1024);
	printf("reading\n");
	fflush(stdout);
	int32 code;
	for (;;) {
		if (read_port(port, &code, buffer.data(), buffer.size()) < 0)
			return 1;
	}
}

// Dies holding the port's lock, the worst instant for everybody else.
int
die_holding_the_lock(std::istringstream& arguments)
{
	port_id port = -1;
	arguments >> port;
	std::shared_ptr<BPrivate::PortMapping> mapping = BPrivate::port_mapping(port);
	if (!mapping || pthread_mutex_lock(&mapping->header->lock) != 0)
		return 1;
	printf("locked\n");
	fflush(stdout);
	for (;;)
		pause();
}

// Another user must neither find, reach nor create ports in this user's folder.
int
act_as_stranger(std::istringstream& arguments)
{
	std::string name;
	port_id port = -1;
	arguments >> name >> port;
	if (setgid(65534) != 0 || setuid(65534) != 0)
		return 100;
	int failures = 0;
	if (find_port(name.c_str()) >= 0)
		failures |= 1;
	if (write_port_etc(port, 1, "x", 1, B_RELATIVE_TIMEOUT, 0) != B_BAD_PORT_ID)
		failures |= 2;
	if (create_port(1, "stranger") >= 0)
		failures |= 4;
	return failures;
}

// Writes bytes that mean nothing over part of a file, as any program of the user can; with
// "cut" the file is cut short to those bytes first.
int
scribble(std::istringstream& arguments)
{
	std::string path;
	std::string how;
	uint64 offset = 0;
	size_t length = 0;
	uint32 seed = 0;
	arguments >> path >> how >> offset >> length >> seed;
	int fd = open(path.c_str(), O_WRONLY | (how == "cut" ? O_TRUNC : 0));
	if (fd < 0)
		return 1;
	std::vector<uint8> bytes(length);
	for (uint8& byte : bytes) {
		seed = seed * 1103515245u + 12345u;
		byte = uint8(seed >> 16);
	}
	bool written = pwrite(fd, bytes.data(), length, off_t(offset)) == ssize_t(length);
	close(fd);
	return written ? 0 : 1;
}

// Finds the port by its name and sends it one message.
int
send_by_name(std::istringstream& arguments)
{
	std::string name;
	arguments >> name;
	// The owner puts back what was written over its port the next time it looks at it.
	port_id port = find_port(name.c_str());
	for (int tries = 0; port < 0 && tries < 500; tries++) {
		snooze(10000);
		port = find_port(name.c_str());
	}
	if (port < 0)
		return 1;
	return write_port_etc(port, 'helo', "hello", 5, B_RELATIVE_TIMEOUT, 5000000) == B_OK ? 0 : 2;
}

int
play(const char* part)
{
	std::istringstream arguments(part);
	std::string role;
	arguments >> role;
	if (role == "hold")
		return hold_port(arguments);
	if (role == "own")
		return own_port(arguments);
	if (role == "writer")
		return write_forever(arguments);
	if (role == "reader")
		return read_forever(arguments);
	if (role == "lock")
		return die_holding_the_lock(arguments);
	if (role == "stranger")
		return act_as_stranger(arguments);
	if (role == "scribble")
		return scribble(arguments);
	if (role == "send")
		return send_by_name(arguments);
	return 101;
}

// Runs before the tests when this process was started as a child.
struct ChildPart {
	ChildPart()
	{
		if (const char* part = getenv("BEAPI_KERNEL_CHILD"))
			_exit(play(part));
	}
} sChildPart;

} // namespace

PortChild::PortChild(const std::string& part)
{
	int toChild[2];
	int fromChild[2];
	if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)
		return;
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
	posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
	fPid = spawn_self("BEAPI_KERNEL_CHILD=" + part, &actions);
	posix_spawn_file_actions_destroy(&actions);
	close(toChild[0]);
	close(fromChild[1]);
	fIn = fdopen(toChild[1], "w");
	fOut = fdopen(fromChild[0], "r");
}

PortChild::~PortChild()
{
	if (fPid > 0) {
		Kill(SIGKILL);
		Wait();
	}
	if (fIn != nullptr)
		fclose(fIn);
	if (fOut != nullptr)
		fclose(fOut);
}

std::string
PortChild::ReadLine()
{
	char line[256];
	if (fOut == nullptr || fgets(line, sizeof(line), fOut) == nullptr)
		return "";
	std::string text(line);
	if (!text.empty() && text.back() == '\n')
		text.pop_back();
	return text;
}

void
PortChild::WriteLine(const std::string& line)
{
	fprintf(fIn, "%s\n", line.c_str());
	fflush(fIn);
}

void
PortChild::Kill(int signal)
{
	if (fPid > 0)
		kill(fPid, signal);
}

int
PortChild::Wait()
{
	if (fPid <= 0)
		return -1;
	int status = 0;
	waitpid(fPid, &status, 0);
	fPid = -1;
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
