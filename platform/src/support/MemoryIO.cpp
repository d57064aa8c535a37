#include <DataIO.h>

#include <cstdio>
#include <cstring>

#include "SeekPosition.h"

BMemoryIO::BMemoryIO(void* data, size_t length)
	: fReadOnly(false), fBuffer(static_cast<char*>(data)), fLength(length), fBufferSize(length),
	  fPosition(0)
{}

BMemoryIO::BMemoryIO(const void* data, size_t length)
	: fReadOnly(true), fBuffer(static_cast<char*>(const_cast<void*>(data))), fLength(length),
	  fBufferSize(length), fPosition(0)
{}

BMemoryIO::~BMemoryIO() {}

ssize_t
BMemoryIO::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if (static_cast<size_t>(position) >= fLength)
		return 0;
	size_t n = min_c(size, fLength - static_cast<size_t>(position));
	memcpy(buffer, fBuffer + position, n);
	return static_cast<ssize_t>(n);
}

ssize_t
BMemoryIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if (static_cast<size_t>(position) >= fBufferSize)
		return 0;
	size_t n = min_c(size, fBufferSize - static_cast<size_t>(position));
	memcpy(fBuffer + position, buffer, n);
	if (static_cast<size_t>(position) + n > fLength)
		fLength = static_cast<size_t>(position) + n;
	return static_cast<ssize_t>(n);
}

off_t
BMemoryIO::Seek(off_t position, uint32 seekMode)
{
	off_t target =
		BPrivate::seek_position(fPosition, static_cast<off_t>(fLength), position, seekMode);
	if (target < 0)
		return target;
	fPosition = target;
	return fPosition;
}

off_t
BMemoryIO::Position() const
{
	return fPosition;
}

status_t
BMemoryIO::SetSize(off_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (size < 0 || static_cast<size_t>(size) > fBufferSize)
		return B_ERROR;
	fLength = static_cast<size_t>(size);
	return B_OK;
}
