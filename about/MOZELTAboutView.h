#ifndef MOZELT_MOZELT_ABOUT_VIEW_H
#define MOZELT_MOZELT_ABOUT_VIEW_H

#include <framework/DialogView.h>

class TInterAppPrefs;

// The top view of an About box: what the box shows is up to the derived view; OK, a cancel
// request, Escape and the close box all hide the box, which lives on to be shown again.
class TMOZELTAboutView : public TDialogView {
public:
	TMOZELTAboutView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	explicit TMOZELTAboutView(BMessage* archive);
	virtual ~TMOZELTAboutView();

	virtual void MessageReceived(BMessage* message);
	virtual void AttachedToWindow();
	virtual void AllAttached();

	// name, version and copyright template are locale keys and templates, not texts to show.
	virtual void SetAppInfo(const char* name, const char* version, const char* copyright) = 0;
	virtual void SetIAPRef(TInterAppPrefs* iaps);
	virtual void SetTranslatorInfo(const char* translatorInfo) = 0;
	virtual void ButtonOKClicked();

	// Escape hides the box as its close box does.
	virtual void ShortCutDown(int32 rawChar, int32 key);

protected:
	TInterAppPrefs* mIAPs;

private:
	void Init();
};

#endif
