#include <widgets/SeparatorButton.h>

#include <InterfaceDefs.h>

TSeparatorButton::TSeparatorButton(float height)
	: TToolButton(BRect(0, 0, 1, 1), "", NULL, "", NULL, TOOL_BUTTON_PUSH)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	ResizeTo(8, height);
}

void
TSeparatorButton::AttachedToWindow()
{}

void
TSeparatorButton::Draw(BRect)
{
	BRect bounds = Bounds();
	SetHighColor(COLOR_DARK_BORDER);
	StrokeLine(BPoint(4, bounds.top), BPoint(4, bounds.bottom));
	SetHighColor(COLOR_BRIGHT_BORDER);
	StrokeLine(BPoint(5, bounds.top), BPoint(5, bounds.bottom));
}

// A separator is no button to the user: a click on it neither looks pressed nor hides a tooltip.
void
TSeparatorButton::MouseDown(BPoint)
{}

void
TSeparatorButton::MouseUp(BPoint)
{}
