#ifndef _MESSENGER_PRIVATE_H
#define _MESSENGER_PRIVATE_H

#include <Messenger.h>

// The kit's own view of a messenger's three numbers.
class BMessenger::Private {
public:
	explicit Private(BMessenger* messenger) : fMessenger(messenger) {}
	explicit Private(BMessenger& messenger) : fMessenger(&messenger) {}

	port_id Port() const { return fMessenger->fPort; }
	int32 Token() const { return fMessenger->fHandlerToken; }
	team_id Team() const { return fMessenger->fTeam; }
	void SetTo(team_id team, port_id port, int32 token) { fMessenger->_SetTo(team, port, token); }

private:
	BMessenger* fMessenger;
};

#endif
