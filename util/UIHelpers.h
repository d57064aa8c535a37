#ifndef MOZELT_UI_HELPERS_H
#define MOZELT_UI_HELPERS_H

// Small helpers that the library's views and windows share: fitting controls to their
// labels, pressing a button visibly, closing a window held through a pointer, the
// application's icons, colours and nested messages carried in messages, messages to every
// window, alerts, and opening documents and web addresses in the user's preferred program.

#include <Alert.h>
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
class BView;
class BWindow;
struct entry_ref;

constexpr char FUC_MIME_TYPE_HTML[] = "text/html";

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
// Marks the item at index, which the field then shows. An index that names no item, or a
// separator, shows no choice at all: nothing is marked and the field's label is empty.
void mark_mfield_mitem(BMenuField* menuField, int32 index);
// The label of a box, caption (a string view's text), control or menu field; a caption is
// fitted to it, a menu field's or text control's divider too. Other views are left alone.
void set_view_label(BView* view, const char* label);
status_t set_target_for_items(BMenu* menu, BHandler* handler);

status_t add_rgb_color(BMessage* message, const char* name, rgb_color color);
// Leaves the colour as it was when the message has none under the name.
status_t find_rgb_color(const BMessage* message, const char* name, rgb_color* color);
bool is_same_rgb_color(rgb_color a, rgb_color b);

// A message to be delivered later, with where to deliver it.
status_t add_nest_message(BMessage* message, const BMessage* nested, BMessenger messenger);
status_t find_nest_message(const BMessage* message, BMessage* nested, BMessenger* messenger);
status_t invoke_nest_message(const BMessage* message);

// The application's own icons, 32x32 and 16x16 in B_RGBA32, for each pointer that is not null;
// the caller owns them. The status of the large one: an error, and no bitmap, when the
// application carries no such icon.
status_t get_icons(BBitmap** large, BBitmap** mini);

status_t send_message_to_all_windows(BMessage message);
// Waits until the handler's looper can be locked, then sends; never call it from that
// looper's thread while another thread holds its lock.
status_t send_message_with_lock(BHandler* handler, BMessage message);

// A modal alert titled with the headline, showing the headline and the text below it, with
// one to three buttons (an empty second or third label leaves that button out). The button
// at the escape index answers Escape, the others the letter their label carries. The index
// of the button pressed.
int32 show_alert3(const char* headline, const char* text, const char* label0, const char* label1,
				  const char* label2, int32 escapeIndex, alert_type type = B_INFO_ALERT);

// Starts the preferred program for the type with the target (an address or a file) as its
// argument: an application of the type, else the desktop's opener. B_ERROR when none can be
// started or handed the target.
status_t show_core(const char* mimeType, const char* target);
// Opens a file that carries its type.
status_t show_help(const char* path);
status_t show_url(const char* address);

// The file that a save panel's message names: its folder and the name typed.
status_t get_save_ref(const BMessage* message, entry_ref* ref);

#endif
