#ifndef ZORVY_INPUT_MODE_MENU_H
#define ZORVY_INPUT_MODE_MENU_H

#include <SupportDefs.h>

#include <string>

class BMenu;
class BMessage;

// The input method's modes, numbered as the preference record stores them. Their texts are
// the rows of LKK_POP_MITEM_INPUT_MODE; a row whose text is "-" separates groups in the menu.
enum {
	INPUT_MODE_HIRAGANA = 0,
	INPUT_MODE_FIXED_HIRAGANA = 2,
	INPUT_MODE_FIXED_KATAKANA = 3,
	INPUT_MODE_FIXED_ALPHANUMERIC = 4,
	INPUT_MODE_FIXED_HALF_KATAKANA = 6,
	INPUT_MODE_FIXED_HALF_ALPHANUMERIC = 7,
	INPUT_MODE_CODE = 9,
};

// The menu offers the rows up to this one only: code input is never a start-up mode.
inline constexpr int32 INPUT_MODE_MENU_ROWS = 8;

// The accelerator key of each row, parallel to LKK_POP_MITEM_INPUT_MODE.
inline constexpr char ACC_LABEL_INPUT_MODE[10][4] = {
	"H", "-", "F", "K", "A", "-", "I", "B", "-", "C",
};

// What an item of the input-mode menu sends, and the field naming its mode.
inline constexpr uint32 MSG_POP_MITEM_INPUT_MODE = '_pim';
inline constexpr char INPUT_MODE_FIELD[] = "InputMode";

// A new message for the item of the mode; the caller owns it.
BMessage* create_pop_mitem_input_mode_message(int32 mode);
// Appends the items of the offered modes, with the separators between their groups. With
// accelerators, each label carries its row's key in the given accelerator format.
void add_input_mode_mitem(BMenu* menu, bool withAccelerators, const std::string& format);
// Starts the utility at folder + fileName (the folder ends with its separator); when that
// fails, starts the application with the signature instead.
status_t launch_utility(const std::string& folder, const std::string& fileName,
						const char* signature);

#endif
