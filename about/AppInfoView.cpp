#include <about/AppInfoView.h>

#include <about/AboutDefs.h>
#include <framework/BasicView.h>
#include <locale/Locale.h>
#include <util/SpyFilter.h>
#include <util/UIHelpers.h>

#include <Bitmap.h>
#include <Box.h>
#include <Messenger.h>
#include <StringView.h>
#include <Window.h>

namespace {

const float kWidth = 320;
const float kHeight = 198;
const BPoint kIconPlace(10, 10);

const char kAuthorPlaceholder[] = "%AppAuthor%";
const char kLangNamePlaceholder[] = "%LangNameInNative%";
const char kTranslatorPlaceholder[] = "%TranslatorName%";

// Every occurrence of placeholder in text replaced by value.
std::string
replaced(std::string text, const std::string& placeholder, const std::string& value)
{
	for (size_t at = text.find(placeholder); at != std::string::npos;
		 at = text.find(placeholder, at + value.size()))
		text.replace(at, placeholder.size(), value);
	return text;
}

BStringView*
centred_line(BRect frame, const char* name)
{
	BStringView* line = new BStringView(frame, name, "");
	line->SetAlignment(B_ALIGN_CENTER);
	return line;
}

// The view's window locked for a change of its texts, when it is in one.
class WindowLock {
public:
	explicit WindowLock(BView* view)
		: fView(view), fLocked(view->Window() == NULL || view->LockLooper())
	{}
	~WindowLock()
	{
		if (fLocked && fView->Window() != NULL)
			fView->UnlockLooper();
	}
	bool IsLocked() const { return fLocked; }

private:
	BView* fView;
	bool fLocked;
};

} // namespace

TAppInfoView::TAppInfoView(BRect frame)
	: TDialogView(frame, "AppInfoView", B_FOLLOW_NONE, B_WILL_DRAW), mIcon(NULL), mIAPs(NULL)
{
	ResizeTo(kWidth, kHeight);
	mBoxSep1 = new BBox(BRect(0, 105, 320, 108), "BoxSep1");
	mBoxSep2 = new BBox(BRect(0, 195, 320, 198), "BoxSep2");
	mStrViewAppName = centred_line(BRect(50, 20, 230, 34), "StrViewAppName");
	mStrViewAppVer = centred_line(BRect(240, 20, 310, 34), "StrViewAppVer");
	mStrViewCright = centred_line(BRect(10, 50, 310, 64), "StrViewCright");
	// The translator line has the copyright line's name.
	mStrViewTranslator = centred_line(BRect(10, 80, 310, 94), "StrViewCright");
	AddChild(mStrViewAppName);
	AddChild(mStrViewAppVer);
	AddChild(mStrViewCright);
	AddChild(mStrViewTranslator);
	AddChild(mBoxSep1);
	AddChild(mBoxSep2);
	// The icon's own transparency shows the panel behind it.
	SetDrawingMode(B_OP_ALPHA);
	SetBlendingMode(B_PIXEL_ALPHA, B_ALPHA_OVERLAY);
	get_icons(&mIcon, NULL);
}

TAppInfoView::~TAppInfoView()
{
	delete mIcon;
}

void
TAppInfoView::AttachedToWindow()
{
	BView::AttachedToWindow();
	Window()->AddCommonFilter(new TSpyFilter(MSG_LANGUAGE_CHANGED, BMessenger(this)));
	Window()->AddCommonFilter(new TSpyFilter(MSG_IAP_CHANGED, BMessenger(this)));
}

void
TAppInfoView::Draw(BRect)
{
	if (mIcon != NULL)
		DrawBitmap(mIcon, kIconPlace);
}

void
TAppInfoView::IAPChanged(BMessage*)
{
	// None of the common preferences changes what the box shows.
}

void
TAppInfoView::LanguageChanged()
{
	SetAppInfo();
	SetTranslatorInfo();
}

status_t
TAppInfoView::SetAppInfo(const char* name, const char* version, const char* copyright)
{
	WindowLock lock(this);
	if (!lock.IsLocked())
		return B_ERROR;
	mAppName = name != NULL ? name : "";
	mAppVer = version != NULL ? version : "";
	mCright = copyright != NULL ? copyright : "";
	return SetAppInfo();
}

void
TAppInfoView::SetIAPRef(TInterAppPrefs* iaps)
{
	mIAPs = iaps;
}

status_t
TAppInfoView::SetTranslatorInfo(const char* translatorInfo)
{
	WindowLock lock(this);
	if (!lock.IsLocked())
		return B_ERROR;
	mTranslatorInfo = translatorInfo != NULL ? translatorInfo : "";
	return SetTranslatorInfo();
}

status_t
TAppInfoView::SetAppInfo()
{
	WindowLock lock(this);
	if (!lock.IsLocked())
		return B_ERROR;
	mStrViewAppName->SetText(std::string(gLocale.GetString(mAppName)).c_str());
	mStrViewAppVer->SetText(std::string(gLocale.GetString(mAppVer)).c_str());
	// The template itself is the application's own and is not looked up.
	mStrViewCright->SetText(
		replaced(mCright, kAuthorPlaceholder, gLocale.GetString(ABOUT_AUTHOR_KEY)).c_str());
	return B_OK;
}

status_t
TAppInfoView::SetTranslatorInfo()
{
	WindowLock lock(this);
	if (!lock.IsLocked())
		return B_ERROR;
	std::string language =
		locale_text_with_default(LKV_ABOUT_LANG_NAME_IN_NATIVE, LANG_NAME_DEFAULT);
	std::string translator =
		locale_text_with_default(LKV_ABOUT_TRANSLATOR_NAME, TRANSLATOR_NAME_DEFAULT);
	std::string text = gLocale.GetString(mTranslatorInfo);
	text = replaced(text, kLangNamePlaceholder, language);
	text = replaced(text, kTranslatorPlaceholder, translator);
	mStrViewTranslator->SetText(text.c_str());
	return B_OK;
}
