#include <util/UIHelpers.h>

#include <Application.h>
#include <Bitmap.h>
#include <Message.h>
#include <Resources.h>
#include <beapi/MessageFormats.h>

#include <memory>

namespace {

// An application's icons travel in its own resources as archived bitmaps, as its type's icons.
const char* const kLargeIconName = "BEOS:L:STD_ICON";
const char* const kMiniIconName = "BEOS:M:STD_ICON";

status_t
load_icon(BResources* resources, const char* name, float size, BBitmap** icon)
{
	size_t length = 0;
	const void* data = resources->LoadResource('BBMP', name, &length);
	if (data == nullptr)
		return B_NAME_NOT_FOUND;
	BMessage archive;
	status_t status = unflatten_message(&archive, data, length);
	if (status != B_OK)
		return status;
	auto bitmap = std::make_unique<BBitmap>(&archive);
	if (bitmap->InitCheck() != B_OK || bitmap->ColorSpace() != B_RGBA32 ||
		bitmap->Bounds() != BRect(0, 0, size - 1, size - 1))
		return B_BAD_DATA;
	*icon = bitmap.release();
	return B_OK;
}

} // namespace

status_t
get_icons(BBitmap** large, BBitmap** mini)
{
	BResources* resources = BApplication::AppResources();
	if (resources == nullptr)
		return B_ERROR;
	status_t status = B_OK;
	if (large != nullptr)
		status = load_icon(resources, kLargeIconName, 32, large);
	if (mini != nullptr)
		load_icon(resources, kMiniIconName, 16, mini);
	return status;
}
