#include <framework/BasicView.h>

#include <Message.h>

TBasicView::TBasicView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
	: BView(frame, name, resizingMode, flags), TMouseDownManager(this)
{}

TBasicView::TBasicView(BMessage* archive) : BView(archive), TMouseDownManager(this) {}

TBasicView::~TBasicView() {}

void
TBasicView::IAPChanged(BMessage*)
{}

void
TBasicView::LanguageChanged()
{}

BView*
TBasicView::FindViewEx(const char* name) const
{
	return FindViewEx(const_cast<TBasicView*>(this), name);
}

BView*
TBasicView::FindViewEx(BView* start, const char* name) const
{
	if (start == NULL || name == NULL)
		return NULL;
	// Views on a tab that is not selected are detached from the tree; the platform's search
	// covers everything that is attached.
	return start->FindView(name);
}

void
TBasicView::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_IAP_CHANGED:
		IAPChanged(message);
		break;
	case MSG_LANGUAGE_CHANGED:
		LanguageChanged();
		break;
	default:
		BView::MessageReceived(message);
		break;
	}
}

void
TBasicView::MouseDown(BPoint where)
{
	ManageMouseDown(where);
}

void
TBasicView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	ManageMouseMoved(where, transit, dragMessage);
}

void
TBasicView::MouseUp(BPoint where)
{
	ManageMouseUp(where);
}
