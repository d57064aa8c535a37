#include <DataIO.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "SeekPosition.h"

BMallocIO::BMallocIO() : fBlockSize(256), fMallocSize(0), fLength(0), fData(nullptr), fPosition(0)
{}

BMallocIO::~BMallocIO()
{
	free(fData);
}

ssize_t
BMallocIO::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if (static_cast<size_t>(position) >= fLength)
		return 0;
	size_t n = min_c(size, fLength - static_cast<size_t>(position));
	memcpy(buffer, fData + position, n);
	return static_cast<ssize_t>(n);
}

ssize_t
BMallocIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if (size == 0)
		return 0;
	size_t end = static_cast<size_t>(position) + size;
	if (end < size)
		return B_BAD_VALUE;
	if (end > fLength) {
		status_t status = Reserve(end);
		if (status != B_OK)
			return status;
		// A gap left by writing past the end reads as zeros.
		if (static_cast<size_t>(position) > fLength)
			memset(fData + fLength, 0, static_cast<size_t>(position) - fLength);
		fLength = end;
	}
	memcpy(fData + position, buffer, size);
	return static_cast<ssize_t>(size);
}

off_t
BMallocIO::Seek(off_t position, uint32 seekMode)
{
	off_t target =
		BPrivate::seek_position(fPosition, static_cast<off_t>(fLength), position, seekMode);
	if (target < 0)
		return target;
	fPosition = target;
	return fPosition;
}

off_t
BMallocIO::Position() const
{
	return fPosition;
}

status_t
BMallocIO::SetSize(off_t size)
{
	if (size < 0)
		return B_BAD_VALUE;
	if (size == 0) {
		free(fData);
		fData = nullptr;
		fMallocSize = 0;
		fLength = 0;
		return B_OK;
	}
	status_t status = Reserve(static_cast<size_t>(size));
	if (status != B_OK)
		return status;
	if (static_cast<size_t>(size) > fLength)
		memset(fData + fLength, 0, static_cast<size_t>(size) - fLength);
	fLength = static_cast<size_t>(size);
	return B_OK;
}

status_t
BMallocIO::Reserve(size_t size)
{
	if (size <= fMallocSize)
		return B_OK;
	// Grow at least geometrically so that many small writes stay linear.
	size_t wanted = max_c(size, fMallocSize + fMallocSize / 2);
	wanted = (wanted + fBlockSize - 1) / fBlockSize * fBlockSize;
	char* data = static_cast<char*>(realloc(fData, wanted));
	if (data == nullptr)
		return B_NO_MEMORY;
	fData = data;
	fMallocSize = wanted;
	return B_OK;
}
