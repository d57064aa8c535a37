#ifndef _RESOURCES_H
#define _RESOURCES_H

#include <Entry.h>
#include <File.h>
#include <SupportDefs.h>

#include <memory>
#include <vector>

namespace BPrivate {
struct ResourceItem;
}

// The resources of a file: a resource file of the platform (x86 or PPC) or an executable with
// a resource container after its data. Changes are written back by Sync(), WriteTo() or when
// the object lets go of a writable file; a container is always written in the x86 layout
// (an executable's in the executable's byte order). A file named by path or reference is
// opened read-only unless clobbered; to edit resources, pass a file opened B_READ_WRITE.
//
// To embed resources in an executable, open it writable and clobber its resources:
//     BFile file(path, B_READ_WRITE);
//     BResources resources(&file, true);
//     resources.AddResource(B_MIME_STRING_TYPE, 1, signature, length, "BEOS:APP_SIG");
//     resources.Sync();
class BResources {
public:
	BResources();
	BResources(const BFile* file, bool clobber = false);
	BResources(const char* path, bool clobber = false);
	BResources(const entry_ref* ref, bool clobber = false);
	virtual ~BResources();

	status_t SetTo(const BFile* file, bool clobber = false);
	status_t SetTo(const char* path, bool clobber = false);
	status_t SetTo(const entry_ref* ref, bool clobber = false);
	void Unset();
	status_t InitCheck() const;

	const BFile& File() const;

	const void* LoadResource(type_code type, int32 id, size_t* _size);
	const void* LoadResource(type_code type, const char* name, size_t* _size);

	status_t Sync();
	status_t WriteTo(BFile* file);

	status_t AddResource(type_code type, int32 id, const void* data, size_t length,
						 const char* name = NULL);
	bool HasResource(type_code type, int32 id);
	bool HasResource(type_code type, const char* name);

	bool GetResourceInfo(int32 byIndex, type_code* typeFound, int32* idFound,
						 const char** nameFound, size_t* lengthFound);
	bool GetResourceInfo(type_code byType, int32 andIndex, int32* idFound, const char** nameFound,
						 size_t* lengthFound);
	bool GetResourceInfo(type_code byType, int32 andID, const char** nameFound,
						 size_t* lengthFound);
	bool GetResourceInfo(type_code byType, const char* andName, int32* idFound,
						 size_t* lengthFound);
	bool GetResourceInfo(const void* byPointer, type_code* typeFound, int32* idFound,
						 size_t* lengthFound, const char** nameFound);

	status_t RemoveResource(const void* resource);
	status_t RemoveResource(type_code type, int32 id);

	status_t WriteResource(type_code type, int32 id, const void* data, off_t offset, size_t length);
	status_t ReadResource(type_code type, int32 id, void* data, off_t offset, size_t length);

	void* FindResource(type_code type, int32 id, size_t* lengthFound);
	void* FindResource(type_code type, const char* name, size_t* lengthFound);

private:
	BResources(const BResources&) = delete;
	BResources& operator=(const BResources&) = delete;

	status_t _Read(bool clobber);
	BPrivate::ResourceItem* _Find(type_code type, int32 id) const;
	BPrivate::ResourceItem* _Find(type_code type, const char* name) const;
	BPrivate::ResourceItem* _Find(const void* data) const;

	BFile fFile;
	std::vector<std::unique_ptr<BPrivate::ResourceItem>> fItems;
	int fKind;
	off_t fOffset;
	bool fLittleEndian;
	bool fModified;
	status_t fStatus;
};

#endif
