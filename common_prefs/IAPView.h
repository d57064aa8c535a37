#ifndef MOZELT_IAP_VIEW_H
#define MOZELT_IAP_VIEW_H

#include <common_prefs/InterAppPrefs.h>
#include <framework/ControlBindings.h>
#include <framework/DialogView.h>

#include <Message.h>

class BButton;

// The common preferences window's only child, which does its work. Applications offer their
// items as archived configuration views; each is shown once, below one another, above the
// Defaults, Cancel and OK buttons. Every change of a control goes at once to every running
// application; Cancel and the close box bring back the state of the last OK (or of the
// opening) and send it, Defaults sends the defaults, OK makes the current state the one Cancel
// brings back.
class TIAPView : public TDialogView {
public:
	// frame: the window's frame; the view takes its place at (0, 0) and the buttons' size.
	explicit TIAPView(BRect frame);
	virtual ~TIAPView();

	virtual void MessageReceived(BMessage* message);
	virtual void AttachedToWindow();
	virtual void LanguageChanged();
	virtual void ShortCutDown(int32 rawChar, int32 key);

	// Builds a component from its archived state, at the left margin and the given top; NULL,
	// and nothing added, for a state beyond what the window takes from an application.
	BView* AddComponent(const BMessage& state, float top);
	// The widest a component grows with its label.
	static float MaxComponentWidth();
	// Rebuilds every component from entry 0 (reference), 1 (live) or 2 (default) of its record
	// and sends each state to every application.
	void SetComponents(int32 index);
	void SetViewLabels();
	// To this application and to every other running one.
	void SendMessage(BMessage* message);

	void ButtonOKClicked();
	void ButtonCancelClicked();
	void ButtonDefaultsClicked();
	void IAPAddComponentsRqtd(BMessage* message);
	void IAPActivateWindowRqtd();
	void IAPControlChanged(BMessage* message);

	// The components' records, for those who look at the window from outside (tests).
	const BMessage& ComponentRecord() const { return mComponents; }

private:
	// The direct child of that name: a component is one, its controls are not.
	BView* ComponentView(const char* name) const;
	// Widens the window to its components and its components to the window.
	void FitWindow();
	// The window's labels follow the accelerator format of a change.
	void ApplyToOwnStore(const BMessage& change);

	BButton* mButtonCancel;
	BButton* mButtonDefaults;
	BButton* mButtonOK;
	// Per shown component, named after it: [0] the reference state (at opening or the last
	// OK), [1] the live state, [2] the default state.
	BMessage mComponents;
	BView* mButtonContainer;
	BView* mLastComponent;
	// The window's own store: the accelerator format of its labels. It never writes the item's
	// file, since no change names it as its source.
	TInterAppPrefs mIAPs;
	// The buttons' labels.
	TControlBindings mBindings;
};

#endif
