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
#include <cstring>
#include <string>
#include <vector>

namespace {

const float kMargin = 10;

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

} // namespace

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
	BMessage archive(state);
	BView* component = new BView(&archive);
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
	float width = Bounds().right;
	std::vector<BView*> added;
	for (const std::string& name : component_names(*message)) {
		// Each component is shown once, from the first application that offered it.
		if (ComponentView(name.c_str()) != NULL)
			continue;
		BMessage reference;
		if (message->FindMessage(name.c_str(), kReferenceState, &reference) != B_OK)
			continue;
		mComponents.AddMessage(name.c_str(), &reference);
		mComponents.AddMessage(name.c_str(), &reference);
		float top = mLastComponent != NULL ? mLastComponent->Frame().bottom + kMargin : kMargin;
		mLastComponent = AddComponent(reference, top);
		added.push_back(mLastComponent);
		// Without its reference and live states a default would take their place.
		BMessage defaults;
		if (message->FindMessage(name.c_str(), kDefaultState, &defaults) == B_OK)
			mComponents.AddMessage(name.c_str(), &defaults);
	}
	SetTargetToThis(this, false);
	SetViewLabels();

	if (mLastComponent != NULL)
		mButtonContainer->MoveTo(0, mLastComponent->Frame().bottom + kMargin);
	// The new components, measured after their labels, which may widen them. Those shown
	// before already fit, and have stretched with the window since.
	for (BView* component : added)
		width = std::max(width, component->Frame().right + kMargin);
	BWindow* window = Window();
	if (window == NULL)
		return;
	window->ResizeTo(width, mButtonContainer->Frame().bottom);
	// A component that outgrew the view before the window widened has stretched with it since;
	// it ends at the margin like the others.
	for (BView* component : added) {
		float over = component->Frame().right - (Bounds().right - kMargin);
		if (over > 0)
			component->ResizeBy(-over, 0);
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
	mIAPs.SetValue(*message);
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
			if (old == mLastComponent)
				mLastComponent = component;
			RemoveChild(old);
			delete old;
		}
		mComponents.ReplaceMessage(name.c_str(), kLiveState, &state);
		SendMessage(&state);
		// The window's own labels show the format its menu shows, restored or default.
		mIAPs.SetValue(state);
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
