#ifndef MOZELT_UI_HELPERS_H
#define MOZELT_UI_HELPERS_H

// Small helpers that the library's views and windows share: fitting controls to their
// labels, pressing a button visibly, closing a window held through a pointer, the
// application's icons, colours and nested messages carried in messages, messages to every
// window, alerts, and opening documents and web addresses in the user's preferred program.

#include <GraphicsDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <SupportDefs.h>

class BBitmap;
class BButton;
class BCheckBox;
class BHandler;
class BMenu;
class BMenuField;
class BRadioButton;
class BStringView;
class BTextControl;
class BWindow;
struct entry_ref;

extern const char* const FUC_MIME_TYPE_HTML;

void adjust_button_width(BButton* button);
void adjust_cbox_width(BCheckBox* checkBox);
void adjust_rbutton_width(BRadioButton* radioButton);
void adjust_str_view_width(BStringView* stringView);
void adjust_mfield_divider(BMenuField* menuField);
void adjust_txt_ctrl_divider(BTextControl* textControl);

// Draws the button pressed, waits a moment so that the user sees it, then invokes it.
// A disabled button is pressed only when forced.
void click_button(BButton* button, bool force);
// Quits the window and forgets it, when it can be locked.
void close_window(BWindow** window);
void delete_mfield_mitems(BMenuField* menuField);
status_t set_target_for_items(BMenu* menu, BHandler* handler);

#endif
