#include <Messenger.h>

#include <AppDefs.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include <unistd.h>

#include "Delivery.h"
#include "LooperPrivate.h"

using BPrivate::MessageEnvelope;

status_t
BMessenger::SendMessage(uint32 command, BHandler* replyTo) const
{
	BMessage message(command);
	return SendMessage(&message, replyTo);
}

status_t
BMessenger::SendMessage(BMessage* message, BHandler* replyTo, bigtime_t timeout) const
{
	BMessenger replyMessenger;
	if (replyTo != NULL)
		replyMessenger.SetTo(replyTo);
	return SendMessage(message, replyMessenger, timeout);
}

status_t
BMessenger::SendMessage(BMessage* message, BMessenger replyTo, bigtime_t timeout) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	return _Send(message, replyTo.fPort, replyTo.fHandlerToken, replyTo.fTeam, timeout);
}

status_t
BMessenger::SendMessage(uint32 command, BMessage* reply) const
{
	BMessage message(command);
	return SendMessage(&message, reply);
}

status_t
BMessenger::SendMessage(BMessage* message, BMessage* reply, bigtime_t deliveryTimeout,
						bigtime_t replyTimeout) const
{
	if (message == NULL || reply == NULL)
		return B_BAD_VALUE;
	return _SendAndWait(message, reply, deliveryTimeout, replyTimeout);
}

status_t
BMessenger::_Send(BMessage* message, port_id replyPort, int32 replyToken, team_id replyTeam,
				  bigtime_t timeout) const
{
	if (fHandlerToken == B_NULL_TOKEN)
		return B_BAD_PORT_ID;
	auto envelope = std::make_shared<MessageEnvelope>();
	envelope->replyPort = replyPort;
	envelope->replyToken = replyToken;
	envelope->replyTeam = replyTeam;
	if (IsTargetLocal()) {
		status_t status = BPrivate::deliver_local(fHandlerToken, *message, envelope);
		return status == B_BAD_HANDLER ? B_BAD_PORT_ID : status;
	}
	if (fPort < 0)
		return B_BAD_PORT_ID;
	return BPrivate::deliver_remote(fPort, fHandlerToken, *message, *envelope, timeout);
}

status_t
BMessenger::_SendAndWait(BMessage* message, BMessage* reply, bigtime_t deliveryTimeout,
						 bigtime_t replyTimeout) const
{
	if (fHandlerToken == B_NULL_TOKEN)
		return B_BAD_PORT_ID;
	auto envelope = std::make_shared<MessageEnvelope>();
	envelope->replyWanted = true;
	if (IsTargetLocal()) {
		auto slot = std::make_shared<BPrivate::ReplySlot>();
		envelope->replySlot = slot;
		thread_id looperThread = -1;
		status_t status = BPrivate::deliver_local(fHandlerToken, *message, envelope, &looperThread);
		if (status != B_OK)
			return status == B_BAD_HANDLER ? B_BAD_PORT_ID : status;
		if (looperThread == BPrivate::current_thread()) {
			// The answer could only come from the loop this thread is busy running.
			slot->Deliver(new BMessage(B_NO_REPLY));
			return B_MESSAGE_TO_SELF;
		}
		return slot->Wait(replyTimeout, reply);
	}
	if (fPort < 0)
		return B_BAD_PORT_ID;
	port_id replyPort = BPrivate::reply_port_for_thread();
	if (replyPort < 0)
		return replyPort;
	envelope->replyPort = replyPort;
	envelope->replyToken = BPrivate::next_reply_serial();
	envelope->replyTeam = getpid();
	status_t status =
		BPrivate::deliver_remote(fPort, fHandlerToken, *message, *envelope, deliveryTimeout);
	if (status != B_OK)
		return status;
	return BPrivate::read_reply(replyPort, envelope->replyToken, replyTimeout, reply);
}
