#include <app/ItemViewInputAssist.h>

#include <app/ItemViewMessages.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>
#include <util/UIHelpers.h>

#include <Box.h>
#include <CheckBox.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>

#include <string>

namespace {

constexpr char kLayoutName[] = "PrefsViewInputAssistRsrc";

// Space offers every width but the last ("スペースの逆"), which only Shift+Space can type.
constexpr int32 kSpaceModeItems = 3;
constexpr int32 kShiftSpaceModeItems = 4;

template <class T>
T*
find_child(BView* parent, const char* name)
{
	return dynamic_cast<T*>(parent->FindView(name));
}

void
add_space_mode_items(BMenuField* field, uint32 what, int32 count)
{
	if (field == NULL || field->Menu() == NULL)
		return;
	for (int32 value = 0; value < count; value++) {
		field->Menu()->AddItem(
			new BMenuItem(gLocale.GetString(LKK_POP_MITEM_SPACE_MODE[value]),
						  TItemViewInputAssist::CreatePopMItemSpaceModeMessage(what, value)));
	}
}

// Marks the item standing for value. A value with no item (a hand-edited file) shows an empty
// choice: nothing is marked, and the stored value stays as it is until the user chooses.
void
mark_item(BMenuField* field, int32 value)
{
	if (field == NULL || field->Menu() == NULL)
		return;
	BMenu* menu = field->Menu();
	if (BMenuItem* item = menu->ItemAt(value)) {
		item->SetMarked(true);
		return;
	}
	if (BMenuItem* marked = menu->FindMarked())
		marked->SetMarked(false);
	if (BMenuItem* shown = field->MenuItem())
		shown->SetLabel("");
}

void
set_check_box(BCheckBox* box, bool on)
{
	if (box != NULL)
		box->SetValue(on ? B_CONTROL_ON : B_CONTROL_OFF);
}

void
set_label(BControl* control, const char* text)
{
	if (control != NULL)
		control->SetLabel(text);
}

void
set_mfield_label(BMenuField* field, const char* key)
{
	if (field == NULL)
		return;
	std::string label = gLocale.GetString(key);
	label += gLocale.GetString(LKK_COLON_SPACE);
	field->SetLabel(label.c_str());
	adjust_mfield_divider(field);
}

// Writes the box's state into the field and delivers the record; a page without the box
// changes nothing.
void
take_check_box(BCheckBox* box, bool* field)
{
	if (box == NULL)
		return;
	*field = box->Value() != B_CONTROL_OFF;
	send_preferences();
}

void
take_space_mode(BMessage* message, int32* field)
{
	int32 value = 0;
	if (message == NULL || message->FindInt32(SPACE_MODE_FIELD, &value) != B_OK)
		return;
	*field = value;
	send_preferences();
}

} // namespace

TItemViewInputAssist::TItemViewInputAssist()
	: TItemView(kLayoutName), mBoxSpaceMode(NULL), mCBoxTenKeyConfirmInput(NULL),
	  mCBoxTenKeyHalfInput(NULL), mCBoxFixedConfirmInput(NULL), mMFieldShiftSpaceMode(NULL),
	  mMFieldSpaceMode(NULL)
{
	GetChildPointers();
	if (mCBoxTenKeyHalfInput != NULL)
		mCBoxTenKeyHalfInput->SetMessage(new BMessage(MSG_CBOX_TEN_KEY_HALF_INPUT));
	if (mCBoxTenKeyConfirmInput != NULL)
		mCBoxTenKeyConfirmInput->SetMessage(new BMessage(MSG_CBOX_TEN_KEY_CONFIRM_INPUT));
	if (mCBoxFixedConfirmInput != NULL)
		mCBoxFixedConfirmInput->SetMessage(new BMessage(MSG_CBOX_FIXED_CONFIRM_INPUT));
	SetMFieldSpaceMode();
	SetMFieldShiftSpaceMode();
}

TItemViewInputAssist::~TItemViewInputAssist() {}

void
TItemViewInputAssist::GetChildPointers()
{
	mBoxSpaceMode = find_child<BBox>(this, "BoxSpaceMode");
	mCBoxTenKeyConfirmInput = find_child<BCheckBox>(this, "CBoxTenKeyConfirmInput");
	mCBoxTenKeyHalfInput = find_child<BCheckBox>(this, "CBoxTenKeyHalfInput");
	mCBoxFixedConfirmInput = find_child<BCheckBox>(this, "CBoxFixedConfirmInput");
	mMFieldShiftSpaceMode = find_child<BMenuField>(this, "MFieldShiftSpaceMode");
	mMFieldSpaceMode = find_child<BMenuField>(this, "MFieldSpaceMode");
	// A page that lacks a control it edits is not shown.
	if (mBoxSpaceMode == NULL || mCBoxTenKeyConfirmInput == NULL || mCBoxTenKeyHalfInput == NULL ||
		mCBoxFixedConfirmInput == NULL || mMFieldShiftSpaceMode == NULL || mMFieldSpaceMode == NULL)
		SetInitCheck(B_ERROR);
}

void
TItemViewInputAssist::SetMFieldSpaceMode()
{
	add_space_mode_items(mMFieldSpaceMode, MSG_POP_MITEM_SPACE_MODE, kSpaceModeItems);
}

void
TItemViewInputAssist::SetMFieldShiftSpaceMode()
{
	add_space_mode_items(mMFieldShiftSpaceMode, MSG_POP_MITEM_SHIFT_SPACE_MODE,
						 kShiftSpaceModeItems);
}

BMessage*
TItemViewInputAssist::CreatePopMItemSpaceModeMessage(uint32 what, int32 value)
{
	BMessage* message = new BMessage(what);
	message->AddInt32(SPACE_MODE_FIELD, value);
	return message;
}

void
TItemViewInputAssist::AllAttached()
{
	TItemView::AllAttached();
	SetViewLabels();
	UpdateCompos();
	SetTargetToThis(this, false);
	if (mMFieldSpaceMode != NULL && mMFieldSpaceMode->Menu() != NULL)
		mMFieldSpaceMode->Menu()->SetTargetForItems(this);
	if (mMFieldShiftSpaceMode != NULL && mMFieldShiftSpaceMode->Menu() != NULL)
		mMFieldShiftSpaceMode->Menu()->SetTargetForItems(this);
}

void
TItemViewInputAssist::SetViewLabels()
{
	set_label(mCBoxTenKeyHalfInput, gLocale.GetString(LKK_CBOX_TEN_KEY_HALF_INPUT));
	set_label(mCBoxTenKeyConfirmInput, gLocale.GetString(LKK_CBOX_TEN_KEY_CONFIRM_INPUT));
	set_label(mCBoxFixedConfirmInput, gLocale.GetString(LKK_CBOX_FIXED_CONFIRM_INPUT));
	if (mBoxSpaceMode != NULL)
		mBoxSpaceMode->SetLabel(gLocale.GetString(LKK_BOX_SPACE_MODE));
	set_mfield_label(mMFieldSpaceMode, LKK_MFIELD_SPACE_MODE);
	set_mfield_label(mMFieldShiftSpaceMode, LKK_MFIELD_SHIFT_SPACE_MODE);
}

void
TItemViewInputAssist::UpdateCompos()
{
	set_check_box(mCBoxTenKeyHalfInput, gPrefs.mTenKeyHalfInput);
	set_check_box(mCBoxTenKeyConfirmInput, gPrefs.mTenKeyConfirmInput);
	set_check_box(mCBoxFixedConfirmInput, gPrefs.mFixedConfirmInput);
	mark_item(mMFieldSpaceMode, gPrefs.mSpaceMode);
	mark_item(mMFieldShiftSpaceMode, gPrefs.mShiftSpaceMode);
}

void
TItemViewInputAssist::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_CBOX_TEN_KEY_HALF_INPUT:
		CBoxTenKeyHalfInputClicked();
		break;
	case MSG_CBOX_TEN_KEY_CONFIRM_INPUT:
		CBoxTenKeyConfirmInputClicked();
		break;
	case MSG_CBOX_FIXED_CONFIRM_INPUT:
		CBoxFixedConfirmInputClicked();
		break;
	case MSG_POP_MITEM_SPACE_MODE:
		PopMItemSpaceModeClicked(message);
		break;
	case MSG_POP_MITEM_SHIFT_SPACE_MODE:
		PopMItemShiftSpaceModeClicked(message);
		break;
	default:
		TItemView::MessageReceived(message);
		break;
	}
}

void
TItemViewInputAssist::CBoxTenKeyHalfInputClicked()
{
	take_check_box(mCBoxTenKeyHalfInput, &gPrefs.mTenKeyHalfInput);
}

void
TItemViewInputAssist::CBoxTenKeyConfirmInputClicked()
{
	take_check_box(mCBoxTenKeyConfirmInput, &gPrefs.mTenKeyConfirmInput);
}

void
TItemViewInputAssist::CBoxFixedConfirmInputClicked()
{
	take_check_box(mCBoxFixedConfirmInput, &gPrefs.mFixedConfirmInput);
}

void
TItemViewInputAssist::PopMItemSpaceModeClicked(BMessage* message)
{
	take_space_mode(message, &gPrefs.mSpaceMode);
}

void
TItemViewInputAssist::PopMItemShiftSpaceModeClicked(BMessage* message)
{
	take_space_mode(message, &gPrefs.mShiftSpaceMode);
}
