#ifndef _EVENT_SCRIPT_H
#define _EVENT_SCRIPT_H

// Scripts of user input for the headless display (BEAPI_EVENTS=FILE), one command a line:
//   wait MS | click TITLE X Y [COUNT] [BUTTONS] | move TITLE X Y | drag TITLE X1 Y1 X2 Y2
//   key TITLE KEY [shift] [control] [command] [option] | type TITLE TEXT | shot TITLE FILE
//   close TITLE | modifiers BITS
// Tokens are separated by blanks; a token holding blanks is written in double quotes, with \"
// and \\ as escapes; a line starting with # is a comment.

#include <SupportDefs.h>

#include <string>
#include <vector>

namespace BPrivate {

struct ScriptCommand {
	int line = 0;
	std::vector<std::string> tokens;
};

// A script is read whole before it runs; these bound what it may hold.
constexpr size_t kMaxScriptBytes = 1024 * 1024;
constexpr size_t kMaxScriptLine = 64 * 1024;

bool tokenize_script_line(const std::string& line, std::vector<std::string>* tokens,
						  std::string* reason);
// Reads the file, refusing a folder and anything larger than kMaxScriptBytes.
bool read_event_script(const std::string& path, std::string* text, std::string* reason);
// Reads every line and checks each command's shape before anything runs.
bool parse_event_script(const std::string& text, std::vector<ScriptCommand>* commands, int* line,
						std::string* reason);
// Runs the commands; on the first that fails, its line and why.
bool run_event_script(const std::vector<ScriptCommand>& commands, int* line, std::string* reason);
// Reads and runs the script on a thread of its own; a bad line prints
// "BEAPI_EVENTS:LINE: reason" and ends the program with status 3.
void start_event_script(const char* path);

} // namespace BPrivate

#endif
