#include "Delivery.h"

#include <Looper.h>
#include <Message.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

#include "LooperPrivate.h"

namespace BPrivate {

std::atomic<int32> gApplicationToken{B_NULL_TOKEN};

namespace {

const uint32 kWireMagic = 'BEnv';
const uint32 kWirePreferred = 0x1;
const uint32 kWireReplyWanted = 0x2;
const uint32 kWireIsReply = 0x4;

struct WireHeader {
	uint32 magic;
	int32 token;
	uint32 flags;
	int32 replyPort;
	int32 replyToken;
	int32 replyTeam;
};

// The longest message a port carries.
const size_t kMaxWireSize = 1024 * 1024;

} // namespace

status_t
deliver_local(int32 token, const BMessage& message, std::shared_ptr<MessageEnvelope> envelope,
			  thread_id* looperThread)
{
	bool preferred = is_preferred_token(token);
	int32 looperToken = token;
	if (token == B_PREFERRED_TOKEN)
		looperToken = gApplicationToken.load();
	else if (preferred)
		looperToken = -token - 2;
	envelope->preferred = preferred;
	envelope->target = looperToken;
	return TokenSpace::Default().WithLooper(looperToken, [&](BHandler*, BLooper* looper) {
		if (looperThread != nullptr)
			*looperThread = looper->Thread();
		return LooperAccess::Post(looper, new BMessage(message), std::move(envelope));
	});
}

status_t
deliver_remote(port_id port, int32 token, const BMessage& message, const MessageEnvelope& envelope,
			   bigtime_t timeout)
{
	ssize_t size = message.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	if ((size_t)size + sizeof(WireHeader) > kMaxWireSize)
		return B_BAD_VALUE;
	std::vector<char> buffer(sizeof(WireHeader) + size);
	WireHeader header{};
	header.magic = kWireMagic;
	header.token = token;
	header.flags = (is_preferred_token(token) ? kWirePreferred : 0u) |
				   (envelope.replyWanted ? kWireReplyWanted : 0u) |
				   (envelope.isReply ? kWireIsReply : 0u);
	header.replyPort = envelope.replyPort;
	header.replyToken = envelope.replyToken;
	header.replyTeam = envelope.replyTeam;
	memcpy(buffer.data(), &header, sizeof(header));
	status_t status = message.Flatten(buffer.data() + sizeof(header), size);
	if (status != B_OK)
		return status;
	status = write_port_etc(port, kPortMessageCode, buffer.data(), buffer.size(),
							B_RELATIVE_TIMEOUT, timeout);
	return status < 0 ? status : B_OK;
}

status_t
decode_remote(const void* buffer, size_t size, int32* token, BMessage* message,
			  MessageEnvelope* envelope)
{
	if (size < sizeof(WireHeader))
		return B_BAD_DATA;
	WireHeader header;
	memcpy(&header, buffer, sizeof(header));
	if (header.magic != kWireMagic)
		return B_BAD_DATA;
	status_t status = message->Unflatten(static_cast<const char*>(buffer) + sizeof(header));
	if (status != B_OK)
		return status;
	*token = header.token;
	envelope->remote = true;
	envelope->replyWanted = (header.flags & kWireReplyWanted) != 0;
	envelope->isReply = (header.flags & kWireIsReply) != 0;
	envelope->replyPort = header.replyPort;
	envelope->replyToken = header.replyToken;
	envelope->replyTeam = header.replyTeam;
	return B_OK;
}

namespace {

struct ThreadReplyPort {
	port_id port = -1;

	~ThreadReplyPort()
	{
		if (port >= 0)
			delete_port(port);
	}
};

thread_local ThreadReplyPort sReplyPort;
std::atomic<int32> sReplySerial{1};
std::atomic<int32> sReplyPortCount{0};

} // namespace

port_id
reply_port_for_thread()
{
	if (sReplyPort.port < 0) {
		char name[B_OS_NAME_LENGTH];
		snprintf(name, sizeof(name), "reply %d.%d", (int)getpid(), (int)++sReplyPortCount);
		sReplyPort.port = create_port(16, name);
	}
	return sReplyPort.port;
}

int32
next_reply_serial()
{
	return sReplySerial.fetch_add(1);
}

status_t
write_reply(port_id port, int32 serial, const BMessage& reply)
{
	ssize_t size = reply.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	if ((size_t)size + sizeof(int32) > kMaxWireSize)
		return B_BAD_VALUE;
	std::vector<char> buffer(sizeof(int32) + size);
	memcpy(buffer.data(), &serial, sizeof(serial));
	status_t status = reply.Flatten(buffer.data() + sizeof(serial), size);
	if (status != B_OK)
		return status;
	// A sender that gave up long ago must not hold the replier up.
	status = write_port_etc(port, kReplyMessageCode, buffer.data(), buffer.size(),
							B_RELATIVE_TIMEOUT, 1000000);
	return status < 0 ? status : B_OK;
}

status_t
read_reply(port_id port, int32 serial, bigtime_t timeout, BMessage* reply)
{
	bigtime_t deadline =
		timeout == B_INFINITE_TIMEOUT ? B_INFINITE_TIMEOUT : system_time() + timeout;
	for (;;) {
		bigtime_t left = B_INFINITE_TIMEOUT;
		if (deadline != B_INFINITE_TIMEOUT) {
			left = deadline - system_time();
			if (left < 0)
				left = 0;
		}
		ssize_t size = port_buffer_size_etc(port, B_RELATIVE_TIMEOUT, left);
		if (size < 0)
			return size == B_WOULD_BLOCK ? B_TIMED_OUT : (status_t)size;
		std::vector<char> buffer(size > 0 ? size : 1);
		int32 code;
		ssize_t got = read_port_etc(port, &code, buffer.data(), size, B_RELATIVE_TIMEOUT, 0);
		if (got < 0)
			return (status_t)got;
		if (code != kReplyMessageCode || got < (ssize_t)sizeof(int32))
			continue;
		int32 got_serial;
		memcpy(&got_serial, buffer.data(), sizeof(got_serial));
		if (got_serial != serial)
			continue;
		return reply->Unflatten(buffer.data() + sizeof(int32));
	}
}

} // namespace BPrivate
