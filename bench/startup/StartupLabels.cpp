// Start-up benchmark program on the platform: a window of twenty Japanese labels. It prints
// "frame" once the window's first frame is shown (in memory headless, on the screen with the
// desktop display) and ends at once.

#include <Application.h>
#include <StringView.h>
#include <Window.h>

#include "Labels.h"
#include "headless/HeadlessDisplay.h"
#include "sdl/SdlDisplay.h"

#include <cstdio>
#include <unistd.h>

namespace {

class LabelsWindow : public BWindow {
public:
	LabelsWindow()
		: BWindow(BRect(100, 100, 649, 384), "Start-up labels", B_TITLED_WINDOW,
				  B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_QUIT_ON_WINDOW_CLOSE)
	{
		BView* panel = new BView(Bounds(), "panel", B_FOLLOW_ALL, B_WILL_DRAW);
		panel->SetViewUIColor(B_PANEL_BACKGROUND_COLOR);
		AddChild(panel);
		for (int i = 0; i < startup::kLabelCount; i++) {
			float left = startup::label_left(i);
			float top = startup::label_top(i);
			BRect frame(left, top, left + startup::kLabelWidth - 1,
						top + startup::kLabelHeight - 1);
			BStringView* label =
				new BStringView(frame, "label", startup::kLabels[i], B_FOLLOW_NONE);
			label->SetFontSize(startup::kFontSize);
			panel->AddChild(label);
		}
	}
};

class LabelsApplication : public BApplication {
public:
	LabelsApplication() : BApplication("application/x-vnd.beapi-startup-labels") {}

	virtual void ReadyToRun()
	{
		BWindow* window = new LabelsWindow();
		window->Show();
		BPrivate::Display* display = BPrivate::Display::Default();
		status_t status = B_ERROR;
		if (auto* headless = dynamic_cast<BPrivate::HeadlessDisplay*>(display))
			status = headless->Sync(window, 10000000);
		else if (auto* desktop = dynamic_cast<BPrivate::SdlDisplay*>(display))
			status = desktop->WaitForFirstFrame(window, 10000000);
		printf(status == B_OK ? "frame\n" : "no frame\n");
		fflush(stdout);
		// Measured is the way to the first frame; tearing down is not part of it.
		_exit(status == B_OK ? 0 : 1);
	}
};

} // namespace

int
main()
{
	LabelsApplication application;
	application.Run();
	return 0;
}
