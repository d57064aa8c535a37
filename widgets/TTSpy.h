#ifndef WIDGETS_TT_SPY_H
#define WIDGETS_TT_SPY_H

// Watches the mouse-moved messages of a window and tells a tooltip when the pointer enters and
// leaves the view it belongs to. It never changes or stops a message.

#include <MessageFilter.h>

class TTTSpy : public BMessageFilter {
public:
	explicit TTTSpy(BHandler* toolTip);

	virtual filter_result Filter(BMessage* message, BHandler** target);

	status_t SetTarget(BHandler* target);
	BHandler* Target() const;

private:
	bool mEntered;
	BHandler* mLastTarget;
	BHandler* mTarget;
	BHandler* mToolTip;
};

#endif
