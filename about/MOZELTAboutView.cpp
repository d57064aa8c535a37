#include <about/MOZELTAboutView.h>

#include <about/AboutDefs.h>

#include <InterfaceDefs.h>
#include <Message.h>
#include <Window.h>

TMOZELTAboutView::TMOZELTAboutView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
	: TDialogView(frame, name, resizingMode, flags)
{
	Init();
}

TMOZELTAboutView::TMOZELTAboutView(BMessage* archive) : TDialogView(archive)
{
	Init();
}

TMOZELTAboutView::~TMOZELTAboutView() {}

void
TMOZELTAboutView::Init()
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	mIAPs = NULL;
}

void
TMOZELTAboutView::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_ABOUT_OK:
	case MSG_ABOUT_CANCEL:
		ButtonOKClicked();
		break;
	default:
		TBasicView::MessageReceived(message);
		break;
	}
}

void
TMOZELTAboutView::AttachedToWindow()
{}

void
TMOZELTAboutView::AllAttached()
{}

void
TMOZELTAboutView::SetIAPRef(TInterAppPrefs* iaps)
{
	mIAPs = iaps;
}

void
TMOZELTAboutView::ButtonOKClicked()
{
	BWindow* window = Window();
	if (window != NULL && !window->IsHidden())
		window->Hide();
}

void
TMOZELTAboutView::ShortCutDown(int32 rawChar, int32 key)
{
	if (rawChar == B_ESCAPE) {
		ButtonOKClicked();
		return;
	}
	TDialogView::ShortCutDown(rawChar, key);
}
