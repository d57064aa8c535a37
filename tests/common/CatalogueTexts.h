#ifndef TESTS_COMMON_CATALOGUE_TEXTS_H
#define TESTS_COMMON_CATALOGUE_TEXTS_H

#include <locale/LocaleKeys.h>

#include <string>
#include <vector>

// Every text a label of the system starts from: each key of the catalogue, and each row of its
// tables by itself.
inline std::vector<std::string>
catalogue_texts()
{
	std::vector<std::string> texts = {LKK_BUTTON_OK,
									  LKK_BUTTON_CANCEL,
									  LKK_STR_VIEW_CAPTION,
									  LKK_SITEM_CATEGORY_INPUT,
									  LKK_SITEM_CATEGORY_INPUT_ASSIST,
									  LKK_SITEM_CATEGORY_PUNCTUATION_CONVERT,
									  LKK_BOX_INPUT,
									  LKK_STR_VIEW_HIRAGANA_MODE,
									  LKK_RBUTTON_HIRAGANA_MODE_ROMAN,
									  LKK_RBUTTON_HIRAGANA_MODE_KANA,
									  LKK_MFIELD_INPUT_MODE,
									  LKK_STR_VIEW_PERIOD_TYPE,
									  LKK_STR_VIEW_COMMA_TYPE,
									  LKK_STR_VIEW_SLASH_TYPE,
									  LKK_STR_VIEW_BRACKET_TYPE,
									  LKK_MFIELD_KEY_NAVIGATION,
									  LKK_CBOX_TEN_KEY_HALF_INPUT,
									  LKK_CBOX_TEN_KEY_CONFIRM_INPUT,
									  LKK_CBOX_FIXED_CONFIRM_INPUT,
									  LKK_BOX_SPACE_MODE,
									  LKK_MFIELD_SPACE_MODE,
									  LKK_MFIELD_SHIFT_SPACE_MODE,
									  LKK_CBOX_PUNCTUATION_CONVERT,
									  LKK_CBOX_PERIOD_CONVERT,
									  LKK_CBOX_COMMA_CONVERT,
									  LKK_CBOX_QUESTION_CONVERT,
									  LKK_CBOX_EXCLAMATION_CONVERT,
									  LKK_COLON_SPACE,
									  LKK_ABOUT_WIN_TITLE,
									  LKK_ABOUT_BUTTON_OK,
									  LKK_IAP_WIN_TITLE,
									  LKK_IAP_ACC_KEY_NONE,
									  LKK_IAP_BUTTON_OK,
									  LKK_IAP_BUTTON_CANCEL,
									  LKK_IAP_BUTTON_DEFAULTS};
	for (const auto& row : LKK_POP_MITEM_INPUT_MODE)
		texts.push_back(row);
	for (const auto& row : LKK_POP_MITEM_KEY_NAVIGATION)
		texts.push_back(row);
	for (const auto& row : LKK_POP_MITEM_SPACE_MODE)
		texts.push_back(row);
	for (const auto& row : LKK_STR_VIEW_DESCRIPTION)
		texts.push_back(row);
	return texts;
}

#endif
