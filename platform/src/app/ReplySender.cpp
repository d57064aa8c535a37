#include "ReplySender.h"

#include <AppDefs.h>
#include <Message.h>

#include <unistd.h>

#include "Delivery.h"
#include "LooperPrivate.h"
#include "MessagePrivate.h"
#include "MessengerPrivate.h"

namespace BPrivate {

bool
is_source_waiting(const BMessage* request)
{
	std::shared_ptr<MessageEnvelope> envelope = ReplyRegistry::Default().Find(request);
	return envelope != nullptr && envelope->replyWanted && !envelope->replied;
}

bool
expects_reply(const BMessage* request)
{
	std::shared_ptr<MessageEnvelope> envelope = ReplyRegistry::Default().Find(request);
	return envelope != nullptr && !envelope->replied &&
		   (envelope->replyWanted || envelope->replyToken != B_NULL_TOKEN);
}

bool
is_source_remote(const BMessage* request)
{
	std::shared_ptr<MessageEnvelope> envelope = ReplyRegistry::Default().Find(request);
	return envelope != nullptr && envelope->remote;
}

BMessenger
return_address(const BMessage* request)
{
	BMessenger messenger;
	std::shared_ptr<MessageEnvelope> envelope = ReplyRegistry::Default().Find(request);
	if (envelope != nullptr && !envelope->replyWanted && envelope->replyToken != B_NULL_TOKEN)
		BMessenger::Private(messenger).SetTo(envelope->replyTeam, envelope->replyPort,
											 envelope->replyToken);
	return messenger;
}

static status_t
deliver_reply(MessageEnvelope& envelope, const BMessage* reply, BMessenger replyTo,
			  bigtime_t timeout)
{
	BMessage* copy = new BMessage(*reply);
	BMessage::Private(copy).SetFlags(BMessage::Private(copy).Flags() | MESSAGE_FLAG_IS_REPLY);
	if (envelope.replySlot != nullptr)
		return envelope.replySlot->Deliver(copy) ? B_OK : B_DUPLICATE_REPLY;
	std::unique_ptr<BMessage> owned(copy);
	if (envelope.replyWanted)
		return write_reply(envelope.replyPort, envelope.replyToken, *copy);
	if (envelope.replyToken == B_NULL_TOKEN)
		return B_BAD_REPLY;
	BMessenger target;
	BMessenger::Private(target).SetTo(envelope.replyTeam, envelope.replyPort, envelope.replyToken);
	return target.SendMessage(copy, replyTo, timeout);
}

status_t
send_reply(const BMessage* request, BMessage* reply, BMessenger replyTo, bigtime_t timeout)
{
	if (reply == NULL)
		return B_BAD_VALUE;
	std::shared_ptr<MessageEnvelope> envelope = ReplyRegistry::Default().Find(request);
	if (envelope == nullptr)
		return B_BAD_REPLY;
	if (envelope->replyWanted && envelope->replied)
		return B_DUPLICATE_REPLY;
	status_t status = deliver_reply(*envelope, reply, replyTo, timeout);
	envelope->replied = true;
	BMessage::Private header(request);
	header.SetFlags(header.Flags() | MESSAGE_FLAG_REPLY_DONE);
	return status;
}

void
answer_unreplied(const BMessage*, const std::shared_ptr<MessageEnvelope>& envelope)
{
	if (envelope == nullptr || !envelope->replyWanted || envelope->replied)
		return;
	BMessage reply(B_NO_REPLY);
	deliver_reply(*envelope, &reply, BMessenger(), 0);
	envelope->replied = true;
}

} // namespace BPrivate
