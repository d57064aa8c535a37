// Resource descriptions and text icons as rescompile reads them: the first byte chooses the
// reader, the rest is the text.

#include <IconFile.h>
#include <ResourceDescription.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
	if (data[0] & 1) {
		IconFile icon;
		if (icon.ReadText(text, "fuzz", (data[0] & 2) ? 32 : 16)) {
			std::vector<char> archive;
			icon.Archive(&archive);
		}
	} else {
		ResourceDescription description;
		description.ReadText(text, "fuzz", "/nonexistent", false);
	}
	return 0;
}
