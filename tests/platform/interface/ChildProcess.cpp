#include "ChildProcess.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

ChildResult
run_child(const std::string& program, const std::vector<std::string>& environment,
		  const std::vector<std::string>& arguments)
{
	ChildResult result;
	std::string folder = make_temporary_folder();
	std::string errorsPath = folder + "/stderr";
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
									 0600);

	std::vector<std::string> variables;
	for (char** entry = environ; *entry != nullptr; entry++) {
		std::string variable = *entry;
		bool replaced = false;
		for (const std::string& extra : environment) {
			if (variable.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0)
				replaced = true;
		}
		if (!replaced)
			variables.push_back(variable);
	}
	for (const std::string& extra : environment)
		variables.push_back(extra);
	std::vector<char*> envp;
	for (std::string& variable : variables)
		envp.push_back(variable.data());
	envp.push_back(nullptr);

	std::vector<std::string> args = {program};
	args.insert(args.end(), arguments.begin(), arguments.end());
	std::vector<char*> argv;
	for (std::string& argument : args)
		argv.push_back(argument.data());
	argv.push_back(nullptr);

	pid_t pid;
	if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
		int status = 0;
		if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
			result.status = WEXITSTATUS(status);
	}
	posix_spawn_file_actions_destroy(&actions);
	std::ifstream errors(errorsPath);
	std::stringstream text;
	text << errors.rdbuf();
	result.errors = text.str();
	return result;
}

std::string
viewdemo_path()
{
	return BEAPI_BINARY_DIR "/tools/viewdemo/viewdemo";
}

namespace {

// The folders this process made go when it ends, so that runs do not fill the temporary folder
// (which the storage tests search).
struct TemporaryFolders {
	std::vector<std::string> paths;

	~TemporaryFolders()
	{
		for (const std::string& path : paths) {
			std::string command = "rm -rf '" + path + "'";
			(void)!system(command.c_str());
		}
	}
} sTemporaryFolders;

} // namespace

std::string
make_temporary_folder()
{
	const char* base = getenv("TMPDIR");
	std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/beapi-test-XXXXXX";
	std::vector<char> buffer(pattern.begin(), pattern.end());
	buffer.push_back('\0');
	if (mkdtemp(buffer.data()) == nullptr)
		return "/tmp";
	sTemporaryFolders.paths.push_back(buffer.data());
	return buffer.data();
}

void
write_text(const std::string& path, const std::string& text)
{
	std::ofstream out(path, std::ios::binary);
	out << text;
}
