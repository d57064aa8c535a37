#include <TabView.h>

#include <Message.h>

#include "ControlLook.h"

#include <cmath>

BTab::BTab(BView* contents)
	: fView(contents), fTabView(NULL), fEnabled(true), fSelected(false), fFocus(false)
{
	BPrivate::register_control_classes();
}

BTab::BTab(BMessage* archive)
	: BArchivable(archive), fView(NULL), fTabView(NULL), fEnabled(true), fSelected(false),
	  fFocus(false)
{
	BPrivate::register_control_classes();
	bool disabled;
	if (archive->FindBool("_disable", &disabled) == B_OK)
		fEnabled = !disabled;
}

BTab::~BTab()
{
	if (fView != NULL) {
		fView->RemoveSelf();
		delete fView;
	}
}

BArchivable*
BTab::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTab"))
		return NULL;
	return new BTab(archive);
}

status_t
BTab::Archive(BMessage* archive, bool deep) const
{
	status_t status = BArchivable::Archive(archive, deep);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	return status;
}

const char*
BTab::Label() const
{
	return fView != NULL ? fView->Name() : NULL;
}

void
BTab::SetLabel(const char* label)
{
	if (fView == NULL)
		return;
	fView->SetName(label);
	if (fTabView != NULL)
		fTabView->Invalidate();
}

bool
BTab::IsSelected() const
{
	return fSelected;
}

void
BTab::Select(BView* owner)
{
	fSelected = true;
	if (owner != NULL && fView != NULL && fView->Parent() == NULL)
		owner->AddChild(fView);
}

void
BTab::Deselect()
{
	fSelected = false;
	if (fView != NULL)
		fView->RemoveSelf();
}

void
BTab::SetEnabled(bool enabled)
{
	fEnabled = enabled;
	if (fTabView != NULL)
		fTabView->Invalidate();
}

bool
BTab::IsEnabled() const
{
	return fEnabled;
}

void
BTab::MakeFocus(bool focus)
{
	fFocus = focus;
}

bool
BTab::IsFocus() const
{
	return fFocus;
}

void
BTab::SetView(BView* view)
{
	if (view == fView)
		return;
	BView* parent = fView != NULL ? fView->Parent() : NULL;
	if (fView != NULL) {
		fView->RemoveSelf();
		delete fView;
	}
	fView = view;
	if (parent != NULL && view != NULL && fSelected)
		parent->AddChild(view);
}

BView*
BTab::View() const
{
	return fView;
}

void
BTab::DrawLabel(BView* owner, BRect frame)
{
	const char* label = Label();
	if (label == NULL)
		return;
	float width = owner->StringWidth(label);
	float x = std::floor(frame.left + (frame.Width() - width) / 2);
	float y = BPrivate::centred_baseline(owner, frame.top, frame.Height());
	BPrivate::draw_label(owner, label, BPoint(x, y), fEnabled);
}

void
BTab::DrawTab(BView* owner, BRect frame, tab_position position, bool)
{
	rgb_color base = BPrivate::panel_color();
	rgb_color dark = tint_color(base, B_DARKEN_2_TINT);
	rgb_color light = ui_color(B_SHINE_COLOR);
	bool front = position == B_TAB_FRONT;
	BRect tab = frame;
	if (!front) {
		tab.top += 2;
		owner->SetHighColor(tint_color(base, B_DARKEN_1_TINT));
		owner->FillRect(tab.InsetByCopy(1, 1));
	}
	owner->BeginLineArray(3);
	owner->AddLine(BPoint(tab.left, tab.bottom), tab.LeftTop(), light);
	owner->AddLine(tab.LeftTop(), tab.RightTop(), light);
	owner->AddLine(tab.RightTop(), BPoint(tab.right, tab.bottom), dark);
	owner->EndLineArray();
	DrawLabel(owner, tab);
}
