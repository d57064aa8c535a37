// zorvy-prefs through the real program, beside the real window and a stand-in for the input
// method: what it prints, the file it leaves and the body it delivers.

#include "AppRun.h"
#include "Script.h"

#include <DataIO.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace script;

std::string
flattened(const BMessage& message)
{
	BMallocIO bytes;
	message.Flatten(&bytes);
	return std::string(static_cast<const char*>(bytes.Buffer()), bytes.BufferLength());
}

// Until the window of a started application has been drawn.
bool
wait_for_window(const AppRun& run)
{
	std::string shot = run.Folder() + "/shots/" + kWindowTitle + ".png";
	for (int i = 0; i < 1000; i++) {
		if (access(shot.c_str(), F_OK) == 0)
			return true;
		usleep(10000);
	}
	return false;
}

class PrefsCommandTest : public testing::Test {
protected:
	void SetUp() override { ASSERT_TRUE(fRun.Listen()); }

	AppRun fRun;
};

} // namespace

// The same change through the window and through the command: the same file, the same body.
TEST_F(PrefsCommandTest, SetSavesAndDeliversWhatTheWindowWould)
{
	AppRun window;
	ASSERT_TRUE(window.Listen());
	ASSERT_EQ(window.Run(click(kRowInputAssist) + click(kTenKeyHalf) + click(kOK)), 0)
		<< window.Errors();
	std::vector<BMessage> windowBodies = window.Bodies();
	ASSERT_EQ(windowBodies.size(), 1u);

	ASSERT_EQ(fRun.RunPrefsCommand({"set", "assist.keypad-half-width=false"}), 0) << fRun.Errors();
	EXPECT_EQ(fRun.Errors(), "");
	EXPECT_EQ(fRun.FileBytes(fRun.SettingsPath()), window.FileBytes(window.SettingsPath()));
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 1u);
	EXPECT_EQ(flattened(bodies[0]), flattened(windowBodies[0]));

	// Names or keys, indexes or texts in either language, several at once.
	ASSERT_EQ(
		fRun.RunPrefsCommand({"set", "DIMd=カタカナ固定", "assist.space-width=Always half-width",
							  "KyNv=2", "engine.font-family=Noto Sans", "CWFS=10.5"}),
		0)
		<< fRun.Errors();
	bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 2u);
	EXPECT_EQ(bodies[1].GetInt32("DIMd", -1), 3);
	EXPECT_EQ(bodies[1].GetInt32("SpMd", -1), 2);
	EXPECT_EQ(bodies[1].GetInt32("KyNv", -1), 2);
	EXPECT_STREQ(bodies[1].GetString("CWFF", ""), "Noto Sans");
	EXPECT_EQ(bodies[1].GetFloat("CWFS", 0), 10.5f);
	EXPECT_FALSE(bodies[1].GetBool("TKHI", true));

	ASSERT_EQ(fRun.RunPrefsCommand({"get", "input.startup-mode"}), 0);
	EXPECT_EQ(fRun.Output(), "3\n");
	ASSERT_EQ(fRun.RunPrefsCommand({"list"}), 0);
	EXPECT_NE(fRun.Output().find(
				  "input.startup-mode            DIMd  3  カタカナ固定 / Fixed katakana\n"),
			  std::string::npos)
		<< fRun.Output();

	// reset NAME puts back one default, reset all of them.
	ASSERT_EQ(fRun.RunPrefsCommand({"reset", "KyNv"}), 0) << fRun.Errors();
	EXPECT_EQ(fRun.Bodies()[2].GetInt32("KyNv", -1), 0);
	EXPECT_EQ(fRun.Bodies()[2].GetInt32("DIMd", -1), 3);
	ASSERT_EQ(fRun.RunPrefsCommand({"reset"}), 0) << fRun.Errors();
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	EXPECT_EQ(saved.GetInt32("DIMd", -1), 0);
	EXPECT_TRUE(saved.GetBool("TKHI", false));
}

// A stored value the pages do not offer and a newer version's field go out and come back whole.
TEST_F(PrefsCommandTest, ExportResetImportGivesBackTheSameFile)
{
	BMessage stored;
	stored.AddInt32("KyNv", 9);
	stored.AddString("CWFF", "");
	stored.AddInt32("Nw1 ", 7);
	ASSERT_TRUE(fRun.WriteMessage(fRun.SettingsPath(), stored));
	ASSERT_EQ(fRun.RunPrefsCommand({"set", "TKHI=false"}), 0) << fRun.Errors();
	std::string before = fRun.FileBytes(fRun.SettingsPath());
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	EXPECT_EQ(saved.GetInt32("Nw1 ", 0), 7);
	type_code type;
	EXPECT_NE(fRun.Bodies()[0].GetInfo("Nw1 ", &type), B_OK);

	ASSERT_EQ(fRun.RunPrefsCommand({"list"}), 0);
	EXPECT_NE(fRun.Output().find("KyNv  9  (stored, not offered by the page)"), std::string::npos)
		<< fRun.Output();
	std::string exported = fRun.Folder() + "/exported.json";
	ASSERT_EQ(fRun.RunPrefsCommand({"export", exported}), 0) << fRun.Errors();
	EXPECT_NE(fRun.FileBytes(exported).find("\"input.key-bindings\": 9,"), std::string::npos);
	EXPECT_NE(fRun.FileBytes(exported).find("\"not-offered\": [\"input.key-bindings\"]"),
			  std::string::npos)
		<< fRun.FileBytes(exported);
	ASSERT_EQ(fRun.RunPrefsCommand({"reset"}), 0) << fRun.Errors();
	ASSERT_NE(fRun.FileBytes(fRun.SettingsPath()), before);
	ASSERT_EQ(fRun.RunPrefsCommand({"import", exported}), 0) << fRun.Errors();
	EXPECT_EQ(fRun.FileBytes(fRun.SettingsPath()), before);
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 3u);
	EXPECT_EQ(bodies[2].GetInt32("KyNv", -1), 9);
}

TEST_F(PrefsCommandTest, WrongInputWritesAndSendsNothing)
{
	ASSERT_EQ(fRun.RunPrefsCommand({"set", "SSMd=1"}), 0) << fRun.Errors();
	std::string before = fRun.FileBytes(fRun.SettingsPath());
	std::string garbage = fRun.Folder() + "/garbage.json";
	std::ofstream(garbage) << "{\"format\": \"zorvy-prefs\", \"settings\": {\"TKHI\": 1}}";
	const struct {
		std::vector<std::string> arguments;
		const char* told;
	} cases[] = {
		{{"set", "input.nothing=1"}, "no setting is called \"input.nothing\""},
		{{"set", "KyNv=9"}, "one of 0 (\"Zorvy\")"},
		{{"set", "SpMd=3"}, "\"3\" is not allowed"},
		{{"set", "SpMd=スペースの逆"}, "is not allowed"},
		{{"set", "TKHI=yes"}, "true or false"},
		{{"set", "NCpC=1.5"}, "a whole number"},
		{{"set", "CWFS=nan"}, "a finite number"},
		{{"set", "CWFF=\xff"}, "UTF-8"},
		{{"set", "ComC=true", "PerT=2"}, "true or false"},
		{{"set", "TKHI"}, "is not NAME=VALUE"},
		{{"reset", "KyNv", "nothing"}, "no setting is called"},
		{{"import", garbage}, "assist.keypad-half-width: not true or false"},
		{{"import", fRun.Folder() + "/none.json"}, "cannot be read"},
		{{"frobnicate"}, "unknown command"},
		{{"--force", "list"}, "--force goes only with"},
	};
	for (const auto& c : cases) {
		SCOPED_TRACE(c.arguments.back());
		EXPECT_EQ(fRun.RunPrefsCommand(c.arguments), 2);
		EXPECT_NE(fRun.Errors().find(c.told), std::string::npos) << fRun.Errors();
		EXPECT_EQ(fRun.FileBytes(fRun.SettingsPath()), before);
	}
	EXPECT_EQ(fRun.Bodies().size(), 1u);
}

TEST(PrefsCommandAlone, WithoutTheInputMethodTheChangeIsSavedAndToldSo)
{
	AppRun run;
	ASSERT_EQ(run.RunPrefsCommand({"set", "PctC=false"}), 0) << run.Errors();
	EXPECT_NE(run.Errors().find("the input method is not running"), std::string::npos);
	BMessage saved;
	ASSERT_TRUE(run.ReadMessage(run.SettingsPath(), &saved));
	EXPECT_FALSE(saved.GetBool("PctC", true));
}

// The open window's OK or Cancel would put its own values back: the command refuses unless
// forced.
TEST_F(PrefsCommandTest, AnOpenWindowIsRefusedUnlessForced)
{
	pid_t window = fRun.Start("wait 8000\n" + kClose, "window");
	ASSERT_TRUE(wait_for_window(fRun));
	std::string before = fRun.FileBytes(fRun.SettingsPath());

	EXPECT_EQ(fRun.RunPrefsCommand({"set", "TKHI=false"}), 3);
	EXPECT_NE(fRun.Errors().find("is open"), std::string::npos) << fRun.Errors();
	EXPECT_EQ(fRun.FileBytes(fRun.SettingsPath()), before);
	EXPECT_EQ(fRun.RunPrefsCommand({"reset"}), 3);
	EXPECT_EQ(fRun.Bodies().size(), 0u);

	EXPECT_EQ(fRun.RunPrefsCommand({"--force", "set", "TKHI=false"}), 0) << fRun.Errors();
	EXPECT_NE(fRun.Errors().find("going ahead"), std::string::npos) << fRun.Errors();
	ASSERT_EQ(fRun.Bodies().size(), 1u);
	EXPECT_FALSE(fRun.Bodies()[0].GetBool("TKHI", true));
	EXPECT_EQ(fRun.Wait(window, "window"), 0) << fRun.Errors();
}

// A damaged settings file: reading commands say so and end with 1; a change sets it aside, told,
// and saves the defaults with the change.
TEST_F(PrefsCommandTest, ADamagedFileIsToldAndSetAsideByAChange)
{
	ASSERT_TRUE(fRun.WriteMessage(fRun.SettingsPath(), BMessage()));
	std::ofstream(fRun.SettingsPath(), std::ios::binary | std::ios::trunc)
		<< "garbage, not a message";
	EXPECT_EQ(fRun.RunPrefsCommand({"get", "SSMd"}), 1);
	EXPECT_EQ(fRun.Output(), "3\n");
	EXPECT_NE(fRun.Errors().find("cannot be read"), std::string::npos) << fRun.Errors();
	EXPECT_EQ(fRun.RunPrefsCommand({"export"}), 1);
	EXPECT_EQ(fRun.Output(), "");
	EXPECT_EQ(fRun.FileBytes(fRun.SettingsPath()), "garbage, not a message");

	ASSERT_EQ(fRun.RunPrefsCommand({"set", "ComC=true"}), 0) << fRun.Errors();
	EXPECT_NE(fRun.Errors().find("it was moved to " + fRun.SettingsPath() + ".unreadable-"),
			  std::string::npos)
		<< fRun.Errors();
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	EXPECT_TRUE(saved.GetBool("ComC", false));
	EXPECT_EQ(fRun.Bodies().size(), 1u);
}

// Commands changing settings at the same time each keep their change.
TEST_F(PrefsCommandTest, ChangesMadeAtTheSameTimeAreAllKept)
{
	const char* const changes[] = {"PerT=true",  "ComT=true",  "SlsT=true",  "BrkT=true",
								   "FxCI=true",  "ComC=true",  "TKHI=false", "TKCI=false",
								   "PctC=false", "QstC=false", "ExcC=false", "CpmC=false"};
	std::vector<pid_t> commands;
	for (const char* change : changes)
		commands.push_back(fRun.StartPrefsCommand({"set", change}, change));
	for (size_t i = 0; i < commands.size(); i++)
		EXPECT_EQ(fRun.Wait(commands[i], changes[i]), 0) << fRun.Errors();
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	for (const char* change : changes) {
		std::string key(change, 4);
		EXPECT_EQ(saved.GetBool(key.c_str(), false), std::string(change).substr(5) == "true")
			<< key;
	}
	EXPECT_EQ(fRun.Bodies().size(), std::size(changes));
}

// Help, version and the bash completion, which asks the command for the names.
TEST(PrefsCommandAlone, HelpVersionAndCompletion)
{
	AppRun run;
	ASSERT_EQ(run.RunPrefsCommand({"--help"}), 0);
	EXPECT_NE(run.Output().find("usage: zorvy-prefs list"), std::string::npos) << run.Output();
	EXPECT_NE(run.Output().find("3 the preferences window is open"), std::string::npos);
	ASSERT_EQ(run.RunPrefsCommand({"--version"}), 0);
	EXPECT_EQ(run.Output(), "zorvy-prefs Ver 1.40\n");
	EXPECT_EQ(run.RunPrefsCommand({}), 2);
	EXPECT_NE(run.Errors().find("usage:"), std::string::npos);

	std::string script = run.Folder() + "/complete.sh";
	std::ofstream(script) << "source '" BEAPI_SOURCE_DIR
							 "/tools/zorvy-prefs/zorvy-prefs.bash-completion'\n"
							 "COMP_WORDS=('" BEAPI_BINARY_DIR
							 "/tools/zorvy-prefs/zorvy-prefs' set input.st); COMP_CWORD=2\n"
							 "_zorvy_prefs; printf '%s\\n' \"${COMPREPLY[@]}\"\n"
							 "COMP_WORDS=(zorvy-prefs --force re); COMP_CWORD=2\n"
							 "_zorvy_prefs; printf '%s\\n' \"${COMPREPLY[@]}\"\n";
	std::string output = run.Folder() + "/complete.out";
	ASSERT_EQ(system(("bash '" + script + "' >'" + output + "' 2>&1").c_str()), 0);
	EXPECT_EQ(run.FileBytes(output), "input.startup-mode=\nreset\n");
}
