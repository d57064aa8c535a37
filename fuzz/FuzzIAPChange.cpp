// Change messages of the common preferences reach every application of the maker from any
// process. Reads arbitrary bytes as such a message and hands it to a store holding all three
// items: the store takes a valid change or refuses it, whatever the fields and their types.
#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/IAPItemLocale.h>
#include <common_prefs/InterAppPrefs.h>

#include <Message.h>
#include <beapi/MessageFormats.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const char kSignature[] = "application/x-vnd.MOZELT-FuzzIAPChange";

std::string sFolder;

void
remove_folder()
{
	std::error_code ignored;
	std::filesystem::remove_all(sFolder, ignored);
}

// The items write their files into a settings folder of the fuzzer's own.
TInterAppPrefs*
make_store()
{
	char pattern[] = "/tmp/fuzz-iap-XXXXXX";
	if (mkdtemp(pattern) != NULL) {
		sFolder = pattern;
		setenv("XDG_CONFIG_HOME", pattern, 1);
		atexit(remove_folder);
	}
	TInterAppPrefs* store = new TInterAppPrefs();
	store->SetAppSignatureRef(kSignature);
	store->AddItem(new TIAPItemAccKeyFormat());
	store->AddItem(new TIAPItemFlatToolBar());
	store->AddItem(new TIAPItemLocale());
	return store;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static TInterAppPrefs* store = make_store();

	BMessage change;
	if (unflatten_message(&change, data, size) != B_OK)
		return 0;
	store->SetValue(change);
	return 0;
}
