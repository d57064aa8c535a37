#ifndef _MESSENGER_H
#define _MESSENGER_H

#include <OS.h>
#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;

// Names a handler: in this process by its token, in another process through the port of the
// application that owns it. Flattened it is three int32 (port, handler token, team) and twelve
// reserved bytes.
class BMessenger {
public:
	BMessenger();
	BMessenger(const char* signature, team_id team = -1, status_t* result = NULL);
	BMessenger(const BHandler* handler, const BLooper* looper = NULL, status_t* result = NULL);
	BMessenger(const BMessenger& other);
	~BMessenger();

	BMessenger& operator=(const BMessenger& other);
	bool operator==(const BMessenger& other) const;
	bool operator!=(const BMessenger& other) const { return !(*this == other); }

	bool IsTargetLocal() const;
	BHandler* Target(BLooper** looper) const;
	bool LockTarget() const;
	status_t LockTargetWithTimeout(bigtime_t timeout) const;

	status_t SendMessage(uint32 command, BHandler* replyTo = NULL) const;
	status_t SendMessage(BMessage* message, BHandler* replyTo = NULL,
						 bigtime_t timeout = B_INFINITE_TIMEOUT) const;
	status_t SendMessage(BMessage* message, BMessenger replyTo,
						 bigtime_t timeout = B_INFINITE_TIMEOUT) const;
	status_t SendMessage(uint32 command, BMessage* reply) const;
	status_t SendMessage(BMessage* message, BMessage* reply,
						 bigtime_t deliveryTimeout = B_INFINITE_TIMEOUT,
						 bigtime_t replyTimeout = B_INFINITE_TIMEOUT) const;

	status_t SetTo(const char* signature, team_id team = -1);
	status_t SetTo(const BHandler* handler, const BLooper* looper = NULL);

	bool IsValid() const;
	team_id Team() const { return fTeam; }

	bool operator<(const BMessenger& other) const;

	// Access for the kit's own code (MessengerPrivate.h beside the implementation).
	class Private;

private:
	friend class Private;

	void _SetTo(team_id team, port_id port, int32 token);
	status_t _Send(BMessage* message, port_id replyPort, int32 replyToken, team_id replyTeam,
				   bigtime_t timeout) const;
	status_t _SendAndWait(BMessage* message, BMessage* reply, bigtime_t deliveryTimeout,
						  bigtime_t replyTimeout) const;

	// The port of the application that owns the target handler.
	port_id fPort;
	// The handler's token within that application (B_NULL_TOKEN = -1 for none).
	int32 fHandlerToken;
	// The process of that application.
	team_id fTeam;
	// Zeros, so that a messenger copied as raw bytes has the size and layout of its flattened
	// form.
	int32 fReserved[3];
};

#endif
