#ifndef _MESSAGE_RUNNER_H
#define _MESSAGE_RUNNER_H

#include <Messenger.h>
#include <SupportDefs.h>

class BMessage;

// Sends a message to a target every interval, a given number of times (forever when the count is
// not positive). Deleting the runner stops it: nothing is sent once the destructor has returned.
class BMessageRunner {
public:
	BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
				   int32 count = -1);
	BMessageRunner(BMessenger target, const BMessage& message, bigtime_t interval,
				   int32 count = -1);
	BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval, int32 count,
				   BMessenger replyTo);
	BMessageRunner(BMessenger target, const BMessage& message, bigtime_t interval, int32 count,
				   BMessenger replyTo);
	virtual ~BMessageRunner();

	status_t InitCheck() const;

	status_t SetInterval(bigtime_t interval);
	status_t SetCount(int32 count);
	status_t GetInfo(bigtime_t* interval, int32* count) const;

	// A runner nobody holds: it ends by itself after its count.
	static status_t StartSending(BMessenger target, const BMessage* message, bigtime_t interval,
								 int32 count);
	static status_t StartSending(BMessenger target, const BMessage* message, bigtime_t interval,
								 int32 count, BMessenger replyTo);

private:
	BMessageRunner(const BMessageRunner&) = delete;
	BMessageRunner& operator=(const BMessageRunner&) = delete;

	void _InitData(BMessenger target, const BMessage* message, bigtime_t interval, int32 count,
				   BMessenger replyTo);

	int32 fToken;
};

#endif
