#include <app/ZorvyPrefsView.h>

#include <app/AppIdentity.h>
#include <app/ItemViewInput.h>
#include <app/ItemViewInputAssist.h>
#include <app/ItemViewPunctuationConvert.h>
#include <app/PortMessageSender.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <app/ZorvyPrefsMessages.h>
#include <framework/SettingsAlerts.h>
#include <framework/settings/SettingsProblems.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>

#include <Button.h>
#include <ListItem.h>
#include <ListView.h>
#include <Looper.h>
#include <Message.h>
#include <StringView.h>
#include <Window.h>

namespace {

const char* const kCategoryTexts[TZorvyPrefsView::kCategoryCount] = {
	LKK_SITEM_CATEGORY_INPUT,
	LKK_SITEM_CATEGORY_INPUT_ASSIST,
	LKK_SITEM_CATEGORY_PUNCTUATION_CONVERT,
};

constexpr rgb_color kDescriptionColor = {255, 255, 225, 255};

} // namespace

TZorvyPrefsView::TZorvyPrefsView()
	: TDialogView(BRect(), "ZorvyPrefsView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS),
	  mItemView(NULL), mItemViews{NULL, NULL, NULL}
{
	const uint32 follow = B_FOLLOW_LEFT | B_FOLLOW_TOP;
	BRect caption(10, 10, 130, 30);
	mStrViewCaption = new BStringView(caption, "StrViewCaption", "", follow);
	AddChild(mStrViewCaption);

	BRect list(caption.left, caption.bottom, caption.right, caption.bottom + 10 + 200);
	mLViewCategory = new BListView(list, "LViewCategory", B_SINGLE_SELECTION_LIST, follow,
								   B_WILL_DRAW | B_NAVIGABLE | B_FRAME_EVENTS);
	AddChild(mLViewCategory);

	BRect description(list.right + 10, 10, list.right + 10 + 400, 30);
	mStrViewDescription = new BStringView(description, "StrViewDescription", "", follow);
	AddChild(mStrViewDescription);

	BRect cancel(description.right - 80 - 10 - 80, list.bottom + 10, description.right - 80 - 10,
				 list.bottom + 10 + 25);
	mButtonCancel = new BButton(cancel, "ButtonCancel", "", new BMessage(MSG_BUTTON_CANCEL), follow,
								B_WILL_DRAW | B_NAVIGABLE);
	AddChild(mButtonCancel);

	BRect ok(cancel.right + 10, cancel.top, cancel.right + 10 + 80, cancel.bottom);
	mButtonOK = new BButton(ok, "ButtonOK", "", new BMessage(MSG_BUTTON_OK), follow,
							B_WILL_DRAW | B_NAVIGABLE);
	AddChild(mButtonOK);

	for (const char* text : kCategoryTexts)
		mLViewCategory->AddItem(new BStringItem(gLocale.GetString(text)));
	mLViewCategory->SetSelectionMessage(new BMessage(MSG_LVIEW_CATEGORY_CHANGED));

	ResizeTo(ok.right + 10, ok.bottom + 10);
	mSavedPrefs = gPrefs;
}

TZorvyPrefsView::~TZorvyPrefsView()
{
	// The list does not own its rows.
	for (int32 i = mLViewCategory->CountItems() - 1; i >= 0; i--)
		delete mLViewCategory->RemoveItem(i);
	// The page on show goes with the children; the others are no children just now.
	for (TItemView* page : mItemViews) {
		if (page != NULL && page != mItemView)
			delete page;
	}
}

void
TZorvyPrefsView::AttachedToWindow()
{}

void
TZorvyPrefsView::AllAttached()
{
	SetViewLabels();
	SetViewStyles();
	SetTargetToThis(this, false);
	mLViewCategory->SetTarget(this);
	mLViewCategory->Select(0);
	mButtonOK->MakeDefault(true);
}

void
TZorvyPrefsView::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_BUTTON_OK:
		ButtonOKClicked();
		break;
	case MSG_BUTTON_CANCEL:
		ButtonCancelClicked();
		break;
	case MSG_LVIEW_CATEGORY_CHANGED:
		LViewCategoryChanged();
		break;
	default:
		TDialogView::MessageReceived(message);
		break;
	}
}

void
TZorvyPrefsView::LViewCategoryChanged()
{
	int32 index = mLViewCategory->CurrentSelection();
	if (index < 0 || index >= kCategoryCount)
		return;
	mStrViewDescription->SetText(gLocale.GetString(LKK_STR_VIEW_DESCRIPTION[index]));
	SetItemView(index);
}

void
TZorvyPrefsView::SetItemView(int32 index)
{
	if (mItemView != NULL) {
		RemoveChild(mItemView);
		mItemView = NULL;
	}
	if (index < 0 || index >= kCategoryCount)
		return;
	if (mItemViews[index] == NULL) {
		mItemViews[index] = CreateItemView(index);
		if (mItemViews[index] != NULL) {
			mItemViews[index]->MoveTo(mStrViewDescription->Frame().left,
									  mLViewCategory->Frame().top + 10);
		}
	}
	mItemView = mItemViews[index];
	if (mItemView != NULL)
		AddChild(mItemView);
}

TItemView*
TZorvyPrefsView::CreateItemView(int32 index) const
{
	TItemView* page = NULL;
	switch (index) {
	case 0:
		page = new TItemViewInput();
		break;
	case 1:
		page = new TItemViewInputAssist();
		break;
	case 2:
		page = new TItemViewPunctuationConvert();
		break;
	default:
		return NULL;
	}
	// A page whose layout is missing or damaged is not shown at all: an empty or half-built
	// page would take clicks it cannot act on. The next selection tries again.
	if (page->InitCheck() != B_OK) {
		delete page;
		return NULL;
	}
	return page;
}

void
TZorvyPrefsView::SetViewLabels()
{
	mStrViewCaption->SetText(acc_label("Y", gLocale.GetString(LKK_STR_VIEW_CAPTION)).c_str());
	mButtonCancel->SetLabel(gLocale.GetString(LKK_BUTTON_CANCEL));
	mButtonOK->SetLabel(gLocale.GetString(LKK_BUTTON_OK));
}

void
TZorvyPrefsView::SetViewStyles()
{
	mStrViewDescription->SetFontSize(12.0);
	mStrViewDescription->SetViewColor(kDescriptionColor);
	mStrViewDescription->SetLowColor(kDescriptionColor);
}

void
TZorvyPrefsView::ButtonOKClicked()
{
	// Every change has reached the input method already; OK only keeps the record. When it
	// cannot be kept the window stays, so that OK can be tried again or Cancel chosen.
	status_t status = gPrefs.SaveToFile();
	if (status != B_OK && status != B_CANCELED) {
		std::string file = TPrefs::FilePath();
		print_settings_save_failure(kProgramName, "the settings", file, status);
		alert_settings_save_failed(file, status);
		return;
	}
	Window()->PostMessage(B_QUIT_REQUESTED);
}

void
TZorvyPrefsView::ButtonCancelClicked()
{
	gPrefs = mSavedPrefs;
	send_preferences();
	Window()->PostMessage(B_QUIT_REQUESTED);
}
