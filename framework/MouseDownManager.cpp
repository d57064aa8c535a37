#include <framework/MouseDownManager.h>

#include <InterfaceDefs.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

namespace {

// A pointer that moves no further than this from the press (squared distance) still clicks.
const float kDragThresholdSquared = 16.0f;

} // namespace

TMouseDownManager::TMouseDownManager(BView* view)
	: mDragging(false), mButtons(0), mClicks(0), mDownPoint(0, 0), mView(view)
{}

TMouseDownManager::~TMouseDownManager() {}

void
TMouseDownManager::MouseClickLeftDouble(BPoint)
{}

void
TMouseDownManager::MouseClickLeftSingle(BPoint)
{}

void
TMouseDownManager::MouseClickRightDouble(BPoint)
{}

void
TMouseDownManager::MouseClickRightSingle(BPoint)
{}

void
TMouseDownManager::MouseDownLeft(BPoint)
{}

void
TMouseDownManager::MouseDownRight(BPoint)
{}

void
TMouseDownManager::MouseDragBeginLeft(BPoint, BPoint)
{}

void
TMouseDownManager::MouseDragBeginRight(BPoint, BPoint)
{}

void
TMouseDownManager::MouseDragEndLeft(BPoint, BPoint)
{}

void
TMouseDownManager::MouseDragEndRight(BPoint, BPoint)
{}

void
TMouseDownManager::MouseDraggingLeft(BPoint, BPoint)
{}

void
TMouseDownManager::MouseDraggingRight(BPoint, BPoint)
{}

void
TMouseDownManager::MouseUpLeft(BPoint)
{}

void
TMouseDownManager::MouseUpRight(BPoint)
{}

void
TMouseDownManager::ManageMouseDown(BPoint where)
{
	mDragging = false;
	mButtons = 0;
	mClicks = 0;
	BWindow* window = mView != NULL ? mView->Window() : NULL;
	BMessage* current = window != NULL ? window->CurrentMessage() : NULL;
	if (current != NULL) {
		current->FindInt32("buttons", &mButtons);
		current->FindInt32("clicks", &mClicks);
	}
	mDownPoint = where;

	// The second and third click of a series are not new presses; the fourth starts over.
	if (mClicks % 3 == 1) {
		if (mButtons == B_PRIMARY_MOUSE_BUTTON)
			MouseDownLeft(where);
		else if (mButtons == B_SECONDARY_MOUSE_BUTTON)
			MouseDownRight(where);
	}

	// Moves and the release must arrive even when the pointer leaves the view.
	if (mView != NULL)
		mView->SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
}

void
TMouseDownManager::ManageMouseMoved(BPoint where, uint32, const BMessage*)
{
	if (mButtons == 0)
		return;

	if (!mDragging) {
		BPoint delta = where - mDownPoint;
		if (delta.x * delta.x + delta.y * delta.y <= kDragThresholdSquared)
			return;
		mDragging = true;
		if (mButtons == B_PRIMARY_MOUSE_BUTTON)
			MouseDragBeginLeft(mDownPoint, where);
		else if (mButtons == B_SECONDARY_MOUSE_BUTTON)
			MouseDragBeginRight(mDownPoint, where);
	}

	if (mButtons == B_PRIMARY_MOUSE_BUTTON)
		MouseDraggingLeft(mDownPoint, where);
	else if (mButtons == B_SECONDARY_MOUSE_BUTTON)
		MouseDraggingRight(mDownPoint, where);
}

void
TMouseDownManager::ManageMouseUp(BPoint where)
{
	if (mButtons == 0)
		return;

	bool left = mButtons == B_PRIMARY_MOUSE_BUTTON;
	bool right = mButtons == B_SECONDARY_MOUSE_BUTTON;
	int32 inSeries = mClicks % 3;

	if (mDragging) {
		if (left)
			MouseDragEndLeft(mDownPoint, where);
		else if (right)
			MouseDragEndRight(mDownPoint, where);
	} else if (inSeries == 1) {
		if (left)
			MouseClickLeftSingle(where);
		else if (right)
			MouseClickRightSingle(where);
	} else if (inSeries == 2) {
		if (left)
			MouseClickLeftDouble(where);
		else if (right)
			MouseClickRightDouble(where);
	}

	if (inSeries == 1) {
		if (left)
			MouseUpLeft(where);
		else if (right)
			MouseUpRight(where);
	}

	mButtons = 0;
	mDragging = false;
}
