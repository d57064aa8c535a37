#ifndef JSON_MESSAGE_H
#define JSON_MESSAGE_H

#include "JsonString.h"

#include <string>

#include <Message.h>
#include <beapi/MessageFormats.h>

// Appends the message as one compact JSON object: its format, what, and fields in stored
// order with their values.
void append_json_message(std::string& out, const BMessage& message, message_format format);

#endif
