#include <Application.h>

#include <Message.h>
#include <MessageRunner.h>
#include <Roster.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "AppResourcesPrivate.h"
#include "Delivery.h"
#include "LooperPrivate.h"
#include "MessengerPrivate.h"
#include "RosterRegistry.h"
#include "kernel/RuntimeDirectory.h"

BApplication* be_app = NULL;
BMessenger be_app_messenger;

namespace {

// Enough for many writers to queue while the application is busy.
const int32 kApplicationPortCapacity = 200;

} // namespace

BApplication::BApplication(const char* signature) : BLooper("AppLooperPort")
{
	_InitData(signature, NULL);
}

BApplication::BApplication(const char* signature, status_t* error) : BLooper("AppLooperPort")
{
	_InitData(signature, error);
}

void
BApplication::_InitData(const char* signature, status_t* error)
{
	fSignature = signature != NULL ? strdup(signature) : NULL;
	fInitError = B_OK;
	fPort = -1;
	fPortReader = -1;
	fPulseRunner = NULL;
	fReadyToRunCalled = false;

	if (be_app != NULL)
		fInitError = B_ERROR;
	else if (signature == NULL || strncasecmp(signature, "application/", 12) != 0)
		fInitError = B_BAD_VALUE;
	if (fInitError != B_OK) {
		if (error != NULL)
			*error = fInitError;
		return;
	}

	be_app = this;
	BPrivate::gApplicationToken.store(BPrivate::LooperAccess::Token(this));
	_PrepareDisplay();

	char name[B_OS_NAME_LENGTH];
	snprintf(name, sizeof(name), "application %d", (int)getpid());
	fPort = create_port(kApplicationPortCapacity, name);
	if (fPort < 0) {
		fInitError = fPort;
	} else {
		BPrivate::gApplicationPort.store(fPort);
		fInitError = _Register(BPrivate::app_flags());
	}
	if (fInitError == B_OK) {
		be_app_messenger = BMessenger(NULL, this);
		fPortReader = spawn_thread(_PortReader, "application port", B_NORMAL_PRIORITY, this);
		if (fPortReader >= 0)
			resume_thread(fPortReader);
		_PostArguments();
	}
	if (error != NULL)
		*error = fInitError;
	else if (fInitError != B_OK && fInitError != B_ALREADY_RUNNING)
		_ExitForFailedStart();
}

// A program that did not ask for the constructor's status cannot go on without its port or its
// registration; it says why and ends with status 1 instead of ending quietly as if it had run.
void
BApplication::_ExitForFailedStart()
{
	std::string folder;
	std::string problem;
	if (BPrivate::runtime_directory(&folder, &problem) != B_OK)
		fprintf(stderr, "%s: %s\n", program_invocation_short_name, problem.c_str());
	else if (fInitError == B_TIMED_OUT)
		fprintf(stderr,
				"%s: cannot start: another process held a lock in the runtime folder \"%s\" "
				"for more than 2 s\n",
				program_invocation_short_name, folder.c_str());
	else
		fprintf(stderr, "%s: cannot start: error %d\n", program_invocation_short_name,
				int(fInitError));
	fflush(stderr);
	_exit(1);
}

BApplication::~BApplication()
{
	// Windows the application did not close itself go with it, each as its own Quit ends it,
	// before anything they may still use (the roster, the application's port) is taken down.
	_QuitAllWindows(true);
	// The loop is over; nothing may reach this looper through the port any more.
	if (be_app == this)
		BPrivate::RosterRegistry::Unregister();
	delete fPulseRunner;
	fPulseRunner = NULL;
	if (fPort >= 0) {
		BPrivate::gApplicationPort.store(-1);
		delete_port(fPort);
		if (fPortReader >= 0) {
			status_t result;
			wait_for_thread(fPortReader, &result);
		}
	}
	if (be_app == this) {
		be_app = NULL;
		be_app_messenger = BMessenger();
		BPrivate::gApplicationToken.store(B_NULL_TOKEN);
	}
	free(fSignature);
}

status_t
BApplication::InitCheck() const
{
	return fInitError;
}

status_t
BApplication::_Register(uint32 flags)
{
	BPrivate::RosterEntry entry;
	entry.team = getpid();
	entry.thread = BPrivate::current_thread();
	entry.port = fPort;
	entry.flags = flags;
	entry.signature = fSignature;
	entry.path = BPrivate::executable_path();
	BPrivate::RosterEntry running;
	status_t status = BPrivate::RosterRegistry::Register(entry, &running);
	if (status == B_ALREADY_RUNNING)
		_HandOver(running.team, running.port);
	return status;
}

void
BApplication::_HandOver(const team_id team, const port_id port)
{
	// The copy that runs already takes over; this one leaves quietly.
	BMessenger running;
	BMessenger::Private(running).SetTo(team, port, B_PREFERRED_TOKEN);
	std::vector<std::string> args = BPrivate::program_arguments();
	if (args.size() > 1) {
		BMessage argv(B_ARGV_RECEIVED);
		argv.AddInt32("argc", (int32)args.size());
		for (const std::string& arg : args)
			argv.AddString("argv", arg);
		char* cwd = getcwd(NULL, 0);
		if (cwd != NULL)
			argv.AddString("cwd", cwd);
		free(cwd);
		running.SendMessage(&argv, (BHandler*)NULL, 1000000);
	}
	BMessage relaunch(B_SILENT_RELAUNCH);
	running.SendMessage(&relaunch, (BHandler*)NULL, 1000000);
	delete_port(fPort);
	exit(0);
}

void
BApplication::_PostArguments()
{
	std::vector<std::string> args = BPrivate::program_arguments();
	if (args.size() > 1) {
		BMessage argv(B_ARGV_RECEIVED);
		argv.AddInt32("argc", (int32)args.size());
		for (const std::string& arg : args)
			argv.AddString("argv", arg);
		char* cwd = getcwd(NULL, 0);
		if (cwd != NULL)
			argv.AddString("cwd", cwd);
		free(cwd);
		PostMessage(&argv);
	}
	PostMessage(B_READY_TO_RUN);
}

int32
BApplication::_PortReader(void* data)
{
	static_cast<BApplication*>(data)->_ReadPort();
	return 0;
}

void
BApplication::_ReadPort()
{
	std::vector<char> buffer;
	for (;;) {
		ssize_t size = port_buffer_size(fPort);
		if (size < 0)
			return;
		buffer.resize(size > 0 ? size : 1);
		int32 code;
		ssize_t got = read_port(fPort, &code, buffer.data(), size);
		if (got < 0)
			return;
		if (code != BPrivate::kPortMessageCode)
			continue;
		BMessage message;
		int32 token;
		auto envelope = std::make_shared<BPrivate::MessageEnvelope>();
		if (BPrivate::decode_remote(buffer.data(), got, &token, &message, envelope.get()) != B_OK)
			continue;
		BPrivate::deliver_local(token, message, envelope);
	}
}

thread_id
BApplication::Run()
{
	if (fInitError != B_OK)
		return fInitError;
	_RunOnCallingThread();
	return Thread();
}

void
BApplication::Quit()
{
	if (!fRunCalled) {
		// Run has not started: it will return at once.
		fTerminating = true;
		return;
	}
	BLooper::Quit();
}

bool
BApplication::QuitRequested()
{
	return _QuitAllWindows(false);
}

void
BApplication::ReadyToRun()
{}

void
BApplication::Pulse()
{}

void
BApplication::ArgvReceived(int32, char**)
{}

void
BApplication::AppActivated(bool)
{}

void
BApplication::RefsReceived(BMessage*)
{}

void
BApplication::AboutRequested()
{}

void
BApplication::MessageReceived(BMessage* message)
{
	BLooper::MessageReceived(message);
}

void
BApplication::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler != this) {
		BLooper::DispatchMessage(message, handler);
		return;
	}
	switch (message->what) {
	case B_ARGV_RECEIVED: {
		int32 argc = 0;
		message->FindInt32("argc", &argc);
		std::vector<char*> argv;
		const char* arg;
		for (int32 i = 0; message->FindString("argv", i, &arg) == B_OK; i++)
			argv.push_back(const_cast<char*>(arg));
		argv.push_back(NULL);
		ArgvReceived((int32)argv.size() - 1, argv.data());
		break;
	}
	case B_READY_TO_RUN:
		if (!fReadyToRunCalled) {
			fReadyToRunCalled = true;
			ReadyToRun();
		}
		break;
	case B_ABOUT_REQUESTED:
		AboutRequested();
		break;
	case B_PULSE:
		Pulse();
		break;
	case B_APP_ACTIVATED: {
		bool active;
		if (message->FindBool("active", &active) != B_OK)
			active = true;
		AppActivated(active);
		break;
	}
	case B_REFS_RECEIVED:
		RefsReceived(message);
		break;
	case B_SILENT_RELAUNCH:
		_SilentRelaunch();
		break;
	default:
		BLooper::DispatchMessage(message, handler);
		break;
	}
}
