#ifndef WIDGETS_SEPARATOR_BUTTON_H
#define WIDGETS_SEPARATOR_BUTTON_H

// The groove between two groups of tool buttons; it ends a radio group.

#include <widgets/ToolButton.h>

class TSeparatorButton : public TToolButton {
public:
	explicit TSeparatorButton(float height);

	virtual void AttachedToWindow();
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
};

#endif
