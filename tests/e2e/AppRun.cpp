#include "AppRun.h"

#include <beapi/MessageFormats.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const char kApplication[] = BEAPI_BINARY_DIR "/app/ZorvyPreferences";
const char kPortListen[] = BEAPI_BINARY_DIR "/tools/portlisten/portlisten";
const char kAppSend[] = BEAPI_BINARY_DIR "/tools/appsend/appsend";
const char kPrefsCommand[] = BEAPI_BINARY_DIR "/tools/zorvy-prefs/zorvy-prefs";

std::vector<std::string>
merged_environment(const std::vector<std::string>& extra)
{
	std::vector<std::string> variables;
	for (char** entry = environ; *entry != nullptr; entry++) {
		std::string variable = *entry;
		std::string name = variable.substr(0, variable.find('=') + 1);
		bool replaced = std::any_of(extra.begin(), extra.end(), [&](const std::string& e) {
			return e.compare(0, name.size(), name) == 0;
		});
		if (!replaced)
			variables.push_back(variable);
	}
	variables.insert(variables.end(), extra.begin(), extra.end());
	return variables;
}

// Runs `program` with `arguments`, as the last arguments of `wrapper` when there is one.
pid_t
spawn(const char* program, const std::vector<std::string>& arguments,
	  const std::vector<std::string>& environment, const std::string& errorsPath,
	  const std::vector<std::string>& wrapper, const std::string& outputPath)
{
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.c_str(),
									 O_WRONLY | O_CREAT | O_TRUNC, 0600);
	posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorsPath.c_str(),
									 O_WRONLY | O_CREAT | O_TRUNC, 0600);
	std::vector<std::string> args = wrapper;
	args.push_back(program);
	args.insert(args.end(), arguments.begin(), arguments.end());
	std::vector<char*> argv;
	for (std::string& argument : args)
		argv.push_back(argument.data());
	argv.push_back(nullptr);
	std::vector<std::string> variables = merged_environment(environment);
	std::vector<char*> envp;
	for (std::string& variable : variables)
		envp.push_back(variable.data());
	envp.push_back(nullptr);
	pid_t pid = -1;
	if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
		pid = -1;
	posix_spawn_file_actions_destroy(&actions);
	return pid;
}

const uid_t kUnprivileged = 65534;

// Waits for the child to end, at most the given time; -1 when it had to be killed.
int
wait_exit(pid_t pid, int seconds)
{
	for (int i = 0; i < seconds * 100; i++) {
		int status = 0;
		pid_t done = waitpid(pid, &status, WNOHANG);
		if (done == pid)
			return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
		usleep(10000);
	}
	kill(pid, SIGKILL);
	waitpid(pid, nullptr, 0);
	return -1;
}

} // namespace

AppRun::AppRun(const std::vector<std::string>& environment)
	: fEnvironment(environment), fListener(-1)
{
	const char* base = getenv("TMPDIR");
	std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/zorvy-e2e-XXXXXX";
	std::vector<char> buffer(pattern.begin(), pattern.end());
	buffer.push_back('\0');
	if (mkdtemp(buffer.data()) != nullptr)
		fFolder = buffer.data();
	mkdir((fFolder + "/config").c_str(), 0700);
	mkdir((fFolder + "/runtime").c_str(), 0700);
	mkdir((fFolder + "/bodies").c_str(), 0700);
	mkdir((fFolder + "/shots").c_str(), 0700);
}

AppRun::~AppRun()
{
	StopListener();
	if (!fFolder.empty() && getenv("ZORVY_E2E_KEEP") == nullptr) {
		std::string command = "rm -rf '" + fFolder + "'";
		(void)!system(command.c_str());
	}
}

bool
AppRun::RunUnprivileged(std::string* why)
{
	if (getuid() != 0)
		return true;
	if (access("/usr/bin/setpriv", X_OK) != 0) {
		*why = "the tests run as root and setpriv is missing";
		return false;
	}
	fUser = {"/usr/bin/setpriv", "--reuid=" + std::to_string(kUnprivileged),
			 "--regid=" + std::to_string(kUnprivileged), "--clear-groups", "--"};
	// The programs must be reachable from their build folder by that user.
	std::string probe = "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups test -x '" +
						std::string(kApplication) + "'";
	if (system(probe.c_str()) != 0) {
		*why = "uid 65534 cannot reach the programs in the build folder";
		fUser.clear();
		return false;
	}
	return true;
}

pid_t
AppRun::Spawn(const char* program, const std::vector<std::string>& arguments,
			  const std::vector<std::string>& environment, const std::string& errorsPath,
			  const std::vector<std::string>& wrapper, const std::string& outputPath)
{
	if (!fUser.empty()) {
		std::error_code ignored;
		(void)!chown(fFolder.c_str(), kUnprivileged, kUnprivileged);
		for (const auto& entry : std::filesystem::recursive_directory_iterator(fFolder, ignored))
			(void)!lchown(entry.path().c_str(), kUnprivileged, kUnprivileged);
	}
	std::vector<std::string> command = wrapper;
	command.insert(command.end(), fUser.begin(), fUser.end());
	return spawn(program, arguments, environment, errorsPath, command, outputPath);
}

bool
AppRun::Listen()
{
	std::string errors = fFolder + "/listener.err";
	fListener = Spawn(kPortListen, {"--save", fFolder + "/bodies", "ZorvyPreferencesPort"},
					  {"XDG_RUNTIME_DIR=" + fFolder + "/runtime"}, errors, {});
	if (fListener < 0)
		return false;
	// The listener says so once its port exists.
	for (int i = 0; i < 500; i++) {
		std::ifstream file(errors);
		std::string text((std::istreambuf_iterator<char>(file)), {});
		if (text.find("listening") != std::string::npos)
			return true;
		usleep(10000);
	}
	return false;
}

int
AppRun::Run(const std::string& script, const std::vector<std::string>& environment,
			const std::vector<std::string>& arguments)
{
	pid_t pid = Start(script, "app", environment, arguments);
	return pid < 0 ? -1 : Wait(pid, "app");
}

pid_t
AppRun::Start(const std::string& script, const std::string& name,
			  const std::vector<std::string>& arguments)
{
	return Start(script, name, {}, arguments);
}

pid_t
AppRun::Start(const std::string& script, const std::string& name,
			  const std::vector<std::string>& environment,
			  const std::vector<std::string>& arguments)
{
	std::string scriptPath = fFolder + "/" + name + ".events";
	std::ofstream(scriptPath) << script;
	std::vector<std::string> variables = {
		"BEAPI_DISPLAY=headless",
		"BEAPI_EVENTS=" + scriptPath,
		"BEAPI_SCREENSHOT_DIR=" + fFolder + "/shots",
		"XDG_CONFIG_HOME=" + fFolder + "/config",
		"XDG_RUNTIME_DIR=" + fFolder + "/runtime",
		"FONTCONFIG_FILE=" BEAPI_SOURCE_DIR "/tests/fonts.conf",
	};
	variables.insert(variables.end(), fEnvironment.begin(), fEnvironment.end());
	variables.insert(variables.end(), environment.begin(), environment.end());
	return Spawn(kApplication, arguments, variables, fFolder + "/" + name + ".err", fWrapper,
				 fFolder + "/" + name + ".out");
}

int
AppRun::RunPrefsCommand(const std::vector<std::string>& arguments)
{
	pid_t pid = StartPrefsCommand(arguments, "command");
	return pid < 0 ? -1 : Wait(pid, "command");
}

pid_t
AppRun::StartPrefsCommand(const std::vector<std::string>& arguments, const std::string& name)
{
	std::vector<std::string> variables = {
		"XDG_CONFIG_HOME=" + fFolder + "/config",
		"XDG_RUNTIME_DIR=" + fFolder + "/runtime",
	};
	return Spawn(kPrefsCommand, arguments, variables, fFolder + "/" + name + ".err", {},
				 fFolder + "/" + name + ".out");
}

int
AppRun::Wait(pid_t pid, const std::string& name)
{
	int status = wait_exit(pid, 60);
	fErrors = FileBytes(fFolder + "/" + name + ".err");
	fOutput = FileBytes(fFolder + "/" + name + ".out");
	return status;
}

int
AppRun::AppSend(const std::vector<std::string>& arguments)
{
	std::string errors = fFolder + "/appsend.err";
	pid_t pid = Spawn(kAppSend, arguments, {"XDG_RUNTIME_DIR=" + fFolder + "/runtime"}, errors, {});
	if (pid < 0)
		return -1;
	int status = wait_exit(pid, 60);
	fErrors = FileBytes(errors);
	return status;
}

std::vector<BMessage>
AppRun::Bodies()
{
	// Give the listener the time to write what is queued.
	usleep(100000);
	std::vector<std::string> names;
	if (DIR* folder = opendir((fFolder + "/bodies").c_str())) {
		while (dirent* entry = readdir(folder)) {
			if (entry->d_name[0] != '.')
				names.push_back(entry->d_name);
		}
		closedir(folder);
	}
	std::sort(names.begin(), names.end());
	std::vector<BMessage> bodies;
	for (const std::string& name : names) {
		BMessage message;
		ReadMessage(fFolder + "/bodies/" + name, &message);
		bodies.push_back(message);
	}
	return bodies;
}

std::string
AppRun::SettingsPath() const
{
	return fFolder + "/config/MOZELT/Zorvy/Zorvy_Prefs.arc";
}

std::string
AppRun::ExitStatesPath() const
{
	return fFolder + "/config/MOZELT/Zorvy/ZorvyPreferences_ExitStates.arc";
}

std::string
AppRun::SharedPath(const char* item) const
{
	return fFolder + "/config/MOZELT/Shared/" + item + ".arc";
}

std::string
AppRun::FileBytes(const std::string& path) const
{
	std::ifstream file(path, std::ios::binary);
	if (!file)
		return std::string();
	return std::string(std::istreambuf_iterator<char>(file), {});
}

bool
AppRun::ReadMessage(const std::string& path, BMessage* message) const
{
	std::string bytes = FileBytes(path);
	if (bytes.empty())
		return false;
	return unflatten_message(message, bytes.data(), bytes.size()) == B_OK;
}

bool
AppRun::WriteMessage(const std::string& path, const BMessage& message) const
{
	std::string folder = path.substr(0, path.rfind('/'));
	std::string command = "mkdir -p '" + folder + "'";
	if (system(command.c_str()) != 0)
		return false;
	std::string bytes(size_t(message.FlattenedSize()), '\0');
	if (message.Flatten(bytes.data(), ssize_t(bytes.size())) != B_OK)
		return false;
	std::ofstream file(path, std::ios::binary);
	file << bytes;
	return bool(file);
}

void
AppRun::StopListener()
{
	if (fListener <= 0)
		return;
	kill(fListener, SIGTERM);
	wait_exit(fListener, 10);
	fListener = -1;
}
