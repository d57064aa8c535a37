#ifndef X_SERVER_H
#define X_SERVER_H

// A private X server (Xvfb) for tests of the desktop display, and the programs that drive it:
// children whose standard output is read line by line, and xdotool.

#include <string>
#include <sys/types.h>
#include <vector>

class XServer {
public:
	~XServer();

	// Starts Xvfb on a free display number; false (with the reason) where it cannot run.
	bool Start(std::string* reason);
	// ":N"
	const std::string& Name() const { return fName; }

private:
	pid_t fPid = -1;
	std::string fName;
};

// A program whose standard output is read as lines.
class Child {
public:
	~Child();

	bool Start(const std::string& program, const std::vector<std::string>& environment);
	// The same with arguments, the program first.
	bool Start(const std::vector<std::string>& arguments,
			   const std::vector<std::string>& environment);
	// Reads until a line containing text arrives; false at the deadline or the end of output.
	bool WaitForLine(const std::string& text, int timeoutMs);
	// Waits for the program to end; its exit status, or -1 when it is still running.
	int WaitForExit(int timeoutMs);
	const std::string& Output() const { return fOutput; }

private:
	pid_t fPid = -1;
	int fOut = -1;
	std::string fOutput;
	size_t fSeen = 0;
};

// Runs xdotool on the server; its standard output, or an empty string when it failed.
std::string xdotool(const XServer& server, const std::vector<std::string>& arguments);
// The first visible window whose title matches the pattern, as xdotool prints it, once one
// appears within the time given; an empty string otherwise. Each look is a search of its own,
// so that a program slow to start on a loaded machine is waited for as long as asked.
std::string find_window(const XServer& server, const std::string& title, int timeoutMs);
bool have_program(const char* name);
// Adds X resources ("Xft.dpi: 192") to the server's database, as a desktop session does with
// xrdb.
bool merge_resources(const XServer& server, const std::string& resources);
// The colour (0xRRGGBB) of one pixel of a window as the screen shows it.
bool read_pixel(const XServer& server, unsigned long window, int x, int y, unsigned long* rgb);
// Asks the window to close as a window manager's close box does (WM_DELETE_WINDOW).
bool send_close_request(const XServer& server, unsigned long window);

#endif
