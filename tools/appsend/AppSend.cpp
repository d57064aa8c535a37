// appsend: sends a message with one code to this user's running application of a signature,
// the way the desktop's menus would ask it to show its About box or to quit.

#include "MessageCode.h"

#include <Message.h>
#include <Messenger.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

enum { EXIT_DELIVERED = 0, EXIT_NOT_DELIVERED = 1, EXIT_USAGE = 2 };

// A running application reads its port at once; one that does not within this time is stuck.
const bigtime_t kDeliveryTimeout = 5000000;

void
usage(FILE* to)
{
	fprintf(to,
			"usage: appsend SIGNATURE CODE\n"
			"Sends a message with the code CODE to this user's running application whose\n"
			"signature is SIGNATURE (such as application/x-vnd.MOZELT-ZorvyPreferences).\n"
			"CODE is four characters (_Ssp), a hexadecimal number (0x5F537370) or one of\n"
			"%s.\n"
			"\n"
			"Exit status:\n"
			"  0  the message was delivered\n"
			"  1  no such application runs, or it did not take the message\n"
			"  2  bad arguments\n",
			message_code_names());
}

} // namespace

int
main(int argc, char** argv)
{
	if (argc == 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0)) {
		usage(stdout);
		return fflush(stdout) == 0 ? EXIT_DELIVERED : EXIT_NOT_DELIVERED;
	}
	if (argc != 3) {
		usage(stderr);
		return EXIT_USAGE;
	}
	const char* signature = argv[1];
	uint32 code = 0;
	if (signature[0] == '\0' || signature[0] == '-') {
		fprintf(stderr, "appsend: \"%s\" is no application signature\n", signature);
		return EXIT_USAGE;
	}
	if (!parse_message_code(argv[2], &code)) {
		fprintf(stderr,
				"appsend: \"%s\" is no message code: four characters, 0x and up to eight "
				"hexadecimal digits, or one of %s\n",
				argv[2], message_code_names());
		return EXIT_USAGE;
	}

	status_t status = B_OK;
	BMessenger application(signature, -1, &status);
	if (status != B_OK || !application.IsValid()) {
		fprintf(stderr, "appsend: no application %s runs\n", signature);
		return EXIT_NOT_DELIVERED;
	}
	BMessage message(code);
	status = application.SendMessage(&message, static_cast<BHandler*>(NULL), kDeliveryTimeout);
	if (status != B_OK) {
		fprintf(stderr, "appsend: %s did not take the message: %s\n", signature, strerror(status));
		return EXIT_NOT_DELIVERED;
	}
	return EXIT_DELIVERED;
}
