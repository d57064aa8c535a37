#ifndef _ALERT_H
#define _ALERT_H

#include <Window.h>

#include <memory>

class BButton;
class BInvoker;
class BTextView;

enum alert_type { B_EMPTY_ALERT = 0, B_INFO_ALERT, B_IDEA_ALERT, B_WARNING_ALERT, B_STOP_ALERT };

enum button_spacing { B_EVEN_SPACING = 0, B_OFFSET_SPACING };

namespace BPrivate {
struct AlertState;
}

// A modal window with a message and up to three buttons; the last button is the default.
// Go() shows it and returns the index of the button pressed; Go(invoker) returns at once and
// later sends the invoker's message with "which" set to that index. Either way the alert then
// goes away by itself.
class BAlert : public BWindow {
public:
	BAlert(const char* title, const char* text, const char* button1, const char* button2 = NULL,
		   const char* button3 = NULL, button_width width = B_WIDTH_AS_USUAL,
		   alert_type type = B_INFO_ALERT);
	BAlert(const char* title, const char* text, const char* button1, const char* button2,
		   const char* button3, button_width width, button_spacing spacing,
		   alert_type type = B_INFO_ALERT);
	virtual ~BAlert();

	// A key that presses the button at index (a letter, or B_ESCAPE).
	void SetShortcut(int32 index, char key);
	char Shortcut(int32 index) const;

	int32 Go();
	status_t Go(BInvoker* invoker);

	virtual void DispatchMessage(BMessage* message, BHandler* handler);
	virtual void MessageReceived(BMessage* message);

	BButton* ButtonAt(int32 index) const;
	BTextView* TextView() const;
	alert_type Type() const;

	static BPoint AlertPosition(float width, float height);

private:
	void _Init(const char* text, const char* button1, const char* button2, const char* button3,
			   button_width width, button_spacing spacing, alert_type type);
	void _Pressed(int32 index);

	std::shared_ptr<BPrivate::AlertState> fState;
	BButton* fButtons[3];
	char fKeys[3];
	BTextView* fTextView;
	BInvoker* fInvoker;
	alert_type fType;
};

#endif
