#ifndef WIDGETS_TOOL_TIP_WINDOW_H
#define WIDGETS_TOOL_TIP_WINDOW_H

// The small window that shows a tooltip's text. It never takes the focus nor comes to the front
// by itself, and closes itself after its showing time.

#include <GraphicsDefs.h>
#include <Window.h>

#include <string>

class BMessageRunner;

extern const rgb_color FUC_COLOR_TOOL_TIP_WIN_BG;

class TToolTipWindow : public BWindow {
public:
	TToolTipWindow(BRect frame, const std::string& name, const std::string& tip,
				   bigtime_t showTime);
	virtual ~TToolTipWindow();

	// The open tooltip windows of the application, by name. Close asks the window of that name
	// to quit and fails when there is none.
	static BWindow* Find(const std::string& name);
	static bool AnyOpen();
	static status_t Close(const std::string& name);

private:
	BMessageRunner* mCloseTimer;
};

#endif
