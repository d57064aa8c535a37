#include <util/text/BasicFile.h>

#include <algorithm>
#include <cstring>

TBasicFile::TBasicFile() {}

TBasicFile::TBasicFile(const entry_ref* ref, uint32 openMode) : BFile(ref, openMode) {}

TBasicFile::TBasicFile(const BEntry* entry, uint32 openMode) : BFile(entry, openMode) {}

TBasicFile::TBasicFile(const char* path, uint32 openMode) : BFile(path, openMode) {}

TBasicFile::TBasicFile(const BDirectory* dir, const char* path, uint32 openMode)
	: BFile(dir, path, openMode)
{}

TBasicFile::TBasicFile(const BFile& file) : BFile(file) {}

TBasicFile::~TBasicFile() {}

bool
TBasicFile::Eof() const
{
	off_t size = 0;
	if (GetSize(&size) != B_OK)
		return true;
	return Position() >= size;
}

bool
TBasicFile::ReadByte(char* byte)
{
	// One byte per call: the position stays right after the line, so that Eof, Seek and a
	// plain Read go on from there.
	return Read(byte, 1) == 1;
}

int32
TBasicFile::ReadLine(char* buffer, int32 size)
{
	if (buffer == NULL || size < 1)
		return B_BAD_VALUE;

	int32 length = 0;
	bool ended = false;
	char byte;
	while (length < size - 1) {
		if (!ReadByte(&byte)) {
			ended = true;
			break;
		}
		if (byte == '\n') {
			ended = true;
			break;
		}
		buffer[length++] = byte;
	}
	if (length > 0 && buffer[length - 1] == '\r') {
		if (ended) {
			length--;
		} else if (ReadByte(&byte)) {
			// The buffer filled up right after a carriage return: when its line feed follows,
			// the pair ends the line here, as it would in a larger buffer.
			if (byte == '\n')
				length--;
			else
				Seek(-1, SEEK_CUR);
		}
	}
	buffer[length] = '\0';
	return length;
}

int32
TBasicFile::ReadLine(std::string* line)
{
	if (line == NULL)
		return B_BAD_VALUE;

	line->clear();
	char byte;
	while (ReadByte(&byte) && byte != '\n')
		line->push_back(byte);
	if (!line->empty() && line->back() == '\r')
		line->pop_back();
	return static_cast<int32>(std::min<size_t>(line->size(), INT32_MAX));
}

ssize_t
TBasicFile::WriteLine(const char* text)
{
	size_t length = text != NULL ? strlen(text) : 0;
	ssize_t written = 0;
	if (length > 0) {
		written = Write(text, length);
		if (written < 0)
			return written;
	}
	ssize_t ending = Write("\n", 1);
	if (ending < 0)
		return ending;
	return written + ending;
}

ssize_t
TBasicFile::WriteLine(const std::string& text)
{
	ssize_t written = 0;
	if (!text.empty()) {
		written = Write(text.data(), text.size());
		if (written < 0)
			return written;
	}
	ssize_t ending = Write("\n", 1);
	if (ending < 0)
		return ending;
	return written + ending;
}
