// Byte-order helpers shared by the readers and writers of every format.
#include "MessagePrivate.h"

uint16
read_u16(const uint8* p, bool big)
{
	return big ? static_cast<uint16>(p[0] << 8 | p[1]) : static_cast<uint16>(p[1] << 8 | p[0]);
}

uint32
read_u32(const uint8* p, bool big)
{
	if (big)
		return uint32(p[0]) << 24 | uint32(p[1]) << 16 | uint32(p[2]) << 8 | uint32(p[3]);
	return uint32(p[3]) << 24 | uint32(p[2]) << 16 | uint32(p[1]) << 8 | uint32(p[0]);
}

void
write_u16(uint8* p, uint16 value, bool big)
{
	p[big ? 0 : 1] = static_cast<uint8>(value >> 8);
	p[big ? 1 : 0] = static_cast<uint8>(value);
}

void
write_u32(uint8* p, uint32 value, bool big)
{
	for (int i = 0; i < 4; i++)
		p[big ? 3 - i : i] = static_cast<uint8>(value >> (8 * i));
}

void
append_u32(std::vector<uint8>& out, uint32 value, bool big)
{
	uint8 bytes[4];
	write_u32(bytes, value, big);
	out.insert(out.end(), bytes, bytes + 4);
}

namespace {

void
swap_words(uint8* data, size_t size, size_t width)
{
	for (size_t at = 0; at + width <= size; at += width) {
		for (size_t i = 0; i < width / 2; i++) {
			uint8 t = data[at + i];
			data[at + i] = data[at + width - 1 - i];
			data[at + width - 1 - i] = t;
		}
	}
}

} // namespace

void
swap_item_data(type_code type, uint8* data, size_t size)
{
	switch (type) {
	case B_INT16_TYPE:
	case B_UINT16_TYPE:
		swap_words(data, size, 2);
		break;
	case B_INT32_TYPE:
	case B_UINT32_TYPE:
	case B_FLOAT_TYPE:
	case B_RECT_TYPE:
	case B_POINT_TYPE:
	case B_SIZE_TYPE:
	case B_ALIGNMENT_TYPE:
	case B_SIZE_T_TYPE:
	case B_SSIZE_T_TYPE:
	case B_TIME_TYPE:
		swap_words(data, size, 4);
		break;
	case B_INT64_TYPE:
	case B_UINT64_TYPE:
	case B_DOUBLE_TYPE:
	case B_OFF_T_TYPE:
		swap_words(data, size, 8);
		break;
	case B_POINTER_TYPE:
		swap_words(data, size, size == 8 ? 8 : 4);
		break;
	case B_MESSENGER_TYPE:
		// Only the three numbers; the reserved bytes have no order.
		swap_words(data, min_c(size, static_cast<size_t>(12)), 4);
		break;
	case B_REF_TYPE:
	case B_NODE_REF_TYPE:
		if (size >= 12) {
			swap_words(data, 4, 4);
			swap_words(data + 4, 8, 8);
		}
		break;
	default:
		// Bytes, strings, nested messages (which carry their own byte order) and unknown types.
		break;
	}
}

bool
is_fixed_size_type(type_code type)
{
	switch (type) {
	case B_RECT_TYPE:
	case B_POINT_TYPE:
	case B_INT8_TYPE:
	case B_INT16_TYPE:
	case B_INT32_TYPE:
	case B_INT64_TYPE:
	case B_BOOL_TYPE:
	case B_FLOAT_TYPE:
	case B_DOUBLE_TYPE:
	case B_POINTER_TYPE:
	case B_MESSENGER_TYPE:
		return true;
	default:
		return false;
	}
}
