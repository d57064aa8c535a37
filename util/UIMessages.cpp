#include <util/UIHelpers.h>

#include <Application.h>
#include <Handler.h>
#include <OS.h>
#include <TypeConstants.h>
#include <Window.h>

namespace {

const char* const kNestMessage = "NestMsg";
const char* const kNestTarget = "NestMsgTgt";
// How long send_message_with_lock waits between attempts to lock.
const bigtime_t kLockRetryDelay = 20000;

} // namespace

status_t
add_rgb_color(BMessage* message, const char* name, rgb_color color)
{
	return message->AddData(name, B_RGB_COLOR_TYPE, &color, sizeof(color), true);
}

status_t
find_rgb_color(const BMessage* message, const char* name, rgb_color* color)
{
	const void* data = NULL;
	ssize_t size = 0;
	status_t status = message->FindData(name, B_RGB_COLOR_TYPE, &data, &size);
	if (status != B_OK)
		return status;
	if (size != ssize_t(sizeof(rgb_color)))
		return B_BAD_DATA;
	*color = *static_cast<const rgb_color*>(data);
	return B_OK;
}

bool
is_same_rgb_color(rgb_color a, rgb_color b)
{
	return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

status_t
add_nest_message(BMessage* message, const BMessage* nested, BMessenger messenger)
{
	message->AddMessage(kNestMessage, nested);
	message->AddMessenger(kNestTarget, messenger);
	return B_OK;
}

status_t
find_nest_message(const BMessage* message, BMessage* nested, BMessenger* messenger)
{
	if (message->FindMessage(kNestMessage, nested) != B_OK ||
		message->FindMessenger(kNestTarget, messenger) != B_OK)
		return B_ERROR;
	return B_OK;
}

status_t
invoke_nest_message(const BMessage* message)
{
	BMessage nested;
	BMessenger messenger;
	if (find_nest_message(message, &nested, &messenger) != B_OK)
		return B_ERROR;
	return messenger.SendMessage(&nested, static_cast<BHandler*>(NULL), B_INFINITE_TIMEOUT);
}

status_t
send_message_to_all_windows(BMessage message)
{
	if (be_app == NULL)
		return B_OK;
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		BWindow* window = be_app->WindowAt(i);
		if (window != NULL)
			BMessenger(window).SendMessage(&message, static_cast<BHandler*>(NULL),
										   B_INFINITE_TIMEOUT);
	}
	return B_OK;
}

status_t
send_message_with_lock(BHandler* handler, BMessage message)
{
	BMessenger messenger(handler);
	if (!messenger.IsValid())
		return B_BAD_HANDLER;
	while (!messenger.LockTarget()) {
		if (!messenger.IsValid())
			return B_BAD_HANDLER;
		snooze(kLockRetryDelay);
	}
	status_t status =
		messenger.SendMessage(&message, static_cast<BHandler*>(NULL), B_INFINITE_TIMEOUT);
	BLooper* looper = NULL;
	messenger.Target(&looper);
	if (looper != NULL)
		looper->Unlock();
	return status;
}
