#ifndef MOZELT_DIALOG_VIEW_H
#define MOZELT_DIALOG_VIEW_H

#include <framework/BasicView.h>

// The top view of a dialog window. It turns shortcut keys into presses of its controls: Enter
// the focused or the default button, Escape the button named "ButtonCancel", Control+letter
// the control whose label carries that accelerator letter.
class TDialogView : public TBasicView {
public:
	TDialogView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	explicit TDialogView(BMessage* archive);
	virtual ~TDialogView();

	// A derived view handles keys of its own first and calls this one for the rest.
	virtual void ShortCutDown(int32 rawChar, int32 key);

	// B_OK when a control below the parent carried the letter and was acted on.
	status_t ApplyShortCut(const BView* parent, int32 rawChar, int32 key) const;
	// Aims every control below the view (the view included) at this view, except those
	// already aimed at another handler, unless forced.
	void SetTargetToThis(BView* view, bool force) const;
};

#endif
