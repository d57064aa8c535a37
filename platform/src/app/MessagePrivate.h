#ifndef _MESSAGE_PRIVATE_H
#define _MESSAGE_PRIVATE_H

#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include <Message.h>
#include <beapi/MessageFormats.h>

// Header flag bits of the native format.
enum {
	MESSAGE_FLAG_VALID = 0x0001,
	MESSAGE_FLAG_REPLY_REQUIRED = 0x0002,
	MESSAGE_FLAG_REPLY_DONE = 0x0004,
	MESSAGE_FLAG_IS_REPLY = 0x0008,
	MESSAGE_FLAG_WAS_DELIVERED = 0x0010,
	MESSAGE_FLAG_HAS_SPECIFIERS = 0x0020,
	MESSAGE_FLAG_WAS_DROPPED = 0x0040,
	// Body in a shared memory area: never written by us, refused when read.
	MESSAGE_FLAG_PASS_BY_AREA = 0x0080,
	MESSAGE_FLAG_REPLY_AS_KMESSAGE = 0x0100,
};

// Nested messages are converted or printed only this deep.
static const int kMaxMessageNesting = 32;

// One field: its items in the native layout, so that flattening copies them as they are.
// Fixed-size items are packed back to back; each variable-size item is a 32-bit length and
// that many bytes.
struct MessageField {
	std::string name;
	type_code type = 0;
	bool fixedSize = true;
	uint32 itemSize = 0;
	uint32 count = 0;
	std::vector<uint8> data;
	// Variable-size fields: where each item's length word starts in data.
	std::vector<uint32> offsets;

	const uint8* Item(uint32 index, uint32* size) const
	{
		if (fixedSize) {
			*size = itemSize;
			return data.data() + static_cast<size_t>(index) * itemSize;
		}
		uint32 length;
		memcpy(&length, data.data() + offsets[index], 4);
		*size = length;
		return data.data() + offsets[index] + 4;
	}
	void AppendItem(const void* bytes, uint32 size);
	void ReplaceItem(uint32 index, const void* bytes, uint32 size);
	void RemoveItem(uint32 index);
	bool NameIs(const char* other, size_t length) const
	{
		return name.size() == length && memcmp(name.data(), other, length) == 0;
	}
};

struct BMessage::Body {
	std::vector<MessageField> fields;
	uint32 flags = MESSAGE_FLAG_VALID;
	int32 target = -1;
	int32 currentSpecifier = -1;
	int32 replyPort = -1;
	int32 replyTarget = -1;
	int32 replyTeam = -1;

	MessageField* Find(const char* name);
	const MessageField* Find(const char* name) const;
	int32 IndexOf(const char* name) const;
	void ResetHeader();
};

// The kit's own view of a message: its fields and the header values of a received message.
class BMessage::Private {
public:
	explicit Private(BMessage* message) : fMessage(message) {}
	explicit Private(const BMessage* message) : fMessage(const_cast<BMessage*>(message)) {}

	BMessage::Body& GetBody() { return *fMessage->fBody; }
	uint32 Flags() const { return fMessage->fBody->flags; }
	void SetFlags(uint32 flags) { fMessage->fBody->flags = flags; }
	int32 Target() const { return fMessage->fBody->target; }
	void SetTarget(int32 token) { fMessage->fBody->target = token; }
	int32 ReplyPort() const { return fMessage->fBody->replyPort; }
	int32 ReplyTarget() const { return fMessage->fBody->replyTarget; }
	int32 ReplyTeam() const { return fMessage->fBody->replyTeam; }
	void SetReply(int32 team, int32 port, int32 token)
	{
		fMessage->fBody->replyTeam = team;
		fMessage->fBody->replyPort = port;
		fMessage->fBody->replyTarget = token;
	}
	// Empties the message and its header after a failed read.
	void Clear();

private:
	BMessage* fMessage;
};

// Little-endian and big-endian access to unaligned bytes.
uint16 read_u16(const uint8* p, bool big);
uint32 read_u32(const uint8* p, bool big);
void write_u16(uint8* p, uint16 value, bool big);
void write_u32(uint8* p, uint32 value, bool big);
void append_u32(std::vector<uint8>& out, uint32 value, bool big);

// Swaps the numbers inside item bytes of a known type between the two byte orders.
void swap_item_data(type_code type, uint8* data, size_t size);
// True for the types whose items the predecessor's newer format treats as fixed-size.
bool is_fixed_size_type(type_code type);

// Readers and writers of each format (MessageFlatten.cpp, MessageR5.cpp, MessageDano.cpp).
// Readers take a byte range, report the length of the one message they read in *used, and on
// failure return B_NOT_A_MESSAGE or B_BAD_VALUE.
size_t native_flattened_size(const BMessage& message);
void write_native(const BMessage& message, uint8* out);
status_t read_native(BMessage* message, const uint8* data, size_t size, size_t* used);
status_t write_r5(const BMessage& message, bool bigEndian, uint32 options, int depth,
				  std::vector<uint8>& out);
status_t read_r5(BMessage* message, const uint8* data, size_t size, size_t* used);
status_t write_dano(const BMessage& message, bool bigEndian, int depth, std::vector<uint8>& out);
status_t read_dano(BMessage* message, const uint8* data, size_t size, size_t* used);
// Adds one item read from bytes to the fields being built (index maps names to fields),
// creating the field on first use; swap turns the item's numbers to host order.
status_t append_read_item(std::vector<MessageField>& fields,
						  std::unordered_map<std::string, size_t>& index, const std::string& name,
						  type_code type, bool fixedSize, const uint8* item, uint32 size,
						  bool swap);
// The bytes of a nested message item, rewritten in the format of its container when they
// hold a readable message; otherwise as they are.
std::vector<uint8> convert_nested(const uint8* item, uint32 size, message_format format,
								  uint32 options, int depth);

// The readable text PrintToStream shows.
void print_message(std::string& out, const BMessage& message, int indent, int depth);

#endif
