#include <TabView.h>

#include <Message.h>
#include <Window.h>

#include "ControlLook.h"

#include <algorithm>
#include <cmath>

BTabView::BTabView(BRect frame, const char* name, button_width width, uint32 resizingMode,
				   uint32 flags)
	: BView(frame, name, resizingMode, flags)
{
	_InitTabView(width);
}

BTabView::BTabView(BMessage* archive) : BView(archive)
{
	// An archive is outside input: a width setting the platform does not know
	// is taken as the usual one, and a tab height must be a sane number.
	int16 width = B_WIDTH_AS_USUAL;
	archive->FindInt16("_but_width", &width);
	if (width < B_WIDTH_AS_USUAL || width > B_WIDTH_FROM_LABEL)
		width = B_WIDTH_AS_USUAL;
	_InitTabView(static_cast<button_width>(width));
	float height;
	if (archive->FindFloat("_high", &height) == B_OK && std::isfinite(height) && height >= 0 &&
		height <= 1000)
		fTabHeight = height;
	_PlaceContainer();
	BMessage tabArchive;
	BMessage viewArchive;
	for (int32 i = 0; archive->FindMessage("_l_items", i, &tabArchive) == B_OK; i++) {
		BTab* tab = dynamic_cast<BTab*>(instantiate_object(&tabArchive));
		if (tab == NULL)
			continue;
		BView* view = NULL;
		if (archive->FindMessage("_view_list", i, &viewArchive) == B_OK) {
			BArchivable* object = instantiate_object(&viewArchive);
			view = dynamic_cast<BView*>(object);
			if (view == NULL)
				delete object;
		}
		AddTab(view, tab);
	}
	int32 selection;
	if (archive->FindInt32("_sel", &selection) == B_OK)
		Select(selection);
}

void
BTabView::_InitTabView(button_width width)
{
	BPrivate::register_control_classes();
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
	fTabWidthSetting = width;
	fTabHeight = BPrivate::line_height(this) + 8;
	fSelection = -1;
	fContainer = new BView(BRect(0, 0, 0, 0), "view container", B_FOLLOW_ALL, B_WILL_DRAW);
	fContainer->SetViewColor(BPrivate::panel_color());
	AddChild(fContainer);
	_PlaceContainer();
}

BTabView::~BTabView()
{
	for (BTab* tab : fTabs)
		delete tab;
}

BArchivable*
BTabView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTabView"))
		return NULL;
	return new BTabView(archive);
}

status_t
BTabView::Archive(BMessage* archive, bool deep) const
{
	// The pages travel with their tabs, not as children of the container.
	status_t status = BView::Archive(archive, false);
	if (status == B_OK)
		status = archive->AddInt16("_but_width", int16(fTabWidthSetting));
	if (status == B_OK)
		status = archive->AddFloat("_high", fTabHeight);
	if (status == B_OK)
		status = archive->AddInt32("_sel", fSelection);
	if (!deep)
		return status;
	for (auto it = fTabs.begin(); status == B_OK && it != fTabs.end(); ++it) {
		BTab* tab = *it;
		BMessage tabArchive;
		status = tab->Archive(&tabArchive, true);
		if (status == B_OK)
			status = archive->AddMessage("_l_items", &tabArchive);
		BMessage viewArchive;
		if (status == B_OK && tab->View() != NULL)
			status = tab->View()->Archive(&viewArchive, true);
		if (status == B_OK)
			status = archive->AddMessage("_view_list", &viewArchive);
	}
	return status;
}

void
BTabView::_PlaceContainer()
{
	BRect bounds = Bounds();
	fContainer->MoveTo(3, fTabHeight + 3);
	fContainer->ResizeTo(std::max(0.0f, bounds.Width() - 6),
						 std::max(0.0f, bounds.Height() - fTabHeight - 6));
}

void
BTabView::FrameResized(float, float)
{
	_PlaceContainer();
	Invalidate();
}

BRect
BTabView::TabFrame(int32 index) const
{
	if (index < 0 || index >= CountTabs())
		return BRect();
	float widest = 0;
	for (BTab* tab : fTabs)
		widest = std::max(widest, tab->Label() != NULL ? StringWidth(tab->Label()) : 0.0f);
	float x = 6;
	for (int32 i = 0; i <= index; i++) {
		const char* label = fTabs[size_t(i)]->Label();
		float width = fTabWidthSetting == B_WIDTH_FROM_LABEL
						  ? (label != NULL ? StringWidth(label) : 0) + 20
						  : std::max(widest + 20, 80.0f);
		width = std::ceil(width);
		if (i == index)
			return BRect(x, 0, x + width - 1, fTabHeight - 1);
		x += width;
	}
	return BRect();
}

void
BTabView::Draw(BRect)
{
	rgb_color base = BPrivate::panel_color();
	BRect box = Bounds();
	box.top = fTabHeight - 1;
	BeginLineArray(4);
	AddLine(box.LeftTop(), box.RightTop(), ui_color(B_SHINE_COLOR));
	AddLine(box.LeftTop(), box.LeftBottom(), ui_color(B_SHINE_COLOR));
	AddLine(box.LeftBottom(), box.RightBottom(), tint_color(base, B_DARKEN_2_TINT));
	AddLine(box.RightTop(), box.RightBottom(), tint_color(base, B_DARKEN_2_TINT));
	EndLineArray();
	for (int32 i = 0; i < CountTabs(); i++) {
		BRect frame = TabFrame(i);
		if (i == fSelection) {
			// The front tab opens into the page below it.
			SetHighColor(base);
			FillRect(BRect(frame.left + 1, frame.bottom - 1, frame.right - 1, frame.bottom));
		}
		fTabs[size_t(i)]->DrawTab(this, frame, i == fSelection ? B_TAB_FRONT : B_TAB_ANY);
	}
	if (IsFocus() && Window() != NULL && Window()->IsActive() && fSelection >= 0) {
		BRect frame = TabFrame(fSelection);
		const char* label = fTabs[size_t(fSelection)]->Label();
		float width = label != NULL ? StringWidth(label) : 0;
		float x = std::floor(frame.left + (frame.Width() - width) / 2);
		BPrivate::draw_focus_line(this, x, x + width, frame.bottom - 3);
	}
}

void
BTabView::MouseDown(BPoint where)
{
	for (int32 i = 0; i < CountTabs(); i++) {
		if (TabFrame(i).Contains(where) && fTabs[size_t(i)]->IsEnabled()) {
			Select(i);
			return;
		}
	}
}

void
BTabView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_LEFT_ARROW || bytes[0] == B_RIGHT_ARROW)) {
		int32 step = bytes[0] == B_LEFT_ARROW ? -1 : 1;
		for (int32 i = fSelection + step; i >= 0 && i < CountTabs(); i += step) {
			if (fTabs[size_t(i)]->IsEnabled()) {
				Select(i);
				break;
			}
		}
		return;
	}
	BView::KeyDown(bytes, numBytes);
}

void
BTabView::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	Invalidate();
}

void
BTabView::Select(int32 index)
{
	if (index == fSelection || index < 0 || index >= CountTabs())
		return;
	if (BTab* previous = TabAt(fSelection))
		previous->Deselect();
	fSelection = index;
	fTabs[size_t(index)]->Select(fContainer);
	Invalidate();
}

int32
BTabView::Selection() const
{
	return fSelection;
}

void
BTabView::AddTab(BView* target, BTab* tab)
{
	if (tab == NULL)
		tab = new BTab(target);
	else if (target != NULL)
		tab->SetView(target);
	tab->fTabView = this;
	fTabs.push_back(tab);
	if (fSelection < 0)
		Select(0);
	Invalidate();
}

BTab*
BTabView::TabAt(int32 index) const
{
	if (index < 0 || index >= CountTabs())
		return NULL;
	return fTabs[size_t(index)];
}

int32
BTabView::CountTabs() const
{
	return int32(fTabs.size());
}

int32
BTabView::IndexOf(BTab* tab) const
{
	auto it = std::find(fTabs.begin(), fTabs.end(), tab);
	return it == fTabs.end() ? -1 : int32(it - fTabs.begin());
}

BView*
BTabView::ViewForTab(int32 index) const
{
	BTab* tab = TabAt(index);
	return tab != NULL ? tab->View() : NULL;
}

BView*
BTabView::ContainerView() const
{
	return fContainer;
}

void
BTabView::SetTabWidth(button_width width)
{
	fTabWidthSetting = width;
	Invalidate();
}

button_width
BTabView::TabWidth() const
{
	return fTabWidthSetting;
}

float
BTabView::TabHeight() const
{
	return fTabHeight;
}
