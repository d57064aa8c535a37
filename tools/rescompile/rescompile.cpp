// rescompile: builds a resource container from a description and writes it as a
// resource file, or attaches it to an executable (after the ELF data, replacing
// what an earlier run attached).

#include <File.h>
#include <Resources.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ResourceDescription.h"

namespace {

// The usage on standard error with status 2, or asked for with --help on standard output.
int
usage(const char* program, bool asked = false)
{
	fprintf(asked ? stdout : stderr,
			"usage: %s DESCRIPTION (-o RESOURCE_FILE | --attach EXECUTABLE)\n"
			"       %s DESCRIPTION --inputs   (lists the files the description "
			"reads)\n"
			"Exit status: 0; 1 when the description cannot be read or the resources cannot "
			"be written; 2 for wrong arguments.\n",
			program, program);
	return asked ? 0 : 2;
}

int
write_resources(const ResourceDescription& description, const char* path, bool attach)
{
	uint32 mode = attach ? B_READ_WRITE : (B_READ_WRITE | B_CREATE_FILE | B_ERASE_FILE);
	BFile file(path, mode);
	status_t status = file.InitCheck();
	if (status != B_OK) {
		fprintf(stderr, "rescompile: cannot open %s: %s\n", path, strerror(status));
		return 1;
	}
	BResources resources;
	// Whatever an earlier run attached is replaced whole.
	status = resources.SetTo(&file, true);
	for (const ResourceItem& item : description.Items()) {
		if (status != B_OK)
			break;
		status = resources.AddResource(item.type, item.id, item.data.data(), item.data.size(),
									   item.name.c_str());
	}
	if (status == B_OK)
		status = resources.Sync();
	if (status != B_OK) {
		fprintf(stderr, "rescompile: cannot write the resources of %s: %s\n", path,
				strerror(status));
		return 1;
	}
	return 0;
}

} // namespace

int
main(int argc, char** argv)
{
	if (argc == 2 && strcmp(argv[1], "--help") == 0)
		return usage(argv[0], true);
	if (argc < 3)
		return usage(argv[0]);
	ResourceDescription description;
	if (!description.Read(argv[1])) {
		fprintf(stderr, "rescompile: %s\n", description.Error().c_str());
		return 1;
	}
	if (argc == 3 && strcmp(argv[2], "--inputs") == 0) {
		for (const std::string& input : description.Inputs())
			printf("%s\n", input.c_str());
		return 0;
	}
	if (argc != 4)
		return usage(argv[0]);
	if (strcmp(argv[2], "-o") == 0)
		return write_resources(description, argv[3], false);
	if (strcmp(argv[2], "--attach") == 0)
		return write_resources(description, argv[3], true);
	return usage(argv[0]);
}
