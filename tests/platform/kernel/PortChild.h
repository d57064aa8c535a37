#ifndef PORT_CHILD_H
#define PORT_CHILD_H

#include <cstdio>
#include <string>
#include <sys/types.h>

// A copy of the test executable started in another process to play one part against the test:
// BEAPI_KERNEL_CHILD names the part and its arguments; the child talks through its standard
// input and output.
class PortChild {
public:
	explicit PortChild(const std::string& part);
	~PortChild();

	bool IsRunning() const { return fPid > 0; }
	std::string ReadLine();
	void WriteLine(const std::string& line);
	void Kill(int signal);
	// The exit status, or -1 when it did not exit normally.
	int Wait();

private:
	pid_t fPid = -1;
	FILE* fOut = nullptr;
	FILE* fIn = nullptr;
};

#endif
