#include "JsonMessage.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

const int kMaxDepth = 32;

void
append_hex_object(std::string& out, const uint8* data, size_t size)
{
	static const char kDigits[] = "0123456789abcdef";
	out += "{\"hex\": \"";
	for (size_t i = 0; i < size; i++) {
		out += kDigits[data[i] >> 4];
		out += kDigits[data[i] & 0xF];
	}
	out += "\"}";
}

template <typename T>
T
load(const uint8* data)
{
	T value;
	memcpy(&value, data, sizeof(T));
	return value;
}

template <typename T>
void
append_number(std::string& out, T value)
{
	if (std::isnan(value)) {
		out += "\"NaN\"";
		return;
	}
	if (std::isinf(value)) {
		out += value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
		return;
	}
	// The shortest decimal that reads back as exactly this value.
	char buffer[64];
	auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
	out.append(buffer, result.ptr);
}

template <typename T>
void
append_integer(std::string& out, T value)
{
	char buffer[32];
	auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
	out.append(buffer, result.ptr);
}

void
append_floats(std::string& out, const uint8* data, size_t count)
{
	out += '[';
	for (size_t i = 0; i < count; i++) {
		if (i > 0)
			out += ", ";
		append_number(out, load<float>(data + 4 * i));
	}
	out += ']';
}

void append_message(std::string& out, const BMessage& message, message_format format, int depth);

void
append_value(std::string& out, type_code type, const uint8* data, uint32 size, int depth)
{
	switch (type) {
	case B_INT8_TYPE:
		if (size == 1)
			return append_integer(out, load<int8>(data));
		break;
	case B_UINT8_TYPE:
		if (size == 1)
			return append_integer(out, load<uint8>(data));
		break;
	case B_INT16_TYPE:
		if (size == 2)
			return append_integer(out, load<int16>(data));
		break;
	case B_UINT16_TYPE:
		if (size == 2)
			return append_integer(out, load<uint16>(data));
		break;
	case B_INT32_TYPE:
		if (size == 4)
			return append_integer(out, load<int32>(data));
		break;
	case B_UINT32_TYPE:
		if (size == 4)
			return append_integer(out, load<uint32>(data));
		break;
	case B_INT64_TYPE:
		if (size == 8)
			return append_integer(out, load<int64>(data));
		break;
	case B_UINT64_TYPE:
		if (size == 8)
			return append_integer(out, load<uint64>(data));
		break;
	case B_BOOL_TYPE:
		if (size == 1) {
			out += data[0] != 0 ? "true" : "false";
			return;
		}
		break;
	case B_FLOAT_TYPE:
		if (size == 4)
			return append_number(out, load<float>(data));
		break;
	case B_DOUBLE_TYPE:
		if (size == 8)
			return append_number(out, load<double>(data));
		break;
	case B_STRING_TYPE:
		if (size > 0 && memchr(data, 0, size) == data + size - 1 && json_valid_utf8(data, size - 1))
			return append_json_string(
				out, std::string_view(reinterpret_cast<const char*>(data), size - 1));
		break;
	case B_RECT_TYPE:
		if (size == 16)
			return append_floats(out, data, 4);
		break;
	case B_POINT_TYPE:
		if (size == 8)
			return append_floats(out, data, 2);
		break;
	case B_MESSAGE_TYPE:
		if (depth + 1 < kMaxDepth) {
			BMessage nested;
			size_t used = 0;
			message_format format;
			if (unflatten_message(&nested, data, size, &used, &format) == B_OK)
				return append_message(out, nested, format, depth + 1);
		}
		break;
	default:
		break;
	}
	append_hex_object(out, data, size);
}

void
append_type(std::string& out, type_code type)
{
	char text[16];
	bool printable = true;
	for (int i = 0; i < 4; i++) {
		text[i] = static_cast<char>((type >> (24 - 8 * i)) & 0xFF);
		printable = printable && text[i] >= 0x20 && text[i] <= 0x7E;
	}
	if (printable)
		return append_json_string(out, std::string_view(text, 4));
	snprintf(text, sizeof(text), "0x%08" PRIX32, type);
	append_json_string(out, text);
}

void
append_message(std::string& out, const BMessage& message, message_format format, int depth)
{
	out += "{\"format\": ";
	const char* name = message_format_name(format);
	append_json_string(out, name);
	out += ", \"what\": ";
	append_integer(out, message.what);
	out += ", \"fields\": [";
	char* fieldName;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &fieldName, &type, &count) == B_OK; i++) {
		if (i > 0)
			out += ", ";
		out += "{\"name\": ";
		append_json_string(out, fieldName);
		out += ", \"type\": ";
		append_type(out, type);
		out += ", \"values\": [";
		for (int32 j = 0; j < count; j++) {
			const void* data;
			ssize_t size;
			if (j > 0)
				out += ", ";
			if (message.FindData(fieldName, type, j, &data, &size) == B_OK)
				append_value(out, type, static_cast<const uint8*>(data), static_cast<uint32>(size),
							 depth);
		}
		out += "]}";
	}
	out += "]}";
}

} // namespace

void
append_json_message(std::string& out, const BMessage& message, message_format format)
{
	append_message(out, message, format, 0);
}
