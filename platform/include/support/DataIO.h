#ifndef _DATA_IO_H
#define _DATA_IO_H

#include <SupportDefs.h>

// A stream of bytes that can be read from and/or written to.
class BDataIO {
public:
	BDataIO();
	virtual ~BDataIO();

	// Return the number of bytes moved (0 at the end of the data) or an error.
	virtual ssize_t Read(void* buffer, size_t size);
	virtual ssize_t Write(const void* buffer, size_t size);
	virtual status_t Flush();

	// Loop until every byte is moved; B_PARTIAL_READ / B_PARTIAL_WRITE when the data ends first.
	status_t ReadExactly(void* buffer, size_t size, size_t* _bytesRead = nullptr);
	status_t WriteExactly(const void* buffer, size_t size, size_t* _bytesWritten = nullptr);

private:
	BDataIO(const BDataIO&) = delete;
	BDataIO& operator=(const BDataIO&) = delete;
};

// A stream with a position that can be read and written at any offset.
class BPositionIO : public BDataIO {
public:
	BPositionIO();
	virtual ~BPositionIO();

	virtual ssize_t Read(void* buffer, size_t size);
	virtual ssize_t Write(const void* buffer, size_t size);

	virtual ssize_t ReadAt(off_t position, void* buffer, size_t size) = 0;
	virtual ssize_t WriteAt(off_t position, const void* buffer, size_t size) = 0;

	status_t ReadAtExactly(off_t position, void* buffer, size_t size, size_t* _bytesRead = nullptr);
	status_t WriteAtExactly(off_t position, const void* buffer, size_t size,
							size_t* _bytesWritten = nullptr);

	// seekMode is SEEK_SET, SEEK_CUR or SEEK_END; returns the new position or an error.
	virtual off_t Seek(off_t position, uint32 seekMode) = 0;
	virtual off_t Position() const = 0;

	virtual status_t SetSize(off_t size);
	virtual status_t GetSize(off_t* size) const;
};

// A growing buffer in memory.
class BMallocIO : public BPositionIO {
public:
	BMallocIO();
	virtual ~BMallocIO();

	virtual ssize_t ReadAt(off_t position, void* buffer, size_t size);
	virtual ssize_t WriteAt(off_t position, const void* buffer, size_t size);
	virtual off_t Seek(off_t position, uint32 seekMode);
	virtual off_t Position() const;
	virtual status_t SetSize(off_t size);

	const void* Buffer() const { return fData; }
	size_t BufferLength() const { return fLength; }

private:
	status_t Reserve(size_t size);

	size_t fBlockSize;
	size_t fMallocSize;
	size_t fLength;
	char* fData;
	off_t fPosition;
};

// A fixed buffer in memory owned by the caller; a const buffer is read-only.
class BMemoryIO : public BPositionIO {
public:
	BMemoryIO(void* data, size_t length);
	BMemoryIO(const void* data, size_t length);
	virtual ~BMemoryIO();

	virtual ssize_t ReadAt(off_t position, void* buffer, size_t size);
	virtual ssize_t WriteAt(off_t position, const void* buffer, size_t size);
	virtual off_t Seek(off_t position, uint32 seekMode);
	virtual off_t Position() const;
	// Only within the buffer given at construction.
	virtual status_t SetSize(off_t size);

private:
	bool fReadOnly;
	char* fBuffer;
	size_t fLength;
	size_t fBufferSize;
	off_t fPosition;
};

#endif
