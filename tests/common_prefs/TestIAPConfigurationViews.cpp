#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPItemFlatToolBar.h>
#include <common_prefs/IAPItemLocale.h>
#include <common_prefs/IAPMessages.h>

#include <tests/framework/SettingsFolder.h>

#include <CheckBox.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <TextControl.h>
#include <View.h>

#include <memory>

namespace {

using test_settings::SettingsTest;

const char kSignature[] = "application/x-vnd.test-IAPViews";

// The window writes the label from the control's name: the item leaves it empty.
bool
unlabelled(const char* label)
{
	return label == NULL || label[0] == '\0';
}

class IAPConfigurationViewTest : public SettingsTest {
protected:
	static std::unique_ptr<BView> MakeView(TIAPItem& item, bool defaults)
	{
		BView* view = NULL;
		EXPECT_EQ(item.MakeConfigurationView(&view, defaults), B_OK);
		return std::unique_ptr<BView>(view);
	}

	static void ExpectIdentifies(const BMessage* message, const char* item)
	{
		ASSERT_NE(message, nullptr);
		EXPECT_EQ(message->what, MSG_IAP_CONTROL_CHANGED);
		EXPECT_STREQ(message->GetString("IAP:SrcApp", ""), kSignature);
		EXPECT_STREQ(message->GetString("IAP:SrcIAPItem", ""), item);
	}
};

TEST_F(IAPConfigurationViewTest, AcceleratorFormatMenuOffersFiveFormatsAndMarksTheValue)
{
	TIAPItemAccKeyFormat item;
	item.SetAppSignatureRef(kSignature);
	item.SetString("\x01"
				   "a・");

	std::unique_ptr<BView> view = MakeView(item, false);
	ASSERT_NE(view, nullptr);
	EXPECT_STREQ(view->Name(), "AccKeyFormat2");
	EXPECT_EQ(view->ResizingMode(), B_FOLLOW_LEFT_RIGHT);
	ASSERT_EQ(view->CountChildren(), 1);
	BMenuField* field = dynamic_cast<BMenuField*>(view->ChildAt(0));
	ASSERT_NE(field, nullptr);
	EXPECT_STREQ(field->Name(), "AAccelerator Format: ");
	EXPECT_TRUE(unlabelled(field->Label()));
	EXPECT_EQ(field->Frame(), BRect(0, 0, 250, 16));
	EXPECT_EQ(view->Frame(), BRect(0, 0, 250, 19));

	BMenu* menu = field->Menu();
	ASSERT_NE(menu, nullptr);
	EXPECT_STREQ(menu->Name(), "Select...");
	EXPECT_TRUE(menu->IsRadioMode());
	EXPECT_TRUE(menu->IsLabelFromMarked());

	const char* labels[] = {"(a)", "a) ", "a・", "a - ", NULL, "(None)"};
	const char* formats[] = {"\x02(a)",
							 "\x01"
							 "a) ",
							 "\x01"
							 "a・",
							 "\x01"
							 "a - ",
							 NULL,
							 ""};
	ASSERT_EQ(menu->CountItems(), 6);
	for (int32 i = 0; i < 6; i++) {
		BMenuItem* entry = menu->ItemAt(i);
		if (labels[i] == NULL) {
			EXPECT_NE(dynamic_cast<BSeparatorItem*>(entry), nullptr);
			continue;
		}
		EXPECT_STREQ(entry->Label(), labels[i]);
		ExpectIdentifies(entry->Message(), "AccKeyFormat2");
		EXPECT_STREQ(entry->Message()->GetString("AccKeyFormat2", "unset"), formats[i]);
		EXPECT_EQ(entry->IsMarked(), i == 2) << labels[i];
	}

	// The defaults view marks the default whatever the value is.
	std::unique_ptr<BView> defaults = MakeView(item, true);
	BMenuField* defaultField = dynamic_cast<BMenuField*>(defaults->ChildAt(0));
	ASSERT_NE(defaultField, nullptr);
	EXPECT_EQ(defaultField->Menu()->FindMarkedIndex(), 0);

	// A format none of the entries offers marks none.
	item.SetString("\x01"
				   "[a]");
	std::unique_ptr<BView> unknown = MakeView(item, false);
	EXPECT_EQ(dynamic_cast<BMenuField*>(unknown->ChildAt(0))->Menu()->FindMarked(), nullptr);
}

TEST_F(IAPConfigurationViewTest, FlatToolBarBoxShowsTheCurrentOrDefaultFlag)
{
	TIAPItemFlatToolBar item;
	item.SetAppSignatureRef(kSignature);
	item.SetBool(false);

	std::unique_ptr<BView> view = MakeView(item, false);
	EXPECT_STREQ(view->Name(), "FlatToolBar");
	BCheckBox* checkBox = dynamic_cast<BCheckBox*>(view->ChildAt(0));
	ASSERT_NE(checkBox, nullptr);
	EXPECT_STREQ(checkBox->Name(), "FFlat Tool Bar");
	EXPECT_TRUE(unlabelled(checkBox->Label()));
	EXPECT_EQ(checkBox->Frame(), BRect(0, 0, 250, 25));
	EXPECT_EQ(view->Frame(), BRect(0, 0, 250, 25));
	EXPECT_EQ(checkBox->Value(), B_CONTROL_OFF);
	ExpectIdentifies(checkBox->Message(), "FlatToolBar");
	EXPECT_FALSE(checkBox->Message()->HasBool("FlatToolBar"));

	std::unique_ptr<BView> defaults = MakeView(item, true);
	EXPECT_EQ(dynamic_cast<BCheckBox*>(defaults->ChildAt(0))->Value(), B_CONTROL_ON);
}

TEST_F(IAPConfigurationViewTest, LocaleFieldReportsEveryEditAndInvokesNothing)
{
	TIAPItemLocale item;
	item.SetAppSignatureRef(kSignature);
	item.SetString("jaJP");

	std::unique_ptr<BView> view = MakeView(item, false);
	EXPECT_STREQ(view->Name(), "Locale");
	BTextControl* textControl = dynamic_cast<BTextControl*>(view->ChildAt(0));
	ASSERT_NE(textControl, nullptr);
	EXPECT_STREQ(textControl->Name(), "LLocale: ");
	EXPECT_EQ(textControl->Frame(), BRect(0, 0, 200, 25));
	EXPECT_EQ(view->Frame(), BRect(0, 0, 200, 25));
	EXPECT_STREQ(textControl->Text(), "jaJP");
	EXPECT_EQ(textControl->Message(), nullptr);
	ExpectIdentifies(textControl->ModificationMessage(), "Locale");

	std::unique_ptr<BView> defaults = MakeView(item, true);
	EXPECT_STREQ(dynamic_cast<BTextControl*>(defaults->ChildAt(0))->Text(), "enUS");
}

} // namespace
