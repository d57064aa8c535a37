#include <Resources.h>

#include <Path.h>

#include "ResourceContainer.h"

using BPrivate::ContainerLocation;
using BPrivate::ResourceItem;

// A container this large is no resource container of a real file.
static const off_t kMaxContainerSize = 128 * 1024 * 1024;

BResources::BResources()
	: fKind(BPrivate::kResourceFileX86), fOffset(0), fLittleEndian(true), fModified(false),
	  fStatus(B_NO_INIT)
{}

BResources::BResources(const BFile* file, bool clobber) : BResources()
{
	SetTo(file, clobber);
}

BResources::BResources(const char* path, bool clobber) : BResources()
{
	SetTo(path, clobber);
}

BResources::BResources(const entry_ref* ref, bool clobber) : BResources()
{
	SetTo(ref, clobber);
}

BResources::~BResources()
{
	Unset();
}

status_t
BResources::SetTo(const BFile* file, bool clobber)
{
	Unset();
	if (file == nullptr)
		return fStatus = B_BAD_VALUE;
	if (file->InitCheck() != B_OK)
		return fStatus = file->InitCheck();
	fFile = *file;
	if (fFile.InitCheck() != B_OK)
		return fStatus = fFile.InitCheck();
	fStatus = B_OK;
	status_t status = _Read(clobber);
	if (status != B_OK) {
		fItems.clear();
		fModified = false;
		fFile.Unset();
		fStatus = status;
	}
	return status;
}

status_t
BResources::SetTo(const char* path, bool clobber)
{
	if (path == nullptr) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	// Read-only unless clobbering: an executable held open for writing cannot be started,
	// so looking at resources must never open one so. Pass a writable BFile to edit them.
	BFile file(path, clobber ? B_READ_WRITE : B_READ_ONLY);
	if (file.InitCheck() != B_OK) {
		Unset();
		return fStatus = file.InitCheck();
	}
	return SetTo(&file, clobber);
}

status_t
BResources::SetTo(const entry_ref* ref, bool clobber)
{
	BEntry entry(ref, true);
	BPath path;
	status_t status = entry.GetPath(&path);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	return SetTo(path.Path(), clobber);
}

status_t
BResources::_Read(bool clobber)
{
	off_t fileSize = 0;
	status_t status = fFile.GetSize(&fileSize);
	if (status != B_OK)
		return status;
	ContainerLocation location;
	status = BPrivate::locate_container(&fFile, fileSize, &location);
	if (status != B_OK) {
		if (!clobber || status != B_BAD_DATA)
			return status;
		// Clobbering anything that is not an executable makes it a resource file.
		location.kind = BPrivate::kResourceFileX86;
		location.offset = BPrivate::kX86ContainerOffset;
		location.littleEndian = true;
		location.empty = true;
	}
	fKind = location.kind;
	fOffset = location.offset;
	fLittleEndian = location.littleEndian;

	if (clobber) {
		fModified = true;
		return fFile.IsWritable() ? Sync() : B_OK;
	}
	if (location.empty || fileSize <= fOffset)
		return B_OK;
	off_t size = fileSize - fOffset;
	if (size > kMaxContainerSize)
		return B_BAD_DATA;
	std::vector<uint8> data(static_cast<size_t>(size));
	status = fFile.ReadAtExactly(fOffset, data.data(), data.size());
	if (status != B_OK)
		return status;
	BPrivate::ResourceList items;
	status = BPrivate::parse_container(data.data(), data.size(), fLittleEndian, &items);
	if (status != B_OK)
		return status;
	fItems = std::move(items);
	return B_OK;
}

void
BResources::Unset()
{
	if (fStatus == B_OK && fModified && fFile.IsWritable())
		Sync();
	fItems.clear();
	fFile.Unset();
	fKind = BPrivate::kResourceFileX86;
	fOffset = 0;
	fLittleEndian = true;
	fModified = false;
	fStatus = B_NO_INIT;
}

status_t
BResources::InitCheck() const
{
	return fStatus;
}

const BFile&
BResources::File() const
{
	return fFile;
}

status_t
BResources::Sync()
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (!fFile.IsWritable())
		return B_NOT_ALLOWED;
	std::vector<uint8> container;
	status_t status = BPrivate::build_container(fItems, fLittleEndian, &container);
	if (status != B_OK)
		return status;
	if (fKind == BPrivate::kResourceFileX86) {
		status = fFile.WriteAtExactly(0, "RS\0\0", 4);
		if (status != B_OK)
			return status;
	}
	status = fFile.WriteAtExactly(fOffset, container.data(), container.size());
	if (status != B_OK)
		return status;
	status = fFile.SetSize(fOffset + off_t(container.size()));
	if (status != B_OK)
		return status;
	fModified = false;
	return B_OK;
}

status_t
BResources::WriteTo(BFile* file)
{
	if (file == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (file->InitCheck() != B_OK)
		return file->InitCheck();
	off_t fileSize = 0;
	status_t status = file->GetSize(&fileSize);
	if (status != B_OK)
		return status;
	ContainerLocation location;
	if (BPrivate::locate_container(file, fileSize, &location) != B_OK ||
		location.kind != BPrivate::kResourceFileELF) {
		location.kind = BPrivate::kResourceFileX86;
		location.offset = BPrivate::kX86ContainerOffset;
		location.littleEndian = true;
		location.empty = true;
	}
	BFile copy(*file);
	if (copy.InitCheck() != B_OK)
		return copy.InitCheck();
	fFile = copy;
	fKind = location.kind;
	fOffset = location.offset;
	fLittleEndian = location.littleEndian;
	if (location.kind == BPrivate::kResourceFileX86)
		fFile.SetSize(0);
	fModified = true;
	return Sync();
}
