#include <about/MOZELTAboutWindow.h>

#include <about/MOZELTAboutView.h>
#include <about/SimpleAboutView.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>

namespace {

const char kAppNamePlaceholder[] = "%AppName%";

} // namespace

TMOZELTAboutWindow::TMOZELTAboutWindow(BRect frame, TMOZELTAboutView* view)
	: TDialogWindow(frame, "", B_TITLED_WINDOW,
					B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS,
					B_CURRENT_WORKSPACE),
	  mAboutView(view)
{
	if (mAboutView == NULL)
		mAboutView = new TSimpleAboutView(frame.OffsetToCopy(0, 0));
	else
		mAboutView->MoveTo(0, 0);
	ResizeTo(mAboutView->Bounds().Width(), mAboutView->Bounds().Height());
	AddChild(mAboutView);
}

TMOZELTAboutWindow::~TMOZELTAboutWindow() {}

void
TMOZELTAboutWindow::LanguageChanged()
{
	SetWinTitle();
}

void
TMOZELTAboutWindow::SetAppInfo(const char* name, const char* version, const char* copyright)
{
	// The window's thread reads the name when the language changes.
	if (Lock()) {
		mAppName = name != NULL ? name : "";
		Unlock();
	}
	SetWinTitle();
	mAboutView->SetAppInfo(name, version, copyright);
}

void
TMOZELTAboutWindow::SetIAPRef(TInterAppPrefs* iaps)
{
	mAboutView->SetIAPRef(iaps);
}

void
TMOZELTAboutWindow::SetTranslatorInfo(const char* translatorInfo)
{
	mAboutView->SetTranslatorInfo(translatorInfo);
}

void
TMOZELTAboutWindow::SetWinTitle()
{
	if (!Lock())
		return;
	std::string title = gLocale.GetString(LKK_ABOUT_WIN_TITLE);
	std::string name = gLocale.GetString(mAppName);
	for (size_t at = title.find(kAppNamePlaceholder); at != std::string::npos;
		 at = title.find(kAppNamePlaceholder, at + name.size()))
		title.replace(at, sizeof(kAppNamePlaceholder) - 1, name);
	SetTitle(title.c_str());
	Unlock();
}
