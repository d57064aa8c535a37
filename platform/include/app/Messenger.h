#ifndef _MESSENGER_H
#define _MESSENGER_H

#include <SupportDefs.h>

// An address a message can be sent to: a handler of a looper, reached through the port of the
// application that owns it. Flattened into a message as the three numbers below followed by
// twelve reserved bytes; an invalid messenger holds -1 in all three.
class BMessenger {
public:
	BMessenger();
	BMessenger(const BMessenger& other);
	~BMessenger();

	BMessenger& operator=(const BMessenger& other);
	bool operator==(const BMessenger& other) const;
	bool operator!=(const BMessenger& other) const { return !(*this == other); }
	bool operator<(const BMessenger& other) const;

	bool IsValid() const;
	team_id Team() const { return fTeam; }

	// Access for the kit's own code (MessengerPrivate.h beside the implementation).
	class Private;

private:
	friend class Private;

	void _SetTo(team_id team, port_id port, int32 token);

	// The port of the application that owns the target handler.
	port_id fPort;
	// The handler's token within that application (B_NULL_TOKEN = -1 for none).
	int32 fHandlerToken;
	// The process of that application.
	team_id fTeam;
};

#endif
