#include "ControlLook.h"

#include <Control.h>
#include <InterfaceDefs.h>
#include <View.h>
#include <Window.h>

#include <algorithm>
#include <cmath>

namespace BPrivate {

rgb_color
panel_color()
{
	return ui_color(B_PANEL_BACKGROUND_COLOR);
}

rgb_color
label_color(bool enabled)
{
	rgb_color text = ui_color(B_CONTROL_TEXT_COLOR);
	if (enabled)
		return text;
	return tint_color(panel_color(), B_DISABLED_LABEL_TINT);
}

float
line_height(const BView* view)
{
	font_height height;
	view->GetFontHeight(&height);
	return std::ceil(height.ascent + height.descent);
}

float
centred_baseline(const BView* view, float top, float height)
{
	font_height fh;
	view->GetFontHeight(&fh);
	float text = fh.ascent + fh.descent;
	return std::floor(top + (height - text) / 2 + fh.ascent + 0.5f);
}

void
draw_button_frame(BView* view, BRect frame, bool pressed, bool isDefault, bool enabled)
{
	rgb_color base = panel_color();
	rgb_color border = ui_color(B_CONTROL_BORDER_COLOR);
	if (!enabled)
		border = tint_color(base, B_DARKEN_1_TINT);
	BRect rect = frame;
	if (isDefault) {
		// The default button wears an extra dark ring.
		view->SetHighColor(tint_color(base, B_DARKEN_3_TINT));
		view->StrokeRect(rect);
		rect.InsetBy(1, 1);
		view->SetHighColor(tint_color(base, B_DARKEN_1_TINT));
		view->StrokeRect(rect);
		rect.InsetBy(1, 1);
	}
	view->SetHighColor(border);
	view->StrokeRect(rect);
	rect.InsetBy(1, 1);
	rgb_color fill =
		pressed ? tint_color(base, B_DARKEN_2_TINT) : ui_color(B_CONTROL_BACKGROUND_COLOR);
	if (!enabled)
		fill = tint_color(base, B_LIGHTEN_1_TINT);
	view->SetHighColor(fill);
	view->FillRect(rect);
	rgb_color light = pressed ? tint_color(base, B_DARKEN_3_TINT) : ui_color(B_SHINE_COLOR);
	rgb_color dark = pressed ? ui_color(B_SHINE_COLOR) : tint_color(base, B_DARKEN_1_TINT);
	view->BeginLineArray(4);
	view->AddLine(rect.LeftTop(), rect.RightTop(), light);
	view->AddLine(rect.LeftTop(), rect.LeftBottom(), light);
	view->AddLine(rect.LeftBottom(), rect.RightBottom(), dark);
	view->AddLine(rect.RightTop(), rect.RightBottom(), dark);
	view->EndLineArray();
}

void
draw_check_box(BView* view, BRect box, bool checked, bool pressed, bool enabled)
{
	rgb_color base = panel_color();
	view->SetHighColor(enabled ? ui_color(B_CONTROL_BORDER_COLOR)
							   : tint_color(base, B_DARKEN_1_TINT));
	view->StrokeRect(box);
	BRect inside = box.InsetByCopy(1, 1);
	rgb_color fill = ui_color(B_CONTROL_BACKGROUND_COLOR);
	if (pressed)
		fill = tint_color(base, B_DARKEN_1_TINT);
	else if (!enabled)
		fill = base;
	view->SetHighColor(fill);
	view->FillRect(inside);
	if (!checked)
		return;
	rgb_color mark = ui_color(B_CONTROL_MARK_COLOR);
	if (!enabled)
		mark = tint_color(mark, B_DISABLED_MARK_TINT);
	view->SetHighColor(mark);
	view->SetPenSize(2);
	BRect m = inside.InsetByCopy(2, 2);
	view->StrokeLine(m.LeftTop(), m.RightBottom());
	view->StrokeLine(m.LeftBottom(), m.RightTop());
	view->SetPenSize(1);
}

void
draw_radio(BView* view, BRect circle, bool on, bool pressed, bool enabled)
{
	rgb_color base = panel_color();
	rgb_color fill = ui_color(B_CONTROL_BACKGROUND_COLOR);
	if (pressed)
		fill = tint_color(base, B_DARKEN_1_TINT);
	else if (!enabled)
		fill = base;
	view->SetHighColor(fill);
	view->FillEllipse(circle);
	view->SetHighColor(enabled ? ui_color(B_CONTROL_BORDER_COLOR)
							   : tint_color(base, B_DARKEN_1_TINT));
	view->StrokeEllipse(circle);
	if (!on)
		return;
	rgb_color mark = ui_color(B_CONTROL_MARK_COLOR);
	if (!enabled)
		mark = tint_color(mark, B_DISABLED_MARK_TINT);
	view->SetHighColor(mark);
	float inset = std::floor(circle.Width() / 4);
	view->FillEllipse(circle.InsetByCopy(inset, inset));
}

void
draw_focus_line(BView* view, float left, float right, float y)
{
	view->SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
	view->StrokeLine(BPoint(left, y), BPoint(right, y));
}

void
draw_label(BView* view, const char* label, BPoint baseline, bool enabled)
{
	if (label == NULL || label[0] == '\0')
		return;
	view->SetHighColor(label_color(enabled));
	view->SetDrawingMode(B_OP_OVER);
	view->DrawString(label, baseline);
	view->SetDrawingMode(B_OP_COPY);
}

bool
set_optional_label(std::string* label, bool* has, const char* value)
{
	bool present = value != NULL && value[0] != '\0';
	if (present == *has && (!present || *label == value))
		return false;
	*has = present;
	*label = present ? value : "";
	return true;
}

void
mark_preferred_size(BControl* control, float* width, float* height)
{
	const char* label = control->Label();
	float line = line_height(control);
	if (width != NULL)
		*width = 20 + (label != NULL ? std::ceil(control->StringWidth(label)) : 0);
	if (height != NULL)
		*height = std::max(line + 2, 14.0f);
}

BRect
mark_frame(const BView* view)
{
	BRect bounds = view->Bounds();
	float side = std::min(12.0f, bounds.Height());
	float top = std::floor(bounds.top + (bounds.Height() - side) / 2);
	return BRect(bounds.left + 1, top, bounds.left + 1 + side, top + side);
}

void
draw_mark_label(BControl* control, float x)
{
	const char* label = control->Label();
	if (label == NULL)
		return;
	float y = centred_baseline(control, control->Bounds().top, control->Bounds().Height());
	draw_label(control, label, BPoint(x, y), control->IsEnabled());
	if (control->IsFocus() && control->Window()->IsActive()) {
		font_height fh;
		control->GetFontHeight(&fh);
		draw_focus_line(control, x, x + control->StringWidth(label), y + std::ceil(fh.descent));
	}
}

void
draw_sunken_frame(BView* view, BRect frame, bool enabled)
{
	rgb_color base = panel_color();
	view->BeginLineArray(4);
	view->AddLine(frame.LeftTop(), frame.RightTop(), tint_color(base, B_DARKEN_2_TINT));
	view->AddLine(frame.LeftTop(), frame.LeftBottom(), tint_color(base, B_DARKEN_2_TINT));
	view->AddLine(frame.LeftBottom(), frame.RightBottom(), ui_color(B_SHINE_COLOR));
	view->AddLine(frame.RightTop(), frame.RightBottom(), ui_color(B_SHINE_COLOR));
	view->EndLineArray();
	if (!enabled) {
		view->SetHighColor(tint_color(base, B_DARKEN_1_TINT));
		view->StrokeRect(frame.InsetByCopy(1, 1));
	}
}

void
draw_popup_marker(BView* view, BRect area, bool enabled)
{
	// A small downward triangle at the right of the field.
	float middle = std::floor((area.top + area.bottom) / 2);
	float right = area.right - 4;
	rgb_color color =
		enabled ? ui_color(B_CONTROL_TEXT_COLOR) : tint_color(panel_color(), B_DISABLED_LABEL_TINT);
	view->SetHighColor(color);
	view->FillTriangle(BPoint(right - 6, middle - 2), BPoint(right, middle - 2),
					   BPoint(right - 3, middle + 1));
}

} // namespace BPrivate
