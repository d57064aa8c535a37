#include <Messenger.h>

BMessenger::BMessenger() : fPort(-1), fHandlerToken(-1), fTeam(-1) {}

BMessenger::BMessenger(const BMessenger& other)
	: fPort(other.fPort), fHandlerToken(other.fHandlerToken), fTeam(other.fTeam)
{}

BMessenger::~BMessenger() {}

BMessenger&
BMessenger::operator=(const BMessenger& other)
{
	fPort = other.fPort;
	fHandlerToken = other.fHandlerToken;
	fTeam = other.fTeam;
	return *this;
}

bool
BMessenger::operator==(const BMessenger& other) const
{
	return fPort == other.fPort && fHandlerToken == other.fHandlerToken;
}

bool
BMessenger::operator<(const BMessenger& other) const
{
	if (fPort != other.fPort)
		return fPort < other.fPort;
	return fHandlerToken < other.fHandlerToken;
}

bool
BMessenger::IsValid() const
{
	return fPort >= 0;
}

void
BMessenger::_SetTo(team_id team, port_id port, int32 token)
{
	fTeam = team;
	fPort = port;
	fHandlerToken = token;
}
