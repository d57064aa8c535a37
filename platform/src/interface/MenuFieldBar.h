#ifndef _MENU_FIELD_BAR_H
#define _MENU_FIELD_BAR_H

// The menu bar inside a menu field: one item, labelled after the choice, whose submenu is the
// field's pop-up menu. Its class name is the one the platform archives it under.

#include <MenuBar.h>

class BMenuField;

class _BMCMenuBar_ : public BMenuBar {
public:
	_BMCMenuBar_(BRect frame, bool fixedSize, BMenuField* field);
	_BMCMenuBar_(BMessage* archive);
	virtual ~_BMCMenuBar_();

	static BArchivable* Instantiate(BMessage* archive);

	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);

	// Opens the pop-up menu below the field.
	void Open();
	// The width that shows the whole choice and the marker, when the bar sizes itself to its
	// choice; a negative value when it keeps the width it was given.
	float FittingWidth();
	// The choice shown changed: the field places the bar again.
	void _LabelChanged();

private:
	void _InitBar();
};

#endif
