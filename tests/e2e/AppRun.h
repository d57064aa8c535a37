#ifndef APP_RUN_H
#define APP_RUN_H

// Runs the real preferences application as a user would meet it: a fresh settings folder, a
// stand-in for the input method listening on its port, and a script of mouse and keyboard input.

#include <Message.h>

#include <string>
#include <sys/types.h>
#include <vector>

inline constexpr char kWindowTitle[] = "Zorvy 環境設定";

class AppRun {
public:
	// The environment goes to every start of the application.
	explicit AppRun(const std::vector<std::string>& environment = {});
	~AppRun();

	// From now on the listener and the application run as an unprivileged user: as themselves
	// when the tests do not run as root, else as uid and gid 65534 through setpriv (the folder is
	// handed to that user at every start). False, with the reason, where that is impossible.
	bool RunUnprivileged(std::string* why);
	// The application is started as the last arguments of this command (the listener is not).
	void WrapApplication(const std::vector<std::string>& command) { fWrapper = command; }

	// Starts the listener on the input method's port; without it the application delivers
	// nothing.
	bool Listen();
	// Runs the application with the script until it quits (or the time runs out: -1), with the
	// given command-line arguments.
	int Run(const std::string& script, const std::vector<std::string>& environment = {},
			const std::vector<std::string>& arguments = {});
	// Starts the application with the script and returns at once; Wait collects its status.
	pid_t Start(const std::string& script, const std::string& name = "app",
				const std::vector<std::string>& arguments = {});
	int Wait(pid_t pid, const std::string& name = "app");
	// Runs appsend with the arguments as this user of the application; its exit status, what it
	// printed in Errors().
	int AppSend(const std::vector<std::string>& arguments);
	// Runs the settings command with the arguments in the same folders, until it ends; what it
	// printed is then Output() and Errors().
	int RunPrefsCommand(const std::vector<std::string>& arguments);
	// Starts it and returns at once; Wait(pid, name) collects its status.
	pid_t StartPrefsCommand(const std::vector<std::string>& arguments, const std::string& name);
	// What the application printed on standard error, and on standard output, in the last run.
	const std::string& Errors() const { return fErrors; }
	const std::string& Output() const { return fOutput; }

	// The bodies the listener received so far, in order.
	std::vector<BMessage> Bodies();

	std::string SettingsPath() const;
	std::string ExitStatesPath() const;
	std::string SharedPath(const char* item) const;
	bool ReadMessage(const std::string& path, BMessage* message) const;
	bool WriteMessage(const std::string& path, const BMessage& message) const;
	std::string FileBytes(const std::string& path) const;
	std::string ShotPath(const char* name) const { return fFolder + "/shots/" + name; }
	const std::string& Folder() const { return fFolder; }

private:
	pid_t Start(const std::string& script, const std::string& name,
				const std::vector<std::string>& environment,
				const std::vector<std::string>& arguments);
	void StopListener();

	pid_t Spawn(const char* program, const std::vector<std::string>& arguments,
				const std::vector<std::string>& environment, const std::string& errorsPath,
				const std::vector<std::string>& wrapper,
				const std::string& outputPath = "/dev/null");

	std::string fFolder;
	std::vector<std::string> fEnvironment;
	std::string fErrors;
	std::string fOutput;
	pid_t fListener;
	std::vector<std::string> fUser;
	std::vector<std::string> fWrapper;
};

#endif
