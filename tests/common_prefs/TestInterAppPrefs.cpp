#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/IAPMessages.h>
#include <common_prefs/InterAppPrefs.h>

#include <tests/framework/SettingsFolder.h>

#include <Message.h>

namespace {

using test_settings::SettingsTest;

const char kSignature[] = "application/x-vnd.test-IAPStore";

class InterAppPrefsTest : public SettingsTest {};

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

} // namespace
