// portlisten: creates a port and prints every message written to it, standing in for the
// program that would own the port.

#include <Message.h>
#include <OS.h>
#include <beapi/MessageFormats.h>

#include "JsonMessage.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

enum { EXIT_FAILED = 1, EXIT_USAGE = 2 };

constexpr int32 kCapacity = 100;
constexpr size_t kLargestMessage = 1024 * 1024;
// How often a blocked read looks for a signal that asks the tool to stop.
constexpr bigtime_t kSignalPoll = 20000;

volatile sig_atomic_t sStop = 0;
volatile sig_atomic_t sRelease = 0;

struct Options {
	bool json = false;
	bool hold = false;
	long count = -1;
	std::string saveFolder;
	std::string name;
};

void
usage(FILE* to)
{
	fputs("usage: portlisten [--json] [--count N] [--save DIR] [--hold] NAME\n"
		  "Creates the port NAME (capacity 100) and prints each message written to it.\n"
		  "  --json      one JSON object per message and line\n"
		  "  --count N   exit after N messages\n"
		  "  --save DIR  also write each message's bytes to DIR/000001.msg, ...\n"
		  "  --hold      read nothing until SIGUSR1, so that the port fills up\n",
		  to);
}

int
parse_arguments(int argc, char** argv, Options* options)
{
	for (int i = 1; i < argc; i++) {
		std::string arg = argv[i];
		if (arg == "--json") {
			options->json = true;
		} else if (arg == "--hold") {
			options->hold = true;
		} else if (arg == "--count" && i + 1 < argc) {
			char* end = nullptr;
			options->count = strtol(argv[++i], &end, 10);
			if (*end != '\0' || options->count < 0) {
				fprintf(stderr, "portlisten: --count needs a number of messages\n");
				return EXIT_USAGE;
			}
		} else if (arg == "--save" && i + 1 < argc) {
			options->saveFolder = argv[++i];
		} else if (arg == "-h" || arg == "--help") {
			usage(stdout);
			return EXIT_SUCCESS;
		} else if (!arg.empty() && arg[0] != '-' && options->name.empty()) {
			options->name = arg;
		} else {
			usage(stderr);
			return EXIT_USAGE;
		}
	}
	if (options->name.empty()) {
		usage(stderr);
		return EXIT_USAGE;
	}
	return -1;
}

const char*
port_error(status_t status)
{
	switch (status) {
	case B_NAME_IN_USE:
		return "the name is in use by a live port";
	case B_BAD_VALUE:
		return "bad capacity or name";
	case B_PERMISSION_DENIED:
		return "the runtime folder is not this user's";
	default:
		return "no more ports";
	}
}

const char*
message_error(status_t status)
{
	return status == B_NOT_A_MESSAGE ? "not a flattened message" : "damaged or truncated message";
}

void
print_json(int32 code, const char* bytes, size_t size)
{
	std::string line = "{\"code\": " + std::to_string(code) + ", \"size\": " + std::to_string(size);
	if (size > 0) {
		BMessage message;
		message_format format;
		size_t used = 0;
		status_t status = unflatten_message(&message, bytes, size, &used, &format);
		if (status == B_OK && used == size) {
			std::string object;
			append_json_message(object, message, format);
			line += ", " + object.substr(1);
		} else {
			const char* reason =
				status == B_OK ? "bytes after the end of the message" : message_error(status);
			line += ", \"error\": ";
			append_json_string(line, reason);
			line += "}";
		}
	} else {
		line += "}";
	}
	line += "\n";
	fwrite(line.data(), 1, line.size(), stdout);
	fflush(stdout);
}

void
print_plain(long number, int32 code, const char* bytes, size_t size)
{
	printf("message %ld: code %d, %zu bytes", number, int(code), size);
	if (size == 0) {
		printf("\n");
	} else {
		BMessage message;
		message_format format;
		status_t status = unflatten_message(&message, bytes, size, nullptr, &format);
		if (status == B_OK) {
			printf(", %s\n", message_format_name(format));
			fflush(stdout);
			message.PrintToStream();
		} else {
			printf(": %s\n", message_error(status));
		}
	}
	fflush(stdout);
}

bool
save(const std::string& folder, long number, const char* bytes, size_t size)
{
	char name[32];
	snprintf(name, sizeof(name), "/%06ld.msg", number);
	std::string path = folder + name;
	FILE* file = fopen(path.c_str(), "wb");
	if (file == nullptr)
		return false;
	bool written = size == 0 || fwrite(bytes, 1, size, file) == size;
	return fclose(file) == 0 && written;
}

void
catch_signals()
{
	struct sigaction action = {};
	action.sa_handler = [](int signal) {
		if (signal == SIGUSR1)
			sRelease = 1;
		else
			sStop = 1;
	};
	sigemptyset(&action.sa_mask);
	sigaction(SIGINT, &action, nullptr);
	sigaction(SIGTERM, &action, nullptr);
	sigaction(SIGUSR1, &action, nullptr);
}

int
listen(const Options& options)
{
	if (!options.saveFolder.empty() && mkdir(options.saveFolder.c_str(), 0755) != 0 &&
		errno != EEXIST) {
		fprintf(stderr, "portlisten: %s: %s\n", options.saveFolder.c_str(), strerror(errno));
		return EXIT_FAILED;
	}
	port_id port = create_port(kCapacity, options.name.c_str());
	if (port < 0) {
		fprintf(stderr, "portlisten: cannot create port %s: %s\n", options.name.c_str(),
				port_error(port));
		return EXIT_FAILED;
	}
	fprintf(stderr, "listening %s\n", options.name.c_str());
	fflush(stderr);
	while (options.hold && !sRelease && !sStop)
		snooze(kSignalPoll);

	std::vector<char> buffer(kLargestMessage);
	int status = EXIT_SUCCESS;
	for (long number = 1; !sStop && (options.count < 0 || number <= options.count);) {
		int32 code = 0;
		ssize_t size = read_port_etc(port, &code, buffer.data(), buffer.size(), B_RELATIVE_TIMEOUT,
									 kSignalPoll);
		if (size == B_TIMED_OUT)
			continue;
		if (size < 0) {
			fprintf(stderr, "portlisten: the port %s went away\n", options.name.c_str());
			return EXIT_FAILED;
		}
		if (options.json)
			print_json(code, buffer.data(), size_t(size));
		else
			print_plain(number, code, buffer.data(), size_t(size));
		if (!options.saveFolder.empty() &&
			!save(options.saveFolder, number, buffer.data(), size_t(size))) {
			fprintf(stderr, "portlisten: %s: cannot save message %ld\n", options.saveFolder.c_str(),
					number);
			status = EXIT_FAILED;
			break;
		}
		number++;
	}
	delete_port(port);
	return status;
}

} // namespace

int
main(int argc, char** argv)
{
	Options options;
	int status = parse_arguments(argc, argv, &options);
	if (status >= 0)
		return status;
	catch_signals();
	return listen(options);
}
