#include "EventScript.h"

#include <OS.h>

#include "HeadlessInput.h"
#include "InputEvents.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace BPrivate {

namespace {

bool
parse_number(const std::string& token, float* value)
{
	if (token.empty())
		return false;
	char* end = nullptr;
	errno = 0;
	double number = strtod(token.c_str(), &end);
	if (errno != 0 || end == token.c_str() || *end != '\0' || !std::isfinite(number))
		return false;
	*value = float(number);
	return true;
}

bool
parse_count(const std::string& token, long minimum, long maximum, long* value)
{
	if (token.empty())
		return false;
	int base = 10;
	const char* text = token.c_str();
	if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
		base = 16;
		text += 2;
	}
	if (*text == '-' || *text == '+')
		return false;
	char* end = nullptr;
	errno = 0;
	unsigned long long number = strtoull(text, &end, base);
	if (errno != 0 || end == text || *end != '\0')
		return false;
	if (number < static_cast<unsigned long long>(minimum) ||
		number > static_cast<unsigned long long>(maximum))
		return false;
	*value = long(number);
	return true;
}

bool
fail(std::string* reason, const std::string& text)
{
	*reason = text;
	return false;
}

bool
check_points(const std::vector<std::string>& tokens, size_t first, size_t count,
			 std::string* reason)
{
	for (size_t i = first; i < first + count; i++) {
		float value;
		if (!parse_number(tokens[i], &value))
			return fail(reason, "\"" + tokens[i] + "\" is not a coordinate");
	}
	return true;
}

bool
check_command(const std::vector<std::string>& tokens, std::string* reason)
{
	const std::string& command = tokens[0];
	size_t arguments = tokens.size() - 1;
	auto wrong = [&](const char* usage) { return fail(reason, std::string("usage: ") + usage); };
	if (command == "wait") {
		long ms;
		if (arguments != 1)
			return wrong("wait MS");
		if (!parse_count(tokens[1], 0, 3600000, &ms))
			return fail(reason, "\"" + tokens[1] + "\" is not a number of milliseconds");
		return true;
	}
	if (command == "modifiers") {
		long bits;
		if (arguments != 1)
			return wrong("modifiers BITS");
		if (!parse_count(tokens[1], 0, 0xffffffffL, &bits))
			return fail(reason, "\"" + tokens[1] + "\" is not a modifier mask");
		return true;
	}
	if (command == "click") {
		if (arguments < 3 || arguments > 5)
			return wrong("click TITLE X Y [COUNT] [BUTTONS]");
		if (!check_points(tokens, 2, 2, reason))
			return false;
		long value;
		if (arguments >= 4 && !parse_count(tokens[4], 1, 100, &value))
			return fail(reason, "\"" + tokens[4] + "\" is not a click count");
		if (arguments == 5 && !parse_count(tokens[5], 1, 7, &value))
			return fail(reason, "\"" + tokens[5] + "\" is not a button mask");
		return true;
	}
	if (command == "move") {
		if (arguments != 3)
			return wrong("move TITLE X Y");
		return check_points(tokens, 2, 2, reason);
	}
	if (command == "drag") {
		if (arguments != 5)
			return wrong("drag TITLE X1 Y1 X2 Y2");
		return check_points(tokens, 2, 4, reason);
	}
	if (command == "key") {
		if (arguments < 2)
			return wrong("key TITLE KEY [shift] [control] [command] [option]");
		KeyStroke stroke;
		if (!key_from_name(tokens[2].c_str(), &stroke))
			return fail(reason, "unknown key \"" + tokens[2] + "\"");
		for (size_t i = 3; i < tokens.size(); i++) {
			if (headless::modifier_bits(tokens[i].c_str()) == 0)
				return fail(reason, "unknown modifier \"" + tokens[i] + "\"");
		}
		return true;
	}
	if (command == "type") {
		if (arguments != 2)
			return wrong("type TITLE TEXT");
		return true;
	}
	if (command == "shot") {
		if (arguments != 2)
			return wrong("shot TITLE FILE");
		return true;
	}
	if (command == "close" || command == "front") {
		if (arguments != 1)
			return wrong(command == "close" ? "close TITLE" : "front TITLE");
		return true;
	}
	return fail(reason, "unknown command \"" + command + "\"");
}

// How long a line waits for its window to show, and then for the window to handle the input
// and show the result. A script must do the same on a loaded machine as on an idle one, so the
// wait is long, and a line that still waits after it fails the script: driving on would act on
// a window that has not caught up.
bigtime_t
wait_limit()
{
	long seconds = 30;
	const char* text = getenv("BEAPI_EVENTS_WAIT");
	if (text != nullptr)
		parse_count(text, 1, 3600, &seconds);
	return bigtime_t(seconds) * 1000000;
}

// Waits until the window has handled everything posted to it. A window that went away has
// handled it too (the input closed it); B_TIMED_OUT when it is still busy at the limit.
status_t
catch_up(BWindow* window, bigtime_t limit)
{
	status_t status = headless::sync(window, limit);
	return status == B_BAD_VALUE ? B_OK : status;
}

bool
run_command(const std::vector<std::string>& tokens, std::string* reason)
{
	const std::string& command = tokens[0];
	if (command == "wait") {
		long ms = 0;
		parse_count(tokens[1], 0, 3600000, &ms);
		snooze(bigtime_t(ms) * 1000);
		return true;
	}
	if (command == "modifiers") {
		long bits = 0;
		parse_count(tokens[1], 0, 0xffffffffL, &bits);
		headless::set_modifiers(uint32(bits));
		return true;
	}
	bigtime_t limit = wait_limit();
	BWindow* window = headless::wait_for_window(tokens[1].c_str(), limit);
	if (window == nullptr)
		return fail(reason, "no shown window titled \"" + tokens[1] + "\"");
	auto late = [&] {
		return fail(reason, "the window \"" + tokens[1] + "\" did not catch up within " +
								std::to_string(limit / 1000000) + " s");
	};
	auto point = [&](size_t index) {
		float x = 0;
		float y = 0;
		parse_number(tokens[index], &x);
		parse_number(tokens[index + 1], &y);
		return BPoint(x, y);
	};
	status_t status = B_OK;
	if (command == "click") {
		long count = 1;
		long buttons = B_PRIMARY_MOUSE_BUTTON;
		if (tokens.size() > 4)
			parse_count(tokens[4], 1, 100, &count);
		if (tokens.size() > 5)
			parse_count(tokens[5], 1, 7, &buttons);
		status = headless::click(window, point(2), int32(count), uint32(buttons));
	} else if (command == "move") {
		status = headless::mouse_move(window, point(2));
	} else if (command == "drag") {
		status = headless::drag(window, point(2), point(4));
	} else if (command == "key") {
		uint32 modifiers = 0;
		for (size_t i = 3; i < tokens.size(); i++)
			modifiers |= headless::modifier_bits(tokens[i].c_str());
		status = headless::press_key(window, tokens[2].c_str(), modifiers);
	} else if (command == "type") {
		status = headless::type_text(window, tokens[2].c_str());
		if (status == B_BAD_VALUE)
			return fail(reason, "cannot type \"" + tokens[2] + "\"");
	} else if (command == "shot") {
		// The picture of what the window shows once it has handled everything before.
		if (catch_up(window, limit) == B_TIMED_OUT)
			return late();
		status = headless::screenshot(window, tokens[2].c_str());
		if (status != B_OK)
			return fail(reason, "cannot write \"" + tokens[2] + "\"");
	} else if (command == "close") {
		status = headless::close(window);
	} else if (command == "front") {
		if (headless::wait_for_front(window, limit) == B_TIMED_OUT)
			return fail(reason, "the window \"" + tokens[1] + "\" is not in front");
	}
	// The input's own wait is short; a busy window is waited for up to the limit.
	if (status == B_TIMED_OUT)
		status = catch_up(window, limit);
	if (status == B_TIMED_OUT)
		return late();
	if (status == B_BAD_VALUE)
		return fail(reason, "the window \"" + tokens[1] + "\" went away");
	return true;
}

} // namespace

bool
tokenize_script_line(const std::string& line, std::vector<std::string>* tokens, std::string* reason)
{
	tokens->clear();
	size_t i = 0;
	size_t length = line.size();
	auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
	while (i < length) {
		while (i < length && blank(line[i]))
			i++;
		if (i >= length)
			break;
		std::string token;
		if (line[i] == '"') {
			i++;
			bool closed = false;
			while (i < length) {
				char c = line[i++];
				if (c == '"') {
					closed = true;
					break;
				}
				if (c == '\\') {
					if (i >= length || (line[i] != '"' && line[i] != '\\'))
						return fail(reason, "bad escape in quoted token");
					c = line[i++];
				}
				token += c;
			}
			if (!closed)
				return fail(reason, "unterminated quote");
			if (i < length && !blank(line[i]))
				return fail(reason, "text after closing quote");
		} else {
			while (i < length && !blank(line[i]))
				token += line[i++];
		}
		tokens->push_back(token);
	}
	return true;
}

bool
read_event_script(const std::string& path, std::string* text, std::string* reason)
{
	int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return fail(reason, "cannot read \"" + path + "\": " + strerror(errno));
	struct stat info;
	if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
		close(fd);
		return fail(reason, "cannot read \"" + path + "\": it is a folder");
	}
	// A device or pipe that never ends is read no further than the limit.
	text->clear();
	char buffer[65536];
	for (;;) {
		ssize_t got = read(fd, buffer, sizeof(buffer));
		if (got < 0 && errno == EINTR)
			continue;
		if (got < 0) {
			int error = errno;
			close(fd);
			return fail(reason, "cannot read \"" + path + "\": " + strerror(error));
		}
		if (got == 0)
			break;
		text->append(buffer, size_t(got));
		if (text->size() > kMaxScriptBytes) {
			close(fd);
			text->clear();
			return fail(reason, "\"" + path + "\" is larger than 1 MiB");
		}
	}
	close(fd);
	return true;
}

bool
parse_event_script(const std::string& text, std::vector<ScriptCommand>* commands, int* line,
				   std::string* reason)
{
	commands->clear();
	if (text.size() > kMaxScriptBytes) {
		*line = 0;
		return fail(reason, "the script is larger than 1 MiB");
	}
	int number = 0;
	for (size_t start = 0; start < text.size();) {
		size_t end = text.find('\n', start);
		if (end == std::string::npos)
			end = text.size();
		std::string content = text.substr(start, end - start);
		start = end + 1;
		number++;
		if (content.size() > kMaxScriptLine) {
			*line = number;
			return fail(reason, "the line is longer than 64 KiB");
		}
		size_t first = content.find_first_not_of(" \t\r");
		if (first == std::string::npos || content[first] == '#')
			continue;
		ScriptCommand command;
		command.line = number;
		if (!tokenize_script_line(content, &command.tokens, reason) ||
			!check_command(command.tokens, reason)) {
			*line = number;
			return false;
		}
		commands->push_back(std::move(command));
	}
	return true;
}

bool
run_event_script(const std::vector<ScriptCommand>& commands, int* line, std::string* reason)
{
	for (const ScriptCommand& command : commands) {
		if (!run_command(command.tokens, reason)) {
			*line = command.line;
			return false;
		}
	}
	return true;
}

void
start_event_script(const char* path)
{
	std::string file = path;
	std::thread runner([file] {
		auto stop = [](int line, const std::string& reason) {
			fprintf(stderr, "BEAPI_EVENTS:%d: %s\n", line, reason.c_str());
			fflush(stderr);
			_exit(3);
		};
		std::string text;
		std::string reason;
		if (!read_event_script(file, &text, &reason))
			stop(0, reason);
		std::vector<ScriptCommand> commands;
		int line = 0;
		if (!parse_event_script(text, &commands, &line, &reason))
			stop(line, reason);
		if (!run_event_script(commands, &line, &reason))
			stop(line, reason);
	});
	runner.detach();
}

} // namespace BPrivate
