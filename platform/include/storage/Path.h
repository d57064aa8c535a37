#ifndef _PATH_H
#define _PATH_H

#include <StorageDefs.h>
#include <SupportDefs.h>

#include <string>

class BDirectory;
class BEntry;
struct entry_ref;

// An absolute path name. A path given relative, or holding ".", "..", doubled or trailing
// separators, is normalized: made absolute and its folder part resolved, which needs that
// folder to exist.
class BPath {
public:
	BPath();
	BPath(const BPath& path);
	BPath(const entry_ref* ref);
	BPath(const BEntry* entry);
	BPath(const char* dir, const char* leaf = NULL, bool normalize = false);
	BPath(const BDirectory* dir, const char* leaf = NULL, bool normalize = false);
	virtual ~BPath();

	status_t InitCheck() const;

	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	status_t SetTo(const char* path, const char* leaf = NULL, bool normalize = false);
	status_t SetTo(const BDirectory* dir, const char* leaf = NULL, bool normalize = false);
	void Unset();

	status_t Append(const char* path, bool normalize = false);

	const char* Path() const;
	const char* Leaf() const;
	status_t GetParent(BPath* path) const;
	bool IsAbsolute() const;

	bool operator==(const BPath& item) const;
	bool operator==(const char* path) const;
	bool operator!=(const BPath& item) const;
	bool operator!=(const char* path) const;
	BPath& operator=(const BPath& item);
	BPath& operator=(const char* path);

private:
	std::string fName;
	status_t fStatus;
};

#endif
