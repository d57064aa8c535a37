#ifndef ZORVY_ITEM_VIEW_MESSAGES_H
#define ZORVY_ITEM_VIEW_MESSAGES_H

#include <SupportDefs.h>

// What the controls of the settings pages send to their page. The items of the input-mode menu
// send MSG_POP_MITEM_INPUT_MODE (app/InputModeMenu.h).

// Input page.
inline constexpr uint32 MSG_POP_MITEM_KEY_NAVIGATION = 'pkyn';
inline constexpr char KEY_NAVIGATION_FIELD[] = "KeyNavi";
inline constexpr uint32 MSG_RBUTTON_HIRAGANA_MODE = 'rhgm';
inline constexpr uint32 MSG_TBUTTON_PUNCTUATION_TYPE = 'tptt';

// Input-assist page.
inline constexpr uint32 MSG_CBOX_TEN_KEY_HALF_INPUT = 'ctkh';
inline constexpr uint32 MSG_CBOX_TEN_KEY_CONFIRM_INPUT = 'ctkc';
inline constexpr uint32 MSG_CBOX_FIXED_CONFIRM_INPUT = 'cfci';
inline constexpr uint32 MSG_POP_MITEM_SPACE_MODE = 'pspm';
inline constexpr uint32 MSG_POP_MITEM_SHIFT_SPACE_MODE = 'pssm';
inline constexpr char SPACE_MODE_FIELD[] = "SpaceMode";

// Punctuation-conversion page: the master switch, and any of its four options.
inline constexpr uint32 MSG_CBOX_PUNCTUATION_CONVERT = 'cpnc';
inline constexpr uint32 MSG_CBOX_PUNCTUATION_CONVERT_OPTION = 'cpco';

#endif
