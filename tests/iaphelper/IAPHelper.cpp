// A small application of the maker for the common preferences tests, started as a real process:
// it registers the items it is given under the signature it is given, opens the common
// preferences when asked, writes every change notice its store takes to a file, and drives the
// common preferences window it hosts as a person would, on the test's command.
//
//   iap_test_helper SIGNATURE OUTPUT ITEMS     ITEMS: letters a (accelerator format),
//                                              f (flat toolbar), l (locale)

#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/IAPItemLocale.h>
#include <common_prefs/IAPMessages.h>
#include <common_prefs/IAPView.h>
#include <common_prefs/IAPWindow.h>
#include <common_prefs/InterAppPrefs.h>

#include <AppDefs.h>
#include <Application.h>
#include <Button.h>
#include <CheckBox.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <MessageRunner.h>
#include <TextControl.h>
#include <TextView.h>

#include <headless/HeadlessDisplay.h>
#include <headless/HeadlessInput.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace BPrivate::headless;

TInterAppPrefs gIAPs;

namespace {

// Ends a helper that the test forgot, so that nothing lingers.
const bigtime_t kLifetime = 120000000;
const BRect kWindowFrame(100, 100, 400, 300);

// Bytes below the blank are written as \xNN, so every line stays one line.
std::string
printable(const std::string& text)
{
	std::string out;
	for (unsigned char c : text) {
		if (c < 0x20 || c == '\\') {
			char escaped[8];
			snprintf(escaped, sizeof escaped, "\\x%02x", c);
			out += escaped;
		} else {
			out += char(c);
		}
	}
	return out;
}

BPoint
middle(BView* view)
{
	BRect frame = view->Bounds();
	return view->ConvertToScreen(
			   BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2)) -
		   view->Window()->Frame().LeftTop();
}

class HelperApp : public BApplication {
public:
	HelperApp(const char* signature, const char* output) : BApplication(signature), fOutput(output)
	{}

	void ReadyToRun() override
	{
		BMessage quit(B_QUIT_REQUESTED);
		fLifetime = new BMessageRunner(be_app_messenger, &quit, kLifetime, 1);
		Write("ready");
	}

	void MessageReceived(BMessage* message) override
	{
		BMessage reply('done');
		switch (message->what) {
		case MSG_IAP_CHANGED:
			Changed(*message);
			return;
		case MSG_IAP_WINDOW_HIDDEN:
			Write("iahd");
			return;
		case 'show':
			reply.AddInt32("status", gIAPs.ShowWindow(kWindowFrame));
			break;
		case 'look':
			Look(&reply);
			break;
		case 'menu':
			reply.AddInt32("status", Choose(message->GetInt32("index", 0)));
			break;
		case 'clik':
			reply.AddInt32("status", Click(message->GetString("view", "")));
			break;
		case 'key ':
			reply.AddInt32("status", Key(message->GetString("key", ""),
										 modifier_bits(message->GetString("modifier", ""))));
			break;
		case 'type':
			reply.AddInt32("status", TypeLocale(message->GetString("text", "")));
			break;
		case 'clos': {
			TIAPWindow* window = Window();
			status_t status = window != NULL ? close(window) : B_ERROR;
			if (status == B_OK)
				status = sync(window);
			reply.AddInt32("status", status);
			break;
		}
		case 'shot': {
			TIAPWindow* window = Window();
			status_t status = window != NULL ? sync(window) : B_ERROR;
			if (status == B_OK)
				status = screenshot(window, message->GetString("path", ""));
			reply.AddInt32("status", status);
			break;
		}
		case 'quit':
			message->SendReply(&reply);
			Quit();
			return;
		default:
			BApplication::MessageReceived(message);
			return;
		}
		message->SendReply(&reply);
	}

	void Quit() override
	{
		delete fLifetime;
		fLifetime = NULL;
		Write("quit");
		BApplication::Quit();
	}

private:
	void Changed(const BMessage& message)
	{
		const char* item = message.GetString(IAP_FIELD_SRC_IAP_ITEM, "");
		status_t status = gIAPs.SetValue(message);
		std::string value;
		bool flag = false;
		if (gIAPs.GetString(item, &value) != B_OK && gIAPs.GetBool(item, &flag) == B_OK)
			value = flag ? "true" : "false";
		Write("ipc " + std::string(item) + " " + std::to_string(status) + " " + printable(value));
	}

	// The common preferences window, when this application shows it.
	TIAPWindow* Window() const
	{
		for (int32 i = 0; BWindow* window = WindowAt(i); i++) {
			if (TIAPWindow* found = dynamic_cast<TIAPWindow*>(window))
				return found;
		}
		return NULL;
	}

	void Look(BMessage* reply)
	{
		TIAPWindow* window = Window();
		reply->AddBool("exists", window != NULL);
		if (window == NULL || !window->Lock())
			return;
		reply->AddBool("hidden", window->IsHidden());
		reply->AddRect("frame", window->Frame());
		reply->AddString("title", window->Title());
		TIAPView* view = window->View();
		reply->AddRect("bounds", view->Bounds());
		for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
			reply->AddString("child", child->Name());
			reply->AddRect("childFrame", child->Frame());
			BView* control = child->ChildAt(0);
			if (BMenuField* field = dynamic_cast<BMenuField*>(control)) {
				reply->AddString("label", field->Label());
				BMenuItem* marked = field->Menu()->FindMarked();
				reply->AddString("marked", marked != NULL ? marked->Label() : "");
				reply->AddString("shown",
								 field->MenuItem() != NULL ? field->MenuItem()->Label() : "");
			} else if (BCheckBox* box = dynamic_cast<BCheckBox*>(control)) {
				reply->AddString("label", box->Label());
				reply->AddInt32("value", box->Value());
			} else if (BTextControl* text = dynamic_cast<BTextControl*>(control)) {
				reply->AddString("label", text->Label());
				reply->AddString("text", text->Text());
			} else if (BButton* button = dynamic_cast<BButton*>(control)) {
				reply->AddString("label", button->Label());
			}
		}
		reply->AddMessage("record", &view->ComponentRecord());
		window->Unlock();
	}

	BView* FindInWindow(TIAPWindow* window, const char* name)
	{
		BView* found = NULL;
		if (window->Lock()) {
			found = window->FindView(name);
			window->Unlock();
		}
		return found;
	}

	status_t Click(const char* name)
	{
		TIAPWindow* window = Window();
		if (window == NULL)
			return B_ERROR;
		BView* view = FindInWindow(window, name);
		if (view == NULL)
			return B_NAME_NOT_FOUND;
		window->Lock();
		BPoint where = middle(view);
		window->Unlock();
		status_t status = click(window, where);
		return status == B_OK ? sync(window) : status;
	}

	// Opens the format menu with a click and clicks its entry at the index.
	status_t Choose(int32 index)
	{
		TIAPWindow* window = Window();
		if (window == NULL)
			return B_ERROR;
		BMenuField* field = NULL;
		BPoint where;
		std::string title;
		if (!window->Lock())
			return B_ERROR;
		BView* component = window->FindView("AccKeyFormat2");
		field = component != NULL ? dynamic_cast<BMenuField*>(component->ChildAt(0)) : NULL;
		if (field != NULL) {
			where = middle(field->MenuBar());
			// The open menu's window bears the menu's name.
			title = field->Menu()->Name();
		}
		window->Unlock();
		if (field == NULL)
			return B_NAME_NOT_FOUND;
		status_t status = click(window, where);
		if (status != B_OK)
			return status;
		BWindow* menuWindow = wait_for_window(title.c_str());
		if (menuWindow == NULL || !menuWindow->Lock())
			return B_TIMED_OUT;
		BMenuItem* item = field->Menu()->ItemAt(index);
		BRect frame = item != NULL ? item->Frame() : BRect();
		menuWindow->Unlock();
		if (item == NULL)
			return B_BAD_INDEX;
		status = click(menuWindow,
					   BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2));
		if (status != B_OK)
			return status;
		BPrivate::HeadlessDisplay* display = BPrivate::HeadlessDisplay::Get();
		for (int i = 0; i < 3000 && display->IsShown(menuWindow); i++)
			snooze(10000);
		return sync(window);
	}

	status_t Key(const char* key, uint32 modifiers)
	{
		TIAPWindow* window = Window();
		if (window == NULL)
			return B_ERROR;
		status_t status = press_key(window, key, modifiers);
		return status == B_OK ? sync(window) : status;
	}

	// Puts text in place of the locale field's text, a key at a time.
	status_t TypeLocale(const char* text)
	{
		TIAPWindow* window = Window();
		if (window == NULL)
			return B_ERROR;
		BView* component = FindInWindow(window, "Locale");
		BTextControl* control = NULL;
		BPoint where;
		if (component != NULL && window->Lock()) {
			control = dynamic_cast<BTextControl*>(component->ChildAt(0));
			if (control != NULL)
				where = middle(control->TextView());
			window->Unlock();
		}
		if (control == NULL)
			return B_NAME_NOT_FOUND;
		status_t status = click(window, where);
		if (status == B_OK)
			status = press_key(window, "end");
		for (int i = 0; i < 8 && status == B_OK; i++)
			status = press_key(window, "backspace");
		if (status == B_OK && text[0] != '\0')
			status = type_text(window, text);
		return status == B_OK ? sync(window) : status;
	}

	void Write(const std::string& line)
	{
		FILE* file = fopen(fOutput.c_str(), "a");
		if (file == NULL)
			return;
		fprintf(file, "%s\n", line.c_str());
		fclose(file);
	}

	std::string fOutput;
	BMessageRunner* fLifetime = NULL;
};

} // namespace

int
main(int argc, char** argv)
{
	if (argc < 4) {
		fprintf(stderr, "usage: %s SIGNATURE OUTPUT ITEMS\n", argv[0]);
		return 2;
	}
	gIAPs.SetAppSignatureRef(argv[1]);
	if (strchr(argv[3], 'a') != NULL)
		gIAPs.AddItem(new TIAPItemAccKeyFormat());
	if (strchr(argv[3], 'f') != NULL)
		gIAPs.AddItem(new TIAPItemFlatToolBar());
	if (strchr(argv[3], 'l') != NULL)
		gIAPs.AddItem(new TIAPItemLocale());
	HelperApp* app = new HelperApp(argv[1], argv[2]);
	if (app->InitCheck() != B_OK) {
		delete app;
		return 1;
	}
	app->Run();
	delete app;
	return 0;
}
