#include <ListView.h>

#include <ListItem.h>
#include <Message.h>
#include <Window.h>

#include "ControlLook.h"

#include <algorithm>

BListView::BListView(BRect frame, const char* name, list_view_type type, uint32 resizingMode,
					 uint32 flags)
	: BView(frame, name, resizingMode, flags)
{
	_InitList(type);
	SetViewColor(ui_color(B_LIST_BACKGROUND_COLOR));
	SetLowColor(ui_color(B_LIST_BACKGROUND_COLOR));
}

BListView::BListView(BMessage* archive) : BView(archive)
{
	int32 type = B_SINGLE_SELECTION_LIST;
	archive->FindInt32("_lv_type", &type);
	_InitList(type == B_MULTIPLE_SELECTION_LIST ? B_MULTIPLE_SELECTION_LIST
												: B_SINGLE_SELECTION_LIST);
	BMessage itemArchive;
	for (int32 i = 0; archive->FindMessage("_l_items", i, &itemArchive) == B_OK; i++) {
		BArchivable* object = instantiate_object(&itemArchive);
		BListItem* item = dynamic_cast<BListItem*>(object);
		if (item != NULL)
			AddItem(item);
		else
			delete object;
	}
	BMessage message;
	if (archive->FindMessage("_msg", &message) == B_OK)
		SetInvocationMessage(new BMessage(message));
	if (archive->FindMessage("_2nd_msg", &message) == B_OK)
		SetSelectionMessage(new BMessage(message));
}

void
BListView::_InitList(list_view_type type)
{
	BPrivate::register_control_classes();
	fSelectMessage = NULL;
	fType = type;
	fAnchor = -1;
}

BListView::~BListView()
{
	delete fSelectMessage;
}

BArchivable*
BListView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BListView"))
		return NULL;
	return new BListView(archive);
}

status_t
BListView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_lv_type", int32(fType));
	if (deep) {
		for (auto it = fItems.begin(); status == B_OK && it != fItems.end(); ++it) {
			BMessage itemArchive;
			status = (*it)->Archive(&itemArchive, true);
			if (status == B_OK)
				status = archive->AddMessage("_l_items", &itemArchive);
		}
	}
	if (status == B_OK && InvocationMessage() != NULL)
		status = archive->AddMessage("_msg", InvocationMessage());
	if (status == B_OK && fSelectMessage != NULL)
		status = archive->AddMessage("_2nd_msg", fSelectMessage);
	return status;
}

void
BListView::AttachedToWindow()
{
	BView::AttachedToWindow();
	if (!Messenger().IsValid())
		SetTarget(Window());
	for (BListItem* item : fItems)
		_UpdateItem(item);
}

void
BListView::_UpdateItem(BListItem* item)
{
	BFont font;
	GetFont(&font);
	item->Update(this, &font);
}

void
BListView::Draw(BRect updateRect)
{
	for (int32 i = 0; i < CountItems(); i++) {
		BRect frame = ItemFrame(i);
		if (frame.Intersects(updateRect))
			fItems[size_t(i)]->DrawItem(this, frame, true);
	}
	if (IsFocus() && Window() != NULL && Window()->IsActive()) {
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		StrokeRect(Bounds());
	}
}

void
BListView::MouseDown(BPoint where)
{
	if ((Flags() & B_NAVIGABLE) != 0 && !IsFocus())
		MakeFocus(true);
	int32 index = IndexOf(where);
	if (index < 0)
		return;
	int32 clicks = 1;
	int32 modifiers = 0;
	if (BMessage* message = Window()->CurrentMessage()) {
		if (message->FindInt32("clicks", &clicks) != B_OK)
			clicks = 1;
		message->FindInt32("modifiers", &modifiers);
	}
	if (clicks >= 2 && IsItemSelected(index)) {
		Invoke();
		return;
	}
	bool extend =
		fType == B_MULTIPLE_SELECTION_LIST && (modifiers & (B_SHIFT_KEY | B_COMMAND_KEY)) != 0;
	if (extend && IsItemSelected(index))
		Deselect(index);
	else
		Select(index, extend);
}

void
BListView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes != 1) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	int32 count = CountItems();
	int32 current = fAnchor >= 0 ? fAnchor : CurrentSelection();
	switch (bytes[0]) {
	case B_UP_ARROW:
		if (count > 0)
			Select(current < 0 ? count - 1 : std::max(int32(0), current - 1));
		break;
	case B_DOWN_ARROW:
		if (count > 0)
			Select(current < 0 ? 0 : std::min(count - 1, current + 1));
		break;
	case B_HOME:
		if (count > 0)
			Select(int32(0));
		break;
	case B_END:
		if (count > 0)
			Select(count - 1);
		break;
	case B_ENTER:
	case B_SPACE:
		if (CurrentSelection() >= 0)
			Invoke();
		else
			BView::KeyDown(bytes, numBytes);
		break;
	default:
		BView::KeyDown(bytes, numBytes);
		break;
	}
}

void
BListView::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	Invalidate();
}

void
BListView::FrameResized(float, float)
{
	for (BListItem* item : fItems)
		_UpdateItem(item);
	Invalidate();
}
