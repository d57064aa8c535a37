#include <framework/BasicView.h>

#include <Message.h>
#include <TabView.h>

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
	if (BView* found = start->FindView(name))
		return found;
	// A tab view keeps only the selected tab's page attached; the others are searched
	// through their tabs.
	for (int32 i = 0; i < start->CountChildren(); i++) {
		BTabView* tabView = dynamic_cast<BTabView*>(start->ChildAt(i));
		if (tabView == NULL)
			continue;
		for (int32 t = 0; t < tabView->CountTabs(); t++) {
			BTab* tab = tabView->TabAt(t);
			if (tab == NULL)
				continue;
			if (BView* found = FindViewEx(tab->View(), name))
				return found;
		}
	}
	return NULL;
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
