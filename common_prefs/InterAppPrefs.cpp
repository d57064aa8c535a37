#include <common_prefs/InterAppPrefs.h>

#include <common_prefs/IAPItem.h>
#include <common_prefs/IAPMessages.h>
#include <common_prefs/IAPWindow.h>

#include <AppDefs.h>
#include <DataIO.h>
#include <Message.h>
#include <View.h>

#include <memory>

namespace {

// How often the opening thread looks whether the new window serves its port.
const bigtime_t kPortPollInterval = 20000;

} // namespace

TInterAppPrefs::TInterAppPrefs() : mWindowCreated(false), mAppSignature(NULL) {}

TInterAppPrefs::~TInterAppPrefs()
{
	for (auto& [name, item] : mItems)
		delete item;
	mItems.clear();
	mObservers.clear();
}

status_t
TInterAppPrefs::SetAppSignatureRef(const char* signature)
{
	mAppSignature = signature;
	for (auto& [name, item] : mItems)
		item->SetAppSignatureRef(signature);
	return B_OK;
}

status_t
TInterAppPrefs::AddItem(TIAPItem* item)
{
	if (item == NULL)
		return B_BAD_VALUE;

	item->SetAppSignatureRef(mAppSignature);
	TIAPItem*& slot = mItems[item->Name()];
	if (slot != item)
		delete slot;
	slot = item;
	return B_OK;
}

status_t
TInterAppPrefs::AddObserver(const BMessenger& observer)
{
	mObservers.push_back(observer);
	return B_OK;
}

TIAPItem*
TInterAppPrefs::FindItem(const char* name) const
{
	if (name == NULL)
		return NULL;
	auto found = mItems.find(name);
	return found != mItems.end() ? found->second : NULL;
}

status_t
TInterAppPrefs::GetBool(const char* name, bool* value) const
{
	TIAPItem* item = FindItem(name);
	if (item == NULL)
		return B_ERROR;
	return item->GetBool(value, false);
}

status_t
TInterAppPrefs::GetString(const char* name, std::string* value) const
{
	TIAPItem* item = FindItem(name);
	if (item == NULL)
		return B_ERROR;
	return item->GetString(value, false);
}

status_t
TInterAppPrefs::SetBool(const char* name, bool value)
{
	TIAPItem* item = FindItem(name);
	if (item == NULL)
		return B_ERROR;
	return item->SetBool(value);
}

status_t
TInterAppPrefs::SetString(const char* name, const std::string& value)
{
	TIAPItem* item = FindItem(name);
	if (item == NULL)
		return B_ERROR;
	return item->SetString(value);
}

status_t
TInterAppPrefs::SetValue(const BMessage& message)
{
	const char* name = NULL;
	if (message.FindString(IAP_FIELD_SRC_IAP_ITEM, &name) != B_OK)
		return B_ERROR;

	// Another application's item is none of this application's business.
	TIAPItem* item = FindItem(name);
	if (item == NULL)
		return B_ERROR;

	status_t status = item->SetValue(message);
	if (status == B_OK)
		NotifyToObservers(message);
	return status;
}

// An observer whose window has gone simply misses the message; the others still receive it.
void
TInterAppPrefs::NotifyToObservers(BMessage message)
{
	for (const BMessenger& observer : mObservers)
		observer.SendMessage(&message, (BHandler*)NULL, B_INFINITE_TIMEOUT);
}

status_t
TInterAppPrefs::ShowWindow(BRect frame)
{
	port_id port = find_port(PORT_NAME);
	if (port < 0)
		port = CreateAndShowWindow(frame);
	else
		ActivateWindow(port);
	AddComponents(port);
	return B_OK;
}

port_id
TInterAppPrefs::CreateAndShowWindow(BRect frame)
{
	TIAPWindow* window = new TIAPWindow(frame);
	window->Show();
	port_id port = IAP_PORT_NOT_YET;
	while ((port = window->Port()) == IAP_PORT_NOT_YET)
		snooze(kPortPollInterval);
	mWindowCreated = true;
	if (port == IAP_PORT_FAILED) {
		// Another application made its window between the look and the making: one window is
		// enough, and that one comes forward.
		port_id existing = find_port(PORT_NAME);
		if (existing >= 0) {
			if (window->Lock())
				window->Quit();
			mWindowCreated = false;
			ActivateWindow(existing);
			return existing;
		}
	}
	return port;
}

status_t
TInterAppPrefs::CloseWindow(bool force) const
{
	port_id port = find_port(PORT_NAME);
	if (port < 0)
		return B_OK;
	if (!force && !mWindowCreated)
		return B_ERROR;

	BMessage message(B_QUIT_REQUESTED);
	return SendMessage(port, &message);
}

void
TInterAppPrefs::ActivateWindow(port_id port) const
{
	BMessage message(MSG_IAP_ACTIVATE_WINDOW);
	SendMessage(port, &message);
}

status_t
TInterAppPrefs::AddComponents(port_id port)
{
	BMessage components(MSG_IAP_ADD_COMPONENTS);
	for (auto& [name, item] : mItems) {
		// Entries 0 and 1: the current state, as reference and as live state.
		BView* view = NULL;
		if (item->MakeConfigurationView(&view, false) == B_OK && view != NULL) {
			std::unique_ptr<BView> owner(view);
			BMessage state;
			view->Archive(&state, true);
			item->GetValue(&state, false);
			components.AddMessage(view->Name(), &state);
			components.AddMessage(view->Name(), &state);
		}

		// Entry 2: the default state.
		view = NULL;
		if (item->MakeConfigurationView(&view, true) == B_OK && view != NULL) {
			std::unique_ptr<BView> owner(view);
			BMessage state;
			view->Archive(&state, true);
			item->GetValue(&state, true);
			components.AddMessage(view->Name(), &state);
		}
	}
	SendMessage(port, &components);
	return B_OK;
}

// What becomes of the message is the window's concern: a port that vanished loses it silently.
status_t
TInterAppPrefs::SendMessage(port_id port, BMessage* message) const
{
	if (message == NULL)
		return B_OK;

	BMallocIO bytes;
	if (message->Flatten(&bytes) != B_OK)
		return B_OK;
	write_port(port, 0, bytes.Buffer(), bytes.BufferLength());
	return B_OK;
}
