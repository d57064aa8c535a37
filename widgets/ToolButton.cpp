#include <widgets/ToolButton.h>

#include <Bitmap.h>
#include <Message.h>
#include <Window.h>

#include <widgets/SeparatorButton.h>
#include <widgets/ToolBar.h>
#include <widgets/ToolTip.h>

const rgb_color COLOR_BRIGHT_BORDER = {255, 255, 255, 255};
const rgb_color COLOR_DARK_BORDER = {128, 128, 128, 255};
const rgb_color COLOR_DISABLED_FILLED = {128, 128, 128, 255};
const rgb_color COLOR_DISABLED_LABEL = {128, 128, 128, 255};
const rgb_color COLOR_ENABLED_DISABLED_ON_BG = {192, 192, 192, 255};
const rgb_color COLOR_ENABLED_LABEL = {0, 0, 0, 255};
const rgb_color COLOR_HOT_OFF_BG = {240, 240, 240, 255};

namespace {

// Room between the image and the label.
const float kPadding = 6;

} // namespace

TToolButton::TToolButton(BRect frame, const char* name, BBitmap* image, const char* label,
						 BMessage* message, uint32 behavior)
	: BControl(frame, name, label, message, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
{
	InitButton(image, behavior);
}

TToolButton::TToolButton(BRect frame, const char* name, BBitmap* image, BMessage* message,
						 uint32 behavior)
	: BControl(frame, name, "", message, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
{
	InitButton(image, behavior);
}

void
TToolButton::InitButton(BBitmap* image, uint32 behavior)
{
	mMouseInside = false;
	mTracking = false;
	mHot = false;
	mRadioMode = false;
	mBehavior = behavior;
	mDivider = 0;
	mHAlignment = alignment(0);
	mVAlignment = alignment(0);
	for (int32 i = 0; i < TOOL_IMAGE_SLOTS; i++)
		mImages[i] = NULL;
	mImages[0] = image;
	mOwnerBar = NULL;
	SetViewColor(B_TRANSPARENT_COLOR);
	SetDrawingMode(B_OP_ALPHA);
	if (image != NULL)
		mDivider = image->Bounds().right + kPadding;
	ResizeToPreferred();
	mToolTip = new TToolTip(Name());
}

TToolButton::~TToolButton()
{
	delete mToolTip;
	for (int32 i = 0; i < TOOL_IMAGE_SLOTS; i++)
		delete mImages[i];
}

void
TToolButton::AttachedToWindow()
{
	BControl::AttachedToWindow();
	mToolTip->SetTarget(this);
	SetDefaultImages();
}

void
TToolButton::DetachedFromWindow()
{
	mToolTip->TargetDetached();
	BControl::DetachedFromWindow();
}

status_t
TToolButton::SetImage(int32 index, BBitmap* image)
{
	if (index < 0 || index >= TOOL_IMAGE_SLOTS - 1)
		return B_ERROR;
	if (index != 0) {
		if (mImages[0] == NULL)
			return B_ERROR;
		if (image == NULL || image->Bounds() != mImages[0]->Bounds())
			return B_ERROR;
	}
	if (mImages[index] != image)
		delete mImages[index];
	mImages[index] = image;
	if (index == 0) {
		if (image != NULL)
			mDivider = image->Bounds().right + kPadding;
		ResizeToPreferred();
	}
	Invalidate();
	return B_OK;
}

BBitmap*
TToolButton::Image(int32 index) const
{
	if (index < 0 || index >= TOOL_IMAGE_SLOTS)
		return NULL;
	return mImages[index];
}

status_t
TToolButton::SetDefaultImages()
{
	if (mImages[0] == NULL)
		return B_ERROR;
	bool made = false;
	if (mImages[2] == NULL) {
		ConvertFilledCopy(mImages[0], &mImages[2], COLOR_DISABLED_FILLED);
		made = true;
	}
	if (mImages[4] == NULL) {
		ConvertTransparentCopy(mImages[0], &mImages[4], COLOR_HOT_OFF_BG);
		made = true;
	}
	if (mImages[1] == NULL) {
		ConvertTransparentCopy(mImages[0], &mImages[1], COLOR_ENABLED_DISABLED_ON_BG);
		made = true;
	}
	if (mImages[3] == NULL) {
		ConvertTransparentCopy(mImages[2], &mImages[3], COLOR_ENABLED_DISABLED_ON_BG);
		made = true;
	}
	return made ? B_OK : B_ERROR;
}

status_t
TToolButton::ClearImages()
{
	for (int32 i = 1; i < TOOL_IMAGE_SLOTS; i++) {
		delete mImages[i];
		mImages[i] = NULL;
	}
	return B_OK;
}

status_t
TToolButton::SetBehavior(uint32 behavior)
{
	if (behavior == mBehavior)
		return B_OK;
	mBehavior = behavior;
	if (behavior == TOOL_BUTTON_PUSH)
		SetValue(B_CONTROL_OFF);
	return B_OK;
}

uint32
TToolButton::Behavior() const
{
	return mBehavior;
}

status_t
TToolButton::SetRadioMode(bool radio)
{
	if (radio == mRadioMode)
		return B_OK;
	if (radio && mBehavior == TOOL_BUTTON_PUSH)
		return B_ERROR;
	mRadioMode = radio;
	if (radio)
		SetValue(B_CONTROL_OFF);
	std::vector<TToolButton*> brothers;
	GetBrothers(&brothers);
	for (TToolButton* brother : brothers)
		brother->SetRadioMode(radio);
	return B_OK;
}

bool
TToolButton::IsRadioMode() const
{
	return mRadioMode;
}

bool
TToolButton::IsHot() const
{
	return mHot;
}

void
TToolButton::SetValue(int32 value)
{
	if (value == Value())
		return;
	int32 newValue = value != 0 ? B_CONTROL_ON : B_CONTROL_OFF;
	BControl::SetValue(newValue);
	if (newValue == B_CONTROL_ON && mRadioMode) {
		std::vector<TToolButton*> brothers;
		GetBrothers(&brothers);
		for (TToolButton* brother : brothers)
			brother->SetValue(B_CONTROL_OFF);
	}
	Invalidate();
}

void
TToolButton::GetBrothers(std::vector<TToolButton*>* brothers)
{
	if (mOwnerBar == NULL || brothers == NULL)
		return;
	int32 index = mOwnerBar->IndexOf(this);
	if (index < 0)
		return;
	for (int32 i = index - 1; i >= 0; i--) {
		TToolButton* item = mOwnerBar->ItemAt(i);
		if (dynamic_cast<TSeparatorButton*>(item) != NULL)
			break;
		brothers->push_back(item);
	}
	for (int32 i = index + 1; i < mOwnerBar->CountItems(); i++) {
		TToolButton* item = mOwnerBar->ItemAt(i);
		if (dynamic_cast<TSeparatorButton*>(item) != NULL)
			break;
		brothers->push_back(item);
	}
}

void
TToolButton::SetLabel(const char* label)
{
	BControl::SetLabel(label);
	ResizeToPreferred();
}

void
TToolButton::SetDivider(float divider)
{
	mDivider = divider;
	CalcDrawPoints();
}

float
TToolButton::Divider() const
{
	return mDivider;
}

void
TToolButton::SetAlignment(alignment horizontal, alignment vertical)
{
	mHAlignment = horizontal;
	mVAlignment = vertical;
	CalcDrawPoints();
}

void
TToolButton::GetAlignment(alignment* horizontal, alignment* vertical) const
{
	if (horizontal != NULL)
		*horizontal = mHAlignment;
	if (vertical != NULL)
		*vertical = mVAlignment;
}

void
TToolButton::AdjustDivider()
{
	if (mImages[0] != NULL)
		mDivider = mImages[0]->Bounds().right + kPadding;
}

status_t
TToolButton::SetTip(const std::string& tip)
{
	mToolTip->SetTip(tip);
	return B_OK;
}

std::string
TToolButton::Tip() const
{
	return mToolTip->Tip();
}

TToolTip*
TToolButton::ToolTip() const
{
	return mToolTip;
}

TToolBar*
TToolButton::OwnerBar() const
{
	return mOwnerBar;
}
