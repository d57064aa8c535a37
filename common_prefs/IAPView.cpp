#include <common_prefs/IAPView.h>

#include <common_prefs/IAPItemAccKeyFormat.h>
#include <common_prefs/IAPMessages.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>
#include <util/AccLabel.h>
#include <util/SpyFilter.h>
#include <util/UIHelpers.h>

#include <AppDefs.h>
#include <Button.h>
#include <CheckBox.h>
#include <InterfaceDefs.h>
#include <MenuField.h>
#include <TextControl.h>
#include <Window.h>

#include <algorithm>
#include <string>

namespace {

// The window's own store signs its messages with this, which no item ever finds as its own
// application: the window never writes an item's file.
const char kViewSignature[] = "IAPView";
const BRect kButtonFrame(0, 0, 80, 25);
const uint32 kButtonFlags = B_WILL_DRAW | B_NAVIGABLE | B_FULL_UPDATE_ON_RESIZE;
const float kMargin = 10;
// Cancel stands apart from Defaults, OK close to Cancel.
const float kDefaultsGap = 30;

BButton*
make_button(const char* name, const char* key, uint32 what, BPoint where)
{
	BButton* button = new BButton(kButtonFrame, name, gLocale.GetString(key), new BMessage(what),
								  B_FOLLOW_RIGHT, kButtonFlags);
	button->MoveTo(where);
	return button;
}

} // namespace

TIAPView::TIAPView(BRect frame)
	: TDialogView(frame.OffsetToCopy(0, 0), "IAPView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	  mButtonCancel(NULL), mButtonDefaults(NULL), mButtonOK(NULL), mButtonContainer(NULL),
	  mLastComponent(NULL)
{
	mIAPs.SetAppSignatureRef(kViewSignature);
	mIAPs.AddItem(new TIAPItemAccKeyFormat());

	// Sizes are settled before a view takes children: resizing a view moves and stretches the
	// children it already has by their resizing modes.
	mButtonDefaults = make_button("ButtonDefaults", LKK_IAP_BUTTON_DEFAULTS,
								  MSG_IAP_BUTTON_DEFAULTS, BPoint(kMargin, kMargin));
	mButtonCancel = make_button("ButtonCancel", LKK_IAP_BUTTON_CANCEL, MSG_IAP_BUTTON_CANCEL,
								BPoint(mButtonDefaults->Frame().right + kDefaultsGap, kMargin));
	mButtonOK = make_button("ButtonOK", LKK_IAP_BUTTON_OK, MSG_IAP_BUTTON_OK,
							BPoint(mButtonCancel->Frame().right + kMargin, kMargin));
	mButtonContainer =
		new BView(BRect(0, 0, 100, 50), "ButtonContainer", B_FOLLOW_LEFT_RIGHT, B_WILL_DRAW);
	mButtonContainer->ResizeTo(mButtonOK->Frame().right + kMargin,
							   mButtonOK->Frame().bottom + kMargin);
	mButtonContainer->AddChild(mButtonDefaults);
	mButtonContainer->AddChild(mButtonCancel);
	mButtonContainer->AddChild(mButtonOK);
	mButtonContainer->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	ResizeTo(mButtonContainer->Frame().right, mButtonContainer->Frame().bottom);
	AddChild(mButtonContainer);

	mBindings.BindLabel(mButtonDefaults, LKK_IAP_BUTTON_DEFAULTS, "D");
	mBindings.BindLabel(mButtonCancel, LKK_IAP_BUTTON_CANCEL);
	mBindings.BindLabel(mButtonOK, LKK_IAP_BUTTON_OK);
	SetViewLabels();
}

TIAPView::~TIAPView() {}

void
TIAPView::AttachedToWindow()
{
	TDialogView::AttachedToWindow();
	// The window hears of a new interface language; this view relabels itself then.
	Window()->AddCommonFilter(new TSpyFilter(MSG_LANGUAGE_CHANGED, BMessenger(this)));
	mButtonOK->MakeDefault(true);
	// The buttons answer this view from the first, before any application offered its items.
	SetTargetToThis(this, false);
}

void
TIAPView::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_IAP_ADD_COMPONENTS:
		IAPAddComponentsRqtd(message);
		break;
	case MSG_IAP_ACTIVATE_WINDOW:
		IAPActivateWindowRqtd();
		break;
	case MSG_IAP_CONTROL_CHANGED:
		IAPControlChanged(message);
		break;
	case MSG_IAP_BUTTON_OK:
		ButtonOKClicked();
		break;
	case MSG_IAP_BUTTON_CANCEL:
		ButtonCancelClicked();
		break;
	case MSG_IAP_BUTTON_DEFAULTS:
		ButtonDefaultsClicked();
		break;
	case B_QUIT_REQUESTED:
		// The window decides, as for its close box.
		if (Window() != NULL)
			Window()->PostMessage(B_QUIT_REQUESTED);
		break;
	default:
		TDialogView::MessageReceived(message);
		break;
	}
}

void
TIAPView::IAPActivateWindowRqtd()
{
	BWindow* window = Window();
	if (window == NULL)
		return;
	if (window->IsHidden())
		window->Show();
	else
		window->Activate(true);
}

void
TIAPView::ButtonOKClicked()
{
	if (Window() != NULL)
		Window()->Hide();
	// What every application already follows becomes what Cancel brings back.
	char* name = NULL;
	type_code type = 0;
	for (int32 i = 0; mComponents.GetInfo(B_MESSAGE_TYPE, i, &name, &type) == B_OK; i++) {
		BMessage live;
		if (mComponents.FindMessage(name, 1, &live) == B_OK)
			mComponents.ReplaceMessage(name, 0, &live);
	}
}

void
TIAPView::ButtonCancelClicked()
{
	if (Window() != NULL && !Window()->IsHidden())
		Window()->Hide();
	SetComponents(0);
}

void
TIAPView::ButtonDefaultsClicked()
{
	SetComponents(2);
	SetViewLabels();
}

void
TIAPView::SetViewLabels()
{
	std::string format;
	mIAPs.GetString(IAP_ITEM_NAME_ACC_KEY_FORMAT, &format);
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		// A component's control is named after its label: the letter, then the text's key.
		BView* control = child->ChildAt(0);
		if (control == NULL || control->Name() == NULL || control->Name()[0] == '\0')
			continue;
		if (dynamic_cast<BCheckBox*>(control) == NULL &&
			dynamic_cast<BMenuField*>(control) == NULL &&
			dynamic_cast<BTextControl*>(control) == NULL)
			continue;
		const char* name = control->Name();
		std::string label =
			merge_accelerator_key(format, std::string(name, 1), gLocale.GetString(name + 1));
		set_view_label(control, label.c_str());
		// A menu field grows with its label; its component grows with it, so nothing is cut,
		// within what the window takes from an application.
		float right = std::min(control->Frame().right, MaxComponentWidth());
		if (right > child->Bounds().right)
			child->ResizeTo(right, child->Bounds().Height());
	}
	mBindings.SetLabels(format);
}

void
TIAPView::LanguageChanged()
{
	SetViewLabels();
	// Labels in another language may need more room.
	FitWindow();
}

void
TIAPView::ShortCutDown(int32 rawChar, int32 key)
{
	if (rawChar == B_ESCAPE) {
		click_button(mButtonCancel, false);
		return;
	}
	TDialogView::ShortCutDown(rawChar, key);
}
