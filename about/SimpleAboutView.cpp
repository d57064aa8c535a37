#include <about/SimpleAboutView.h>

#include <about/AboutDefs.h>
#include <about/AppInfoView.h>
#include <common_prefs/InterAppPrefs.h>
#include <framework/BasicView.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>
#include <util/SpyFilter.h>

#include <Button.h>
#include <Message.h>
#include <Messenger.h>
#include <Window.h>

#include <string>

namespace {

const float kButtonWidth = 80;
const float kButtonHeight = 25;
// Between the information view and OK, and below OK.
const float kButtonGap = 15;
const float kBottomMargin = 10;

} // namespace

TSimpleAboutView::TSimpleAboutView(BRect frame, TAppInfoView* appInfoView)
	: TMOZELTAboutView(frame, "AboutView", B_FOLLOW_NONE, B_WILL_DRAW), mAppInfoView(appInfoView)
{
	if (mAppInfoView == NULL)
		mAppInfoView = new TAppInfoView(BRect(0, 0, 1, 1));
	mAppInfoView->MoveTo(0, 0);
	AddChild(mAppInfoView);

	mButtonOK = new BButton(BRect(0, 0, kButtonWidth, kButtonHeight), "ButtonOK", "",
							new BMessage(MSG_ABOUT_OK));
	AddChild(mButtonOK);
	BRect info = mAppInfoView->Frame();
	mButtonOK->MoveTo((info.right - kButtonWidth) * 0.5f, info.bottom + kButtonGap);
	ResizeTo(info.right, mButtonOK->Frame().bottom + kBottomMargin);
	SetViewLabel();
	mButtonOK->MakeDefault(true);
}

TSimpleAboutView::~TSimpleAboutView() {}

void
TSimpleAboutView::AttachedToWindow()
{
	TMOZELTAboutView::AttachedToWindow();
	Window()->AddCommonFilter(new TSpyFilter(MSG_LANGUAGE_CHANGED, BMessenger(this)));
}

void
TSimpleAboutView::AllAttached()
{
	TMOZELTAboutView::AllAttached();
	mButtonOK->MakeFocus(true);
	mButtonOK->SetTarget(this);
}

void
TSimpleAboutView::LanguageChanged()
{
	SetViewLabel();
}

void
TSimpleAboutView::SetAppInfo(const char* name, const char* version, const char* copyright)
{
	mAppInfoView->SetAppInfo(name, version, copyright);
}

void
TSimpleAboutView::SetIAPRef(TInterAppPrefs* iaps)
{
	TMOZELTAboutView::SetIAPRef(iaps);
	mAppInfoView->SetIAPRef(iaps);
	if (iaps != NULL)
		iaps->AddObserver(BMessenger(mAppInfoView));
}

void
TSimpleAboutView::SetTranslatorInfo(const char* translatorInfo)
{
	mAppInfoView->SetTranslatorInfo(translatorInfo);
}

void
TSimpleAboutView::SetViewLabel()
{
	bool locked = Window() == NULL || LockLooper();
	if (!locked)
		return;
	mButtonOK->SetLabel(std::string(gLocale.GetString(LKK_ABOUT_BUTTON_OK)).c_str());
	if (Window() != NULL)
		UnlockLooper();
}
