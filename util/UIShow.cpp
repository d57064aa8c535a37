#include <util/UIHelpers.h>

#include <AppDefs.h>
#include <Directory.h>
#include <Entry.h>
#include <Message.h>
#include <Messenger.h>
#include <Mime.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Roster.h>
#include <StorageDefs.h>

status_t
show_core(const char* mimeType, const char* target)
{
	if (mimeType == NULL || target == NULL)
		return B_BAD_VALUE;
	const char* const arguments[] = {target};
	status_t status = be_roster->Launch(mimeType, 1, arguments);
	if (status == B_OK || status == B_ALREADY_RUNNING)
		return B_OK;
	// A preferred application that could not be started this way may already run: it is
	// handed the file instead.
	entry_ref application;
	app_info info;
	if (be_roster->FindApp(mimeType, &application) != B_OK ||
		be_roster->GetAppInfo(&application, &info) != B_OK)
		return B_ERROR;
	entry_ref ref;
	if (get_ref_for_path(target, &ref) != B_OK)
		return B_ERROR;
	BMessage refs(B_REFS_RECEIVED);
	refs.AddRef("refs", &ref);
	BMessenger messenger(info.signature);
	return messenger.SendMessage(&refs, (BHandler*)NULL, 1000000) == B_OK ? B_OK : B_ERROR;
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
