// An application for the tests to start as a separate process: it registers
// under the signature it is given, and writes what it receives, line by line,
// to the file it is given.

#include <AppDefs.h>
#include <Application.h>
#include <Message.h>
#include <MessageRunner.h>
#include <Roster.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// Ends a helper that the test forgot, so that nothing lingers.
const bigtime_t kLifetime = 60000000;

class HelperApp : public BApplication {
public:
	HelperApp(const char* signature, const char* output) : BApplication(signature), fOutput(output)
	{}

	void ReadyToRun() override
	{
		app_info info;
		GetAppInfo(&info);
		Write("flags " + std::to_string(info.flags));
		BMessage quit(B_QUIT_REQUESTED);
		fLifetime = new BMessageRunner(be_app_messenger, &quit, kLifetime, 1);
		Write("ready " + std::to_string(getpid()));
	}

	void ArgvReceived(int32 argc, char** argv) override
	{
		std::string line = "argv";
		for (int32 i = 1; i < argc; i++)
			line += std::string(" ") + argv[i];
		Write(line);
	}

	void DispatchMessage(BMessage* message, BHandler* handler) override
	{
		if (message->what == B_SILENT_RELAUNCH)
			Write("relaunch");
		BApplication::DispatchMessage(message, handler);
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
		case 'ping':
			Write(std::string("ping ") + message->GetString("text", "") +
				  (message->IsSourceWaiting() ? " waiting" : ""));
			// Not understood, so a waiting sender hears back.
			BApplication::MessageReceived(message);
			break;
		case 'bcst':
			Write(std::string("broadcast ") + message->GetString("text", ""));
			break;
		case 'quit':
			Quit();
			break;
		default:
			BApplication::MessageReceived(message);
			break;
		}
	}

	void Quit() override
	{
		delete fLifetime;
		fLifetime = NULL;
		Write("quit");
		BApplication::Quit();
	}

private:
	void Write(const std::string& line)
	{
		FILE* file = fopen(fOutput.c_str(), "a");
		if (file == NULL)
			return;
		fprintf(file, "%s\n", line.c_str());
		fclose(file);
	}

	std::string fOutput;
	BMessageRunner* fLifetime = NULL;
};

} // namespace

int
main(int argc, char** argv)
{
	if (argc < 4 || strcmp(argv[1], "serve") != 0) {
		fprintf(stderr, "usage: %s serve SIGNATURE OUTPUT\n", argv[0]);
		return 2;
	}
	HelperApp* app = new HelperApp(argv[2], argv[3]);
	if (app->InitCheck() != B_OK) {
		delete app;
		return 1;
	}
	app->Run();
	delete app;
	return 0;
}
