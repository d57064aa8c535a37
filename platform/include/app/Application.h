#ifndef _APPLICATION_H
#define _APPLICATION_H

#include <AppDefs.h>
#include <Looper.h>
#include <Messenger.h>
#include <Roster.h>

#include <mutex>
#include <vector>

class BMessageRunner;
class BResources;
class BWindow;

namespace BPrivate {

// What the interface kit tells the application about windows, which it cannot know itself.
struct WindowHooks {
	// The window as the looper it is.
	BLooper* (*looper)(BWindow* window);
	// Brings the window to the front and gives it the focus.
	void (*activate)(BWindow* window);
	// Starts reaching the screen while the application sets itself up.
	void (*prepareDisplay)();
};

} // namespace BPrivate

// The application: its looper runs on the thread that calls Run. It registers with the roster,
// reads the messages other processes write to its port, and knows its own resources.
class BApplication : public BLooper {
public:
	BApplication(const char* signature);
	BApplication(const char* signature, status_t* error);
	virtual ~BApplication();

	status_t InitCheck() const;

	virtual thread_id Run();
	virtual void Quit();
	virtual bool QuitRequested();
	virtual void Pulse();
	virtual void ReadyToRun();
	virtual void MessageReceived(BMessage* message);
	virtual void ArgvReceived(int32 argc, char** argv);
	virtual void AppActivated(bool active);
	virtual void RefsReceived(BMessage* message);
	virtual void AboutRequested();
	virtual void DispatchMessage(BMessage* message, BHandler* handler);

	int32 CountWindows() const;
	BWindow* WindowAt(int32 index) const;

	const char* Signature() const;
	status_t GetAppInfo(app_info* info) const;
	static BResources* AppResources();

	// For the interface kit: windows announce themselves here while they exist.
	void _AddWindow(BWindow* window);
	void _RemoveWindow(BWindow* window);
	static void _SetWindowHooks(const BPrivate::WindowHooks* hooks);

private:
	BApplication(const BApplication&) = delete;
	BApplication& operator=(const BApplication&) = delete;

	void _InitData(const char* signature, status_t* error);
	static void _PrepareDisplay();
	status_t _Register(uint32 flags);
	void _HandOver(const team_id team, const port_id port);
	void _ExitForFailedStart();
	void _PostArguments();
	static int32 _PortReader(void* data);
	void _ReadPort();
	bool _QuitAllWindows(bool force);
	BLooper* _LockWindowAt(bool last, BWindow** window, BMessenger* messenger);
	void _ForgetWindow(BWindow* window, const BMessenger& messenger);
	void _SilentRelaunch();

	char* fSignature;
	status_t fInitError;
	port_id fPort;
	thread_id fPortReader;
	BMessageRunner* fPulseRunner;
	bool fReadyToRunCalled;
	mutable std::mutex fWindowLock;
	std::vector<BWindow*> fWindows;
};

extern BApplication* be_app;
extern BMessenger be_app_messenger;

#endif
