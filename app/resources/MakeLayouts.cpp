// make_layouts: writes the archived view trees of the settings pages, one file per layout named
// after its resource, in the flattened form each resource is stored in.

#include <DataIO.h>
#include <beapi/MessageFormats.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "PageLayouts.h"

namespace {

bool
write_layout(const PageLayout& layout, const std::string& folder)
{
	BMallocIO bytes;
	status_t status = flatten_message(layout.make(), layout.format, &bytes);
	if (status != B_OK) {
		fprintf(stderr, "make_layouts: cannot flatten %s: %s\n", layout.name, strerror(status));
		return false;
	}
	const std::string path = folder + "/" + layout.name + ".msg";
	const std::string temporary = path + ".tmp";
	FILE* file = fopen(temporary.c_str(), "wb");
	if (file == nullptr) {
		fprintf(stderr, "make_layouts: cannot write %s: %s\n", temporary.c_str(), strerror(errno));
		return false;
	}
	const bool written =
		fwrite(bytes.Buffer(), 1, bytes.BufferLength(), file) == bytes.BufferLength();
	if (fclose(file) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
		fprintf(stderr, "make_layouts: cannot write %s: %s\n", path.c_str(), strerror(errno));
		remove(temporary.c_str());
		return false;
	}
	return true;
}

} // namespace

int
main(int argc, char** argv)
{
	if (argc != 2) {
		fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
		return 2;
	}
	for (const PageLayout& layout : kPageLayouts) {
		if (!write_layout(layout, argv[1]))
			return 1;
	}
	return 0;
}
