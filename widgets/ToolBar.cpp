#include <widgets/ToolBar.h>

#include <InterfaceDefs.h>
#include <Window.h>

#include <cstring>

#include <widgets/SeparatorButton.h>
#include <widgets/ToolButton.h>

namespace {

// The room between the bar's edges and its buttons.
const float kMargin = 3;

} // namespace

TToolBar::TToolBar(BRect frame, const char* name, uint32 resizingMode)
	: BView(frame, name, resizingMode, B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW), mEnabled(true),
	  mBarFlat(false), mButtonFlat(false), mItemHeight(0)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}

TToolBar::~TToolBar() {}

status_t
TToolBar::SetEnabled(bool enabled)
{
	mEnabled = enabled;
	// Its buttons look disabled while it is.
	for (TToolButton* item : mItems)
		item->Invalidate();
	return B_OK;
}

status_t
TToolBar::SetTargetForItems(BHandler* target)
{
	return SetTargetForItems(BMessenger(target));
}

status_t
TToolBar::SetTargetForItems(BMessenger target)
{
	for (TToolButton* item : mItems)
		item->SetTarget(target);
	return B_OK;
}

void
TToolBar::AttachedToWindow()
{
	BView::AttachedToWindow();
	ResizeTo(Window()->Bounds().right, Bounds().Height());
}

void
TToolBar::Draw(BRect)
{
	if (mBarFlat)
		return;
	BRect bounds = Bounds();
	SetHighColor(COLOR_BRIGHT_BORDER);
	StrokeLine(bounds.LeftBottom(), bounds.LeftTop());
	StrokeLine(bounds.LeftTop(), bounds.RightTop());
	SetHighColor(COLOR_DARK_BORDER);
	StrokeLine(bounds.RightTop(), bounds.RightBottom());
	StrokeLine(bounds.RightBottom(), bounds.LeftBottom());
}

void
TToolBar::GetPreferredSize(float* width, float* height)
{
	if (width != NULL)
		*width = mItems.empty() ? kMargin : mItems.back()->Frame().right + kMargin;
	if (height != NULL)
		*height = mItemHeight + 2 * kMargin;
}

bool
TToolBar::AddItem(TToolButton* item, int32 index)
{
	if (item == NULL || index < 0 || index > CountItems())
		return false;
	float height = item->Bounds().bottom;
	if (height > mItemHeight) {
		mItemHeight = height;
		ResizeTo(Bounds().Width(), mItemHeight + 2 * kMargin);
	}
	mItems.insert(mItems.begin() + index, item);
	AddChild(item);
	item->mOwnerBar = this;
	RelocateItems(index);
	return true;
}

bool
TToolBar::AddItem(TToolButton* item)
{
	return AddItem(item, CountItems());
}

bool
TToolBar::AddSeparatorItem()
{
	return AddItem(new TSeparatorButton(mItemHeight));
}

TToolButton*
TToolBar::FindItem(const char* name) const
{
	if (name == NULL)
		return NULL;
	for (TToolButton* item : mItems) {
		if (item->Name() != NULL && strcmp(item->Name(), name) == 0)
			return item;
	}
	return NULL;
}

TToolButton*
TToolBar::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return NULL;
	return mItems[index];
}

int32
TToolBar::CountItems() const
{
	return int32(mItems.size());
}

int32
TToolBar::IndexOf(TToolButton* item) const
{
	for (size_t i = 0; i < mItems.size(); i++) {
		if (mItems[i] == item)
			return int32(i);
	}
	return -1;
}

TToolButton*
TToolBar::FindPushed(int32 start) const
{
	for (int32 i = start < 0 ? 0 : start; i < CountItems(); i++) {
		if (mItems[i]->Value() == B_CONTROL_ON)
			return mItems[i];
	}
	return NULL;
}

bool
TToolBar::IsEnabled() const
{
	return mEnabled;
}

bool
TToolBar::IsBarFlat() const
{
	return mBarFlat;
}

bool
TToolBar::IsButtonFlat() const
{
	return mButtonFlat;
}

status_t
TToolBar::SetBarFlat(bool flat)
{
	mBarFlat = flat;
	Invalidate();
	return B_OK;
}

status_t
TToolBar::SetButtonFlat(bool flat)
{
	mButtonFlat = flat;
	for (TToolButton* item : mItems)
		item->Invalidate();
	return B_OK;
}

void
TToolBar::RelocateItems(int32 index)
{
	if (index < 0 || index >= CountItems())
		return;
	float x = index == 0 ? kMargin : mItems[index - 1]->Frame().right + 1;
	for (size_t i = size_t(index); i < mItems.size(); i++) {
		mItems[i]->MoveTo(x, kMargin);
		x = mItems[i]->Frame().right + 1;
	}
}
