#include <locale/LocaleKeys.h>
#include <util/AccLabel.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The formats the common preferences offer, in their menu order.
const std::string kBrackets = "\x02(a)";
const std::string kParenPrefix = "\001a) ";
const std::string kDotPrefix = "\001a・";
const std::string kDashPrefix = "\001a - ";
const std::string kNone = "";

const std::vector<std::string> kOfferedFormats = {kBrackets, kParenPrefix, kDotPrefix, kDashPrefix};

struct MergeCase {
	std::string format;
	std::string key;
	std::string label;
	std::string expected;
};

void
expect_merges(const std::vector<MergeCase>& cases)
{
	for (const MergeCase& c : cases) {
		SCOPED_TRACE("label \"" + c.label + "\", key \"" + c.key + "\"");
		EXPECT_EQ(merge_accelerator_key(c.format, c.key, c.label), c.expected);
	}
}

// Every text a label of the system starts from.
std::vector<std::string>
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

} // namespace

TEST(MergeAcceleratorKey, EachOfferedFormatOnALabelWithAnEllipsis)
{
	expect_merges({
		{kBrackets, "S", "Select...", "Select(S)..."},
		{kParenPrefix, "S", "Select...", "S) Select..."},
		{kDotPrefix, "S", "Select...", "S・Select..."},
		{kDashPrefix, "S", "Select...", "S - Select..."},
		{kNone, "S", "Select...", "Select..."},
	});
}

TEST(MergeAcceleratorKey, BracketsGoBeforeTheFirstMarkerKindPresent)
{
	expect_merges({
		{kBrackets, "O", "Open", "Open(O)"},
		{kBrackets, "O", "Name :", "Name(O) :"},
		{kBrackets, "O", "Options [F2]", "Options(O) [F2]"},
		{kBrackets, "O", "Go >> ...", "Go >>(O) ..."},
		{kBrackets, "O", "...", "(O)..."},
		// Each multi-byte marker is found whole, never split inside its UTF-8 bytes.
		{kBrackets, "N", "文字種：", "文字種(N)："},
		{kBrackets, "N", "Next →", "Next(N) →"},
		{kBrackets, "B", "Back ←", "Back(B) ←"},
		{kBrackets, "F", "Forward >>", "Forward(F) >>"},
		{kBrackets, "R", "Rewind <<", "Rewind(R) <<"},
		// "[" is tried before ":", however late it comes.
		{kBrackets, "T", "Time: now [x]", "Time: now(T) [x]"},
		// "：" is tried before ">>".
		{kBrackets, "A", "A >> B：", "A >> B(A)："},
		// Only the first marker of the winning kind is used.
		{kBrackets, "M", "a:b:c", "a(M):b:c"},
		// Every space before the marker is skipped back, down to the start.
		{kBrackets, "W", "Wait   ...", "Wait(W)   ..."},
		{kBrackets, "W", "   ...", "(W)   ..."},
		{kBrackets, "E", "", "(E)"},
		// The middle dot is not a marker.
		{kBrackets, "K", "かな・カナ", "かな・カナ(K)"},
	});
}

TEST(MergeAcceleratorKey, PrefixFormatsIgnoreMarkers)
{
	expect_merges({
		{kParenPrefix, "N", "Name :", "N) Name :"},
		{kDotPrefix, "B", "半角英数固定", "B・半角英数固定"},
		{kDashPrefix, "E", "", "E - "},
	});
}

TEST(MergeAcceleratorKey, TheKeyReplacesOnlyTheFirstA)
{
	expect_merges({
		// The key is written as given, whatever its length or case.
		{kBrackets, "", "Open", "Open()"},
		{kBrackets, "F10", "Open", "Open(F10)"},
		{kBrackets, "s", "Save...", "Save(s)..."},
		// Later "a"s of the template stay as they are.
		{"\x02[a-a]", "X", "Exit", "Exit[X-a]"},
		{"\001a|a ", "Q", "Quit", "Q|a Quit"},
	});
}

TEST(MergeAcceleratorKey, FormatsWithoutAKeyLeaveTheLabel)
{
	expect_merges({
		{"\x02", "S", "Select...", "Select..."},
		{"\x01", "S", "Select...", "Select..."},
		{"\x02()", "S", "Select...", "Select..."},
		// Byte 0 is the placement code and never stands for the key.
		{"a", "S", "Select", "Select"},
		{"a(a)", "S", "Select", "Select(S)"},
	});
}

TEST(ShortCutFromLabel, ReadsBackEachOfferedFormat)
{
	for (const std::string& format : kOfferedFormats) {
		std::string label = merge_accelerator_key(format, "S", "Select...");
		SCOPED_TRACE(label);
		EXPECT_EQ(short_cut_from_label(label), 's');
	}
	EXPECT_EQ(short_cut_from_label("Select..."), 0);
}

TEST(ShortCutFromLabel, Shapes)
{
	struct Case {
		std::string label;
		char expected;
	};
	const Case cases[] = {
		{"A(B)C(D)", 'd'}, // the last bracket pair decides
		{"(AB)", 0},       // brackets three bytes apart
		{"Open(O)", 'o'},
		{"(O)...", 'o'},
		{"Save(s)", 's'},   // already lower case
		{"Page(1)", '1'},   // only letters change case
		{"Go(X) (Yes)", 0}, // the last "(" and the last ")" do not pair up
		{")(X", 0},         // the last ")" comes before the last "("
		{"X)", 'x'},
		{"X) (AB)", 'x'}, // a failed bracket pair still lets the prefix shapes
						  // try
		{"Q Quit", 'q'},  // an ordinary two-word text reads as a prefix
		{"Z・ゼット", 'z'},
		{"ZZ・ゼット", 0},
		{"Z ", 'z'},
		{"", 0},
		{"A", 0},
		{"(", 0},
		{"()", '('}, // a ")" at byte 1 makes byte 0 the letter, whatever it is
		{"AB", 0},
		{"設定項目(Y)", 'y'},
		{"キャンセル", 0},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.label);
		EXPECT_EQ(short_cut_from_label(c.label), c.expected);
	}
}

TEST(ShortCutFromLabel, ReadsBackEveryLetterOnEveryCatalogueText)
{
	std::vector<std::string> texts = catalogue_texts();
	for (const std::string& format : kOfferedFormats) {
		for (char key = 'A'; key <= 'Z'; key++) {
			for (const std::string& text : texts) {
				std::string label = merge_accelerator_key(format, std::string(1, key), text);
				SCOPED_TRACE(label);
				ASSERT_EQ(short_cut_from_label(label), key - 'A' + 'a');
			}
		}
	}
}

TEST(ShortCutFromLabel, TheEmptyFormatLeavesCatalogueTextsWithoutALetter)
{
	for (const std::string& text : catalogue_texts()) {
		SCOPED_TRACE(text);
		EXPECT_EQ(merge_accelerator_key(kNone, "S", text), text);
		EXPECT_EQ(short_cut_from_label(text), 0);
	}
}
