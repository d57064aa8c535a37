#ifndef MOZELT_BASIC_VIEW_H
#define MOZELT_BASIC_VIEW_H

#include <View.h>

#include <framework/MouseDownManager.h>

// The view every view of the library derives from: it interprets its mouse through
// TMouseDownManager, finds named views below it, and hears that the common preferences or
// the interface language changed.
class TBasicView : public BView, public TMouseDownManager {
public:
	TBasicView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	explicit TBasicView(BMessage* archive);
	virtual ~TBasicView();

	// The common preferences changed; message is the change notification.
	virtual void IAPChanged(BMessage* message);
	// The interface language changed: look the labels up again.
	virtual void LanguageChanged();

	BView* FindViewEx(const char* name) const;
	BView* FindViewEx(BView* start, const char* name) const;

	virtual void MessageReceived(BMessage* message);
	virtual void MouseDown(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	virtual void MouseUp(BPoint where);
};

// Notification codes: a common preference changed, and the interface language changed.
const uint32 MSG_IAP_CHANGED = '_ipc';
const uint32 MSG_LANGUAGE_CHANGED = '_lng';

#endif
