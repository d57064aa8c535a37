#include <DataIO.h>

#include <cstdio>

BDataIO::BDataIO() {}

BDataIO::~BDataIO() {}

ssize_t
BDataIO::Read(void*, size_t)
{
	return B_NOT_SUPPORTED;
}

ssize_t
BDataIO::Write(const void*, size_t)
{
	return B_NOT_SUPPORTED;
}

status_t
BDataIO::Flush()
{
	return B_OK;
}

status_t
BDataIO::ReadExactly(void* buffer, size_t size, size_t* _bytesRead)
{
	char* out = static_cast<char*>(buffer);
	size_t total = 0;
	status_t status = B_OK;
	while (total < size) {
		ssize_t n = Read(out + total, size - total);
		if (n < 0) {
			status = static_cast<status_t>(n);
			break;
		}
		if (n == 0) {
			status = B_PARTIAL_READ;
			break;
		}
		total += static_cast<size_t>(n);
	}
	if (_bytesRead != nullptr)
		*_bytesRead = total;
	return status;
}

status_t
BDataIO::WriteExactly(const void* buffer, size_t size, size_t* _bytesWritten)
{
	const char* in = static_cast<const char*>(buffer);
	size_t total = 0;
	status_t status = B_OK;
	while (total < size) {
		ssize_t n = Write(in + total, size - total);
		if (n < 0) {
			status = static_cast<status_t>(n);
			break;
		}
		if (n == 0) {
			status = B_PARTIAL_WRITE;
			break;
		}
		total += static_cast<size_t>(n);
	}
	if (_bytesWritten != nullptr)
		*_bytesWritten = total;
	return status;
}

BPositionIO::BPositionIO() {}

BPositionIO::~BPositionIO() {}

ssize_t
BPositionIO::Read(void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t n = ReadAt(position, buffer, size);
	if (n > 0)
		Seek(position + n, SEEK_SET);
	return n;
}

ssize_t
BPositionIO::Write(const void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t n = WriteAt(position, buffer, size);
	if (n > 0)
		Seek(position + n, SEEK_SET);
	return n;
}

status_t
BPositionIO::ReadAtExactly(off_t position, void* buffer, size_t size, size_t* _bytesRead)
{
	char* out = static_cast<char*>(buffer);
	size_t total = 0;
	status_t status = B_OK;
	while (total < size) {
		ssize_t n = ReadAt(position + static_cast<off_t>(total), out + total, size - total);
		if (n <= 0) {
			status = n < 0 ? static_cast<status_t>(n) : B_PARTIAL_READ;
			break;
		}
		total += static_cast<size_t>(n);
	}
	if (_bytesRead != nullptr)
		*_bytesRead = total;
	return status;
}

status_t
BPositionIO::WriteAtExactly(off_t position, const void* buffer, size_t size, size_t* _bytesWritten)
{
	const char* in = static_cast<const char*>(buffer);
	size_t total = 0;
	status_t status = B_OK;
	while (total < size) {
		ssize_t n = WriteAt(position + static_cast<off_t>(total), in + total, size - total);
		if (n <= 0) {
			status = n < 0 ? static_cast<status_t>(n) : B_PARTIAL_WRITE;
			break;
		}
		total += static_cast<size_t>(n);
	}
	if (_bytesWritten != nullptr)
		*_bytesWritten = total;
	return status;
}

status_t
BPositionIO::SetSize(off_t)
{
	return B_ERROR;
}

status_t
BPositionIO::GetSize(off_t* size) const
{
	if (size == nullptr)
		return B_BAD_VALUE;
	// Seek is not const, but measuring the end and going back leaves the object as it was.
	BPositionIO* self = const_cast<BPositionIO*>(this);
	off_t current = self->Position();
	if (current < 0)
		return static_cast<status_t>(current);
	off_t end = self->Seek(0, SEEK_END);
	if (end < 0)
		return static_cast<status_t>(end);
	self->Seek(current, SEEK_SET);
	*size = end;
	return B_OK;
}
