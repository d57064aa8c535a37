#ifndef MOZELT_MOUSE_DOWN_MANAGER_H
#define MOZELT_MOUSE_DOWN_MANAGER_H

#include <Point.h>
#include <SupportDefs.h>

class BMessage;
class BView;

// Turns one view's raw mouse-down, mouse-moved and mouse-up events into presses, single and
// double clicks and drags of the left and the right button, one hook each. The view forwards
// its three raw events; a derived class overrides only the hooks it needs.
class TMouseDownManager {
public:
	explicit TMouseDownManager(BView* view);
	virtual ~TMouseDownManager();

	virtual void MouseClickLeftDouble(BPoint where);
	virtual void MouseClickLeftSingle(BPoint where);
	virtual void MouseClickRightDouble(BPoint where);
	virtual void MouseClickRightSingle(BPoint where);
	virtual void MouseDownLeft(BPoint where);
	virtual void MouseDownRight(BPoint where);
	virtual void MouseDragBeginLeft(BPoint downPoint, BPoint where);
	virtual void MouseDragBeginRight(BPoint downPoint, BPoint where);
	virtual void MouseDragEndLeft(BPoint downPoint, BPoint where);
	virtual void MouseDragEndRight(BPoint downPoint, BPoint where);
	virtual void MouseDraggingLeft(BPoint downPoint, BPoint where);
	virtual void MouseDraggingRight(BPoint downPoint, BPoint where);
	virtual void MouseUpLeft(BPoint where);
	virtual void MouseUpRight(BPoint where);

	void ManageMouseDown(BPoint where);
	void ManageMouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	void ManageMouseUp(BPoint where);

private:
	bool mDragging;
	int32 mButtons;
	int32 mClicks;
	BPoint mDownPoint;
	BView* mView;
};

#endif
