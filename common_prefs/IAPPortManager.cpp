#include <common_prefs/IAPPortManager.h>

#include <common_prefs/IAPMessages.h>

#include <Looper.h>
#include <Message.h>
#include <MessageQueue.h>
#include <beapi/MessageFormats.h>

#include <vector>

namespace {

// The thread's name and priority, that of ordinary work.
const char kThreadName[] = "IAPPortManager";
const int32 kThreadPriority = B_NORMAL_PRIORITY;
// How often the thread looks again whether the window has caught up.
const bigtime_t kBacklogPoll = 2000;

} // namespace

TIAPPortManager::TIAPPortManager(BMessenger target)
	: TThread(kThreadName, kThreadPriority), mPort(IAP_PORT_NOT_YET), mTarget(target)
{}

TIAPPortManager::~TIAPPortManager() {}

int32
TIAPPortManager::Execute()
{
	port_id port = create_port(IAP_PORT_CAPACITY, PORT_NAME);
	if (port < 0) {
		mPort = IAP_PORT_FAILED;
		return B_ERROR;
	}
	mPort = port;

	// The window lives longer than this thread: it ends the thread before it goes.
	BLooper* looper = NULL;
	mTarget.Target(&looper);
	std::vector<char> buffer;
	while (!mTerminateRequested) {
		// The window takes what it has waiting before more is read: an application that writes
		// faster than the window handles waits at the port, whose capacity bounds the rest.
		if (looper != NULL && looper->MessageQueue()->CountMessages() >= IAP_PORT_CAPACITY) {
			snooze(kBacklogPoll);
			continue;
		}
		ssize_t size = port_buffer_size(port);
		if (size == B_INTERRUPTED)
			continue;
		if (size < 0)
			break;
		buffer.resize(size_t(size));
		int32 code = 0;
		ssize_t read = read_port(port, &code, buffer.data(), buffer.size());
		// A message of no bytes only wakes the thread; the code is not examined.
		if (read <= 0)
			continue;
		// Any application of the user writes here: a message that does not read whole is
		// dropped.
		BMessage message;
		if (unflatten_message(&message, buffer.data(), size_t(read)) != B_OK)
			continue;
		mTarget.SendMessage(&message, static_cast<BHandler*>(NULL), B_INFINITE_TIMEOUT);
	}
	delete_port(port);
	return B_OK;
}

port_id
TIAPPortManager::Port() const
{
	return mPort;
}

status_t
TIAPPortManager::PreventBlocking() const
{
	port_id port = mPort;
	if (port < 0)
		return port;
	return write_port(port, 0, NULL, 0);
}
