#include "Watchdog.h"

#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/IAPItemLocale.h>
#include <common_prefs/IAPMessages.h>
#include <common_prefs/InterAppPrefs.h>

#include <tests/framework/SettingsFolder.h>

#include <AppDefs.h>
#include <Control.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <TypeConstants.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

using test_settings::SettingsTest;

const char kSignature[] = "application/x-vnd.test-IAPStore";

// Ports live in the runtime folder: every test has its own, and a watchdog ends a test whose
// looper or port hangs.
class InterAppPrefsTest : public SettingsTest {
protected:
	void SetUp() override
	{
		SettingsTest::SetUp();
		char folder[] = "/tmp/iap-runtime-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fRuntime = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
	}

	void TearDown() override
	{
		std::error_code ignored;
		test_settings::fs::remove_all(fRuntime, ignored);
		SettingsTest::TearDown();
	}

	// The next message on the port, unflattened.
	static BMessage ReadPortMessage(port_id port)
	{
		BMessage message;
		ssize_t size = port_buffer_size_etc(port, B_RELATIVE_TIMEOUT, 5000000);
		EXPECT_GT(size, 0);
		if (size <= 0)
			return message;
		std::string bytes(size, '\0');
		int32 code = -1;
		EXPECT_EQ(read_port(port, &code, bytes.data(), size), size);
		EXPECT_EQ(code, 0);
		EXPECT_EQ(message.Unflatten(bytes.data()), B_OK);
		return message;
	}

	Watchdog fWatchdog{60};
	std::string fRuntime;
};

// An observer's window: keeps a copy of every message it handles.
class RecordingLooper : public BLooper {
public:
	RecordingLooper() : BLooper("iap observer") {}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> guard(fLock);
		fMessages.push_back(*message);
		fChanged.notify_all();
	}

	std::vector<BMessage> WaitFor(size_t count)
	{
		std::unique_lock<std::mutex> guard(fLock);
		fChanged.wait_for(guard, std::chrono::seconds(10),
						  [&] { return fMessages.size() >= count; });
		return fMessages;
	}

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	std::vector<BMessage> fMessages;
};

void
quit_looper(BLooper* looper)
{
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}

bool
same_bytes(const BMessage& a, const BMessage& b)
{
	return test_settings::flatten(a) == test_settings::flatten(b);
}

TEST_F(InterAppPrefsTest, NamesNotHeldAreErrorsAndLeaveTheOutputAlone)
{
	TInterAppPrefs store;
	store.SetAppSignatureRef(kSignature);
	store.AddItem(new TIAPItemAccKeyFormat());

	bool flat = false;
	std::string text = "untouched";
	EXPECT_EQ(store.GetBool(IAP_ITEM_NAME_FLAT_TOOL_BAR, &flat), B_ERROR);
	EXPECT_FALSE(flat);
	EXPECT_EQ(store.GetString("Locale", &text), B_ERROR);
	EXPECT_EQ(text, "untouched");
	EXPECT_EQ(store.SetBool(IAP_ITEM_NAME_FLAT_TOOL_BAR, false), B_ERROR);
	EXPECT_EQ(store.SetString("Locale", "jaJP"), B_ERROR);
	// The kinds of value an item does not have are errors too.
	EXPECT_EQ(store.GetBool(IAP_ITEM_NAME_ACC_KEY_FORMAT, &flat), B_ERROR);
}

TEST_F(InterAppPrefsTest, ItemsFollowTheStoresSignature)
{
	TInterAppPrefs store;
	TIAPItemAccKeyFormat* early = new TIAPItemAccKeyFormat();
	store.AddItem(early);
	EXPECT_EQ(early->AppSignatureRef(), nullptr);
	store.SetAppSignatureRef(kSignature);
	EXPECT_EQ(early->AppSignatureRef(), kSignature);

	TIAPItemFlatToolBar* late = new TIAPItemFlatToolBar();
	store.AddItem(late);
	EXPECT_EQ(late->AppSignatureRef(), kSignature);
}

TEST_F(InterAppPrefsTest, SetStringAndSetBoolGoThroughToTheItems)
{
	TInterAppPrefs store;
	store.SetAppSignatureRef(kSignature);
	store.AddItem(new TIAPItemAccKeyFormat());
	store.AddItem(new TIAPItemFlatToolBar());

	EXPECT_EQ(store.SetString(IAP_ITEM_NAME_ACC_KEY_FORMAT, "\x01"
															"a) "),
			  B_OK);
	std::string format;
	EXPECT_EQ(store.GetString(IAP_ITEM_NAME_ACC_KEY_FORMAT, &format), B_OK);
	EXPECT_EQ(format, "\x01"
					  "a) ");

	EXPECT_EQ(store.SetBool(IAP_ITEM_NAME_FLAT_TOOL_BAR, false), B_OK);
	bool flat = true;
	EXPECT_EQ(store.GetBool(IAP_ITEM_NAME_FLAT_TOOL_BAR, &flat), B_OK);
	EXPECT_FALSE(flat);
	// The flag set directly is this application's alone: no file is written.
	EXPECT_FALSE(test_settings::fs::exists(SettingsPath("Shared", "FlatToolBar.arc")));
}

TEST_F(InterAppPrefsTest, ChangesForItemsNotHeldOrRejectedNotifyNobody)
{
	TInterAppPrefs store;
	store.SetAppSignatureRef(kSignature);
	store.AddItem(new TIAPItemAccKeyFormat());
	store.AddItem(new TIAPItemLocale());
	RecordingLooper* observer = new RecordingLooper();
	observer->Run();
	store.AddObserver(BMessenger(observer));

	BMessage flat(MSG_IAP_CHANGED);
	flat.AddString("IAP:SrcApp", kSignature);
	flat.AddString("IAP:SrcIAPItem", "FlatToolBar");
	flat.AddBool("FlatToolBar", false);
	EXPECT_EQ(store.SetValue(flat), B_ERROR);

	BMessage anonymous(MSG_IAP_CHANGED);
	anonymous.AddString("AccKeyFormat2", "");
	EXPECT_EQ(store.SetValue(anonymous), B_ERROR);

	BMessage halfCode(MSG_IAP_CHANGED);
	halfCode.AddString("IAP:SrcIAPItem", "Locale");
	halfCode.AddString("Locale", "ja");
	EXPECT_EQ(store.SetValue(halfCode), B_ERROR);

	// A message the store takes is the first the observer sees.
	BMessage accepted(MSG_IAP_CHANGED);
	accepted.AddString("IAP:SrcApp", "application/x-vnd.test-elsewhere");
	accepted.AddString("IAP:SrcIAPItem", "AccKeyFormat2");
	accepted.AddString("AccKeyFormat2", "\x01"
										"a - ");
	EXPECT_EQ(store.SetValue(accepted), B_OK);
	std::vector<BMessage> seen = observer->WaitFor(1);
	ASSERT_EQ(seen.size(), 1u);
	EXPECT_STREQ(seen[0].GetString("IAP:SrcIAPItem", ""), "AccKeyFormat2");
	std::string format;
	store.GetString(IAP_ITEM_NAME_ACC_KEY_FORMAT, &format);
	EXPECT_EQ(format, "\x01"
					  "a - ");
	quit_looper(observer);
}

TEST_F(InterAppPrefsTest, ObserversReceiveTheAppliedMessageEvenPastAClosedOne)
{
	TInterAppPrefs store;
	store.SetAppSignatureRef(kSignature);
	store.AddItem(new TIAPItemFlatToolBar());

	RecordingLooper* first = new RecordingLooper();
	RecordingLooper* closed = new RecordingLooper();
	RecordingLooper* last = new RecordingLooper();
	first->Run();
	closed->Run();
	last->Run();
	store.AddObserver(BMessenger(first));
	store.AddObserver(BMessenger(closed));
	store.AddObserver(BMessenger(last));
	// Registered twice, told twice.
	store.AddObserver(BMessenger(last));
	quit_looper(closed);

	BMessage change(MSG_IAP_CHANGED);
	change.AddString("IAP:SrcApp", kSignature);
	change.AddString("IAP:SrcIAPItem", "FlatToolBar");
	change.AddBool("FlatToolBar", false);
	change.AddInt32("extra", 7);
	ASSERT_EQ(store.SetValue(change), B_OK);

	std::vector<BMessage> firstSeen = first->WaitFor(1);
	std::vector<BMessage> lastSeen = last->WaitFor(2);
	ASSERT_EQ(firstSeen.size(), 1u);
	ASSERT_EQ(lastSeen.size(), 2u);
	EXPECT_TRUE(same_bytes(firstSeen[0], change));
	EXPECT_TRUE(same_bytes(lastSeen[0], change));
	EXPECT_TRUE(same_bytes(lastSeen[1], change));

	// The file follows the change in every application.
	BMessage file;
	std::string bytes = test_settings::read_file(SettingsPath("Shared", "FlatToolBar.arc"));
	ASSERT_EQ(file.Unflatten(bytes.data()), B_OK);
	EXPECT_FALSE(file.GetBool("FlatToolBar", true));
	quit_looper(first);
	quit_looper(last);
}

TEST_F(InterAppPrefsTest, OfferedComponentsCarryCurrentStateTwiceAndThenTheDefault)
{
	// The flat-toolbar flag was switched off earlier.
	{
		TIAPItemFlatToolBar earlier;
		earlier.SetAppSignatureRef(kSignature);
		BMessage off;
		earlier.GetValue(&off, false);
		off.ReplaceBool("FlatToolBar", false);
		ASSERT_EQ(earlier.SetValue(off), B_OK);
	}

	TInterAppPrefs store;
	store.SetAppSignatureRef(kSignature);
	store.AddItem(new TIAPItemLocale());
	store.AddItem(new TIAPItemFlatToolBar());
	store.AddItem(new TIAPItemAccKeyFormat());
	store.SetString(IAP_ITEM_NAME_ACC_KEY_FORMAT, "");

	port_id port = create_port(IAP_PORT_CAPACITY, PORT_NAME);
	ASSERT_GE(port, 0);
	EXPECT_EQ(find_port(PORT_NAME), port);
	ASSERT_EQ(store.AddComponents(port), B_OK);
	BMessage offer = ReadPortMessage(port);
	EXPECT_EQ(offer.what, MSG_IAP_ADD_COMPONENTS);

	// One field per item, in byte-wise name order.
	const char* names[] = {"AccKeyFormat2", "FlatToolBar", "Locale"};
	ASSERT_EQ(offer.CountNames(B_ANY_TYPE), 3);
	for (int32 i = 0; i < 3; i++) {
		char* name = NULL;
		type_code type = 0;
		int32 count = 0;
		ASSERT_EQ(offer.GetInfo(B_MESSAGE_TYPE, i, &name, &type, &count), B_OK);
		EXPECT_STREQ(name, names[i]);
		EXPECT_EQ(count, 3) << names[i];

		BMessage current, again, defaults;
		ASSERT_EQ(offer.FindMessage(names[i], 0, &current), B_OK);
		ASSERT_EQ(offer.FindMessage(names[i], 1, &again), B_OK);
		ASSERT_EQ(offer.FindMessage(names[i], 2, &defaults), B_OK);
		EXPECT_TRUE(same_bytes(current, again)) << names[i];
		for (const BMessage* state : {&current, &defaults}) {
			EXPECT_EQ(state->what, MSG_IAP_CHANGED);
			EXPECT_STREQ(state->GetString("IAP:SrcApp", ""), kSignature);
			EXPECT_STREQ(state->GetString("IAP:SrcIAPItem", ""), names[i]);
			// The archived configuration view and its one control.
			EXPECT_STREQ(state->GetString("_name", ""), names[i]);
			EXPECT_TRUE(state->HasMessage("_views"));
		}
	}

	BMessage format, formatDefault, flat, flatDefault, locale;
	offer.FindMessage("AccKeyFormat2", 0, &format);
	offer.FindMessage("AccKeyFormat2", 2, &formatDefault);
	offer.FindMessage("FlatToolBar", 0, &flat);
	offer.FindMessage("FlatToolBar", 2, &flatDefault);
	offer.FindMessage("Locale", 2, &locale);
	EXPECT_STREQ(format.GetString("AccKeyFormat2", "unset"), "");
	EXPECT_STREQ(formatDefault.GetString("AccKeyFormat2", ""), "\x02(a)");
	EXPECT_FALSE(flat.GetBool("FlatToolBar", true));
	EXPECT_TRUE(flatDefault.GetBool("FlatToolBar", false));
	EXPECT_STREQ(locale.GetString("Locale", ""), "enUS");

	// The check box's state travels in the archive too, as the window reads it back.
	BMessage checkBox;
	ASSERT_EQ(flatDefault.FindMessage("_views", &checkBox), B_OK);
	EXPECT_EQ(checkBox.GetInt32("_val", 0), B_CONTROL_ON);
	ASSERT_EQ(flat.FindMessage("_views", &checkBox), B_OK);
	EXPECT_FALSE(checkBox.HasInt32("_val"));

	// A default state applied as a change restores the default.
	ASSERT_EQ(store.SetValue(flatDefault), B_OK);
	bool value = false;
	store.GetBool(IAP_ITEM_NAME_FLAT_TOOL_BAR, &value);
	EXPECT_TRUE(value);
	delete_port(port);
}

TEST_F(InterAppPrefsTest, ClosingAskedOnlyOfTheCreatorUnlessForced)
{
	TInterAppPrefs store;
	store.SetAppSignatureRef(kSignature);

	// No window anywhere: nothing to close.
	EXPECT_EQ(store.CloseWindow(false), B_OK);
	EXPECT_EQ(store.CloseWindow(true), B_OK);

	port_id port = create_port(IAP_PORT_CAPACITY, PORT_NAME);
	ASSERT_GE(port, 0);
	EXPECT_EQ(store.CloseWindow(false), B_ERROR);
	EXPECT_EQ(port_count(port), 0);

	EXPECT_EQ(store.CloseWindow(true), B_OK);
	EXPECT_EQ(ReadPortMessage(port).what, (uint32)B_QUIT_REQUESTED);

	store.ActivateWindow(port);
	BMessage activate = ReadPortMessage(port);
	EXPECT_EQ(activate.what, MSG_IAP_ACTIVATE_WINDOW);
	EXPECT_TRUE(activate.IsEmpty());

	// A port that has gone loses the message without complaint.
	delete_port(port);
	BMessage lost(MSG_IAP_ACTIVATE_WINDOW);
	EXPECT_EQ(store.SendMessage(port, &lost), B_OK);
	EXPECT_EQ(store.CloseWindow(true), B_OK);
}

} // namespace
