#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/IAPItemLocale.h>
#include <common_prefs/IAPMessages.h>

#include <tests/framework/SettingsFolder.h>

#include <CheckBox.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <TextControl.h>
#include <View.h>

#include "ModifierState.h"

#include <memory>

namespace {

using test_settings::SettingsTest;
namespace fs = test_settings::fs;

const char kOwnSignature[] = "application/x-vnd.test-IAPOwn";
const char kOtherSignature[] = "application/x-vnd.test-IAPOther";
const std::string kDefaultFormat = "\x02(a)";

class IAPItemTest : public SettingsTest {
protected:
	void TearDown() override
	{
		BPrivate::set_modifiers(0);
		SettingsTest::TearDown();
	}

	std::string ItemPath(const std::string& name) const
	{
		return SettingsPath("Shared", name + ".arc");
	}

	void WriteItemFile(const std::string& name, const BMessage& message)
	{
		fs::create_directories(SettingsPath("Shared"));
		test_settings::write_message(ItemPath(name), message);
	}

	BMessage ReadItemFile(const std::string& name)
	{
		BMessage message;
		std::string bytes = test_settings::read_file(ItemPath(name));
		EXPECT_EQ(message.Unflatten(bytes.data()), B_OK) << name;
		return message;
	}

	// A change message as the common preferences window sends it: the component as it now
	// stands archived deep, with the identifying fields but no value field.
	static BMessage ChangeFromView(BView* component, const char* item, const char* source)
	{
		BMessage change(MSG_IAP_CHANGED);
		change.AddString(IAP_FIELD_SRC_APP, source);
		change.AddString(IAP_FIELD_SRC_IAP_ITEM, item);
		EXPECT_EQ(component->Archive(&change, true), B_OK);
		return change;
	}
};

TEST_F(IAPItemTest, FirstRunWithoutFilesGivesTheDefaults)
{
	TIAPItemAccKeyFormat format;
	TIAPItemFlatToolBar flat;
	TIAPItemLocale locale;

	std::string text;
	EXPECT_EQ(format.GetString(&text, false), B_OK);
	EXPECT_EQ(text, kDefaultFormat);
	bool value = false;
	EXPECT_EQ(flat.GetBool(&value, false), B_OK);
	EXPECT_TRUE(value);
	EXPECT_EQ(locale.GetString(&text, false), B_OK);
	EXPECT_EQ(text, "enUS");
	// Reading creates no file.
	EXPECT_FALSE(fs::exists(ItemPath("AccKeyFormat2")));
	EXPECT_FALSE(fs::exists(ItemPath("FlatToolBar")));
}

TEST_F(IAPItemTest, StoredValuesAreReadAndFilesWithoutTheFieldGiveTheDefault)
{
	BMessage flatOff;
	flatOff.AddBool("FlatToolBar", false);
	WriteItemFile("FlatToolBar", flatOff);
	BMessage format;
	format.AddString("AccKeyFormat2", "\x01"
									  "a・");
	WriteItemFile("AccKeyFormat2", format);
	BMessage locale;
	locale.AddString("IAP:SrcApp", kOtherSignature);
	WriteItemFile("Locale", locale);

	bool flat = true;
	TIAPItemFlatToolBar().GetBool(&flat, false);
	EXPECT_FALSE(flat);
	// The defaults stay what they are whatever the file holds.
	TIAPItemFlatToolBar().GetBool(&flat, true);
	EXPECT_TRUE(flat);
	std::string text;
	TIAPItemAccKeyFormat().GetString(&text, false);
	EXPECT_EQ(text, "\x01"
					"a・");
	TIAPItemLocale().GetString(&text, false);
	EXPECT_EQ(text, "enUS");

	// A field of the wrong type is as good as none, and so is a damaged file.
	BMessage wrongType;
	wrongType.AddInt32("FlatToolBar", 0);
	WriteItemFile("FlatToolBar", wrongType);
	TIAPItemFlatToolBar().GetBool(&flat, false);
	EXPECT_TRUE(flat);
	test_settings::write_file(ItemPath("AccKeyFormat2"), "not a message");
	TIAPItemAccKeyFormat().GetString(&text, false);
	EXPECT_EQ(text, kDefaultFormat);
}

TEST_F(IAPItemTest, SavedFileHoldsTheValueAndTheSavingApplication)
{
	TIAPItemLocale locale;
	locale.SetAppSignatureRef(kOwnSignature);
	ASSERT_EQ(locale.SetString("jaJP"), B_OK);

	BMessage file = ReadItemFile("Locale");
	EXPECT_EQ(file.what, 0u);
	EXPECT_EQ(file.CountNames(B_ANY_TYPE), 2);
	EXPECT_STREQ(file.GetString("Locale", ""), "jaJP");
	EXPECT_STREQ(file.GetString("IAP:SrcApp", ""), kOwnSignature);
	// No temporary file is left beside it.
	EXPECT_EQ(test_settings::count_files_starting(SettingsPath("Shared"), "Locale"), 1);

	std::string text;
	TIAPItemLocale().GetString(&text, false);
	EXPECT_EQ(text, "jaJP");
}

TEST_F(IAPItemTest, AcceleratorFormatIsWrittenOnlyByTheApplicationTheChangeComesFrom)
{
	TIAPItemAccKeyFormat item;
	item.SetAppSignatureRef(kOwnSignature);

	BMessage fromOther;
	item.GetValue(&fromOther, false);
	fromOther.ReplaceString("IAP:SrcApp", kOtherSignature);
	fromOther.ReplaceString("AccKeyFormat2", "\x01"
											 "a) ");
	ASSERT_EQ(item.SetValue(fromOther), B_OK);
	std::string text;
	item.GetString(&text, false);
	EXPECT_EQ(text, "\x01"
					"a) ");
	EXPECT_FALSE(fs::exists(ItemPath("AccKeyFormat2")));

	BMessage fromOwn;
	item.GetValue(&fromOwn, false);
	fromOwn.ReplaceString("AccKeyFormat2", "");
	ASSERT_EQ(item.SetValue(fromOwn), B_OK);
	BMessage file = ReadItemFile("AccKeyFormat2");
	EXPECT_STREQ(file.GetString("AccKeyFormat2", "unset"), "");
	EXPECT_STREQ(file.GetString("IAP:SrcApp", ""), kOwnSignature);

	// Without the value the message changes nothing.
	BMessage empty(MSG_IAP_CHANGED);
	empty.AddString("IAP:SrcApp", kOwnSignature);
	EXPECT_EQ(item.SetValue(empty), B_ERROR);
	item.GetString(&text, false);
	EXPECT_EQ(text, "");
}

TEST_F(IAPItemTest, FlatToolBarTakesTheArchivedCheckBoxWhenTheValueFieldIsMissing)
{
	TIAPItemFlatToolBar item;
	item.SetAppSignatureRef(kOwnSignature);
	ASSERT_EQ(item.SetBool(false), B_OK);

	BView* view = NULL;
	ASSERT_EQ(item.MakeConfigurationView(&view, false), B_OK);
	std::unique_ptr<BView> component(view);
	BCheckBox* checkBox = dynamic_cast<BCheckBox*>(component->ChildAt(0));
	ASSERT_NE(checkBox, nullptr);

	// The check box was ticked in the window of another application: every application
	// that hears it writes the flag.
	checkBox->SetValue(B_CONTROL_ON);
	BMessage ticked = ChangeFromView(component.get(), "FlatToolBar", kOtherSignature);
	ASSERT_FALSE(ticked.HasBool("FlatToolBar"));
	ASSERT_EQ(item.SetValue(ticked), B_OK);
	bool flat = false;
	item.GetBool(&flat, false);
	EXPECT_TRUE(flat);
	EXPECT_TRUE(ReadItemFile("FlatToolBar").GetBool("FlatToolBar", false));

	checkBox->SetValue(B_CONTROL_OFF);
	ASSERT_EQ(item.SetValue(ChangeFromView(component.get(), "FlatToolBar", kOwnSignature)), B_OK);
	item.GetBool(&flat, false);
	EXPECT_FALSE(flat);
	EXPECT_FALSE(ReadItemFile("FlatToolBar").GetBool("FlatToolBar", true));

	// A value field wins over the archive.
	BMessage both = ChangeFromView(component.get(), "FlatToolBar", kOwnSignature);
	both.AddBool("FlatToolBar", true);
	ASSERT_EQ(item.SetValue(both), B_OK);
	item.GetBool(&flat, false);
	EXPECT_TRUE(flat);

	BMessage neither(MSG_IAP_CHANGED);
	neither.AddString("IAP:SrcIAPItem", "FlatToolBar");
	EXPECT_EQ(item.SetValue(neither), B_ERROR);
	item.GetBool(&flat, false);
	EXPECT_TRUE(flat);
}

TEST_F(IAPItemTest, LocaleCodesMustBeComplete)
{
	struct Case {
		const char* code;
		bool valid;
	} cases[] = {
		{"enUS", true},  {"jaJP", true},   {"de01", true},  {"zh_T", true},
		{"en", false},   {"enU", false},   {"EnUS", false}, {"enus", false},
		{"enUs", false}, {"enUSA", false}, {"", false},
	};
	for (const Case& c : cases)
		EXPECT_EQ(TIAPItemLocale::IsValidValue(c.code), c.valid) << c.code;

	TIAPItemLocale item;
	EXPECT_EQ(item.SetString("ja"), B_ERROR);
	std::string text;
	item.GetString(&text, false);
	EXPECT_EQ(text, "enUS");
	EXPECT_FALSE(fs::exists(ItemPath("Locale")));
}

TEST_F(IAPItemTest, TypingALocaleTakesEffectWithTheFourthCharacterOfAValidCode)
{
	TIAPItemLocale item;
	item.SetAppSignatureRef(kOwnSignature);
	BView* view = NULL;
	ASSERT_EQ(item.MakeConfigurationView(&view, false), B_OK);
	std::unique_ptr<BView> component(view);
	BTextControl* textControl = dynamic_cast<BTextControl*>(component->ChildAt(0));
	ASSERT_NE(textControl, nullptr);

	const char* typed[] = {"", "j", "ja", "jaJ"};
	for (const char* text : typed) {
		textControl->SetText(text);
		EXPECT_EQ(item.SetValue(ChangeFromView(component.get(), "Locale", kOtherSignature)),
				  B_ERROR)
			<< text;
	}
	std::string code;
	item.GetString(&code, false);
	EXPECT_EQ(code, "enUS");
	EXPECT_FALSE(fs::exists(ItemPath("Locale")));

	textControl->SetText("jaJP");
	EXPECT_EQ(item.SetValue(ChangeFromView(component.get(), "Locale", kOtherSignature)), B_OK);
	item.GetString(&code, false);
	EXPECT_EQ(code, "jaJP");
	EXPECT_STREQ(ReadItemFile("Locale").GetString("Locale", ""), "jaJP");

	// A component archive without the text view below the control carries no code.
	BMessage shallow(MSG_IAP_CHANGED);
	BMessage control;
	shallow.AddMessage("_views", &control);
	EXPECT_EQ(item.SetValue(shallow), B_ERROR);
}

TEST_F(IAPItemTest, HoldingEveryModifierThrowsTheFileAwayAndSkipsSaving)
{
	BMessage flatOff;
	flatOff.AddBool("FlatToolBar", false);
	WriteItemFile("FlatToolBar", flatOff);

	BPrivate::set_modifiers(B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY);
	TIAPItemFlatToolBar item;
	bool flat = false;
	item.GetBool(&flat, false);
	EXPECT_TRUE(flat);
	EXPECT_FALSE(fs::exists(ItemPath("FlatToolBar")));

	TIAPItemLocale locale;
	EXPECT_EQ(locale.SetString("jaJP"), B_OK);
	EXPECT_FALSE(fs::exists(ItemPath("Locale")));

	// Three of the four are an ordinary chord.
	BPrivate::set_modifiers(B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY);
	EXPECT_EQ(locale.SetString("jaJP"), B_OK);
	EXPECT_TRUE(fs::exists(ItemPath("Locale")));
}

} // namespace
