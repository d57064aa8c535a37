#ifndef _LIST_VIEW_H
#define _LIST_VIEW_H

#include <Invoker.h>
#include <View.h>

#include <vector>

class BListItem;

enum list_view_type { B_SINGLE_SELECTION_LIST = 0, B_MULTIPLE_SELECTION_LIST };

// A vertical list of items. A click selects an item (and gives the list the focus), the arrow
// keys move the selection while it has the focus; each change of the selection sends the
// selection message, and a double click or Enter sends the invocation message. The list owns
// neither its items nor anything but its messages.
class BListView : public BView, public BInvoker {
public:
	BListView(BRect frame, const char* name, list_view_type type = B_SINGLE_SELECTION_LIST,
			  uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
			  uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
	BListView(BMessage* archive);
	virtual ~BListView();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void AttachedToWindow();
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MakeFocus(bool focus = true);
	virtual void FrameResized(float newWidth, float newHeight);

	virtual bool AddItem(BListItem* item);
	virtual bool AddItem(BListItem* item, int32 atIndex);
	virtual bool RemoveItem(BListItem* item);
	virtual BListItem* RemoveItem(int32 index);
	virtual bool RemoveItems(int32 index, int32 count);
	virtual void MakeEmpty();

	BListItem* ItemAt(int32 index) const;
	int32 IndexOf(BListItem* item) const;
	int32 IndexOf(BPoint point) const;
	bool HasItem(BListItem* item) const;
	int32 CountItems() const;
	bool IsEmpty() const;

	virtual void SetSelectionMessage(BMessage* message);
	virtual void SetInvocationMessage(BMessage* message);
	uint32 SelectionCommand() const;
	BMessage* InvocationMessage() const;
	uint32 InvocationCommand() const;

	void Select(int32 index, bool extend = false);
	void Select(int32 from, int32 to, bool extend = false);
	bool IsItemSelected(int32 index) const;
	// The index-th selected item's index, or -1.
	int32 CurrentSelection(int32 index = 0) const;
	void DeselectAll();
	void DeselectExcept(int32 exceptFrom, int32 exceptTo);
	void Deselect(int32 index);
	virtual void SelectionChanged();

	// Sends the invocation message with "when", "source" and "index" (each selected item).
	virtual status_t Invoke(BMessage* message = NULL);

	BRect ItemFrame(int32 index);
	void InvalidateItem(int32 index);

private:
	void _InitList(list_view_type type);
	void _UpdateItem(BListItem* item);
	bool _SetSelected(int32 index, bool selected);
	void _SelectionChanged();

	std::vector<BListItem*> fItems;
	BMessage* fSelectMessage;
	list_view_type fType;
	int32 fAnchor;
};

#endif
