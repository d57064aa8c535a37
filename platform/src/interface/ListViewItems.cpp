#include <ListView.h>

#include <ListItem.h>
#include <Message.h>
#include <Window.h>

#include <algorithm>

bool
BListView::AddItem(BListItem* item)
{
	return AddItem(item, CountItems());
}

bool
BListView::AddItem(BListItem* item, int32 atIndex)
{
	if (item == NULL || atIndex < 0 || atIndex > CountItems() || HasItem(item))
		return false;
	fItems.insert(fItems.begin() + atIndex, item);
	if (fAnchor >= atIndex)
		fAnchor++;
	_UpdateItem(item);
	// An item that comes selected keeps a single-selection list to one.
	if (item->IsSelected() && fType == B_SINGLE_SELECTION_LIST) {
		for (BListItem* other : fItems) {
			if (other != item)
				other->Deselect();
		}
		fAnchor = atIndex;
	}
	Invalidate();
	return true;
}

bool
BListView::RemoveItem(BListItem* item)
{
	int32 index = IndexOf(item);
	return index >= 0 && RemoveItem(index) != NULL;
}

BListItem*
BListView::RemoveItem(int32 index)
{
	BListItem* item = ItemAt(index);
	if (item == NULL)
		return NULL;
	bool wasSelected = item->IsSelected();
	fItems.erase(fItems.begin() + index);
	if (fAnchor == index)
		fAnchor = -1;
	else if (fAnchor > index)
		fAnchor--;
	item->Deselect();
	Invalidate();
	if (wasSelected)
		_SelectionChanged();
	return item;
}

bool
BListView::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	for (int32 i = 0; i < count; i++)
		RemoveItem(index);
	return true;
}

void
BListView::MakeEmpty()
{
	bool hadSelection = CurrentSelection() >= 0;
	for (BListItem* item : fItems)
		item->Deselect();
	fItems.clear();
	fAnchor = -1;
	Invalidate();
	if (hadSelection)
		_SelectionChanged();
}

BListItem*
BListView::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return NULL;
	return fItems[size_t(index)];
}

int32
BListView::IndexOf(BListItem* item) const
{
	auto it = std::find(fItems.begin(), fItems.end(), item);
	return it == fItems.end() ? -1 : int32(it - fItems.begin());
}

int32
BListView::IndexOf(BPoint point) const
{
	float top = 0;
	for (size_t i = 0; i < fItems.size(); i++) {
		float bottom = top + fItems[i]->Height();
		if (point.y >= top && point.y < bottom)
			return int32(i);
		top = bottom;
	}
	return -1;
}

bool
BListView::HasItem(BListItem* item) const
{
	return IndexOf(item) >= 0;
}

int32
BListView::CountItems() const
{
	return int32(fItems.size());
}

bool
BListView::IsEmpty() const
{
	return fItems.empty();
}

void
BListView::SetSelectionMessage(BMessage* message)
{
	if (message == fSelectMessage)
		return;
	delete fSelectMessage;
	fSelectMessage = message;
}

void
BListView::SetInvocationMessage(BMessage* message)
{
	SetMessage(message);
}

uint32
BListView::SelectionCommand() const
{
	return fSelectMessage != NULL ? fSelectMessage->what : 0;
}

BMessage*
BListView::InvocationMessage() const
{
	return Message();
}

uint32
BListView::InvocationCommand() const
{
	return Command();
}

bool
BListView::_SetSelected(int32 index, bool selected)
{
	BListItem* item = ItemAt(index);
	if (item == NULL || item->IsSelected() == selected)
		return false;
	if (selected)
		item->Select();
	else
		item->Deselect();
	InvalidateItem(index);
	return true;
}

void
BListView::Select(int32 index, bool extend)
{
	Select(index, index, extend);
}

void
BListView::Select(int32 from, int32 to, bool extend)
{
	if (from < 0 || to < from || to >= CountItems())
		return;
	if (fType == B_SINGLE_SELECTION_LIST) {
		from = to;
		extend = false;
	}
	bool changed = false;
	if (!extend) {
		for (int32 i = 0; i < CountItems(); i++) {
			if (i < from || i > to)
				changed |= _SetSelected(i, false);
		}
	}
	for (int32 i = from; i <= to; i++) {
		if (ItemAt(i)->IsEnabled())
			changed |= _SetSelected(i, true);
	}
	fAnchor = to;
	if (changed)
		_SelectionChanged();
}

bool
BListView::IsItemSelected(int32 index) const
{
	BListItem* item = ItemAt(index);
	return item != NULL && item->IsSelected();
}

int32
BListView::CurrentSelection(int32 index) const
{
	for (size_t i = 0; i < fItems.size(); i++) {
		if (fItems[i]->IsSelected() && index-- == 0)
			return int32(i);
	}
	return -1;
}

void
BListView::DeselectAll()
{
	DeselectExcept(-1, -2);
}

void
BListView::DeselectExcept(int32 exceptFrom, int32 exceptTo)
{
	bool changed = false;
	for (int32 i = 0; i < CountItems(); i++) {
		if (i < exceptFrom || i > exceptTo)
			changed |= _SetSelected(i, false);
	}
	if (changed)
		_SelectionChanged();
}

void
BListView::Deselect(int32 index)
{
	if (_SetSelected(index, false))
		_SelectionChanged();
}

void
BListView::SelectionChanged()
{}

void
BListView::_SelectionChanged()
{
	SelectionChanged();
	if (fSelectMessage != NULL)
		Invoke(fSelectMessage);
}

status_t
BListView::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	for (int32 i = 0; CurrentSelection(i) >= 0; i++)
		copy.AddInt32("index", CurrentSelection(i));
	return BInvoker::Invoke(&copy);
}

BRect
BListView::ItemFrame(int32 index)
{
	BRect frame(Bounds().left, 0, Bounds().right, -1);
	for (int32 i = 0; i <= index && i < CountItems(); i++) {
		frame.top = frame.bottom + 1;
		frame.bottom = frame.top + fItems[size_t(i)]->Height() - 1;
	}
	return frame;
}

void
BListView::InvalidateItem(int32 index)
{
	if (index >= 0 && index < CountItems())
		Invalidate(ItemFrame(index));
}
