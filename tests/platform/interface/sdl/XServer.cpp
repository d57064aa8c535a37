#include "XServer.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

int
remaining(std::chrono::steady_clock::time_point deadline)
{
	auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
		deadline - std::chrono::steady_clock::now());
	return left.count() > 0 ? int(left.count()) : 0;
}

std::vector<std::string>
merged_environment(const std::vector<std::string>& extra)
{
	std::vector<std::string> result;
	for (char** entry = environ; *entry != nullptr; entry++) {
		std::string text = *entry;
		std::string name = text.substr(0, text.find('='));
		// Programs on a private X server reach no session bus: without an address the bus
		// library forks a launcher out of a program whose other threads may hold the memory
		// allocator's lock, and that child then waits for ever.
		if (name == "WAYLAND_DISPLAY" || name == "DBUS_SESSION_BUS_ADDRESS")
			continue;
		bool replaced = false;
		for (const std::string& added : extra)
			replaced = replaced || added.compare(0, name.size() + 1, name + "=") == 0;
		if (!replaced)
			result.push_back(text);
	}
	result.push_back("DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/session-bus");
	result.insert(result.end(), extra.begin(), extra.end());
	return result;
}

// Starts argv with stdout into a pipe (when out is not NULL) and stderr kept.
pid_t
spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
	  int* out)
{
	int pipeFds[2] = {-1, -1};
	if (out != nullptr && pipe2(pipeFds, O_CLOEXEC) != 0)
		return -1;
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	if (out != nullptr)
		posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
	std::vector<char*> argv;
	for (const std::string& argument : arguments)
		argv.push_back(const_cast<char*>(argument.c_str()));
	argv.push_back(nullptr);
	std::vector<std::string> merged = merged_environment(environment);
	std::vector<char*> envp;
	for (const std::string& entry : merged)
		envp.push_back(const_cast<char*>(entry.c_str()));
	envp.push_back(nullptr);
	pid_t pid = -1;
	int status = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
	posix_spawn_file_actions_destroy(&actions);
	if (out != nullptr) {
		close(pipeFds[1]);
		if (status != 0)
			close(pipeFds[0]);
		else
			*out = pipeFds[0];
	}
	return status == 0 ? pid : -1;
}

int
wait_with_timeout(pid_t pid, int timeoutMs)
{
	auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	for (;;) {
		int status = 0;
		pid_t done = waitpid(pid, &status, WNOHANG);
		if (done == pid)
			return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
		if (done < 0 || remaining(deadline) == 0)
			return -1;
		usleep(10000);
	}
}

} // namespace

bool
have_program(const char* name)
{
	const char* path = getenv("PATH");
	std::string folders = path != nullptr ? path : "/usr/bin:/bin";
	size_t start = 0;
	while (start <= folders.size()) {
		size_t end = folders.find(':', start);
		if (end == std::string::npos)
			end = folders.size();
		std::string candidate = folders.substr(start, end - start) + "/" + name;
		if (access(candidate.c_str(), X_OK) == 0)
			return true;
		start = end + 1;
	}
	return false;
}

XServer::~XServer()
{
	if (fPid > 0) {
		kill(fPid, SIGTERM);
		if (wait_with_timeout(fPid, 5000) < 0) {
			kill(fPid, SIGKILL);
			waitpid(fPid, nullptr, 0);
		}
	}
}

bool
XServer::Start(std::string* reason)
{
	if (!have_program("Xvfb")) {
		*reason = "Xvfb is not installed";
		return false;
	}
	// Xvfb picks a free display and writes its number to the descriptor it is given.
	int fds[2];
	if (pipe(fds) != 0) {
		*reason = strerror(errno);
		return false;
	}
	fcntl(fds[0], F_SETFD, FD_CLOEXEC);
	std::vector<std::string> arguments = {"Xvfb",      "-displayfd", std::to_string(fds[1]),
										  "-screen",   "0",          "1280x1024x24",
										  "-nolisten", "tcp",        "-noreset"};
	fPid = spawn(arguments, {}, nullptr);
	close(fds[1]);
	if (fPid < 0) {
		close(fds[0]);
		*reason = "Xvfb cannot start";
		return false;
	}
	std::string number;
	auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
	while (number.find('\n') == std::string::npos) {
		pollfd wait = {fds[0], POLLIN, 0};
		if (poll(&wait, 1, remaining(deadline)) <= 0)
			break;
		char buffer[32];
		ssize_t got = read(fds[0], buffer, sizeof(buffer));
		if (got <= 0)
			break;
		number.append(buffer, size_t(got));
	}
	close(fds[0]);
	if (number.find('\n') == std::string::npos) {
		*reason = "Xvfb did not report a display";
		return false;
	}
	fName = ":" + number.substr(0, number.find('\n'));
	return true;
}

Child::~Child()
{
	if (fPid > 0 && WaitForExit(0) < 0) {
		kill(fPid, SIGKILL);
		waitpid(fPid, nullptr, 0);
	}
	if (fOut >= 0)
		close(fOut);
}

bool
Child::Start(const std::string& program, const std::vector<std::string>& environment)
{
	return Start(std::vector<std::string>{program}, environment);
}

bool
Child::Start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
	fPid = spawn(arguments, environment, &fOut);
	return fPid > 0;
}

bool
Child::WaitForLine(const std::string& text, int timeoutMs)
{
	auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	for (;;) {
		size_t end;
		while ((end = fOutput.find('\n', fSeen)) != std::string::npos) {
			std::string line = fOutput.substr(fSeen, end - fSeen);
			fSeen = end + 1;
			if (line.find(text) != std::string::npos)
				return true;
		}
		pollfd wait = {fOut, POLLIN, 0};
		if (poll(&wait, 1, remaining(deadline)) <= 0)
			return false;
		char buffer[4096];
		ssize_t got = read(fOut, buffer, sizeof(buffer));
		if (got <= 0)
			return false;
		fOutput.append(buffer, size_t(got));
	}
}

int
Child::WaitForExit(int timeoutMs)
{
	if (fPid <= 0)
		return -1;
	int status = wait_with_timeout(fPid, timeoutMs);
	if (status >= 0)
		fPid = -1;
	return status;
}

namespace {

// Runs a program against the server; its standard output (a blank for none), or an empty string
// when it failed.
std::string
run_on_server(const XServer& server, const std::vector<std::string>& command)
{
	int out = -1;
	pid_t pid = spawn(command, {"DISPLAY=" + server.Name()}, &out);
	if (pid < 0)
		return "";
	std::string output;
	auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
	for (;;) {
		pollfd wait = {out, POLLIN, 0};
		if (poll(&wait, 1, remaining(deadline)) <= 0)
			break;
		char buffer[1024];
		ssize_t got = read(out, buffer, sizeof(buffer));
		if (got <= 0)
			break;
		output.append(buffer, size_t(got));
	}
	close(out);
	if (wait_with_timeout(pid, remaining(deadline)) != 0) {
		kill(pid, SIGKILL);
		waitpid(pid, nullptr, 0);
		return "";
	}
	return output.empty() ? std::string(" ") : output;
}

} // namespace

std::string
xdotool(const XServer& server, const std::vector<std::string>& arguments)
{
	std::vector<std::string> command = {"xdotool"};
	command.insert(command.end(), arguments.begin(), arguments.end());
	return run_on_server(server, command);
}

std::string
find_window(const XServer& server, const std::string& title, int timeoutMs)
{
	auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	for (;;) {
		std::string found = xdotool(server, {"search", "--onlyvisible", "--name", title});
		if (!found.empty() || std::chrono::steady_clock::now() > deadline)
			return found;
		std::this_thread::sleep_for(std::chrono::milliseconds(100));
	}
}

bool
merge_resources(const XServer& server, const std::string& resources)
{
	char path[] = "/tmp/xresources-XXXXXX";
	int fd = mkstemp(path);
	if (fd < 0)
		return false;
	bool written = write(fd, resources.data(), resources.size()) == ssize_t(resources.size());
	close(fd);
	bool merged = written && !run_on_server(server, {"xrdb", "-nocpp", "-merge", path}).empty();
	unlink(path);
	return merged;
}

bool
send_close_request(const XServer& server, unsigned long window)
{
	// Loaded at run time: the tests need the library, not a link against it.
	void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
	if (library == nullptr)
		return false;
	auto openDisplay =
		reinterpret_cast<::Display* (*)(const char*)>(dlsym(library, "XOpenDisplay"));
	auto internAtom =
		reinterpret_cast<Atom (*)(::Display*, const char*, Bool)>(dlsym(library, "XInternAtom"));
	auto sendEvent = reinterpret_cast<Status (*)(::Display*, Window, Bool, long, XEvent*)>(
		dlsym(library, "XSendEvent"));
	auto flush = reinterpret_cast<int (*)(::Display*)>(dlsym(library, "XFlush"));
	auto closeDisplay = reinterpret_cast<int (*)(::Display*)>(dlsym(library, "XCloseDisplay"));
	bool sent = false;
	if (openDisplay != nullptr && internAtom != nullptr && sendEvent != nullptr &&
		flush != nullptr && closeDisplay != nullptr) {
		if (::Display* display = openDisplay(server.Name().c_str())) {
			XEvent event;
			memset(&event, 0, sizeof(event));
			event.xclient.type = ClientMessage;
			event.xclient.window = window;
			event.xclient.message_type = internAtom(display, "WM_PROTOCOLS", False);
			event.xclient.format = 32;
			event.xclient.data.l[0] = long(internAtom(display, "WM_DELETE_WINDOW", False));
			event.xclient.data.l[1] = CurrentTime;
			sent = sendEvent(display, window, False, NoEventMask, &event) != 0;
			flush(display);
			closeDisplay(display);
		}
	}
	dlclose(library);
	return sent;
}

bool
read_pixel(const XServer& server, unsigned long window, int x, int y, unsigned long* rgb)
{
	void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
	if (library == nullptr)
		return false;
	auto openDisplay =
		reinterpret_cast<::Display* (*)(const char*)>(dlsym(library, "XOpenDisplay"));
	auto getImage =
		reinterpret_cast<XImage* (*)(::Display*, Drawable, int, int, unsigned int, unsigned int,
									 unsigned long, int)>(dlsym(library, "XGetImage"));
	auto closeDisplay = reinterpret_cast<int (*)(::Display*)>(dlsym(library, "XCloseDisplay"));
	bool read = false;
	if (openDisplay != nullptr && getImage != nullptr && closeDisplay != nullptr) {
		if (::Display* display = openDisplay(server.Name().c_str())) {
			if (XImage* image = getImage(display, window, x, y, 1, 1, ~0ul, ZPixmap)) {
				*rgb = image->f.get_pixel(image, 0, 0) & 0xffffff;
				image->f.destroy_image(image);
				read = true;
			}
			closeDisplay(display);
		}
	}
	dlclose(library);
	return read;
}
