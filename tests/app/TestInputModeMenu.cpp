#include <app/InputModeMenu.h>

#include <locale/LocaleKeys.h>
#include <util/AccLabel.h>

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

TEST(InputModeMenu, EveryRowHasOneKeyAndSeparatorsMatch)
{
	EXPECT_EQ(std::size(ACC_LABEL_INPUT_MODE), std::size(LKK_POP_MITEM_INPUT_MODE));
	EXPECT_EQ(sizeof(ACC_LABEL_INPUT_MODE[0]), 4u);
	for (size_t row = 0; row < std::size(ACC_LABEL_INPUT_MODE); row++) {
		SCOPED_TRACE(row);
		EXPECT_EQ(std::strlen(ACC_LABEL_INPUT_MODE[row]), 1u);
		bool separator = std::strcmp(LKK_POP_MITEM_INPUT_MODE[row], "-") == 0;
		EXPECT_EQ(std::strcmp(ACC_LABEL_INPUT_MODE[row], "-") == 0, separator);
	}
}

TEST(InputModeMenu, TheMenuEndsBeforeCodeInput)
{
	EXPECT_EQ(INPUT_MODE_MENU_ROWS, 8);
	EXPECT_STREQ(LKK_POP_MITEM_INPUT_MODE[INPUT_MODE_CODE], "コード");
	EXPECT_STREQ(LKK_POP_MITEM_INPUT_MODE[INPUT_MODE_FIXED_KATAKANA], "カタカナ固定");
	EXPECT_EQ(MSG_POP_MITEM_INPUT_MODE, 0x5F70696Du);
}

TEST(InputModeMenu, FixedHalfWidthAlphanumericsReadsBackItsKey)
{
	std::string label =
		merge_accelerator_key("\x02(a)", ACC_LABEL_INPUT_MODE[INPUT_MODE_FIXED_HALF_ALPHANUMERIC],
							  LKK_POP_MITEM_INPUT_MODE[INPUT_MODE_FIXED_HALF_ALPHANUMERIC]);
	EXPECT_EQ(label, "半角英数固定(B)");
	EXPECT_EQ(short_cut_from_label(label), 'b');
}
