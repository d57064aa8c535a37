// The components of the common preferences window: offered by applications as archives, shown
// once each, and their states kept, restored and sent to every application.

#include <common_prefs/IAPView.h>

#include <common_prefs/IAPMessages.h>
#include <framework/BasicWindow.h>

#include <Application.h>
#include <InterfaceDefs.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Roster.h>
#include <Window.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

const float kMargin = 10;

// Any program of the user may write to the window's port. What one application may offer lies
// far above what the maker's items make (one control in a view, a few kilobytes) and low enough
// that a component made to hurt the window costs it little.
const int32 kMaxComponents = 12;
const ssize_t kMaxComponentBytes = 64 * 1024;
const int kMaxComponentDepth = 8;
const int kMaxComponentViews = 64;
const float kMaxComponentWidth = 1000;
const float kMaxComponentHeight = 200;

enum {
	kReferenceState = 0,
	kLiveState = 1,
	kDefaultState = 2,
};

// The names of the record's components, in the order they were first shown.
std::vector<std::string>
component_names(const BMessage& record)
{
	std::vector<std::string> names;
	char* name = NULL;
	type_code type = 0;
	for (int32 i = 0; record.GetInfo(B_MESSAGE_TYPE, i, &name, &type) == B_OK; i++)
		names.push_back(name);
	return names;
}

// Counts the archive's views, its children's and theirs, and fails beyond the bounds: the
// platform rebuilds every archived child, however many and however deep.
bool
views_within_bounds(const BMessage& archive, int depth, int* views)
{
	if (++*views > kMaxComponentViews || depth > kMaxComponentDepth)
		return false;
	type_code type = 0;
	int32 count = 0;
	if (archive.GetInfo("_views", &type, &count) != B_OK)
		return true;
	// A component is archived whole; the tokens of a managed archive have no place in it.
	if (type != B_MESSAGE_TYPE)
		return false;
	for (int32 i = 0; i < count; i++) {
		BMessage child;
		if (archive.FindMessage("_views", i, &child) != B_OK ||
			!views_within_bounds(child, depth + 1, views))
			return false;
	}
	return true;
}

bool
sound_component_state(const BMessage& state)
{
	if (state.FlattenedSize() > kMaxComponentBytes)
		return false;
	int views = 0;
	return views_within_bounds(state, 0, &views);
}

bool
sound_component_frame(BRect frame)
{
	return std::isfinite(frame.left) && std::isfinite(frame.top) && std::isfinite(frame.right) &&
		   std::isfinite(frame.bottom) && frame.IsValid() && frame.Width() <= kMaxComponentWidth &&
		   frame.Height() <= kMaxComponentHeight;
}

} // namespace

float
TIAPView::MaxComponentWidth()
{
	return kMaxComponentWidth;
}

BView*
TIAPView::ComponentView(const char* name) const
{
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		if (child != mButtonContainer && child->Name() != NULL && strcmp(child->Name(), name) == 0)
			return child;
	}
	return NULL;
}

BView*
TIAPView::AddComponent(const BMessage& state, float top)
{
	if (!sound_component_state(state))
		return NULL;
	BMessage archive(state);
	BView* component = new BView(&archive);
	if (!sound_component_frame(component->Frame())) {
		delete component;
		return NULL;
	}
	component->MoveTo(kMargin, top);
	component->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(component);

	// A menu shows its marked entry as the field's choice, and its entries answer this view.
	if (BMenuField* field = dynamic_cast<BMenuField*>(component->ChildAt(0))) {
		if (BMenu* menu = field->Menu()) {
			menu->SetLabelFromMarked(true);
			menu->SetRadioMode(true);
			if (BMenuItem* marked = menu->FindMarked())
				marked->SetMarked(true);
			menu->SetTargetForItems(this);
		}
	}
	return component;
}

void
TIAPView::IAPAddComponentsRqtd(BMessage* message)
{
	int32 shown = int32(component_names(mComponents).size());
	for (const std::string& name : component_names(*message)) {
		if (shown >= kMaxComponents)
			break;
		// Each component is shown once, from the first application that offered it.
		if (name.empty() || name == mButtonContainer->Name() || ComponentView(name.c_str()) != NULL)
			continue;
		BMessage reference;
		if (message->FindMessage(name.c_str(), kReferenceState, &reference) != B_OK)
			continue;
		float top = mLastComponent != NULL ? mLastComponent->Frame().bottom + kMargin : kMargin;
		BView* component = AddComponent(reference, top);
		if (component == NULL)
			continue;
		// The rebuilt view bears the name it was offered under, whatever its archive says.
		component->SetName(name.c_str());
		mLastComponent = component;
		shown++;
		mComponents.AddMessage(name.c_str(), &reference);
		mComponents.AddMessage(name.c_str(), &reference);
		// Without its reference and live states a default would take their place.
		BMessage defaults;
		if (message->FindMessage(name.c_str(), kDefaultState, &defaults) == B_OK &&
			sound_component_state(defaults))
			mComponents.AddMessage(name.c_str(), &defaults);
	}
	SetTargetToThis(this, false);
	SetViewLabels();

	if (mLastComponent != NULL)
		mButtonContainer->MoveTo(0, mLastComponent->Frame().bottom + kMargin);
	FitWindow();
}

void
TIAPView::FitWindow()
{
	BWindow* window = Window();
	if (window == NULL)
		return;
	// Components measured after their labels, which may widen them; those that fit have
	// stretched with the window and end at its margin.
	float width = Bounds().right;
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		if (child != mButtonContainer)
			width = std::max(width, child->Frame().right + kMargin);
	}
	window->ResizeTo(width, mButtonContainer->Frame().bottom);
	// A component that outgrew the view before the window widened has stretched with it since;
	// it ends at the margin like the others.
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		float over = child->Frame().right - (Bounds().right - kMargin);
		if (child != mButtonContainer && over > 0)
			child->ResizeBy(-over, 0);
	}
	if (TBasicWindow* basic = dynamic_cast<TBasicWindow*>(window))
		basic->IntelligentMoveTo(window->Frame().LeftTop());
}

void
TIAPView::IAPControlChanged(BMessage* message)
{
	const char* name = NULL;
	if (message->FindString(IAP_FIELD_SRC_IAP_ITEM, &name) != B_OK)
		return;
	BView* component = ComponentView(name);
	if (component == NULL)
		return;

	// The message carries the component as it is now, so that an item without a value field
	// reads the control's state from it.
	component->Archive(message, true);
	message->what = MSG_IAP_CHANGED;
	mComponents.ReplaceMessage(name, kLiveState, message);
	SendMessage(message);
	// A new accelerator format shows at once on the window's own labels.
	ApplyToOwnStore(*message);
	SetViewLabels();
}

void
TIAPView::SetComponents(int32 index)
{
	for (const std::string& name : component_names(mComponents)) {
		BMessage state;
		if (mComponents.FindMessage(name.c_str(), index, &state) != B_OK)
			continue;
		if (BView* old = ComponentView(name.c_str())) {
			BView* component = AddComponent(state, old->Frame().top);
			// A state the window cannot show is not sent either.
			if (component == NULL)
				continue;
			component->SetName(name.c_str());
			if (old == mLastComponent)
				mLastComponent = component;
			RemoveChild(old);
			delete old;
		}
		mComponents.ReplaceMessage(name.c_str(), kLiveState, &state);
		SendMessage(&state);
		// The window's own labels show the format its menu shows, restored or default.
		ApplyToOwnStore(state);
	}
	// The rebuilt controls answer this view and carry their labels, like those shown first.
	SetTargetToThis(this, false);
	SetViewLabels();
}

void
TIAPView::SendMessage(BMessage* message)
{
	be_app_messenger.SendMessage(message, static_cast<BHandler*>(NULL), B_INFINITE_TIMEOUT);
	be_roster->Broadcast(message);
}

void
TIAPView::ApplyToOwnStore(const BMessage& change)
{
	// Whoever wrote to the port may have named the window as the change's source; the window's
	// store still writes no file.
	BMessage copy(change);
	copy.RemoveName(IAP_FIELD_SRC_APP);
	mIAPs.SetValue(copy);
}
