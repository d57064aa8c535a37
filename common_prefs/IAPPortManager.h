#ifndef MOZELT_IAP_PORT_MANAGER_H
#define MOZELT_IAP_PORT_MANAGER_H

#include <framework/Thread.h>

#include <Messenger.h>
#include <OS.h>

#include <atomic>

// The thread that serves the common preferences window's port: it makes the port, hands every
// message an application writes to it to the window's view, and deletes the port when it is
// told to stop. The port exists exactly as long as this thread runs, so whether a window exists
// anywhere is whether the port can be found. While the window has IAP_PORT_CAPACITY messages
// waiting, nothing more is read: the window's queue stays bounded however fast others write.
class TIAPPortManager : public TThread {
public:
	explicit TIAPPortManager(BMessenger target);
	virtual ~TIAPPortManager();

	virtual int32 Execute();

	// IAP_PORT_NOT_YET until the thread has tried to make the port, then the port or
	// IAP_PORT_FAILED.
	port_id Port() const;
	// Wakes the thread from its wait for the next message (a message of no bytes).
	status_t PreventBlocking() const;

private:
	std::atomic<port_id> mPort;
	BMessenger mTarget;
};

#endif
