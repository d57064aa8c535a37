// portsend: writes each file's bytes, or standard input's, to a port of this user as one message
// of code 0, as a program that knows the port would.

#include <OS.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum { EXIT_FAILED = 1, EXIT_USAGE = 2 };

// The largest message a port carries.
constexpr size_t kLargestMessage = 1024 * 1024;
constexpr long kDefaultTimeout = 1000;
// A day: longer waits are no timeout a script means.
constexpr long kLongestTimeout = 86400000;

struct Options {
	long timeout = kDefaultTimeout;
	std::string name;
	std::vector<std::string> files;
};

void
usage(FILE* to)
{
	fputs("usage: portsend [--timeout MS] NAME [FILE...]\n"
		  "Writes each FILE's bytes (standard input's when there is none) to the port NAME of\n"
		  "this user, as one message of code 0 each.\n"
		  "  --timeout MS  how long to wait while the port is full (default 1000)\n"
		  "Exit status: 0 written, 1 no such port or the port stayed full, 2 bad arguments,\n"
		  "an unreadable file or a message over 1 MiB.\n",
		  to);
}

// -1 to go on, else the exit status.
int
parse_arguments(int argc, char** argv, Options* options)
{
	bool names = false;
	for (int i = 1; i < argc; i++) {
		std::string arg = argv[i];
		if (!names && arg == "--timeout" && i + 1 < argc) {
			char* end = nullptr;
			errno = 0;
			options->timeout = strtol(argv[++i], &end, 10);
			if (end == argv[i] || *end != '\0' || errno != 0 || options->timeout < 0 ||
				options->timeout > kLongestTimeout) {
				fprintf(stderr, "portsend: --timeout needs milliseconds, 0 to %ld\n",
						kLongestTimeout);
				return EXIT_USAGE;
			}
		} else if (!names && (arg == "-h" || arg == "--help")) {
			usage(stdout);
			return EXIT_SUCCESS;
		} else if (!names && arg == "--") {
			names = true;
		} else if (!names && !arg.empty() && arg[0] == '-' && arg != "-") {
			usage(stderr);
			return EXIT_USAGE;
		} else if (options->name.empty()) {
			options->name = arg;
		} else {
			options->files.push_back(arg);
		}
	}
	if (options->name.empty() || options->name.size() >= B_OS_NAME_LENGTH) {
		usage(stderr);
		return EXIT_USAGE;
	}
	return -1;
}

// Reads at most one byte past the largest message, so that an oversized one is told without
// reading it whole.
bool
read_message(FILE* from, std::string* bytes)
{
	bytes->clear();
	char buffer[65536];
	while (bytes->size() <= kLargestMessage) {
		size_t read = fread(buffer, 1, sizeof buffer, from);
		bytes->append(buffer, read);
		if (read < sizeof buffer)
			return ferror(from) == 0;
	}
	return true;
}

// The bytes of every message before anything is written: a bad file sends nothing.
int
read_messages(const Options& options, std::vector<std::string>* messages)
{
	std::vector<std::string> sources = options.files;
	if (sources.empty())
		sources.push_back("-");
	for (const std::string& source : sources) {
		FILE* file = source == "-" ? stdin : fopen(source.c_str(), "rb");
		if (file == nullptr) {
			fprintf(stderr, "portsend: %s: %s\n", source.c_str(), strerror(errno));
			return EXIT_USAGE;
		}
		std::string bytes;
		bool read = read_message(file, &bytes);
		int error = errno;
		if (file != stdin)
			fclose(file);
		const char* label = source == "-" ? "standard input" : source.c_str();
		if (!read) {
			fprintf(stderr, "portsend: %s: %s\n", label, strerror(error));
			return EXIT_USAGE;
		}
		if (bytes.size() > kLargestMessage) {
			fprintf(stderr, "portsend: %s: more than 1 MiB, the most a port carries\n", label);
			return EXIT_USAGE;
		}
		messages->push_back(std::move(bytes));
	}
	return -1;
}

} // namespace

int
main(int argc, char** argv)
{
	Options options;
	int status = parse_arguments(argc, argv, &options);
	if (status >= 0)
		return status;
	std::vector<std::string> messages;
	status = read_messages(options, &messages);
	if (status >= 0)
		return status;

	port_id port = find_port(options.name.c_str());
	if (port < 0) {
		fprintf(stderr, "portsend: no port \"%s\" of this user\n", options.name.c_str());
		return EXIT_FAILED;
	}
	for (size_t i = 0; i < messages.size(); i++) {
		status_t written = write_port_etc(port, 0, messages[i].data(), messages[i].size(),
										  B_RELATIVE_TIMEOUT, bigtime_t(options.timeout) * 1000);
		if (written == B_OK)
			continue;
		if (written == B_TIMED_OUT || written == B_WOULD_BLOCK)
			fprintf(stderr, "portsend: the port \"%s\" stayed full for %ld ms\n",
					options.name.c_str(), options.timeout);
		else
			fprintf(stderr, "portsend: the port \"%s\" is gone\n", options.name.c_str());
		return EXIT_FAILED;
	}
	return EXIT_SUCCESS;
}
