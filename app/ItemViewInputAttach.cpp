#include <app/ItemViewInput.h>

#include <app/Prefs.h>
#include <app/ZorvyPrefsAppPrivacy.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>
#include <util/UIHelpers.h>
#include <widgets/ToolBar.h>
#include <widgets/ToolButton.h>

#include <Box.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <RadioButton.h>
#include <StringView.h>

#include <string>

namespace {

// Copied at once: the catalogue's text lives only until it is next reloaded.
std::string
text(const char* key)
{
	return gLocale.GetString(key);
}

void
set_caption(BStringView* caption, const char* key, const std::string& colon)
{
	if (caption == NULL)
		return;
	caption->SetText((text(key) + colon).c_str());
	adjust_str_view_width(caption);
}

void
set_mfield_label(BMenuField* field, const char* accelerator, const char* key,
				 const std::string& colon)
{
	if (field == NULL)
		return;
	field->SetLabel((acc_label(accelerator, text(key)) + colon).c_str());
	adjust_mfield_divider(field);
}

// Marks the item standing for the stored value. A value with no item (a hand-edited settings
// file, say) shows no choice at all, and the value itself stays as it is until the user
// picks one.
void
mark_item(BMenuField* field, int32 index)
{
	if (field == NULL)
		return;
	BMenu* menu = field->Menu();
	BMenuItem* item = menu->ItemAt(index);
	if (item != NULL && dynamic_cast<BSeparatorItem*>(item) == NULL) {
		item->SetMarked(true);
		return;
	}
	if (BMenuItem* marked = menu->FindMarked())
		marked->SetMarked(false);
	if (BMenuItem* shown = menu->Superitem())
		shown->SetLabel("");
}

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
	SetViewStyles();
	SetViewLabels();
	UpdateCompos();
	SetTargetToThis(this, false);
	if (mMFieldInputMode != NULL)
		mMFieldInputMode->Menu()->SetTargetForItems(this);
	if (mMFieldKeyNavigation != NULL)
		mMFieldKeyNavigation->Menu()->SetTargetForItems(this);
}

void
TItemViewInput::SetViewStyles()
{}

void
TItemViewInput::SetViewLabels()
{
	std::string colon = text(LKK_COLON_SPACE);
	if (mBoxInput != NULL)
		mBoxInput->SetLabel(text(LKK_BOX_INPUT).c_str());
	set_caption(mStrViewHiraganaMode, LKK_STR_VIEW_HIRAGANA_MODE, colon);
	if (mRButtonHiraganaModeRoman != NULL) {
		mRButtonHiraganaModeRoman->SetLabel(
			acc_label("R", text(LKK_RBUTTON_HIRAGANA_MODE_ROMAN)).c_str());
	}
	if (mRButtonHiraganaModeKana != NULL) {
		mRButtonHiraganaModeKana->SetLabel(
			acc_label("K", text(LKK_RBUTTON_HIRAGANA_MODE_KANA)).c_str());
	}
	set_mfield_label(mMFieldInputMode, "N", LKK_MFIELD_INPUT_MODE, colon);
	set_caption(mStrViewPeriodType, LKK_STR_VIEW_PERIOD_TYPE, colon);
	set_caption(mStrViewCommaType, LKK_STR_VIEW_COMMA_TYPE, colon);
	set_caption(mStrViewSlashType, LKK_STR_VIEW_SLASH_TYPE, colon);
	set_caption(mStrViewBracketType, LKK_STR_VIEW_BRACKET_TYPE, colon);
	set_mfield_label(mMFieldKeyNavigation, "E", LKK_MFIELD_KEY_NAVIGATION, colon);
	LayoutCompos();
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
	mark_item(mMFieldInputMode, gPrefs.mDefaultInputMode);
	push_button(mToolBarPeriodType, gPrefs.mPeriodType);
	push_button(mToolBarCommaType, gPrefs.mCommaType);
	push_button(mToolBarSlashType, gPrefs.mSlashType);
	push_button(mToolBarBracketType, gPrefs.mBracketType);
	mark_item(mMFieldKeyNavigation, gPrefs.mKeyNavigation);
}
