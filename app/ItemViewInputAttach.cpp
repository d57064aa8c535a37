#include <app/ItemViewInput.h>

#include <app/Prefs.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>

#include <Menu.h>
#include <MenuField.h>
#include <RadioButton.h>
#include <StringView.h>

namespace {

void
push_button(TToolBar* bar, bool value)
{
	if (bar == NULL)
		return;
	if (TToolButton* button = bar->ItemAt(value ? 1 : 0))
		button->SetValue(1);
}

void
move_to_x(BView* view, float x)
{
	view->MoveTo(x, view->Frame().top);
}

// The holder of a glyph toolbar starts where its caption ends.
void
follow_caption(BView* holder, const BStringView* caption)
{
	if (holder != NULL && caption != NULL)
		move_to_x(holder, caption->Frame().right);
}

} // namespace

void
TItemViewInput::AllAttached()
{
	TItemView::AllAttached();
	mBindings.SetLabels(gAPAppPrivacy.mAccFormat);
	LayoutCompos();
	UpdateCompos();
	SetTargetToThis(this, false);
	if (mMFieldInputMode != NULL)
		mMFieldInputMode->Menu()->SetTargetForItems(this);
	if (mMFieldKeyNavigation != NULL)
		mMFieldKeyNavigation->Menu()->SetTargetForItems(this);
}

void
TItemViewInput::LayoutCompos()
{
	// The caption ends where the input-mode field's label area ends, so that the two labels
	// of the box line up; the radio buttons follow it.
	if (mStrViewHiraganaMode != NULL && mMFieldInputMode != NULL) {
		move_to_x(mStrViewHiraganaMode, mMFieldInputMode->Frame().left +
											mMFieldInputMode->Divider() -
											mStrViewHiraganaMode->Bounds().Width());
	}
	if (mRButtonHiraganaModeRoman != NULL && mStrViewHiraganaMode != NULL)
		move_to_x(mRButtonHiraganaModeRoman, mStrViewHiraganaMode->Frame().right + 10);
	if (mRButtonHiraganaModeKana != NULL && mRButtonHiraganaModeRoman != NULL)
		move_to_x(mRButtonHiraganaModeKana, mRButtonHiraganaModeRoman->Frame().right + 10);
	follow_caption(mViewPeriodType, mStrViewPeriodType);
	follow_caption(mViewCommaType, mStrViewCommaType);
	follow_caption(mViewSlashType, mStrViewSlashType);
	follow_caption(mViewBracketType, mStrViewBracketType);
}

void
TItemViewInput::UpdateCompos()
{
	BRadioButton* on =
		gPrefs.mDefaultHiraganaMode == 0 ? mRButtonHiraganaModeRoman : mRButtonHiraganaModeKana;
	if (on != NULL)
		on->SetValue(B_CONTROL_ON);
	mBindings.UpdateCompos();
	push_button(mToolBarPeriodType, gPrefs.mPeriodType);
	push_button(mToolBarCommaType, gPrefs.mCommaType);
	push_button(mToolBarSlashType, gPrefs.mSlashType);
	push_button(mToolBarBracketType, gPrefs.mBracketType);
}
