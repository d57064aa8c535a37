#ifndef MOZELT_SIMPLE_ABOUT_VIEW_H
#define MOZELT_SIMPLE_ABOUT_VIEW_H

#include <about/MOZELTAboutView.h>

class BButton;
class TAppInfoView;

// The usual About box contents: the application's information and, centred below it, OK.
class TSimpleAboutView : public TMOZELTAboutView {
public:
	// With no information view it makes the usual one.
	TSimpleAboutView(BRect frame, TAppInfoView* appInfoView = NULL);
	virtual ~TSimpleAboutView();

	virtual void AttachedToWindow();
	virtual void AllAttached();
	virtual void LanguageChanged();
	virtual void SetAppInfo(const char* name, const char* version, const char* copyright);
	virtual void SetIAPRef(TInterAppPrefs* iaps);
	virtual void SetTranslatorInfo(const char* translatorInfo);

	TAppInfoView* AppInfoView() const { return mAppInfoView; }

private:
	void SetViewLabel();

	BButton* mButtonOK;
	TAppInfoView* mAppInfoView;
};

#endif
