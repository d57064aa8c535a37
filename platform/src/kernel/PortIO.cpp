// Writing and reading port messages.

#include "PortPrivate.h"
#include "ThreadPrivate.h"

#include <cstring>
#include <fcntl.h>

namespace BPrivate {

namespace {

constexpr uint64 kMiB = 1024 * 1024;
// Data pages below this stay with the port while it is empty; the rest go back to the system.
constexpr uint64 kKeptData = 256 * 1024;
constexpr uint64 kCountMask = 0xffffffff;

uint64
round_up(uint64 value, uint64 unit)
{
	return (value + unit - 1) / unit * unit;
}

uint64
round_down(uint64 value, uint64 unit)
{
	return value / unit * unit;
}

struct QueueState {
	uint32 head;
	uint32 count;
};

QueueState
queue_state(const PortHeader& header)
{
	uint64 word = header.queue.load();
	return QueueState{uint32(word >> 32), uint32(word & kCountMask)};
}

void
commit(PortHeader& header, uint32 head, uint32 count)
{
	header.queue.store((uint64(head) << 32) | count);
}

bool
sane_state(const PortMapping& port, QueueState state)
{
	return state.head < uint32(port.capacity) && state.count <= uint32(port.capacity);
}

bool
sane_slot(const PortMapping& port, const PortSlot& slot)
{
	return slot.size <= kMaxPortMessage && slot.offset <= port.dataSize &&
		   slot.size <= port.dataSize - slot.offset;
}

const PortSlot&
slot_at(const PortMapping& port, uint32 index)
{
	return port.header->Slots()[index % uint32(port.capacity)];
}

// The end of what was written into the data area, as far as the data area reaches.
uint64
touched_end(const PortMapping& port)
{
	uint64 end = port.header->touchedEnd;
	return end < port.dataSize ? end : port.dataSize;
}

// The queue as read from the shared memory, or, when something wrote nonsense into it (a head
// or count beyond the capacity, or, for a writer, which places after the last message and
// before the first, an end message that lies outside the data area), an empty queue: what was
// queued is lost, but nothing outside the port is ever followed.
QueueState
checked_state(PortMapping& port, bool writing)
{
	PortHeader& header = *port.header;
	QueueState state = queue_state(header);
	bool sane = sane_state(port, state);
	if (sane && writing && state.count > 0) {
		sane = sane_slot(port, slot_at(port, state.head)) &&
			   sane_slot(port, slot_at(port, state.head + state.count - 1));
	}
	if (sane)
		return state;
	commit(header, 0, 0);
	header.takenSequence.fetch_add(1);
	wake_word(&header.takenSequence);
	return QueueState{0, 0};
}

// Where a message of `size` bytes goes in the data ring, if anywhere. Messages are laid out in
// queue order; the ring wraps to the start once the oldest message lies beyond (capacity + 1)
// MiB, which with a data area of (2 capacity + 2) MiB always leaves room for a message of 1 MiB
// while fewer than `capacity` messages are queued. An emptied queue starts again at 0.
bool
place(const PortMapping& port, QueueState state, uint64 size, uint64* offset)
{
	if (state.count == 0) {
		*offset = 0;
		return size <= port.dataSize;
	}
	const PortSlot& first = slot_at(port, state.head);
	const PortSlot& last = slot_at(port, state.head + state.count - 1);
	uint64 tail = round_up(last.offset + last.size, 8);
	if (last.offset < first.offset) {
		// Wrapped: strictly below the oldest message, so that the order stays readable.
		*offset = tail;
		return tail + size < first.offset;
	}
	if (first.offset >= (uint64(port.capacity) + 1) * kMiB) {
		*offset = 0;
		return true;
	}
	*offset = tail;
	return tail + size <= port.dataSize;
}

void
hand_back(PortMapping& port, uint64 from, uint64 to)
{
	from = round_up(from, B_PAGE_SIZE);
	to = round_down(to < port.dataSize ? to : port.dataSize, B_PAGE_SIZE);
	if (to <= from)
		return;
	fallocate(port.fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, off_t(port.dataOffset + from),
			  off_t(to - from));
}

// After the message at `taken` was read: gives the pages nobody needs any more back to the
// system, whole mebibytes at a time while messages remain, everything past kKeptData once the
// queue is empty.
void
release_pages(PortMapping& port, const PortSlot& taken, QueueState after)
{
	PortHeader& header = *port.header;
	if (after.count == 0) {
		uint64 end = touched_end(port);
		if (end > kKeptData) {
			hand_back(port, kKeptData, end);
			header.touchedEnd = kKeptData;
		}
		return;
	}
	const PortSlot first = slot_at(port, after.head);
	const PortSlot last = slot_at(port, after.head + after.count - 1);
	if (!sane_slot(port, first) || !sane_slot(port, last))
		return;
	bool wrapped = last.offset < first.offset;
	uint64 from = round_down(taken.offset, kMiB);
	if (first.offset > taken.offset) {
		uint64 liveBelow = wrapped ? last.offset + last.size : 0;
		hand_back(port, from > liveBelow ? from : liveBelow, round_down(first.offset, kMiB));
	} else if (first.offset < taken.offset && !wrapped) {
		// The reader went round: all from the taken message to the top is free.
		uint64 liveEnd = last.offset + last.size;
		hand_back(port, from > liveEnd ? from : liveEnd, touched_end(port));
	}
}

bool
would_block_at_once(uint32 flags, bigtime_t timeout)
{
	return (flags & B_RELATIVE_TIMEOUT) != 0 && timeout <= 0;
}

// Reads or looks at the oldest message, waiting for one as the flags allow. A message whose
// slot lies outside the data area is dropped and the next one taken.
ssize_t
take_message(port_id id, int32* code, void* buffer, size_t bufferSize, uint32 flags,
			 bigtime_t timeout, bool remove)
{
	if (bufferSize > 0 && buffer == nullptr)
		return B_BAD_VALUE;
	std::shared_ptr<PortMapping> port = port_mapping(id);
	if (!port)
		return B_BAD_PORT_ID;
	PortHeader& header = *port->header;
	bigtime_t deadline = deadline_for(flags, timeout);
	for (;;) {
		if (check_port(*port) != B_OK)
			return B_BAD_PORT_ID;
		uint32 seen;
		{
			PortLocker locker(*port);
			if (!locker.IsLocked() || is_deleted(*port))
				return B_BAD_PORT_ID;
			seen = header.queuedSequence.load();
			QueueState state = checked_state(*port, false);
			if (state.count > 0) {
				PortSlot slot = slot_at(*port, state.head);
				QueueState after{(state.head + 1) % uint32(port->capacity), state.count - 1};
				if (!sane_slot(*port, slot)) {
					commit(header, after.head, after.count);
					continue;
				}
				if (!remove)
					return ssize_t(slot.size);
				size_t copied = bufferSize < slot.size ? bufferSize : slot.size;
				if (copied > 0)
					memcpy(buffer, port->Data() + slot.offset, copied);
				if (code != nullptr)
					*code = slot.code;
				commit(header, after.head, after.count);
				header.totalRead.fetch_add(1);
				release_pages(*port, slot, after);
				header.takenSequence.fetch_add(1);
				wake_word(&header.takenSequence);
				return ssize_t(copied);
			}
		}
		if (would_block_at_once(flags, timeout))
			return B_WOULD_BLOCK;
		if (wait_on_word(&header.queuedSequence, seen, deadline, B_THREAD_RECEIVING) == B_TIMED_OUT)
			return B_TIMED_OUT;
	}
}

} // namespace

} // namespace BPrivate

using namespace BPrivate;

status_t
write_port_etc(port_id id, int32 code, const void* buffer, size_t bufferSize, uint32 flags,
			   bigtime_t timeout)
{
	if (bufferSize > kMaxPortMessage || (bufferSize > 0 && buffer == nullptr))
		return B_BAD_VALUE;
	std::shared_ptr<PortMapping> port = port_mapping(id);
	if (!port)
		return B_BAD_PORT_ID;
	PortHeader& header = *port->header;
	bigtime_t deadline = deadline_for(flags, timeout);
	for (;;) {
		if (check_port(*port) != B_OK)
			return B_BAD_PORT_ID;
		uint32 seen;
		{
			PortLocker locker(*port);
			if (!locker.IsLocked() || is_deleted(*port))
				return B_BAD_PORT_ID;
			seen = header.takenSequence.load();
			QueueState state = checked_state(*port, true);
			uint64 offset = 0;
			if (state.count < uint32(port->capacity) && place(*port, state, bufferSize, &offset) &&
				offset <= port->dataSize && bufferSize <= port->dataSize - offset) {
				if (bufferSize > 0)
					memcpy(port->Data() + offset, buffer, bufferSize);
				uint32 index = (state.head + state.count) % uint32(port->capacity);
				header.Slots()[index] = PortSlot{offset, uint32(bufferSize), code};
				if (offset + bufferSize > touched_end(*port))
					header.touchedEnd = offset + bufferSize;
				commit(header, state.head, state.count + 1);
				header.queuedSequence.fetch_add(1);
				wake_word(&header.queuedSequence);
				return B_OK;
			}
		}
		if (would_block_at_once(flags, timeout))
			return B_WOULD_BLOCK;
		if (wait_on_word(&header.takenSequence, seen, deadline, B_THREAD_WAITING) == B_TIMED_OUT)
			return B_TIMED_OUT;
	}
}

status_t
write_port(port_id id, int32 code, const void* buffer, size_t bufferSize)
{
	return write_port_etc(id, code, buffer, bufferSize, 0, 0);
}

ssize_t
read_port_etc(port_id id, int32* code, void* buffer, size_t bufferSize, uint32 flags,
			  bigtime_t timeout)
{
	return take_message(id, code, buffer, bufferSize, flags, timeout, true);
}

ssize_t
read_port(port_id id, int32* code, void* buffer, size_t bufferSize)
{
	return take_message(id, code, buffer, bufferSize, 0, 0, true);
}

ssize_t
port_buffer_size_etc(port_id id, uint32 flags, bigtime_t timeout)
{
	return take_message(id, nullptr, nullptr, 0, flags, timeout, false);
}

ssize_t
port_buffer_size(port_id id)
{
	return port_buffer_size_etc(id, 0, 0);
}
