#include <app/ItemView.h>

#include <Application.h>
#include <Message.h>
#include <Resources.h>
#include <beapi/MessageFormats.h>

namespace {

constexpr type_code kLayoutType = 'ARCV';

} // namespace

TItemView::TItemView(const char* layoutName) : TItemView(CreateView(layoutName)) {}

TItemView::TItemView(BMessage* archive)
	: TDialogView(archive), mArchive(archive),
	  mInitCheck(archive->CountNames(B_ANY_TYPE) > 0 ? B_OK : B_ERROR)
{
	// The archive is only needed while the children are being built.
	delete mArchive;
	mArchive = NULL;
}

TItemView::~TItemView() {}

status_t
TItemView::InitCheck() const
{
	return mInitCheck;
}

void
TItemView::SetInitCheck(status_t status)
{
	if (mInitCheck == B_OK)
		mInitCheck = status;
}

BMessage*
TItemView::CreateView(const char* layoutName)
{
	BMessage* archive = new BMessage();
	BResources* resources = BApplication::AppResources();
	if (resources == NULL || layoutName == NULL)
		return archive;
	size_t size = 0;
	const void* data = resources->LoadResource(kLayoutType, layoutName, &size);
	if (data == NULL || size == 0)
		return archive;
	// A damaged layout leaves no half-read tree behind.
	if (unflatten_message(archive, data, size) != B_OK)
		archive->MakeEmpty();
	return archive;
}
