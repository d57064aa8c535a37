// Command lines as a person or a script types them: the bytes split at NUL into arguments,
// read as the application's options and as appsend's message codes. Every command line is
// either read or refused with a reason, never a crash.

#include <app/CommandLine.h>

#include "MessageCode.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::vector<std::string> arguments = {"ZorvyPreferences"};
	std::string current;
	for (size_t i = 0; i < size; i++) {
		if (data[i] == 0) {
			arguments.push_back(current);
			current.clear();
		} else {
			current += static_cast<char>(data[i]);
		}
	}
	arguments.push_back(current);

	std::vector<const char*> argv;
	for (const std::string& argument : arguments)
		argv.push_back(argument.c_str());
	TCommandLine commandLine;
	status_t status = commandLine.Parse(static_cast<int>(argv.size()), argv.data());
	if (status != B_OK && commandLine.Error().empty())
		__builtin_trap();
	if (status == B_OK && !commandLine.Language().empty() && commandLine.Language().size() != 4)
		__builtin_trap();

	for (const std::string& argument : arguments) {
		uint32 code = 0;
		parse_message_code(argument, &code);
	}
	return 0;
}
