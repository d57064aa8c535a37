#include <app/InputModeMenu.h>
#include <app/PrefsValues.h>

#include "../locale/LocaleTestAccess.h"

#include <locale/Locale.h>
#include <locale/LocaleKeys.h>
#include <util/AccLabel.h>

#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class InputModeItemsTest : public testing::Test {
protected:
	void TearDown() override { TLocaleTestAccess::Clear(gLocale); }

	// The mode each entry sends, -1 for a separator.
	static std::vector<int32> Modes(BMenu& menu)
	{
		std::vector<int32> modes;
		for (int32 i = 0; i < menu.CountItems(); i++) {
			BMenuItem* item = menu.ItemAt(i);
			int32 mode = -1;
			if (dynamic_cast<BSeparatorItem*>(item) == nullptr) {
				EXPECT_EQ(item->Message()->what, MSG_POP_MITEM_INPUT_MODE);
				EXPECT_EQ(item->Message()->FindInt32(INPUT_MODE_FIELD, &mode), B_OK);
				EXPECT_EQ(item->Shortcut(), 0);
			}
			modes.push_back(mode);
		}
		return modes;
	}
};

TEST_F(InputModeItemsTest, EightEntriesWithoutCodeInput)
{
	BMenu menu("InputMode");
	add_input_mode_mitem(&menu, false, "");
	EXPECT_EQ(Modes(menu), (std::vector<int32>{0, -1, 2, 3, 4, -1, 6, 7}));
	EXPECT_STREQ(menu.ItemAt(3)->Label(), "カタカナ固定");
	EXPECT_STREQ(menu.ItemAt(7)->Label(), "半角英数固定");
	for (int32 i = 0; i < menu.CountItems(); i++)
		EXPECT_STRNE(menu.ItemAt(i)->Label(), "コード");
}

// The command line offers the start-up modes of the menu, with the menu's texts.
TEST_F(InputModeItemsTest, TheRecordOffersWhatTheMenuOffers)
{
	BMenu menu("InputMode");
	add_input_mode_mitem(&menu, false, "");
	std::vector<int32> modes = Modes(menu);
	std::vector<std::pair<int32, std::string>> offered;
	for (int32 i = 0; i < menu.CountItems(); i++) {
		if (modes[i] >= 0)
			offered.emplace_back(modes[i], menu.ItemAt(i)->Label());
	}
	std::vector<std::pair<int32, std::string>> described;
	for (const TPrefsChoice& choice : find_prefs_field("DIMd")->choices)
		described.emplace_back(choice.value, choice.text);
	EXPECT_EQ(described, offered);
}

TEST_F(InputModeItemsTest, LabelsCarryTheirKeysInTheGivenFormat)
{
	BMenu menu("InputMode");
	add_input_mode_mitem(&menu, true,
						 "\x01"
						 "a - ");
	EXPECT_STREQ(menu.ItemAt(7)->Label(), "B - 半角英数固定");
	EXPECT_STREQ(menu.ItemAt(0)->Label(), "H - ひらがな");
	EXPECT_EQ(short_cut_from_label(menu.ItemAt(7)->Label()), 'b');
}

TEST_F(InputModeItemsTest, TranslatedLabelsKeepTheirModes)
{
	TLocaleTestAccess::Set(gLocale, "カタカナ固定", "Katakana");
	BMenu menu("InputMode");
	add_input_mode_mitem(&menu, true, "\x02(a)");
	EXPECT_STREQ(menu.ItemAt(3)->Label(), "Katakana(K)");
	EXPECT_EQ(Modes(menu), (std::vector<int32>{0, -1, 2, 3, 4, -1, 6, 7}));
}

TEST(InputModeMessage, CarriesTheMode)
{
	BMessage* message = create_pop_mitem_input_mode_message(INPUT_MODE_FIXED_KATAKANA);
	EXPECT_EQ(message->what, 0x5F70696Du);
	EXPECT_EQ(message->GetInt32("InputMode", -1), 3);
	delete message;
}

TEST(LaunchUtility, ByPathThenBySignature)
{
	char pattern[] = "/tmp/zorvy-utility-XXXXXX";
	ASSERT_NE(mkdtemp(pattern), nullptr);
	std::string folder = std::string(pattern) + "/";
	std::string marker = folder + "ran";
	{
		std::ofstream script(folder + "Utility");
		script << "#!/bin/sh\ntouch '" << marker << "'\n";
	}
	chmod((folder + "Utility").c_str(), 0755);

	EXPECT_EQ(launch_utility(folder, "Utility", "application/x-vnd.MOZELT-Nobody"), B_OK);
	bool ran = false;
	for (int i = 0; i < 500 && !ran; i++) {
		ran = access(marker.c_str(), F_OK) == 0;
		if (!ran)
			snooze(10000);
	}
	EXPECT_TRUE(ran);

	status_t status = launch_utility(folder, "Missing", "application/x-vnd.MOZELT-Nobody");
	EXPECT_NE(status, B_OK);
	EXPECT_NE(status, B_ALREADY_RUNNING);

	std::string command = "rm -rf '" + folder + "'";
	EXPECT_EQ(system(command.c_str()), 0);
}

} // namespace
