#ifndef TESTS_COMMON_PREFS_IAP_PROCESSES_H
#define TESTS_COMMON_PREFS_IAP_PROCESSES_H

// The common preferences window is shared by processes: these tests start small applications of
// the maker (iap_test_helper) and the preferences application as real child processes in one
// fresh settings folder and runtime folder, drive the window where it lives by commands to its
// application, and read what each application's store took.

#include "Watchdog.h"

#include <tests/framework/SettingsFolder.h>

#include <Message.h>
#include <OS.h>
#include <Rect.h>

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace iap_test {

inline constexpr char kSignatureA[] = "application/x-vnd.test-IAPHostA";
inline constexpr char kSignatureB[] = "application/x-vnd.test-IAPHostB";
inline constexpr char kZorvySignature[] = "application/x-vnd.MOZELT-ZorvyPreferences";

// A child process of the test; killed if still running when it goes.
class Process {
public:
	Process(const std::vector<std::string>& arguments, const std::vector<std::string>& environment);
	~Process();

	pid_t Pid() const { return fPid; }
	// The exit status, or -1 when the process did not end in time.
	int WaitForExit(bigtime_t timeout = 20000000);

private:
	pid_t fPid = -1;
	bool fReaped = false;
};

// A small application of the maker with the items given as letters: a (accelerator format),
// f (flat toolbar), l (locale).
class Helper {
public:
	Helper(const std::string& folder, const char* signature, const char* items);

	// Sends a command and returns the reply; a failure when none came.
	BMessage Command(BMessage command);
	BMessage Command(uint32 what) { return Command(BMessage(what)); }
	status_t Show();
	BMessage Look();
	// Looks until the window shows that many children (components and the buttons' strip): the
	// items an application offers reach the window through its port, a little later.
	BMessage LookFor(int32 children);
	status_t Choose(int32 index);
	status_t Click(const char* view);
	status_t Key(const char* key);
	status_t Type(const char* text);
	status_t Close();
	status_t Shot(const std::string& path);
	int Quit();

	std::vector<std::string> Lines() const;
	// Waits until the log holds count lines that start with the prefix; false when it did not
	// in time.
	bool WaitForLines(const std::string& prefix, size_t count) const;
	size_t CountLines(const std::string& prefix) const;

	const char* Signature() const { return fSignature; }

private:
	const char* fSignature;
	std::string fLog;
	std::unique_ptr<Process> fProcess;
};

// What Look tells of the window's child of that name (a component, or "ButtonContainer").
struct Child {
	bool found = false;
	BRect frame;
	std::string label;
	std::string marked;
	std::string shown;
	int32 value = -1;
	std::string text;
};
Child child_of(const BMessage& look, const char* name);
int32 count_children(const BMessage& look);

class IAPProcessTest : public test_settings::SettingsTest {
protected:
	void SetUp() override;
	void TearDown() override;

	// The preferences application, started headless with its pictures written to a folder.
	std::unique_ptr<Process> StartZorvy();
	// Waits until the application has handled everything sent to it before.
	bool RoundTrip(const char* signature);
	std::string ZorvyShots() const { return fRuntime + "/zorvy-shots"; }

	Watchdog fWatchdog{120};
	std::string fRuntime;
};

} // namespace iap_test

#endif
