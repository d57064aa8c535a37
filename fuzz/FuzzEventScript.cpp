// The reader of event scripts (BEAPI_EVENTS): any bytes are either commands or a line number
// with a reason, never a crash.

#include <headless/EventScript.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::string text(reinterpret_cast<const char*>(data), size);
	std::vector<BPrivate::ScriptCommand> commands;
	int line = 0;
	std::string reason;
	if (!BPrivate::parse_event_script(text, &commands, &line, &reason)) {
		if (line < 1 || reason.empty())
			__builtin_trap();
	}
	for (const BPrivate::ScriptCommand& command : commands) {
		if (command.tokens.empty())
			__builtin_trap();
	}
	return 0;
}
