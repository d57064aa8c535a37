#include <app/PortMessageSender.h>

#include <app/Prefs.h>

#include <DataIO.h>
#include <Message.h>

TPortMessageSender* gPortMessageSender = NULL;

TPortMessageSender::TPortMessageSender(const char* portName)
	: mPort(B_NAME_NOT_FOUND), mPortName(portName != NULL ? portName : "")
{
	FindPort();
}

TPortMessageSender::~TPortMessageSender() {}

status_t
TPortMessageSender::FindPort()
{
	mPort = find_port(mPortName.c_str());
	return mPort < 0 ? mPort : B_OK;
}

status_t
TPortMessageSender::SendMessage(const BMessage& message)
{
	if (mPort < 0)
		return mPort;
	BMallocIO bytes;
	status_t status = message.Flatten(&bytes);
	if (status != B_OK)
		return status;
	return write_port(mPort, 0, bytes.Buffer(), bytes.BufferLength());
}

void
send_preferences()
{
	if (gPortMessageSender == NULL)
		return;
	BMessage message(MSG_PREFERENCES_CHANGED);
	gPrefs.Archive(&message, true);
	gPortMessageSender->SendMessage(message);
}
