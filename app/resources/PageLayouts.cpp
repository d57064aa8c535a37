#include "PageLayouts.h"

#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <Menu.h>
#include <MenuBar.h>
#include <Rect.h>
#include <View.h>

namespace {

// High, low and view colour, each red, green, blue, alpha from the most significant byte down.
struct ColorSet {
	uint32 high;
	uint32 low;
	uint32 view;
};

// The page's background: white low colour under the panel grey.
constexpr ColorSet kBackground = {0x000000FF, 0xFFFFFFFF, 0xD8D8D8FF};
// Controls on the panel grey.
constexpr ColorSet kPanel = {0x000000FF, 0xD8D8D8FF, 0xD8D8D8FF};
// The glyph holders: a transparent view colour, so only the toolbar inside them draws.
constexpr ColorSet kHolder = {0x000000FF, 0xFFFFFFFF, 0xD8D8D800};

const uint32 kFollowAll = B_FOLLOW_ALL_SIDES;
const uint32 kFollowLeftTop = B_FOLLOW_LEFT | B_FOLLOW_TOP;
const uint32 kFollowNone = B_FOLLOW_NONE;
constexpr uint32 kDrawFrameEvents = B_WILL_DRAW | B_FRAME_EVENTS;
constexpr uint32 kBoxFlags =
	B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW | B_NAVIGABLE_JUMP | B_FRAME_EVENTS;
constexpr uint32 kNavigable = B_WILL_DRAW | B_NAVIGABLE;
constexpr uint32 kDraw = B_WILL_DRAW;

static_assert(kDrawFrameEvents == 0x24000000 && kBoxFlags == 0xAC000000);
static_assert(kNavigable == 0x22000000 && kDraw == 0x20000000);

BMessage
view_archive(const char* className, const char* name, BRect frame, uint32 resizingMode,
			 uint32 flags, const ColorSet& colors)
{
	BMessage archive(B_ARCHIVED_OBJECT);
	archive.AddString("class", className);
	archive.AddString("_name", name);
	archive.AddRect("_frame", frame);
	archive.AddInt32("_resize_mode", int32(resizingMode));
	archive.AddInt32("_flags", int32(flags));
	archive.AddInt32("_color", int32(colors.high));
	archive.AddInt32("_color", int32(colors.low));
	archive.AddInt32("_color", int32(colors.view));
	return archive;
}

void
add_child(BMessage* parent, const BMessage& child)
{
	parent->AddMessage("_views", &child);
}

BMessage
background()
{
	return view_archive("BView", "BGView", BRect(0, 0, 400, 200), kFollowAll, kDrawFrameEvents,
						kBackground);
}

BMessage
box(const char* name, BRect frame)
{
	BMessage archive = view_archive("BBox", name, frame, kFollowLeftTop, kBoxFlags, kPanel);
	archive.AddString("_label", "");
	return archive;
}

BMessage
caption(const char* name, BRect frame)
{
	BMessage archive = view_archive("BStringView", name, frame, kFollowLeftTop, kDraw, kPanel);
	archive.AddString("_text", "");
	archive.AddInt32("_align", B_ALIGN_LEFT);
	return archive;
}

BMessage
radio_button(const char* name, BRect frame)
{
	BMessage archive =
		view_archive("BRadioButton", name, frame, kFollowLeftTop, kNavigable, kPanel);
	archive.AddInt32("_dmod", B_OP_COPY);
	return archive;
}

BMessage
check_box(const char* name, BRect frame)
{
	return view_archive("BCheckBox", name, frame, kFollowLeftTop, kNavigable, kPanel);
}

// The glyph holders of the Input page; the page puts a toolbar into each.
BMessage
holder(const char* name, BRect frame)
{
	return view_archive("BView", name, frame, kFollowNone, kDraw, kHolder);
}

// The menu properties the bar and its pop-up menu share, in the platform's order.
void
add_menu_properties(BMessage* archive, bool radio, bool triggersEnabled, bool labelFromMarked,
					float maxContentWidth)
{
	archive->AddBool("_rsize_to_fit", true);
	archive->AddBool("_disable", false);
	archive->AddBool("_radio", radio);
	archive->AddBool("_trig_disabled", !triggersEnabled);
	archive->AddBool("_dyn_label", labelFromMarked);
	archive->AddFloat("_maxwidth", maxContentWidth);
}

// A menu field with an empty label, its divider at 90, and a bar holding one item whose
// pop-up menu is still empty: the page fills the menu.
BMessage
menu_field(const char* name, BRect frame, BRect barFrame, bool triggersEnabled)
{
	BMessage popUp =
		view_archive("BPopUpMenu", "Menu", BRect(0, 0, 0, 0), kFollowNone, kDraw, kPanel);
	popUp.AddInt32("_layout", B_ITEMS_IN_COLUMN);
	add_menu_properties(&popUp, true, triggersEnabled, true, 0.0f);

	BMessage item(B_ARCHIVED_OBJECT);
	item.AddString("class", "BMenuItem");
	item.AddString("_label", "Menu");
	item.AddMessage("_submenu", &popUp);

	BMessage bar =
		view_archive("_BMCMenuBar_", "_mc_mb_", barFrame, kFollowLeftTop, kDrawFrameEvents, kPanel);
	bar.AddPoint("_ploc", BPoint(0, 0));
	add_menu_properties(&bar, false, triggersEnabled, false, 29.0f);
	bar.AddMessage("_items", &item);
	bar.AddInt32("_border", B_BORDER_CONTENTS);

	BMessage field = view_archive("BMenuField", name, frame, kFollowLeftTop, kNavigable, kPanel);
	add_child(&field, bar);
	field.AddString("_label", "");
	field.AddFloat("_divide", 90.0f);
	field.AddInt32("_align", B_ALIGN_LEFT);
	field.AddBool("be:dmark", true);
	return field;
}

// The check boxes of the Punctuation-conversion page carry a font and the drawing buffer mode of
// the editor they were laid out in.
BMessage
punctuation_check_box(const char* name, BRect frame)
{
	BMessage archive = check_box(name, frame);
	archive.AddString("_fname", "Haru");
	archive.AddString("_fname", "Regular");
	archive.AddInt32("_dbuf", 5);
	archive.AddString("_label", "");
	return archive;
}

} // namespace

BMessage
make_input_layout()
{
	BMessage inputBox = box("BoxInput", BRect(0, 0, 340, 85));
	add_child(&inputBox, caption("StrViewHiraganaMode", BRect(10, 20, 70, 40)));
	add_child(&inputBox, radio_button("RButtonHiraganaModeRoman", BRect(100, 20, 210, 39)));
	add_child(&inputBox, radio_button("RButtonHiraganaModeKana", BRect(220, 20, 330, 39)));
	add_child(&inputBox,
			  menu_field("MFieldInputMode", BRect(10, 50, 151, 73), BRect(91, 2, 139, 21), true));

	BMessage page = background();
	add_child(&page, inputBox);
	add_child(&page, caption("StrViewPeriodType", BRect(0, 95, 40, 115)));
	add_child(&page, holder("ViewPeriodType", BRect(40, 95, 80, 120)));
	add_child(&page, caption("StrViewCommaType", BRect(90, 95, 130, 115)));
	add_child(&page, holder("ViewCommaType", BRect(130, 95, 170, 120)));
	add_child(&page, caption("StrViewSlashType", BRect(180, 95, 220, 115)));
	add_child(&page, holder("ViewSlashType", BRect(220, 95, 260, 120)));
	// The bracket pair stands 5 pixels higher than the other three.
	add_child(&page, caption("StrViewBracketType", BRect(270, 90, 310, 110)));
	add_child(&page, holder("ViewBracketType", BRect(310, 90, 350, 115)));
	add_child(&page, menu_field("MFieldKeyNavigation", BRect(0, 130, 143, 153),
								BRect(91, 2, 141, 21), false));
	return page;
}

BMessage
make_punctuation_convert_layout()
{
	BMessage page = background();
	add_child(&page, punctuation_check_box("CBoxPunctuationConvert", BRect(0, 0, 400, 20)));
	// The options, indented under the master switch at a 20-pixel pitch.
	add_child(&page, punctuation_check_box("CBoxPeriodConvert", BRect(10, 30, 400, 50)));
	add_child(&page, punctuation_check_box("CBoxCommaConvert", BRect(10, 50, 400, 70)));
	add_child(&page, punctuation_check_box("CBoxQuestionConvert", BRect(10, 70, 400, 90)));
	add_child(&page, punctuation_check_box("CBoxExclamationConvert", BRect(10, 90, 400, 110)));
	return page;
}

BMessage
make_input_assist_layout()
{
	BMessage spaceBox = box("BoxSpaceMode", BRect(0, 80, 400, 170));
	add_child(&spaceBox,
			  menu_field("MFieldSpaceMode", BRect(10, 25, 153, 48), BRect(91, 2, 141, 21), false));
	add_child(&spaceBox, menu_field("MFieldShiftSpaceMode", BRect(10, 55, 153, 78),
									BRect(91, 2, 141, 21), false));

	BMessage page = background();
	add_child(&page, check_box("CBoxTenKeyHalfInput", BRect(0, 0, 400, 20)));
	add_child(&page, check_box("CBoxTenKeyConfirmInput", BRect(0, 25, 400, 45)));
	add_child(&page, check_box("CBoxFixedConfirmInput", BRect(0, 50, 400, 70)));
	add_child(&page, spaceBox);
	return page;
}

const PageLayout kPageLayouts[3] = {
	{4000, "PrefsViewInputRsrc", B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, make_input_layout},
	{4001, "PrefsViewPunctuationConvertRsrc", B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN,
	 make_punctuation_convert_layout},
	{4002, "PrefsViewInputAssistRsrc", B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, make_input_assist_layout},
};
