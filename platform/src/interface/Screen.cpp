#include <Screen.h>

#include "Display.h"

const screen_id B_MAIN_SCREEN_ID = {0};

BScreen::BScreen(screen_id id) : fID(id) {}

BScreen::BScreen(BWindow*) : fID(B_MAIN_SCREEN_ID) {}

BScreen::~BScreen() {}

bool
BScreen::IsValid()
{
	return fID.id == B_MAIN_SCREEN_ID.id;
}

color_space
BScreen::ColorSpace()
{
	return IsValid() ? B_RGB32 : B_NO_COLOR_SPACE;
}

BRect
BScreen::Frame()
{
	if (!IsValid())
		return BRect();
	return BPrivate::Display::Default()->ScreenFrame();
}

screen_id
BScreen::ID()
{
	return fID;
}
