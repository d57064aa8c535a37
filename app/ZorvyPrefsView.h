#ifndef ZORVY_ZORVY_PREFS_VIEW_H
#define ZORVY_ZORVY_PREFS_VIEW_H

#include <app/Prefs.h>
#include <framework/DialogView.h>

class BButton;
class BListView;
class BStringView;
class TItemView;

// The main view: the category list on the left, the page of the selected category on the
// right, Cancel and OK below. It keeps the record as it was when the window opened, so that
// Cancel can take back every change already delivered to the input method.
class TZorvyPrefsView : public TDialogView {
public:
	static constexpr int32 kCategoryCount = 3;

	TZorvyPrefsView();
	virtual ~TZorvyPrefsView();

	virtual void MessageReceived(BMessage* message);
	virtual void AttachedToWindow();
	virtual void AllAttached();

	void LViewCategoryChanged();
	void SetItemView(int32 index);
	void SetViewLabels();
	void SetViewStyles();
	void ButtonOKClicked();
	void ButtonCancelClicked();

	// The page now shown, or NULL.
	TItemView* CurrentItemView() const { return mItemView; }

private:
	TItemView* CreateItemView(int32 index) const;

	BButton* mButtonCancel;
	BButton* mButtonOK;
	BListView* mLViewCategory;
	BStringView* mStrViewCaption;
	BStringView* mStrViewDescription;
	TItemView* mItemView;
	TItemView* mItemViews[kCategoryCount];
	TPrefs mSavedPrefs;
};

#endif
