#ifndef _DIRECTORY_H
#define _DIRECTORY_H

#include <EntryList.h>
#include <Node.h>

#include <string>
#include <vector>

class BFile;

// A folder: its entries are handed out in the order of their names (byte order), without
// "." and "..".
class BDirectory : public BNode, public BEntryList {
public:
	BDirectory();
	BDirectory(const BDirectory& dir);
	BDirectory(const entry_ref* ref);
	BDirectory(const node_ref* nref);
	BDirectory(const BEntry* entry);
	BDirectory(const char* path);
	BDirectory(const BDirectory* dir, const char* path);
	virtual ~BDirectory();

	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const node_ref* nref);
	status_t SetTo(const BEntry* entry);
	status_t SetTo(const char* path);
	status_t SetTo(const BDirectory* dir, const char* path);
	void Unset();

	status_t GetEntry(BEntry* entry) const;
	bool IsRootDirectory() const;

	status_t FindEntry(const char* path, BEntry* entry, bool traverse = false) const;
	bool Contains(const char* path, int32 nodeFlags = B_ANY_NODE) const;
	bool Contains(const BEntry* entry, int32 nodeFlags = B_ANY_NODE) const;

	virtual status_t GetNextEntry(BEntry* entry, bool traverse = false);
	virtual status_t GetNextRef(entry_ref* ref);
	virtual int32 GetNextDirents(struct dirent* direntBuffer, size_t bufferSize,
								 int32 maxEntries = INT_MAX);
	virtual status_t Rewind();
	virtual int32 CountEntries();

	status_t CreateDirectory(const char* path, BDirectory* dir);
	status_t CreateFile(const char* path, BFile* file, bool failIfExists = false);

	BDirectory& operator=(const BDirectory& dir);

private:
	status_t _SetToPath(const std::string& path);
	status_t _ReadNames();
	// The absolute path of `path` taken from this folder.
	std::string _Resolve(const char* path) const;

	std::string fPath;
	std::vector<std::string> fNames;
	size_t fNext;
	bool fNamesRead;
};

// Creates the folder and any missing folders above it with the given mode.
status_t create_directory(const char* path, mode_t mode);

#endif
