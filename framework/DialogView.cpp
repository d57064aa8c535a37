#include <framework/DialogView.h>

#include <framework/ShortCutReceiver.h>
#include <util/AccLabel.h>
#include <util/UIHelpers.h>

#include <Button.h>
#include <CheckBox.h>
#include <Control.h>
#include <InterfaceDefs.h>
#include <Invoker.h>
#include <MenuField.h>
#include <RadioButton.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include <cstring>

namespace {

bool
matches(const char* label, int32 rawChar)
{
	return label != NULL && short_cut_from_label(label) == rawChar;
}

} // namespace

TDialogView::TDialogView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
	: TBasicView(frame, name, resizingMode, flags)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}

TDialogView::TDialogView(BMessage* archive) : TBasicView(archive) {}

TDialogView::~TDialogView() {}

void
TDialogView::ShortCutDown(int32 rawChar, int32 key)
{
	if (rawChar != B_ENTER) {
		ApplyShortCut(this, rawChar, key);
		return;
	}

	BWindow* window = Window();
	if (window == NULL)
		return;
	BView* focus = window->CurrentFocus();
	if (BButton* button = dynamic_cast<BButton*>(focus)) {
		click_button(button, false);
		return;
	}
	// A multi-line text area takes Enter as a line break; the one inside a text field does
	// not.
	BTextView* textView = dynamic_cast<BTextView*>(focus);
	if (textView != NULL && dynamic_cast<BTextControl*>(textView->Parent()) == NULL) {
		const char lineBreak = B_ENTER;
		textView->KeyDown(&lineBreak, 1);
		return;
	}
	click_button(window->DefaultButton(), false);
}

status_t
TDialogView::ApplyShortCut(const BView* parent, int32 rawChar, int32 key) const
{
	if (parent == NULL)
		return B_ERROR;
	for (int32 i = 0; i < parent->CountChildren(); i++) {
		BView* child = parent->ChildAt(i);
		BControl* control = dynamic_cast<BControl*>(child);
		BMenuField* menuField = dynamic_cast<BMenuField*>(child);
		if (control != NULL && control->IsEnabled() && control->Label() != NULL) {
			bool match = matches(control->Label(), rawChar);
			if (BButton* button = dynamic_cast<BButton*>(control)) {
				if (match ||
					(rawChar == B_ESCAPE &&
					 strcmp(button->Name() != NULL ? button->Name() : "", "ButtonCancel") == 0)) {
					click_button(button, false);
					return B_OK;
				}
			} else if (dynamic_cast<BCheckBox*>(control) != NULL) {
				if (match) {
					control->MakeFocus(true);
					control->SetValue(control->Value() == B_CONTROL_OFF ? B_CONTROL_ON
																		: B_CONTROL_OFF);
					control->Invoke();
					return B_OK;
				}
			} else if (dynamic_cast<BRadioButton*>(control) != NULL) {
				if (match) {
					control->MakeFocus(true);
					control->SetValue(B_CONTROL_ON);
					control->Invoke();
					return B_OK;
				}
			} else if (TShortCutReceiver* receiver = dynamic_cast<TShortCutReceiver*>(control)) {
				if (match) {
					receiver->ShortCutPressed();
					return B_OK;
				}
			} else if (match) {
				control->MakeFocus(true);
				return B_OK;
			}
		} else if (menuField != NULL && menuField->IsEnabled() && menuField->Label() != NULL &&
				   matches(menuField->Label(), rawChar)) {
			menuField->MakeFocus(true);
			return B_OK;
		}
		if (ApplyShortCut(child, rawChar, key) == B_OK)
			return B_OK;
	}
	return B_ERROR;
}

void
TDialogView::SetTargetToThis(BView* view, bool force) const
{
	if (view == NULL)
		return;
	if (BInvoker* invoker = dynamic_cast<BInvoker*>(view)) {
		BLooper* looper = NULL;
		BHandler* handler = invoker->Target(&looper);
		BHandler* aimedAt = handler != NULL ? handler : looper;
		bool isDefault =
			!invoker->Messenger().IsValid() || (aimedAt != NULL && aimedAt == view->Looper());
		if (isDefault || force)
			invoker->SetTarget(this);
	}
	for (int32 i = 0; i < view->CountChildren(); i++)
		SetTargetToThis(view->ChildAt(i), force);
}
