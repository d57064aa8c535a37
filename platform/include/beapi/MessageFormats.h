#ifndef _MESSAGE_FORMATS_H
#define _MESSAGE_FORMATS_H

#include <DataIO.h>
#include <SupportDefs.h>

class BMessage;

// The byte formats a flattened message can have. BMessage::Flatten writes the native one; the
// older formats of the platform's predecessor are read everywhere and written on request.
enum message_format {
	B_MESSAGE_FORMAT_UNKNOWN = 0,
	B_MESSAGE_FORMAT_NATIVE,
	B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN,
	B_MESSAGE_FORMAT_R5_BIG_ENDIAN,
	B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN,
	B_MESSAGE_FORMAT_DANO_BIG_ENDIAN
};

// Options of flatten_message.
enum {
	// R5: always write four-byte counts and sizes, as later writers of that format do, instead
	// of the one-byte form for small fields.
	B_MESSAGE_R5_NO_MINI_DATA = 0x0001
};

// The format the bytes start with (at least 4 bytes), or B_MESSAGE_FORMAT_UNKNOWN.
message_format detect_message_format(const void* data, size_t size);
// "native", "r5-le", "r5-be", "dano-le", "dano-be", or "unknown".
const char* message_format_name(message_format format);

// Bytes the message takes in the format, or an error.
ssize_t flattened_message_size(const BMessage& message, message_format format, uint32 options = 0);
// Writes the message in the format; nested messages are written in the same format.
status_t flatten_message(const BMessage& message, message_format format, BDataIO* stream,
						 ssize_t* size = nullptr, uint32 options = 0);

// Reads the one message of any format at the start of size bytes. *used receives its length,
// so that messages stored back to back can be read one after the other. Bad bytes give
// B_NOT_A_MESSAGE or B_BAD_VALUE and leave the message empty.
status_t unflatten_message(BMessage* message, const void* data, size_t size, size_t* used = nullptr,
						   message_format* format = nullptr);
// Reads exactly one message of any format from the stream.
status_t unflatten_message(BMessage* message, BDataIO* stream, message_format* format = nullptr);

#endif
