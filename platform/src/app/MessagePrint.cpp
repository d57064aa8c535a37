// The readable form of a message that PrintToStream and the msgdump tool show.
#include <Message.h>

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "MessagePrivate.h"

namespace {

void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

void
appendf(std::string& out, const char* format, ...)
{
	char buffer[256];
	va_list args;
	va_start(args, format);
	int n = vsnprintf(buffer, sizeof(buffer), format, args);
	va_end(args);
	if (n > 0)
		out.append(buffer, min_c(static_cast<size_t>(n), sizeof(buffer) - 1));
}

bool
printable_code(uint32 code)
{
	for (int shift = 24; shift >= 0; shift -= 8) {
		uint32 c = (code >> shift) & 0xff;
		if (c < 0x20 || c > 0x7e)
			return false;
	}
	return true;
}

void
append_code(std::string& out, uint32 code)
{
	if (printable_code(code)) {
		out += '\'';
		for (int shift = 24; shift >= 0; shift -= 8)
			out += static_cast<char>((code >> shift) & 0xff);
		out += '\'';
	} else {
		appendf(out, "0x%08" PRIx32, code);
	}
}

void
append_quoted(std::string& out, const char* text, size_t length)
{
	out += '"';
	for (size_t i = 0; i < length; i++) {
		unsigned char c = static_cast<unsigned char>(text[i]);
		if (c == '"' || c == '\\') {
			out += '\\';
			out += static_cast<char>(c);
		} else if (c < 0x20 || c == 0x7f) {
			appendf(out, "\\x%02x", c);
		} else {
			out += static_cast<char>(c);
		}
	}
	out += '"';
}

void
append_hex(std::string& out, const uint8* data, uint32 size)
{
	const uint32 shown = min_c(size, 32u);
	appendf(out, "%" PRIu32 " bytes", size);
	if (shown > 0)
		out += ':';
	for (uint32 i = 0; i < shown; i++)
		appendf(out, " %02x", data[i]);
	if (shown < size)
		out += " ...";
}

template <typename T>
T
load(const uint8* data)
{
	T value;
	memcpy(&value, data, sizeof(T));
	return value;
}

void
append_item(std::string& out, const MessageField& field, const uint8* data, uint32 size, int indent,
			int depth)
{
	const type_code type = field.type;
	if (type == B_STRING_TYPE && size > 0 && memchr(data, 0, size) == data + size - 1) {
		append_quoted(out, reinterpret_cast<const char*>(data), size - 1);
		return;
	}
	if (type == B_MESSAGE_TYPE && depth + 1 < kMaxMessageNesting) {
		BMessage nested;
		size_t used = 0;
		if (unflatten_message(&nested, data, size, &used) == B_OK) {
			print_message(out, nested, indent, depth + 1);
			out.pop_back();
			return;
		}
	}
	switch (type) {
	case B_INT8_TYPE:
		if (size == 1)
			return appendf(out, "%d", load<int8>(data));
		break;
	case B_UINT8_TYPE:
		if (size == 1)
			return appendf(out, "%u", load<uint8>(data));
		break;
	case B_INT16_TYPE:
		if (size == 2)
			return appendf(out, "%d", load<int16>(data));
		break;
	case B_UINT16_TYPE:
		if (size == 2)
			return appendf(out, "%u", load<uint16>(data));
		break;
	case B_INT32_TYPE:
		if (size == 4)
			return appendf(out, "%" PRId32, load<int32>(data));
		break;
	case B_UINT32_TYPE:
		if (size == 4)
			return appendf(out, "%" PRIu32, load<uint32>(data));
		break;
	case B_INT64_TYPE:
		if (size == 8)
			return appendf(out, "%" PRId64, load<int64>(data));
		break;
	case B_UINT64_TYPE:
		if (size == 8)
			return appendf(out, "%" PRIu64, load<uint64>(data));
		break;
	case B_BOOL_TYPE:
		if (size == 1)
			return appendf(out, "%s", data[0] != 0 ? "true" : "false");
		break;
	case B_FLOAT_TYPE:
		if (size == 4)
			return appendf(out, "%g", static_cast<double>(load<float>(data)));
		break;
	case B_DOUBLE_TYPE:
		if (size == 8)
			return appendf(out, "%g", load<double>(data));
		break;
	case B_RECT_TYPE:
		if (size == 16) {
			return appendf(out, "BRect(l:%g, t:%g, r:%g, b:%g)",
						   static_cast<double>(load<float>(data)),
						   static_cast<double>(load<float>(data + 4)),
						   static_cast<double>(load<float>(data + 8)),
						   static_cast<double>(load<float>(data + 12)));
		}
		break;
	case B_POINT_TYPE:
		if (size == 8) {
			return appendf(out, "BPoint(x:%g, y:%g)", static_cast<double>(load<float>(data)),
						   static_cast<double>(load<float>(data + 4)));
		}
		break;
	case B_RGB_32_BIT_TYPE:
	case B_RGB_COLOR_TYPE:
		if (size == 4)
			return appendf(out, "rgb(%u, %u, %u, %u)", data[0], data[1], data[2], data[3]);
		break;
	case B_MESSENGER_TYPE:
		if (size >= 12) {
			return appendf(out, "BMessenger(port:%" PRId32 ", token:%" PRId32 ", team:%" PRId32 ")",
						   load<int32>(data), load<int32>(data + 4), load<int32>(data + 8));
		}
		break;
	case B_REF_TYPE:
		if (size >= 12) {
			appendf(out,
					"entry_ref(device:%" PRId32 ", directory:%" PRId64 ", name:", load<int32>(data),
					load<int64>(data + 4));
			if (size > 12)
				append_quoted(out, reinterpret_cast<const char*>(data + 12),
							  strnlen(reinterpret_cast<const char*>(data + 12), size - 12));
			else
				out += "none";
			out += ')';
			return;
		}
		break;
	default:
		break;
	}
	append_hex(out, data, size);
}

} // namespace

void
print_message(std::string& out, const BMessage& message, int indent, int depth)
{
	const BMessage::Body& body = BMessage::Private(&message).GetBody();
	out += "BMessage(";
	append_code(out, message.what);
	out += ") {\n";
	const std::string pad(static_cast<size_t>(indent + 1) * 4, ' ');
	for (const MessageField& field : body.fields) {
		out += pad;
		append_quoted(out, field.name.data(), field.name.size());
		out += ": ";
		append_code(out, field.type);
		if (field.count != 1)
			appendf(out, "[%" PRIu32 "]", field.count);
		out += " = ";
		for (uint32 i = 0; i < field.count; i++) {
			if (i > 0)
				out += ", ";
			uint32 size;
			const uint8* data = field.Item(i, &size);
			append_item(out, field, data, size, indent + 1, depth);
		}
		out += '\n';
	}
	out.append(static_cast<size_t>(indent) * 4, ' ');
	out += "}\n";
}
