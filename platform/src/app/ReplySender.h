#ifndef _REPLY_SENDER_H
#define _REPLY_SENDER_H

// Answers to messages whose sender waits, or named a handler for the reply.

#include <Messenger.h>
#include <SupportDefs.h>

#include <memory>

class BMessage;

namespace BPrivate {

struct MessageEnvelope;

bool is_source_waiting(const BMessage* request);
// The sender waits, or named where an answer goes, and has had none yet.
bool expects_reply(const BMessage* request);
bool is_source_remote(const BMessage* request);
BMessenger return_address(const BMessage* request);

// Sends a copy of the reply to where the request's sender asked for it.
status_t send_reply(const BMessage* request, BMessage* reply, BMessenger replyTo = BMessenger(),
					bigtime_t timeout = B_INFINITE_TIMEOUT);

// A request that ends without an answer tells its waiting sender so.
void answer_unreplied(const BMessage* request, const std::shared_ptr<MessageEnvelope>& envelope);

} // namespace BPrivate

#endif
