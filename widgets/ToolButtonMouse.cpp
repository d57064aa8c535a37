#include <widgets/ToolButton.h>

#include <Window.h>

#include <widgets/ToolBar.h>
#include <widgets/ToolTip.h>

namespace {

// A disabled bar shows its buttons disabled, so it refuses their clicks as well.
bool
accepts_clicks(const TToolButton* button)
{
	return button->IsEnabled() && (button->OwnerBar() == NULL || button->OwnerBar()->IsEnabled());
}

} // namespace

void
TToolButton::MouseDown(BPoint)
{
	if (IsHidden() || !accepts_clicks(this))
		return;
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
	mTracking = true;
	Invalidate();
}

void
TToolButton::MouseMoved(BPoint, uint32 transit, const BMessage*)
{
	if (IsHidden())
		return;
	if (transit == B_ENTERED_VIEW || transit == B_INSIDE_VIEW) {
		if (mMouseInside)
			return;
		BPoint where;
		uint32 buttons = 0;
		GetMouse(&where, &buttons, true);
		if (!mTracking && (Window() == NULL || !Window()->IsActive() || buttons != 0))
			return;
		mMouseInside = true;
		mHot = true;
		Invalidate();
	} else if (transit == B_EXITED_VIEW || transit == B_OUTSIDE_VIEW) {
		if (!mMouseInside && !mHot)
			return;
		mMouseInside = false;
		mHot = false;
		Invalidate();
	}
}

void
TToolButton::MouseUp(BPoint where)
{
	if (IsHidden() || !mTracking)
		return;
	mTracking = false;
	if (!Bounds().Contains(where)) {
		Invalidate();
		return;
	}
	if (mBehavior == TOOL_BUTTON_TOGGLE) {
		if (mRadioMode && Value() == B_CONTROL_ON) {
			Invalidate();
			return;
		}
		mToolTip->Hide();
		SetValue(Value() == B_CONTROL_ON ? B_CONTROL_OFF : B_CONTROL_ON);
		Invoke();
		return;
	}
	mToolTip->Hide();
	Invalidate();
	Invoke();
}

void
TToolButton::WindowActivated(bool active)
{
	BControl::WindowActivated(active);
	if (!active) {
		mHot = false;
		Invalidate();
		return;
	}
	BPoint where;
	uint32 buttons = 0;
	GetMouse(&where, &buttons, true);
	if (Bounds().Contains(where)) {
		mHot = true;
		Invalidate();
	}
}

void
TToolButton::ShortCutPressed()
{
	if (!accepts_clicks(this))
		return;
	SetValue(B_CONTROL_ON);
	Invoke();
}
