// Hostile resource files: whatever the bytes, reading them must neither crash nor allocate
// beyond what the file holds, and what is read must survive being written and read again.
#include <File.h>
#include <Resources.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// A file in memory, opened through its /proc name like any other file.
class MemoryFile {
public:
	MemoryFile() : fFd(memfd_create("fuzz-resources", 0)) {}
	~MemoryFile()
	{
		if (fFd >= 0)
			close(fFd);
	}

	bool Fill(const uint8_t* data, size_t size)
	{
		if (fFd < 0 || ftruncate(fFd, 0) != 0)
			return false;
		size_t done = 0;
		while (done < size) {
			ssize_t written = pwrite(fFd, data + done, size - done, off_t(done));
			if (written <= 0)
				return false;
			done += size_t(written);
		}
		return true;
	}

	std::string Path() const { return "/proc/self/fd/" + std::to_string(fFd); }

private:
	int fFd;
};

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static MemoryFile input;
	static MemoryFile output;
	if (!input.Fill(data, size))
		return 0;
	BFile file(input.Path().c_str(), B_READ_ONLY);
	BResources resources(&file);
	if (resources.InitCheck() != B_OK)
		return 0;

	int32 count = 0;
	type_code type;
	int32 id;
	const char* name;
	size_t length;
	for (; resources.GetResourceInfo(count, &type, &id, &name, &length); count++) {
		size_t loaded = 0;
		const void* bytes = resources.LoadResource(type, id, &loaded);
		if (bytes == nullptr || loaded > size)
			abort();
		resources.HasResource(type, name);
	}

	if (!output.Fill(nullptr, 0))
		return 0;
	BFile copy(output.Path().c_str(), B_READ_WRITE);
	if (resources.WriteTo(&copy) != B_OK)
		return 0;
	BFile again(output.Path().c_str(), B_READ_ONLY);
	BResources reread(&again);
	if (reread.InitCheck() != B_OK)
		abort();
	int32 rereadCount = 0;
	while (reread.GetResourceInfo(rereadCount, &type, &id, &name, &length))
		rereadCount++;
	if (rereadCount != count)
		abort();
	return 0;
}
