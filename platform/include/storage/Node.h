#ifndef _NODE_H
#define _NODE_H

#include <Statable.h>
#include <StorageDefs.h>
#include <SupportDefs.h>
#include <fs_attr.h>

#include <string>
#include <vector>

class BDirectory;
class BEntry;
struct entry_ref;

// The identity of a node: its device and its number on that device.
struct node_ref {
	node_ref();
	node_ref(dev_t device, ino_t node);
	node_ref(const node_ref& other);

	bool operator==(const node_ref& other) const;
	bool operator!=(const node_ref& other) const;
	bool operator<(const node_ref& other) const;
	node_ref& operator=(const node_ref& other);

	dev_t device;
	ino_t node;
};

// An open node of the file system (a file or a folder; a symbolic link is followed) and its
// attributes, which are kept as extended attributes of the "user." namespace with their type
// code stored beside the data.
class BNode : public BStatable {
public:
	BNode();
	BNode(const entry_ref* ref);
	BNode(const BEntry* entry);
	BNode(const char* path);
	BNode(const BDirectory* dir, const char* path);
	BNode(const BNode& node);
	virtual ~BNode();

	status_t InitCheck() const;

	virtual status_t GetStat(struct stat* st) const;

	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	status_t SetTo(const char* path);
	status_t SetTo(const BDirectory* dir, const char* path);
	void Unset();

	status_t Lock();
	status_t Unlock();
	status_t Sync();

	ssize_t WriteAttr(const char* name, type_code type, off_t offset, const void* buffer,
					  size_t length);
	ssize_t ReadAttr(const char* name, type_code type, off_t offset, void* buffer,
					 size_t length) const;
	status_t RemoveAttr(const char* name);
	status_t RenameAttr(const char* oldName, const char* newName);
	status_t GetAttrInfo(const char* name, struct attr_info* info) const;
	status_t GetNextAttrName(char* buffer);
	status_t RewindAttrs();

	BNode& operator=(const BNode& node);
	bool operator==(const BNode& node) const;
	bool operator!=(const BNode& node) const;

protected:
	virtual status_t _SetPermissions(mode_t permissions);
	virtual status_t _SetModificationTime(time_t mtime);

	// Opens `path` with the given flags of this system and takes the descriptor.
	status_t _Open(const char* path, int flags, mode_t mode = 0);
	void _Adopt(int fd);
	status_t _ReadAttrValue(const char* name, std::vector<uint8>* value) const;

	int fFd;
	status_t fStatus;

private:
	std::vector<std::string> fAttrNames;
	size_t fAttrIndex;
	bool fAttrsListed;
};

#endif
