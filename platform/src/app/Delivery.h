#ifndef _DELIVERY_H
#define _DELIVERY_H

// Moving a message to its looper: directly within this process, through the application's port
// to another process.

#include <OS.h>
#include <SupportDefs.h>

#include <atomic>
#include <memory>

class BMessage;

namespace BPrivate {

struct MessageEnvelope;

// Tokens below B_PREFERRED_TOKEN name "the preferred handler of the looper with token t".
inline int32
preferred_token_for(int32 looperToken)
{
	return -looperToken - 2;
}

inline bool
is_preferred_token(int32 token)
{
	return token <= -2;
}

// The token of the application looper, for B_PREFERRED_TOKEN arriving from other processes.
extern std::atomic<int32> gApplicationToken;

// Hands a copy of the message to the looper that serves the token in this process.
status_t deliver_local(int32 token, const BMessage& message,
					   std::shared_ptr<MessageEnvelope> envelope,
					   thread_id* looperThread = nullptr);

// Writes the message with its delivery details to another process's application port.
status_t deliver_remote(port_id port, int32 token, const BMessage& message,
						const MessageEnvelope& envelope, bigtime_t timeout);

// Reads back what deliver_remote wrote; the envelope comes back marked remote.
status_t decode_remote(const void* buffer, size_t size, int32* token, BMessage* message,
					   MessageEnvelope* envelope);

// The thread's own port for answers from other processes, and a fresh number for each request.
port_id reply_port_for_thread();
int32 next_reply_serial();

// Writes an answer to a waiting sender's reply port.
status_t write_reply(port_id port, int32 serial, const BMessage& reply);
// Waits on the thread's reply port for the answer with this serial.
status_t read_reply(port_id port, int32 serial, bigtime_t timeout, BMessage* reply);

} // namespace BPrivate

#endif
