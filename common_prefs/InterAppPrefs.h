#ifndef MOZELT_INTER_APP_PREFS_H
#define MOZELT_INTER_APP_PREFS_H

#include <Messenger.h>
#include <OS.h>
#include <Rect.h>

#include <map>
#include <string>
#include <vector>

class BMessage;
class TIAPItem;

// An application's copy of the preferences all of the maker's applications share: items by
// name (owned), the observers told of every change applied, and the messages that reach the
// common preferences window through its port. Used from one thread only.
class TInterAppPrefs {
public:
	TInterAppPrefs();
	~TInterAppPrefs();

	// signature is kept, not copied, and given to every item.
	status_t SetAppSignatureRef(const char* signature);
	// The store takes the item; one of the same name that it held before is deleted.
	status_t AddItem(TIAPItem* item);
	status_t AddObserver(const BMessenger& observer);

	status_t GetBool(const char* name, bool* value) const;
	status_t GetString(const char* name, std::string* value) const;
	status_t SetBool(const char* name, bool value);
	status_t SetString(const char* name, const std::string& value);

	// Applies a change message to its item; when the item takes it, the observers receive the
	// same message.
	status_t SetValue(const BMessage& message);
	void NotifyToObservers(BMessage message);

	// Opens the common preferences window: makes it in this application, at frame, when no
	// application shows one, else brings the existing one forward; either way offers it this
	// application's items. B_OK.
	status_t ShowWindow(BRect frame);
	// Makes and shows the window here and waits until it serves its port: the port, or
	// IAP_PORT_FAILED. Should another application have made one in the meantime, the new
	// window goes again and that one's port is the answer.
	port_id CreateAndShowWindow(BRect frame);
	// Closes the window on the port. Without force only the store that created the window
	// may close it.
	status_t CloseWindow(bool force) const;
	void ActivateWindow(port_id port) const;
	// Offers every item to the window: current state twice, then the default state.
	status_t AddComponents(port_id port);
	status_t SendMessage(port_id port, BMessage* message) const;

private:
	TInterAppPrefs(const TInterAppPrefs&) = delete;
	TInterAppPrefs& operator=(const TInterAppPrefs&) = delete;

	TIAPItem* FindItem(const char* name) const;

	bool mWindowCreated;
	const char* mAppSignature;
	std::vector<BMessenger> mObservers;
	// Ordered byte-wise by name, which is the order items are offered to the window in.
	std::map<std::string, TIAPItem*> mItems;
};

// The application's store.
extern TInterAppPrefs gIAPs;

#endif
