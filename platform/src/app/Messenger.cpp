#include <Messenger.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include <unistd.h>

#include "Delivery.h"
#include "LooperPrivate.h"
#include "RosterRegistry.h"

using BPrivate::LooperAccess;
using BPrivate::TokenSpace;

BMessenger::BMessenger() : fPort(-1), fHandlerToken(B_NULL_TOKEN), fTeam(-1), fReserved{0, 0, 0} {}

BMessenger::BMessenger(const char* signature, team_id team, status_t* result) : BMessenger()
{
	status_t status = SetTo(signature, team);
	if (result != NULL)
		*result = status;
}

BMessenger::BMessenger(const BHandler* handler, const BLooper* looper, status_t* result)
	: BMessenger()
{
	status_t status = SetTo(handler, looper);
	if (result != NULL)
		*result = status;
}

BMessenger::BMessenger(const BMessenger& other)
	: fPort(other.fPort), fHandlerToken(other.fHandlerToken), fTeam(other.fTeam), fReserved{0, 0, 0}
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
	return fTeam == other.fTeam && fHandlerToken == other.fHandlerToken &&
		   (fTeam == getpid() || fPort == other.fPort);
}

bool
BMessenger::operator<(const BMessenger& other) const
{
	if (fTeam != other.fTeam)
		return fTeam < other.fTeam;
	if (fPort != other.fPort)
		return fPort < other.fPort;
	return fHandlerToken < other.fHandlerToken;
}

void
BMessenger::_SetTo(team_id team, port_id port, int32 token)
{
	fTeam = team;
	fPort = port;
	fHandlerToken = token;
}

status_t
BMessenger::SetTo(const char* signature, team_id team)
{
	_SetTo(-1, -1, B_NULL_TOKEN);
	if (signature == NULL && team < 0)
		return B_BAD_VALUE;
	BPrivate::RosterEntry entry;
	status_t status = BPrivate::RosterRegistry::Find(signature, team, &entry);
	if (status != B_OK)
		return status;
	_SetTo(entry.team, entry.port, B_PREFERRED_TOKEN);
	return B_OK;
}

status_t
BMessenger::SetTo(const BHandler* handler, const BLooper* looper)
{
	_SetTo(-1, -1, B_NULL_TOKEN);
	int32 token;
	if (handler != NULL) {
		BLooper* owner = handler->Looper();
		if (owner == NULL || (looper != NULL && looper != owner))
			return B_MISMATCHED_VALUES;
		token = LooperAccess::Token(handler);
	} else if (looper != NULL) {
		token = BPrivate::preferred_token_for(LooperAccess::Token(looper));
	} else {
		return B_BAD_VALUE;
	}
	_SetTo(getpid(), BPrivate::gApplicationPort.load(), token);
	return B_OK;
}

bool
BMessenger::IsTargetLocal() const
{
	return fTeam == getpid();
}

// The looper token a local messenger leads to.
static int32
looper_token(int32 token)
{
	if (token == B_PREFERRED_TOKEN)
		return BPrivate::gApplicationToken.load();
	if (BPrivate::is_preferred_token(token))
		return -token - 2;
	return token;
}

BHandler*
BMessenger::Target(BLooper** looper) const
{
	if (looper != NULL)
		*looper = NULL;
	if (!IsTargetLocal() || fHandlerToken == B_NULL_TOKEN)
		return NULL;
	BHandler* handler = NULL;
	BLooper* owner = NULL;
	if (!TokenSpace::Default().Lookup(looper_token(fHandlerToken), &handler, &owner, NULL) ||
		owner == NULL)
		return NULL;
	if (looper != NULL)
		*looper = owner;
	return BPrivate::is_preferred_token(fHandlerToken) ? NULL : handler;
}

bool
BMessenger::LockTarget() const
{
	return LockTargetWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t
BMessenger::LockTargetWithTimeout(bigtime_t timeout) const
{
	if (!IsTargetLocal() || fHandlerToken == B_NULL_TOKEN)
		return B_BAD_VALUE;
	int32 token = looper_token(fHandlerToken);
	BLooper* looper = NULL;
	std::shared_ptr<BPrivate::LooperLock> lock;
	if (!TokenSpace::Default().Lookup(token, NULL, &looper, &lock) || looper == NULL)
		return B_BAD_VALUE;
	status_t status = lock->Acquire(timeout);
	if (status != B_OK)
		return status;
	BLooper* now = NULL;
	if (!TokenSpace::Default().Lookup(token, NULL, &now, NULL) || now != looper) {
		lock->Release();
		return B_BAD_VALUE;
	}
	return B_OK;
}

bool
BMessenger::IsValid() const
{
	if (fHandlerToken == B_NULL_TOKEN)
		return false;
	if (IsTargetLocal()) {
		BLooper* looper = NULL;
		return TokenSpace::Default().Lookup(looper_token(fHandlerToken), NULL, &looper, NULL) &&
			   looper != NULL;
	}
	port_info info;
	return fPort >= 0 && get_port_info(fPort, &info) == B_OK;
}
