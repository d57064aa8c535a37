#ifndef _SCREEN_H
#define _SCREEN_H

#include <GraphicsDefs.h>
#include <Rect.h>

class BWindow;

struct screen_id {
	int32 id;
};

extern const screen_id B_MAIN_SCREEN_ID;

// The screen windows are shown on. Its frame comes from the display: the desktop's main screen,
// or for the headless display 1024x768 unless BEAPI_SCREEN=WxH says otherwise.
class BScreen {
public:
	BScreen(screen_id id = B_MAIN_SCREEN_ID);
	BScreen(BWindow* window);
	~BScreen();

	bool IsValid();
	color_space ColorSpace();
	BRect Frame();
	screen_id ID();

private:
	screen_id fID;
};

#endif
