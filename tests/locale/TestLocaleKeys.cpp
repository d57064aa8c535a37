#include <locale/Locale.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <type_traits>

namespace {

// Every byte after a row's terminating NUL is NUL too, so the slot holds exactly one string.
template <size_t Rows, size_t Width>
void
expect_padded_rows(const char (&table)[Rows][Width])
{
	for (size_t row = 0; row < Rows; row++) {
		SCOPED_TRACE(row);
		size_t length = strnlen(table[row], Width);
		ASSERT_LT(length, Width);
		EXPECT_GT(length, 0u);
		for (size_t i = length; i < Width; i++)
			EXPECT_EQ(table[row][i], '\0');
	}
}

} // namespace

TEST(LocaleKeys, FixedSlotTablesKeepTheirShape)
{
	EXPECT_TRUE((std::is_same_v<decltype(LKK_POP_MITEM_INPUT_MODE), const char[10][32]>));
	EXPECT_TRUE((std::is_same_v<decltype(LKK_POP_MITEM_KEY_NAVIGATION), const char[5][64]>));
	EXPECT_TRUE((std::is_same_v<decltype(LKK_POP_MITEM_SPACE_MODE), const char[4][32]>));
	EXPECT_TRUE((std::is_same_v<decltype(LKK_STR_VIEW_DESCRIPTION), const char[5][128]>));
	expect_padded_rows(LKK_POP_MITEM_INPUT_MODE);
	expect_padded_rows(LKK_POP_MITEM_KEY_NAVIGATION);
	expect_padded_rows(LKK_POP_MITEM_SPACE_MODE);
	expect_padded_rows(LKK_STR_VIEW_DESCRIPTION);
}

TEST(LocaleKeys, InputModeSeparatorsAndLastRow)
{
	for (int row : {1, 5, 8})
		EXPECT_STREQ(LKK_POP_MITEM_INPUT_MODE[row], "-") << row;
	EXPECT_STREQ(LKK_POP_MITEM_INPUT_MODE[9], "コード");
}

TEST(LocaleKeys, SharedTextsAreUtf8)
{
	EXPECT_STREQ(LKK_COLON_SPACE, "\xEF\xBC\x9A");
	EXPECT_STREQ(FUC_ELLIPSIS, "...");
}
