#include <common_prefs/IAPItemAccKeyFormat.h>

#include <common_prefs/IAPMessages.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>

#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>

#include <cstring>

namespace {

const char kDefaultFormat[] = "\x02(a)";

// The formats offered, in menu order; a separator stands before the last, which shows no key.
const char* const kFormats[] = {"\x02(a)",
								"\x01"
								"a) ",
								"\x01"
								"a・",
								"\x01"
								"a - ",
								""};
const int32 kFormatCount = sizeof(kFormats) / sizeof(kFormats[0]);

const char kMenuTitle[] = "Select...";
// The first letter is the accelerator, the rest the locale key of the label.
const char kFieldName[] = "AAccelerator Format: ";
const BRect kFieldFrame(0, 0, 250, 16);
// The container is a little taller than the field, so that the field's frame fits.
const float kContainerExtraHeight = 3;

} // namespace

TIAPItemAccKeyFormat::TIAPItemAccKeyFormat() : TIAPItem(IAP_ITEM_NAME_ACC_KEY_FORMAT)
{
	LoadString(&mFormat);
}

TIAPItemAccKeyFormat::~TIAPItemAccKeyFormat() {}

status_t
TIAPItemAccKeyFormat::MakeConfigurationView(BView** view, bool defaults)
{
	if (view == NULL)
		return B_BAD_VALUE;

	BPopUpMenu* menu = new BPopUpMenu(kMenuTitle, true, true);
	for (int32 i = 0; i < kFormatCount; i++) {
		if (i == kFormatCount - 1)
			menu->AddSeparatorItem();
		AddMItem(menu, kFormats[i], defaults);
	}

	BMenuField* field = new BMenuField(kFieldFrame, kFieldName, "", menu, true,
									   B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	BRect bounds = field->Bounds();
	BView* container = new BView(BRect(0, 0, bounds.right, bounds.bottom + kContainerExtraHeight),
								 Name().c_str(), B_FOLLOW_LEFT_RIGHT, B_WILL_DRAW);
	container->AddChild(field);
	*view = container;
	return B_OK;
}

status_t
TIAPItemAccKeyFormat::GetValue(BMessage* message, bool defaults) const
{
	if (message == NULL)
		return B_BAD_VALUE;

	std::string format;
	GetString(&format, defaults);
	message->what = MSG_IAP_CHANGED;
	status_t status = AddDefaultInfo(message);
	status |= message->AddString(Name().c_str(), format);
	return status == B_OK ? B_OK : B_ERROR;
}

status_t
TIAPItemAccKeyFormat::SetValue(const BMessage& message)
{
	std::string format;
	if (message.FindString(Name().c_str(), &format) != B_OK)
		return B_ERROR;

	mFormat = format;
	// Every application hears the change; the file is written once, by the application whose
	// component the window shows.
	const char* source = NULL;
	const char* own = AppSignatureRef();
	if (message.FindString(IAP_FIELD_SRC_APP, &source) == B_OK && own != NULL &&
		strcmp(source, own) == 0)
		SaveString(mFormat);
	return B_OK;
}

status_t
TIAPItemAccKeyFormat::GetString(std::string* value, bool defaults) const
{
	if (value == NULL)
		return B_BAD_VALUE;
	*value = defaults ? kDefaultFormat : mFormat;
	return B_OK;
}

status_t
TIAPItemAccKeyFormat::SetString(const std::string& value)
{
	mFormat = value;
	SaveString(mFormat);
	return B_OK;
}

status_t
TIAPItemAccKeyFormat::AddMItem(BMenu* menu, const char* format, bool defaults) const
{
	if (menu == NULL || format == NULL)
		return B_BAD_VALUE;

	BMessage* message = new BMessage();
	GetValue(message, false);
	message->what = MSG_IAP_CONTROL_CHANGED;
	message->ReplaceString(Name().c_str(), format);

	const char* label = format[0] == '\0' ? gLocale.GetString(LKK_IAP_ACC_KEY_NONE) : format + 1;
	BMenuItem* item = new BMenuItem(label, message);
	if (!menu->AddItem(item)) {
		delete item;
		return B_ERROR;
	}

	std::string shown;
	GetString(&shown, defaults);
	if (shown == format)
		item->SetMarked(true);
	return B_OK;
}
