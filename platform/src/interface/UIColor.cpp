#include <GraphicsDefs.h>
#include <InterfaceDefs.h>

#include <cmath>

#include "UIColorPrivate.h"

namespace {

struct RoleColor {
	color_which which;
	rgb_color color;
};

// The platform's default colours.
const RoleColor kDefaults[] = {
	{B_PANEL_BACKGROUND_COLOR, {216, 216, 216, 255}},
	{B_MENU_BACKGROUND_COLOR, {216, 216, 216, 255}},
	{B_WINDOW_TAB_COLOR, {255, 203, 0, 255}},
	{B_NAVIGATION_BASE_COLOR, {0, 0, 229, 255}},
	{B_DESKTOP_COLOR, {51, 102, 152, 255}},
	{B_MENU_SELECTED_BACKGROUND_COLOR, {168, 168, 168, 255}},
	{B_MENU_ITEM_TEXT_COLOR, {0, 0, 0, 255}},
	{B_MENU_SELECTED_ITEM_TEXT_COLOR, {0, 0, 0, 255}},
	{B_MENU_SELECTED_BORDER_COLOR, {0, 0, 0, 255}},
	{B_PANEL_TEXT_COLOR, {0, 0, 0, 255}},
	{B_DOCUMENT_BACKGROUND_COLOR, {255, 255, 255, 255}},
	{B_DOCUMENT_TEXT_COLOR, {0, 0, 0, 255}},
	{B_CONTROL_BACKGROUND_COLOR, {245, 245, 245, 255}},
	{B_CONTROL_TEXT_COLOR, {0, 0, 0, 255}},
	{B_CONTROL_BORDER_COLOR, {172, 172, 172, 255}},
	{B_CONTROL_HIGHLIGHT_COLOR, {102, 152, 203, 255}},
	{B_NAVIGATION_PULSE_COLOR, {0, 0, 0, 255}},
	{B_SHINE_COLOR, {255, 255, 255, 255}},
	{B_SHADOW_COLOR, {0, 0, 0, 255}},
	{B_TOOL_TIP_BACKGROUND_COLOR, {255, 255, 216, 255}},
	{B_TOOL_TIP_TEXT_COLOR, {0, 0, 0, 255}},
	{B_WINDOW_TEXT_COLOR, {0, 0, 0, 255}},
	{B_WINDOW_INACTIVE_TAB_COLOR, {232, 232, 232, 255}},
	{B_WINDOW_INACTIVE_TEXT_COLOR, {80, 80, 80, 255}},
	{B_WINDOW_BORDER_COLOR, {224, 224, 224, 255}},
	{B_WINDOW_INACTIVE_BORDER_COLOR, {232, 232, 232, 255}},
	{B_CONTROL_MARK_COLOR, {27, 82, 140, 255}},
	{B_LIST_BACKGROUND_COLOR, {255, 255, 255, 255}},
	{B_LIST_SELECTED_BACKGROUND_COLOR, {190, 190, 190, 255}},
	{B_LIST_ITEM_TEXT_COLOR, {0, 0, 0, 255}},
	{B_LIST_SELECTED_ITEM_TEXT_COLOR, {0, 0, 0, 255}},
	{B_SCROLL_BAR_THUMB_COLOR, {216, 216, 216, 255}},
	{B_LINK_TEXT_COLOR, {38, 90, 200, 255}},
	{B_LINK_HOVER_COLOR, {42, 131, 255, 255}},
	{B_LINK_VISITED_COLOR, {160, 27, 179, 255}},
	{B_LINK_ACTIVE_COLOR, {0, 0, 0, 255}},
	{B_SUCCESS_COLOR, {0, 255, 0, 255}},
	{B_FAILURE_COLOR, {255, 0, 0, 255}},
};

} // namespace

rgb_color
ui_color(color_which which)
{
	for (const RoleColor& entry : kDefaults) {
		if (entry.which == which)
			return entry.color;
	}
	return make_color(0, 0, 0);
}

rgb_color
tint_color(rgb_color color, float tint)
{
	auto scale = [tint](uint8 value) -> uint8 {
		float result;
		if (tint < 1.0f)
			result = value + (255 - value) * (1.0f - tint);
		else
			result = value * (2.0f - tint);
		if (result < 0.0f)
			result = 0.0f;
		if (result > 255.0f)
			result = 255.0f;
		return uint8(std::lround(result));
	};
	return make_color(scale(color.red), scale(color.green), scale(color.blue), color.alpha);
}

bool
BPrivate::is_known_color_which(int32 which)
{
	for (const RoleColor& entry : kDefaults) {
		if (int32(entry.which) == which)
			return true;
	}
	return false;
}
