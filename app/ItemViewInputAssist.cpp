#include <app/ItemViewInputAssist.h>

#include <app/ItemViewMessages.h>
#include <app/PortMessageSender.h>
#include <app/Prefs.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <framework/ViewFinder.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>

#include <Box.h>
#include <CheckBox.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>

namespace {

constexpr char kLayoutName[] = "PrefsViewInputAssistRsrc";

// Space offers every width but the last ("スペースの逆"), which only Shift+Space can type.
constexpr int32 kSpaceModeItems = 3;
constexpr int32 kShiftSpaceModeItems = 4;

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

} // namespace

TItemViewInputAssist::TItemViewInputAssist()
	: TItemView(kLayoutName), mBoxSpaceMode(NULL), mCBoxTenKeyConfirmInput(NULL),
	  mCBoxTenKeyHalfInput(NULL), mCBoxFixedConfirmInput(NULL), mMFieldShiftSpaceMode(NULL),
	  mMFieldSpaceMode(NULL)
{
	GetChildPointers();
	BindControls();
	SetMFieldSpaceMode();
	SetMFieldShiftSpaceMode();
}

TItemViewInputAssist::~TItemViewInputAssist() {}

void
TItemViewInputAssist::GetChildPointers()
{
	TViewFinder views(this);
	mBoxSpaceMode = views.Find<BBox>("BoxSpaceMode");
	mCBoxTenKeyConfirmInput = views.Find<BCheckBox>("CBoxTenKeyConfirmInput");
	mCBoxTenKeyHalfInput = views.Find<BCheckBox>("CBoxTenKeyHalfInput");
	mCBoxFixedConfirmInput = views.Find<BCheckBox>("CBoxFixedConfirmInput");
	mMFieldShiftSpaceMode = views.Find<BMenuField>("MFieldShiftSpaceMode");
	mMFieldSpaceMode = views.Find<BMenuField>("MFieldSpaceMode");
	// A page that lacks a control it edits is not shown.
	SetInitCheck(views.InitCheck());
}

// Which field each control edits and what it sends (every change reaches the input method at
// once), then the labels in the order they are set; this page uses no accelerator letters.
void
TItemViewInputAssist::BindControls()
{
	mBindings.BindCheckBox(mCBoxTenKeyHalfInput, &gPrefs.mTenKeyHalfInput,
						   MSG_CBOX_TEN_KEY_HALF_INPUT, send_preferences);
	mBindings.BindCheckBox(mCBoxTenKeyConfirmInput, &gPrefs.mTenKeyConfirmInput,
						   MSG_CBOX_TEN_KEY_CONFIRM_INPUT, send_preferences);
	mBindings.BindCheckBox(mCBoxFixedConfirmInput, &gPrefs.mFixedConfirmInput,
						   MSG_CBOX_FIXED_CONFIRM_INPUT, send_preferences);
	mBindings.BindMenuField(mMFieldSpaceMode, &gPrefs.mSpaceMode, MSG_POP_MITEM_SPACE_MODE,
							SPACE_MODE_FIELD, send_preferences);
	mBindings.BindMenuField(mMFieldShiftSpaceMode, &gPrefs.mShiftSpaceMode,
							MSG_POP_MITEM_SHIFT_SPACE_MODE, SPACE_MODE_FIELD, send_preferences);

	mBindings.BindLabel(mCBoxTenKeyHalfInput, LKK_CBOX_TEN_KEY_HALF_INPUT);
	mBindings.BindLabel(mCBoxTenKeyConfirmInput, LKK_CBOX_TEN_KEY_CONFIRM_INPUT);
	mBindings.BindLabel(mCBoxFixedConfirmInput, LKK_CBOX_FIXED_CONFIRM_INPUT);
	mBindings.BindLabel(mBoxSpaceMode, LKK_BOX_SPACE_MODE);
	mBindings.BindLabel(mMFieldSpaceMode, LKK_MFIELD_SPACE_MODE, NULL, LKK_COLON_SPACE);
	mBindings.BindLabel(mMFieldShiftSpaceMode, LKK_MFIELD_SHIFT_SPACE_MODE, NULL, LKK_COLON_SPACE);
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
	mBindings.SetLabels(gAPAppPrivacy.mAccFormat);
	mBindings.UpdateCompos();
	SetTargetToThis(this, false);
	if (mMFieldSpaceMode != NULL && mMFieldSpaceMode->Menu() != NULL)
		mMFieldSpaceMode->Menu()->SetTargetForItems(this);
	if (mMFieldShiftSpaceMode != NULL && mMFieldShiftSpaceMode->Menu() != NULL)
		mMFieldShiftSpaceMode->Menu()->SetTargetForItems(this);
}

void
TItemViewInputAssist::MessageReceived(BMessage* message)
{
	if (!mBindings.Take(*message))
		TItemView::MessageReceived(message);
}

void
TItemViewInputAssist::CBoxTenKeyHalfInputClicked()
{
	mBindings.Take(BMessage(MSG_CBOX_TEN_KEY_HALF_INPUT));
}

void
TItemViewInputAssist::CBoxTenKeyConfirmInputClicked()
{
	mBindings.Take(BMessage(MSG_CBOX_TEN_KEY_CONFIRM_INPUT));
}

void
TItemViewInputAssist::CBoxFixedConfirmInputClicked()
{
	mBindings.Take(BMessage(MSG_CBOX_FIXED_CONFIRM_INPUT));
}

void
TItemViewInputAssist::PopMItemSpaceModeClicked(BMessage* message)
{
	if (message != NULL && message->what == MSG_POP_MITEM_SPACE_MODE)
		mBindings.Take(*message);
}

void
TItemViewInputAssist::PopMItemShiftSpaceModeClicked(BMessage* message)
{
	if (message != NULL && message->what == MSG_POP_MITEM_SHIFT_SPACE_MODE)
		mBindings.Take(*message);
}
