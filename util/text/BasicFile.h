#ifndef MOZELT_BASIC_FILE_H
#define MOZELT_BASIC_FILE_H

#include <File.h>

#include <string>

// A platform file read and written line by line. Lines end in a line feed; a carriage return
// before it is dropped on reading and never written.
class TBasicFile : public BFile {
public:
	TBasicFile();
	TBasicFile(const entry_ref* ref, uint32 openMode);
	TBasicFile(const BEntry* entry, uint32 openMode);
	TBasicFile(const char* path, uint32 openMode);
	TBasicFile(const BDirectory* dir, const char* path, uint32 openMode);
	TBasicFile(const BFile& file);
	virtual ~TBasicFile();

	// True when the position is at or beyond the end of the file.
	virtual bool Eof() const;
	// Reads up to size - 1 bytes of one line into buffer, NUL-terminated, and returns their
	// number; the rest of a longer line is read by the next call. B_BAD_VALUE without a buffer.
	virtual int32 ReadLine(char* buffer, int32 size);
	// Reads one whole line into line and returns its length; 0 and "" at the end of the file.
	virtual int32 ReadLine(std::string* line);
	// Writes text and one line feed; returns the bytes written, or the first write's error.
	virtual ssize_t WriteLine(const char* text);
	virtual ssize_t WriteLine(const std::string& text);

private:
	// One byte, or false at the end of the file or on a failure.
	bool ReadByte(char* byte);
};

#endif
