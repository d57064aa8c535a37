#include <app/ZorvyPrefsAppPrivacy.h>

#include <locale/LocaleKeys.h>
#include <util/AccLabel.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// gAPAppPrivacy is the program's one record: each test restores the format it found.
class AccLabelTest : public testing::Test {
protected:
	void SetUp() override { fSaved = gAPAppPrivacy.mAccFormat; }
	void TearDown() override { gAPAppPrivacy.mAccFormat = fSaved; }

	std::string fSaved;
};

} // namespace

TEST_F(AccLabelTest, TheFormatIsEmptyUntilStartUpReadsIt)
{
	TZorvyPrefsAppPrivacy privacy;
	EXPECT_EQ(privacy.mAccFormat, "");
	EXPECT_EQ(fSaved, "");
}

TEST_F(AccLabelTest, UsesTheRecordedFormat)
{
	struct Case {
		std::string format;
		std::string expected;
	};
	const Case cases[] = {
		{"\x02(a)", "設定項目(Y)"},   {"\001a) ", "Y) 設定項目"}, {"\001a・", "Y・設定項目"},
		{"\001a - ", "Y - 設定項目"}, {"", "設定項目"},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.expected);
		gAPAppPrivacy.mAccFormat = c.format;
		EXPECT_EQ(acc_label("Y", LKK_STR_VIEW_CAPTION), c.expected);
	}
}

TEST_F(AccLabelTest, AnEmptyFormatLeavesTheLabelWithoutALetter)
{
	gAPAppPrivacy.mAccFormat = "";
	for (const char* label :
		 {LKK_RBUTTON_HIRAGANA_MODE_ROMAN, LKK_MFIELD_INPUT_MODE, "Select..."}) {
		SCOPED_TRACE(label);
		std::string result = acc_label("R", label);
		EXPECT_EQ(result, label);
		EXPECT_EQ(short_cut_from_label(result), 0);
	}
}
