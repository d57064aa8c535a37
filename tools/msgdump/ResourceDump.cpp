#include "ResourceDump.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include <Message.h>
#include <Resources.h>
#include <beapi/MessageFormats.h>

#include "JsonMessage.h"

namespace {

std::string
type_text(type_code type)
{
	char text[16];
	for (int i = 0; i < 4; i++) {
		text[i] = static_cast<char>((type >> (24 - 8 * i)) & 0xFF);
		if (text[i] < 0x20 || text[i] > 0x7E) {
			snprintf(text, sizeof(text), "0x%08" PRIX32, type);
			return text;
		}
	}
	return std::string(text, 4);
}

} // namespace

int
dump_resources(const std::string& path, bool json)
{
	BResources resources;
	status_t status = resources.SetTo(path.c_str());
	if (status != B_OK) {
		fprintf(stderr, "msgdump: %s: %s\n", path.c_str(),
				status == B_ENTRY_NOT_FOUND ? "no such file" : "not a resource container");
		return 1;
	}
	type_code type;
	int32 id;
	const char* name;
	size_t length;
	for (int32 i = 0; resources.GetResourceInfo(i, &type, &id, &name, &length); i++) {
		size_t size = 0;
		const void* data = resources.LoadResource(type, id, &size);
		BMessage message;
		message_format format = B_MESSAGE_FORMAT_UNKNOWN;
		size_t used = 0;
		const bool isMessage =
			data != nullptr && unflatten_message(&message, data, size, &used, &format) == B_OK;
		const std::string typeName = type_text(type);
		if (json) {
			std::string line = "{\"type\": ";
			append_json_string(line, typeName);
			line += ", \"id\": " + std::to_string(id) + ", \"name\": ";
			append_json_string(line, name != nullptr ? name : "");
			line += ", \"size\": " + std::to_string(length);
			if (isMessage) {
				line += ", \"message\": ";
				append_json_message(line, message, format);
			}
			line += "}\n";
			fwrite(line.data(), 1, line.size(), stdout);
			continue;
		}
		printf("%s %" PRId32 " \"%s\", %zu bytes%s%s\n", typeName.c_str(), id,
			   name != nullptr ? name : "", length, isMessage ? ", message " : "",
			   isMessage ? message_format_name(format) : "");
		fflush(stdout);
		if (isMessage)
			message.PrintToStream();
	}
	fflush(stdout);
	return 0;
}
