#ifndef _CONTROL_LOOK_H
#define _CONTROL_LOOK_H

// How the controls draw: the platform's bevelled frames, marks and focus line, shared so that
// every control looks alike.

#include <GraphicsDefs.h>
#include <Rect.h>

#include <string>

class BControl;
class BView;

namespace BPrivate {

// Makes sure the classes of the controls are known to instantiate_object; every control's
// constructor calls it so that linking any control links them all.
void register_control_classes();

rgb_color panel_color();
// The label colour of a control, dimmed when disabled.
rgb_color label_color(bool enabled);

// The baseline at which a line of the view's font sits centred in a band of the given height.
float centred_baseline(const BView* view, float top, float height);
float line_height(const BView* view);

void draw_button_frame(BView* view, BRect frame, bool pressed, bool isDefault, bool enabled);
void draw_check_box(BView* view, BRect box, bool checked, bool pressed, bool enabled);
void draw_radio(BView* view, BRect circle, bool on, bool pressed, bool enabled);
// The keyboard-navigation mark: a line under a label.
void draw_focus_line(BView* view, float left, float right, float y);
void draw_label(BView* view, const char* label, BPoint baseline, bool enabled);
// Stores a label that may be absent (NULL and "" both mean none); false when nothing changed.
bool set_optional_label(std::string* label, bool* has, const char* value);
// The size a check box or radio button wants: its mark, a gap and the whole label.
void mark_preferred_size(BControl* control, float* width, float* height);
// Where a check box's box or a radio button's circle goes: a square as high as a line of text,
// minus a little, centred vertically at the left.
BRect mark_frame(const BView* view);
// A mark control's label left-aligned at x and centred vertically, with the navigation line
// under it while the control has the focus in the active window.
void draw_mark_label(BControl* control, float x);
// The raised field a pop-up menu or text field sits in.
void draw_sunken_frame(BView* view, BRect frame, bool enabled);
void draw_popup_marker(BView* view, BRect area, bool enabled);

} // namespace BPrivate

#endif
