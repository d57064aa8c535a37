#ifndef MOZELT_SHORT_CUT_RECEIVER_H
#define MOZELT_SHORT_CUT_RECEIVER_H

// A control that reacts to its keyboard shortcut in a way of its own. A dialog view's
// shortcut search treats a control of this kind after buttons, check boxes and radio
// buttons and before every other control, and leaves the reaction to it. The toolbar's
// buttons are of this kind: they switch on and invoke without taking the focus.
class TShortCutReceiver {
public:
	virtual ~TShortCutReceiver();

	virtual void ShortCutPressed() = 0;
};

#endif
