// msgdump: prints the flattened messages a file holds, in any of the platform's formats.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <Message.h>
#include <beapi/MessageFormats.h>

#include "JsonMessage.h"
#include "ResourceDump.h"

namespace {

enum { EXIT_BAD_BYTES = 1, EXIT_USAGE = 2 };

struct Options {
	bool json = false;
	bool resource = false;
	uint64 offset = 0;
	std::vector<std::string> files;
};

void
usage(FILE* to)
{
	fputs("usage: msgdump [--json] [--offset N] FILE...\n"
		  "       msgdump --resource [--json] FILE...\n"
		  "Prints every flattened message stored in each FILE, one after the other, or\n"
		  "with --resource the resources of a resource file or executable.\n"
		  "  --json      one JSON object per message (or resource) and line\n"
		  "  --offset N  start at byte N of each file\n",
		  to);
}

bool
parse_number(const char* text, uint64* value)
{
	if (text == nullptr || *text == '\0' || *text == '-')
		return false;
	char* end = nullptr;
	errno = 0;
	unsigned long long parsed = strtoull(text, &end, 0);
	if (errno != 0 || *end != '\0')
		return false;
	*value = parsed;
	return true;
}

// Returns -1 when the arguments are fine, else the exit status.
int
parse_arguments(int argc, char** argv, Options* options)
{
	bool endOfOptions = false;
	for (int i = 1; i < argc; i++) {
		const std::string arg = argv[i];
		if (endOfOptions || arg.empty() || arg[0] != '-' || arg == "-") {
			options->files.push_back(arg);
		} else if (arg == "--") {
			endOfOptions = true;
		} else if (arg == "--json") {
			options->json = true;
		} else if (arg == "--resource") {
			options->resource = true;
		} else if (arg == "--offset" || arg.rfind("--offset=", 0) == 0) {
			const char* value = arg == "--offset" ? (i + 1 < argc ? argv[++i] : nullptr)
												  : argv[i] + strlen("--offset=");
			if (!parse_number(value, &options->offset)) {
				fprintf(stderr, "msgdump: --offset needs a byte offset\n");
				usage(stderr);
				return EXIT_USAGE;
			}
		} else if (arg == "-h" || arg == "--help") {
			usage(stdout);
			return EXIT_SUCCESS;
		} else {
			fprintf(stderr, "msgdump: unknown option %s\n", arg.c_str());
			usage(stderr);
			return EXIT_USAGE;
		}
	}
	if (options->files.empty()) {
		usage(stderr);
		return EXIT_USAGE;
	}
	return -1;
}

bool
read_whole_file(const std::string& path, std::vector<uint8>* bytes, std::string* error)
{
	FILE* file = path == "-" ? stdin : fopen(path.c_str(), "rb");
	if (file == nullptr) {
		*error = strerror(errno);
		return false;
	}
	uint8 buffer[65536];
	size_t n;
	while ((n = fread(buffer, 1, sizeof(buffer), file)) > 0)
		bytes->insert(bytes->end(), buffer, buffer + n);
	const bool failed = ferror(file) != 0;
	if (failed)
		*error = strerror(errno);
	if (file != stdin)
		fclose(file);
	return !failed;
}

const char*
reason(status_t status)
{
	switch (status) {
	case B_NOT_A_MESSAGE:
		return "not a flattened message";
	case B_BAD_VALUE:
		return "damaged or truncated message";
	default:
		return strerror(errno);
	}
}

int
dump_file(const std::string& path, const Options& options)
{
	std::vector<uint8> bytes;
	std::string error;
	if (!read_whole_file(path, &bytes, &error)) {
		fprintf(stderr, "msgdump: %s: %s\n", path.c_str(), error.c_str());
		return EXIT_BAD_BYTES;
	}
	uint64 offset = options.offset;
	if (offset >= bytes.size()) {
		fprintf(stderr, "msgdump: %s: offset %llu: %s\n", path.c_str(),
				static_cast<unsigned long long>(offset),
				offset == bytes.size() ? "no message there" : "beyond the end of the file");
		return EXIT_BAD_BYTES;
	}
	while (offset < bytes.size()) {
		BMessage message;
		size_t used = 0;
		message_format format;
		status_t status =
			unflatten_message(&message, bytes.data() + offset,
							  bytes.size() - static_cast<size_t>(offset), &used, &format);
		if (status != B_OK) {
			fflush(stdout);
			fprintf(stderr, "msgdump: %s: offset %llu: %s\n", path.c_str(),
					static_cast<unsigned long long>(offset), reason(status));
			return EXIT_BAD_BYTES;
		}
		if (options.json) {
			std::string line;
			append_json_message(line, message, format);
			line += '\n';
			fwrite(line.data(), 1, line.size(), stdout);
		} else {
			printf("%s: offset %llu, %s, %zu bytes\n", path.c_str(),
				   static_cast<unsigned long long>(offset), message_format_name(format), used);
			fflush(stdout);
			message.PrintToStream();
		}
		offset += used;
	}
	return EXIT_SUCCESS;
}

} // namespace

int
main(int argc, char** argv)
{
	Options options;
	int status = parse_arguments(argc, argv, &options);
	if (status >= 0)
		return status;
	status = EXIT_SUCCESS;
	for (const std::string& file : options.files) {
		int result =
			options.resource ? dump_resources(file, options.json) : dump_file(file, options);
		if (result != EXIT_SUCCESS)
			status = result;
	}
	fflush(stdout);
	return status;
}
