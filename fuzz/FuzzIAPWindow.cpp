// Any program of the user can write to the common preferences window's port. Reads arbitrary
// bytes as a message that arrived there and hands it to a fresh window view, as an
// application's offer of components ('iacr') when its code says so and otherwise as a changed
// control ('ictc'): the view shows what it can within its bounds and ignores the rest.
#include <common_prefs/IAPMessages.h>
#include <common_prefs/IAPView.h>

#include <Message.h>
#include <beapi/MessageFormats.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string sFolder;

void
remove_folder()
{
	std::error_code ignored;
	std::filesystem::remove_all(sFolder, ignored);
}

// Settings and the roster in folders of the fuzzer's own: nothing reaches the user's
// applications or files.
bool
make_folders()
{
	char pattern[] = "/tmp/fuzz-iap-window-XXXXXX";
	if (mkdtemp(pattern) == NULL)
		return false;
	sFolder = pattern;
	setenv("XDG_CONFIG_HOME", pattern, 1);
	setenv("XDG_RUNTIME_DIR", pattern, 1);
	atexit(remove_folder);
	return true;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static bool ready = make_folders();
	if (!ready)
		return 0;

	BMessage message;
	if (unflatten_message(&message, data, size) != B_OK)
		return 0;
	TIAPView view(BRect(0, 0, 300, 200));
	if (message.what == MSG_IAP_ADD_COMPONENTS) {
		view.IAPAddComponentsRqtd(&message);
		// What was shown is rebuilt from the record as Cancel and Defaults do.
		view.SetComponents(0);
		view.SetComponents(2);
	} else {
		// A control's change for a component the window shows.
		BMessage offer(MSG_IAP_ADD_COMPONENTS);
		BMessage component;
		component.AddString("class", "BView");
		component.AddRect("_frame", BRect(0, 0, 100, 20));
		offer.AddMessage("FlatToolBar", &component);
		view.IAPAddComponentsRqtd(&offer);
		view.IAPControlChanged(&message);
		view.ButtonOKClicked();
	}
	return 0;
}
