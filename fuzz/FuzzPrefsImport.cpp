// A file given to zorvy-prefs import may come from anywhere. Reads arbitrary bytes as an
// exported record: either they are refused with a reason, or what was taken is exported and
// imported again to the same record.
#include <PrefsTransfer.h>

#include <DataIO.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string
flattened(const TPrefsFile& file)
{
	BMessage archive;
	archive_prefs_record(file.values, &archive);
	BMallocIO bytes;
	archive.Flatten(&bytes);
	file.newer.Flatten(&bytes);
	return std::string(static_cast<const char*>(bytes.Buffer()), bytes.BufferLength());
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::string text(reinterpret_cast<const char*>(data), size);
	TPrefsFile file;
	std::string error;
	if (import_json(text, &file, &error) != B_OK) {
		if (error.empty())
			abort();
		return 0;
	}
	TPrefsFile again;
	if (import_json(export_json(file), &again, &error) != B_OK)
		abort();
	// A NaN font size is the one value that is not equal to itself; its bytes still are.
	if (flattened(again) != flattened(file))
		abort();
	return 0;
}
