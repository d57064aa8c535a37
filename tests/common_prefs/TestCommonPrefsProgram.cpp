// MOZELTCommonPrefs as a person starts it: alone it shows the window and ends when the window
// hides; beside another application that shows the window it adds its items there and ends when
// that window hides; the Locale item chooses the window's language.

#include "IAPProcesses.h"
#include "PngImage.h"

#include <common_prefs/IAPMessages.h>

#include <AppDefs.h>
#include <Messenger.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

using namespace iap_test;

const char kProgram[] = BEAPI_BINARY_DIR "/tools/MOZELTCommonPrefs/MOZELTCommonPrefs";
const char kSignature[] = "application/x-vnd.MOZELT-CommonPrefs";
const char kTitle[] = "MOZELT Common Preferences";
const char kJapaneseTitle[] = "MOZELT 共通設定";

class CommonPrefsProgramTest : public IAPProcessTest {
protected:
	// Starts the program with a script of a person's input, its pictures in a folder.
	std::unique_ptr<Process> Start(const std::string& script)
	{
		std::string path = fRuntime + "/script-" + std::to_string(fScripts++);
		std::ofstream(path) << script;
		test_settings::fs::create_directories(Shots());
		return std::make_unique<Process>(
			std::vector<std::string>{kProgram},
			std::vector<std::string>{"BEAPI_EVENTS=" + path, "BEAPI_SCREENSHOT_DIR=" + Shots()});
	}

	std::string Shots() const { return fRuntime + "/program-shots"; }

	static void WritePort(const BMessage& message)
	{
		std::string bytes(size_t(message.FlattenedSize()), '\0');
		message.Flatten(bytes.data(), ssize_t(bytes.size()));
		ASSERT_EQ(write_port(find_port(PORT_NAME), 0, bytes.data(), bytes.size()), B_OK);
	}

	static bool WaitForPort()
	{
		bigtime_t end = system_time() + 30000000;
		while (find_port(PORT_NAME) < 0) {
			if (system_time() > end)
				return false;
			snooze(10000);
		}
		return true;
	}

	int fScripts = 0;
};

TEST_F(CommonPrefsProgramTest, AloneItShowsTheWindowAndEndsWhenItHides)
{
	for (const char* hide : {"key \"%s\" enter\n", "key \"%s\" escape\n", "close \"%s\"\n"}) {
		SCOPED_TRACE(hide);
		char line[200];
		snprintf(line, sizeof line, hide, kTitle);
		std::unique_ptr<Process> program =
			Start(std::string("shot \"") + kTitle + "\" \"" + fRuntime + "/alone.png\"\n" + line);
		EXPECT_EQ(program->WaitForExit(), 0);
		EXPECT_TRUE(test_settings::fs::exists(fRuntime + "/alone.png"));
		EXPECT_LT(find_port(PORT_NAME), 0);
	}
}

TEST_F(CommonPrefsProgramTest, BesideAnotherHostItAddsItsItemsThereAndEndsWhenThatWindowHides)
{
	std::unique_ptr<Process> zorvy = StartZorvy();
	ASSERT_EQ(BMessenger(kZorvySignature).SendMessage('_Ssp'), B_OK);
	ASSERT_TRUE(WaitForPort());

	std::unique_ptr<Process> program = Start("");
	bigtime_t end = system_time() + 30000000;
	while (!RoundTrip(kSignature) && system_time() < end)
		snooze(20000);
	// Its Locale item joined the window of the preferences application; it made none itself.
	std::string shot = ZorvyShots() + "/" + kTitle + ".png";
	double difference = -1;
	for (end = system_time() + 30000000; system_time() < end; snooze(20000)) {
		difference = png_difference(shot, BEAPI_SOURCE_DIR "/tests/common_prefs/ref/three.png", 48);
		if (difference >= 0 && difference < 0.01)
			break;
	}
	EXPECT_GE(difference, 0);
	EXPECT_LT(difference, 0.01);
	EXPECT_FALSE(test_settings::fs::exists(Shots() + "/" + kTitle + ".png"));

	// A second start hands over and ends at once.
	std::unique_ptr<Process> second = Start("");
	EXPECT_EQ(second->WaitForExit(), 0);

	// The window hides where it is shown (a close request through its port, as the close box),
	// and the program ends.
	WritePort(BMessage(B_QUIT_REQUESTED));
	EXPECT_EQ(program->WaitForExit(), 0);
	ASSERT_EQ(BMessenger(kZorvySignature).SendMessage(B_QUIT_REQUESTED), B_OK);
	EXPECT_EQ(zorvy->WaitForExit(), 0);
}

TEST_F(CommonPrefsProgramTest, ChoosingJapaneseRelabelsTheWindowItShows)
{
	// The Japanese title appears only once the change was taken; then the locale field is
	// typed into as a person would, and the window is drawn in Japanese.
	std::string script = std::string("shot \"") + kJapaneseTitle + "\" \"" + fRuntime +
						 "/switched.png\"\n"
						 "click \"" +
						 kJapaneseTitle +
						 "\" 180 86\n"
						 "key \"" +
						 kJapaneseTitle + "\" end\n";
	for (int i = 0; i < 4; i++)
		script += std::string("key \"") + kJapaneseTitle + "\" backspace\n";
	script += std::string("type \"") + kJapaneseTitle + "\" jaJP\n" + "shot \"" + kJapaneseTitle +
			  "\" \"" + fRuntime + "/ja.png\"\n" + "key \"" + kJapaneseTitle + "\" enter\n";
	std::unique_ptr<Process> program = Start(script);
	ASSERT_TRUE(WaitForPort());
	// Once the program has offered its items, a change of the Locale item reaches the window
	// after them.
	bigtime_t end = system_time() + 30000000;
	while (!RoundTrip(kSignature) && system_time() < end)
		snooze(20000);
	BMessage change(MSG_IAP_CONTROL_CHANGED);
	change.AddString(IAP_FIELD_SRC_APP, kSignature);
	change.AddString(IAP_FIELD_SRC_IAP_ITEM, "Locale");
	change.AddString("Locale", "jaJP");
	WritePort(change);

	EXPECT_EQ(program->WaitForExit(), 0);
	double difference =
		png_difference(fRuntime + "/ja.png", BEAPI_SOURCE_DIR "/tests/common_prefs/ref/ja.png", 48);
	EXPECT_GE(difference, 0);
	EXPECT_LT(difference, 0.01);
	// The program saved the language for the maker's applications.
	std::ifstream file(SettingsPath("Shared", "Locale.arc"), std::ios::binary);
	std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	BMessage saved;
	ASSERT_EQ(saved.Unflatten(bytes.data()), B_OK);
	EXPECT_STREQ(saved.GetString("Locale", ""), "jaJP");
	EXPECT_STREQ(saved.GetString("IAP:SrcApp", ""), kSignature);
}

// A common preference whose file cannot be written: the change reaches the applications all the
// same, the file stays as it was, and the person is told once (an alert naming the file and the
// reason, and a line on standard error), not at every change.
TEST_F(CommonPrefsProgramTest, AFileThatCannotBeWrittenIsToldOnce)
{
	std::string path = SettingsPath("Shared", "FlatToolBar.arc");
	test_settings::fs::create_directories(SettingsPath("Shared"));
	BMessage stored;
	stored.AddBool("FlatToolBar", true);
	stored.AddString(IAP_FIELD_SRC_APP, kSignature);
	std::string before(size_t(stored.FlattenedSize()), '\0');
	ASSERT_EQ(stored.Flatten(before.data(), ssize_t(before.size())), B_OK);
	std::ofstream(path, std::ios::binary) << before;
	// The settings code replaces no file whose permissions forbid writing, even for root.
	ASSERT_EQ(chmod(path.c_str(), 0444), 0);

	std::string script = fRuntime + "/told-once";
	std::ofstream(script) << "shot \"The settings could not be saved\" \"" << fRuntime
						  << "/alert.png\"\n"
						  << "key \"The settings could not be saved\" enter\n"
						  << "wait 500\n"
						  << "key \"" << kTitle << "\" escape\n";
	std::string errors = fRuntime + "/errors.txt";
	Process program({"/bin/sh", "-c", "exec \"$0\" 2>\"$1\"", kProgram, errors},
					{"BEAPI_EVENTS=" + script});
	ASSERT_TRUE(WaitForPort());
	bigtime_t end = system_time() + 30000000;
	while (!RoundTrip(kSignature) && system_time() < end)
		snooze(20000);
	for (bool flat : {false, true, false}) {
		BMessage change(MSG_IAP_CONTROL_CHANGED);
		change.AddString(IAP_FIELD_SRC_APP, kSignature);
		change.AddString(IAP_FIELD_SRC_IAP_ITEM, "FlatToolBar");
		change.AddBool("FlatToolBar", flat);
		WritePort(change);
	}
	// Escape brings the opening state back, which cannot be written either.
	EXPECT_EQ(program.WaitForExit(), 0);
	EXPECT_TRUE(test_settings::fs::exists(fRuntime + "/alert.png"));

	std::ifstream errorFile(errors);
	std::string told((std::istreambuf_iterator<char>(errorFile)), std::istreambuf_iterator<char>());
	std::string line =
		"MOZELTCommonPrefs: the common preference FlatToolBar could not be saved to " + path +
		": writing it is not permitted\n";
	EXPECT_NE(told.find(line), std::string::npos) << told;
	EXPECT_EQ(told.find(line), told.rfind(line)) << told;
	std::ifstream file(path, std::ios::binary);
	std::string after((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	EXPECT_EQ(after, before);
}

} // namespace
