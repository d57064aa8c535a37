// viewdemo: a window titled "View demo" whose views draw lines, rectangles, Japanese text and a
// bitmap; a click leaves a mark. The program ends when the window is closed.

#include <Application.h>
#include <Window.h>

#include "DemoView.h"

namespace {

class DemoWindow : public BWindow {
public:
	DemoWindow()
		: BWindow(BRect(100, 100, 499, 399), "View demo", B_TITLED_WINDOW,
				  B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_QUIT_ON_WINDOW_CLOSE)
	{
		AddChild(new DemoView(Bounds()));
	}
};

class DemoApplication : public BApplication {
public:
	DemoApplication() : BApplication("application/x-vnd.beapi-viewdemo") {}

	virtual void ReadyToRun() { (new DemoWindow())->Show(); }
};

} // namespace

int
main()
{
	DemoApplication application;
	application.Run();
	return 0;
}
