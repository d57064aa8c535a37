// Reads arbitrary bytes as a flattened archive and rebuilds the views and controls it
// describes, then archives what came out again: the readers must take any fields.
#include <Archivable.h>
#include <ListItem.h>
#include <ListView.h>
#include <Message.h>
#include <beapi/MessageFormats.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage archive;
	if (unflatten_message(&archive, data, size) != B_OK)
		return 0;
	BArchivable* object = instantiate_object(&archive);
	if (object == NULL)
		return 0;
	BMessage again;
	object->Archive(&again, true);
	// Lists leave their items to their owners.
	if (BListView* list = dynamic_cast<BListView*>(object)) {
		while (BListItem* item = list->RemoveItem(int32(0)))
			delete item;
	}
	delete object;
	return 0;
}
