#ifndef MOZELT_MOZELT_ABOUT_WINDOW_H
#define MOZELT_MOZELT_ABOUT_WINDOW_H

#include <framework/DialogWindow.h>

#include <string>

class TInterAppPrefs;
class TMOZELTAboutView;

// An application's About box. It is made hidden, shown with Appear, and hidden again by OK,
// Escape or its close box; its title follows the interface language.
class TMOZELTAboutWindow : public TDialogWindow {
public:
	// Without a view the window makes the usual one; either way it takes the view's size.
	TMOZELTAboutWindow(BRect frame, TMOZELTAboutView* view = NULL);
	virtual ~TMOZELTAboutWindow();

	virtual void LanguageChanged();
	// name is the application name's locale key, version is looked up too, and every
	// "%AppAuthor%" of the copyright template becomes the maker's name.
	virtual void SetAppInfo(const char* name, const char* version, const char* copyright);
	virtual void SetIAPRef(TInterAppPrefs* iaps);
	// A line under the copyright, where "%LangNameInNative%" and "%TranslatorName%" become
	// what the language file says about itself.
	virtual void SetTranslatorInfo(const char* translatorInfo);

	void SetWinTitle();

	TMOZELTAboutView* AboutView() const { return mAboutView; }

private:
	std::string mAppName;
	TMOZELTAboutView* mAboutView;
};

#endif
