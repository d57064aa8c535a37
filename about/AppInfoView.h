#ifndef MOZELT_APP_INFO_VIEW_H
#define MOZELT_APP_INFO_VIEW_H

#include <framework/DialogView.h>

#include <string>

class BBitmap;
class BBox;
class BStringView;
class TInterAppPrefs;

// The upper part of an About box: the application's icon, its name and version, the copyright
// line and a translator line between two separators. The texts are kept as keys and templates
// and looked up again whenever the language changes.
class TAppInfoView : public TDialogView {
public:
	explicit TAppInfoView(BRect frame);
	virtual ~TAppInfoView();

	virtual void AttachedToWindow();
	virtual void Draw(BRect updateRect);
	virtual void IAPChanged(BMessage* message);
	virtual void LanguageChanged();

	// Each stores its texts and shows them at once; B_ERROR when the window cannot be locked,
	// and then nothing changes.
	status_t SetAppInfo(const char* name, const char* version, const char* copyright);
	void SetIAPRef(TInterAppPrefs* iaps);
	status_t SetTranslatorInfo(const char* translatorInfo);

private:
	status_t SetAppInfo();
	status_t SetTranslatorInfo();

	BBitmap* mIcon;
	BBox* mBoxSep1;
	BBox* mBoxSep2;
	BStringView* mStrViewAppName;
	BStringView* mStrViewAppVer;
	BStringView* mStrViewCright;
	BStringView* mStrViewTranslator;
	TInterAppPrefs* mIAPs;
	std::string mAppName;
	std::string mAppVer;
	std::string mCright;
	std::string mTranslatorInfo;
};

#endif
