#include <common_prefs/IAPItemLocale.h>

#include <common_prefs/IAPMessages.h>
#include <locale/Locale.h>
#include <util/UIHelpers.h>

#include <Message.h>
#include <TextControl.h>

namespace {

const char kDefaultCode[] = "enUS";

// The first letter is the accelerator, the rest the locale key of the label.
const char kTextControlName[] = "LLocale: ";
const BRect kTextControlFrame(0, 0, 200, 25);

// A change made in the window carries the text control, and below it its text view, archived
// in the component.
const char kFieldChildViews[] = "_views";
const char kFieldText[] = "_text";

} // namespace

TIAPItemLocale::TIAPItemLocale() : TIAPItem(IAP_ITEM_NAME_LOCALE)
{
	LoadString(&mCode);
}

TIAPItemLocale::~TIAPItemLocale() {}

status_t
TIAPItemLocale::MakeConfigurationView(BView** view, bool defaults)
{
	if (view == NULL)
		return B_BAD_VALUE;

	std::string code;
	GetString(&code, defaults);
	BTextControl* textControl =
		new BTextControl(kTextControlFrame, kTextControlName, "", code.c_str(), NULL,
						 B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	BMessage* message = new BMessage(MSG_IAP_CONTROL_CHANGED);
	AddDefaultInfo(message);
	textControl->SetModificationMessage(message);

	BView* container =
		new BView(textControl->Bounds(), Name().c_str(), B_FOLLOW_LEFT_RIGHT, B_WILL_DRAW);
	container->AddChild(textControl);
	adjust_txt_ctrl_divider(textControl);
	*view = container;
	return B_OK;
}

status_t
TIAPItemLocale::GetValue(BMessage* message, bool defaults) const
{
	if (message == NULL)
		return B_BAD_VALUE;

	std::string code;
	GetString(&code, defaults);
	message->what = MSG_IAP_CHANGED;
	status_t status = AddDefaultInfo(message);
	status |= message->AddString(Name().c_str(), code);
	return status == B_OK ? B_OK : B_ERROR;
}

status_t
TIAPItemLocale::SetValue(const BMessage& message)
{
	std::string code;
	if (message.FindString(Name().c_str(), &code) != B_OK) {
		BMessage textControl;
		BMessage textView;
		if (message.FindMessage(kFieldChildViews, &textControl) != B_OK ||
			textControl.FindMessage(kFieldChildViews, &textView) != B_OK ||
			textView.FindString(kFieldText, &code) != B_OK)
			return B_ERROR;
	}

	if (!IsValidValue(code))
		return B_ERROR;

	mCode = code;
	SaveString(mCode);
	return B_OK;
}

status_t
TIAPItemLocale::GetString(std::string* value, bool defaults) const
{
	if (value == NULL)
		return B_BAD_VALUE;
	*value = defaults ? kDefaultCode : mCode;
	return B_OK;
}

status_t
TIAPItemLocale::SetString(const std::string& value)
{
	if (!IsValidValue(value))
		return B_ERROR;

	mCode = value;
	SaveString(mCode);
	return B_OK;
}

bool
TIAPItemLocale::IsValidValue(const std::string& code)
{
	return valid_language_code(code);
}
