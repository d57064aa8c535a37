#include <util/UIHelpers.h>

#include <Directory.h>
#include <Entry.h>
#include <Mime.h>
#include <Node.h>
#include <NodeInfo.h>
#include <StorageDefs.h>

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// The desktop's opener starts the preferred program for a file or an address and may wait
// for it, so it runs in the background of a shell that ends at once; the shell reports
// whether the opener exists at all.
const char* const kOpenScript = "command -v xdg-open >/dev/null 2>&1 || exit 127; "
								"xdg-open \"$1\" </dev/null >/dev/null 2>&1 &";

} // namespace

status_t
show_core(const char*, const char* target)
{
	if (target == NULL)
		return B_BAD_VALUE;
	const char* const arguments[] = {"sh", "-c", kOpenScript, "sh", target, NULL};
	pid_t child = -1;
	int error =
		posix_spawn(&child, "/bin/sh", NULL, NULL, const_cast<char* const*>(arguments), environ);
	if (error != 0)
		return B_ERROR;
	int status = 0;
	while (waitpid(child, &status, 0) < 0) {
		if (errno != EINTR)
			return B_ERROR;
	}
	if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
		return B_ERROR;
	return B_OK;
}

status_t
show_help(const char* path)
{
	BNode node(path);
	BNodeInfo info(&node);
	char type[B_MIME_TYPE_LENGTH];
	if (node.InitCheck() != B_OK || info.InitCheck() != B_OK || info.GetType(type) != B_OK)
		return B_ERROR;
	return show_core(type, path);
}

status_t
show_url(const char* address)
{
	return show_core(FUC_MIME_TYPE_HTML, address);
}

status_t
get_save_ref(const BMessage* message, entry_ref* ref)
{
	entry_ref folderRef;
	const char* name = NULL;
	status_t status = message->FindRef("directory", &folderRef);
	if (status != B_OK)
		return status;
	status = message->FindString("name", &name);
	if (status != B_OK)
		return status;
	BDirectory folder(&folderRef);
	BEntry entry(&folder, name);
	return entry.GetRef(ref);
}
