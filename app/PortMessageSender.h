#ifndef ZORVY_PORT_MESSAGE_SENDER_H
#define ZORVY_PORT_MESSAGE_SENDER_H

#include <OS.h>

#include <string>

class BMessage;

// The input method's port, and the `what` of the record delivered to it.
inline constexpr char PORT_NAME_PREFERENCES[] = "ZorvyPreferencesPort";
inline constexpr uint32 MSG_PREFERENCES_CHANGED = '_prc';

// Writes flattened messages to a port found once, when the sender is made. Without a port every
// send is dropped at once; a port that went away later makes the writes fail, and that is all.
class TPortMessageSender {
public:
	explicit TPortMessageSender(const char* portName);
	~TPortMessageSender();

	status_t FindPort();
	status_t SendMessage(const BMessage& message);

private:
	port_id mPort;
	std::string mPortName;
};

extern TPortMessageSender* gPortMessageSender;

// Delivers the whole of gPrefs to the input method.
void send_preferences();

#endif
