#include <common_prefs/IAPItemFlatToolBar.h>

#include <common_prefs/IAPMessages.h>

#include <CheckBox.h>
#include <Message.h>

namespace {

const bool kDefaultFlat = true;

// The first letter is the accelerator, the rest the locale key of the label.
const char kCheckBoxName[] = "FFlat Tool Bar";
const BRect kCheckBoxFrame(0, 0, 250, 25);

// The state of a check box travels in its archive as a nonzero "_val".
const char kFieldChildViews[] = "_views";
const char kFieldValue[] = "_val";

} // namespace

TIAPItemFlatToolBar::TIAPItemFlatToolBar()
	: TIAPItem(IAP_ITEM_NAME_FLAT_TOOL_BAR), mFlat(kDefaultFlat)
{
	LoadBool(&mFlat);
}

TIAPItemFlatToolBar::~TIAPItemFlatToolBar() {}

status_t
TIAPItemFlatToolBar::MakeConfigurationView(BView** view, bool defaults)
{
	if (view == NULL)
		return B_BAD_VALUE;

	BMessage* message = new BMessage(MSG_IAP_CONTROL_CHANGED);
	AddDefaultInfo(message);
	BCheckBox* checkBox = new BCheckBox(kCheckBoxFrame, kCheckBoxName, "", message,
										B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	bool flat;
	GetBool(&flat, defaults);
	checkBox->SetValue(flat ? B_CONTROL_ON : B_CONTROL_OFF);

	BView* container =
		new BView(checkBox->Bounds(), Name().c_str(), B_FOLLOW_LEFT_RIGHT, B_WILL_DRAW);
	container->AddChild(checkBox);
	*view = container;
	return B_OK;
}

status_t
TIAPItemFlatToolBar::GetValue(BMessage* message, bool defaults) const
{
	if (message == NULL)
		return B_BAD_VALUE;

	bool flat;
	GetBool(&flat, defaults);
	message->what = MSG_IAP_CHANGED;
	status_t status = AddDefaultInfo(message);
	status |= message->AddBool(Name().c_str(), flat);
	return status == B_OK ? B_OK : B_ERROR;
}

status_t
TIAPItemFlatToolBar::SetValue(const BMessage& message)
{
	bool flat;
	if (message.FindBool(Name().c_str(), &flat) != B_OK) {
		// A change made in the window carries the check box itself, archived in the component.
		BMessage checkBox;
		if (message.FindMessage(kFieldChildViews, &checkBox) != B_OK)
			return B_ERROR;
		int32 value;
		flat = checkBox.FindInt32(kFieldValue, &value) == B_OK && value != 0;
	}

	mFlat = flat;
	SaveBool(mFlat);
	return B_OK;
}

status_t
TIAPItemFlatToolBar::GetBool(bool* value, bool defaults) const
{
	if (value == NULL)
		return B_BAD_VALUE;
	*value = defaults ? kDefaultFlat : mFlat;
	return B_OK;
}

// Direct calls change the value of this application only; the file keeps what the common
// preferences window chose.
status_t
TIAPItemFlatToolBar::SetBool(bool value)
{
	mFlat = value;
	return B_OK;
}
