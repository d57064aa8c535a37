#include <Message.h>

#include "ReplySender.h"

bool
BMessage::IsSourceRemote() const
{
	return BPrivate::is_source_remote(this);
}

status_t
BMessage::SendReply(uint32 command, BHandler* replyTo)
{
	BMessage reply(command);
	return SendReply(&reply, replyTo);
}

status_t
BMessage::SendReply(BMessage* reply, BHandler* replyTo, bigtime_t timeout)
{
	BMessenger messenger;
	if (replyTo != nullptr)
		messenger = BMessenger(replyTo);
	return BPrivate::send_reply(this, reply, messenger, timeout);
}

status_t
BMessage::SendReply(BMessage* reply, BMessenger replyTo, bigtime_t timeout)
{
	return BPrivate::send_reply(this, reply, replyTo, timeout);
}
