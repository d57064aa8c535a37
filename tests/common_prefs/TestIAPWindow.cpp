// The common preferences window as the maker's applications share it: real processes, one
// window in whichever asked first, every change followed by every application.

#include "IAPProcesses.h"
#include "PngImage.h"

#include <common_prefs/IAPMessages.h>

#include <AppDefs.h>
#include <Messenger.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using namespace iap_test;

// The lines a helper writes when its store took a change: item, status, value after it.
const char kFormatParenTaken[] = "ipc AccKeyFormat2 0 \\x02(a)";
const char kFormatBracketTaken[] = "ipc AccKeyFormat2 0 \\x01a) ";
const char kFormatDotTaken[] = "ipc AccKeyFormat2 0 \\x01a\xe3\x83\xbb";
const char kFormatDashTaken[] = "ipc AccKeyFormat2 0 \\x01a - ";
// The format menu's entries: a separator stands before "(None)".
const int32 kEntryBracket = 1;
const int32 kEntryDot = 2;
const int32 kEntryDash = 3;
const int32 kEntryNone = 5;

class IAPWindowTest : public IAPProcessTest {
protected:
	// The last change of the item the helper's store took, as its line.
	static std::string LastChange(const Helper& helper, const char* item)
	{
		std::string prefix = std::string("ipc ") + item + " ";
		std::string last;
		for (const std::string& line : helper.Lines()) {
			if (line.compare(0, prefix.size(), prefix) == 0)
				last = line;
		}
		return last;
	}

	// Waits until the window is shown or hidden as asked.
	static BMessage LookShown(Helper& helper, bool shown)
	{
		bigtime_t end = system_time() + 30000000;
		BMessage look = helper.Look();
		while (look.GetBool("hidden", shown) == shown && system_time() < end) {
			snooze(10000);
			look = helper.Look();
		}
		EXPECT_EQ(look.GetBool("hidden", shown), !shown);
		return look;
	}

	static bool PortGone()
	{
		bigtime_t end = system_time() + 30000000;
		while (find_port(PORT_NAME) >= 0) {
			if (system_time() > end)
				return false;
			snooze(10000);
		}
		return true;
	}

	std::string ReadItemFile(const char* item, BMessage* message)
	{
		std::ifstream file(SettingsPath("Shared", std::string(item) + ".arc"), std::ios::binary);
		std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
		if (bytes.empty() || message->Unflatten(bytes.data()) != B_OK)
			return "";
		return bytes;
	}
};

TEST_F(IAPWindowTest, TheFirstApplicationHostsTheOnlyWindowAndEachItemShowsOnce)
{
	Helper a(fRuntime, kSignatureA, "af");
	ASSERT_EQ(a.Show(), B_OK);
	BMessage look = a.LookFor(3);
	ASSERT_TRUE(look.GetBool("exists", false));
	EXPECT_FALSE(look.GetBool("hidden", true));
	EXPECT_STREQ(look.GetString("title", ""), "MOZELT Common Preferences");
	ASSERT_EQ(count_children(look), 3);
	Child format = child_of(look, "AccKeyFormat2");
	Child flat = child_of(look, "FlatToolBar");
	Child buttons = child_of(look, "ButtonContainer");
	EXPECT_EQ(format.frame.LeftTop(), BPoint(10, 10));
	EXPECT_EQ(flat.frame.LeftTop(), BPoint(10, format.frame.bottom + 10));
	EXPECT_EQ(buttons.frame.LeftTop(), BPoint(0, flat.frame.bottom + 10));
	EXPECT_EQ(format.label, "Accelerator Format(A): ");
	EXPECT_EQ(format.shown, "(a)");
	EXPECT_EQ(flat.label, "Flat Tool Bar(F)");
	EXPECT_EQ(flat.value, 1);
	EXPECT_EQ(buttons.label, "Defaults(D)");
	BRect twoFrame;
	ASSERT_EQ(look.FindRect("frame", &twoFrame), B_OK);
	EXPECT_EQ(twoFrame.LeftTop(), BPoint(100, 100));
	EXPECT_EQ(twoFrame.Height(), buttons.frame.bottom);
	ASSERT_EQ(a.Shot(fRuntime + "/two.png"), B_OK);

	// The second application offers the same two items and Locale: only Locale is new, and it
	// comes below the others.
	Helper b(fRuntime, kSignatureB, "afl");
	ASSERT_EQ(b.Show(), B_OK);
	EXPECT_FALSE(b.Look().GetBool("exists", true));
	look = a.LookFor(4);
	ASSERT_EQ(count_children(look), 4);
	Child locale = child_of(look, "Locale");
	EXPECT_EQ(locale.frame.LeftTop(), BPoint(10, flat.frame.bottom + 10));
	EXPECT_EQ(locale.text, "enUS");
	EXPECT_EQ(locale.label, "Locale(L): ");
	BRect threeFrame;
	ASSERT_EQ(look.FindRect("frame", &threeFrame), B_OK);
	EXPECT_GT(threeFrame.Height(), twoFrame.Height());
	EXPECT_EQ(child_of(look, "ButtonContainer").frame.top, locale.frame.bottom + 10);
	ASSERT_EQ(a.Shot(fRuntime + "/three.png"), B_OK);

	for (const char* name : {"two.png", "three.png"}) {
		SCOPED_TRACE(name);
		double difference =
			png_difference(fRuntime + "/" + name,
						   BEAPI_SOURCE_DIR "/tests/common_prefs/ref/" + std::string(name), 48);
		EXPECT_GE(difference, 0);
		EXPECT_LT(difference, 0.01);
	}
}

TEST_F(IAPWindowTest, AFormatChosenReachesEveryStoreAndOnlyItsOwnerWritesTheFile)
{
	Helper a(fRuntime, kSignatureA, "af");
	Helper b(fRuntime, kSignatureB, "afl");
	ASSERT_EQ(a.Show(), B_OK);
	a.LookFor(3);
	ASSERT_EQ(b.Show(), B_OK);
	a.LookFor(4);

	ASSERT_EQ(a.Choose(kEntryBracket), B_OK);
	EXPECT_TRUE(a.WaitForLines(kFormatBracketTaken, 1));
	EXPECT_TRUE(b.WaitForLines(kFormatBracketTaken, 1));
	BMessage look = a.Look();
	EXPECT_EQ(child_of(look, "AccKeyFormat2").shown, "a) ");
	// The window's own labels follow at once.
	EXPECT_EQ(child_of(look, "ButtonContainer").label, "D) Defaults");
	EXPECT_EQ(child_of(look, "AccKeyFormat2").label, "A) Accelerator Format: ");
	EXPECT_FALSE(look.GetBool("hidden", true));

	// The component shown is the first application's: only it writes the shared file.
	BMessage file;
	ASSERT_NE(ReadItemFile("AccKeyFormat2", &file), "");
	EXPECT_STREQ(file.GetString("IAP:SrcApp", ""), kSignatureA);
	EXPECT_STREQ(file.GetString("AccKeyFormat2", ""), "\x01"
													  "a) ");
	// One change, one notice in each application.
	EXPECT_EQ(a.CountLines("ipc "), 1u);
	EXPECT_EQ(b.CountLines("ipc "), 1u);
}

TEST_F(IAPWindowTest, CancelBringsBackTheReferenceEverywhereAndOKMakesANewOne)
{
	Helper a(fRuntime, kSignatureA, "afl");
	Helper b(fRuntime, kSignatureB, "af");
	ASSERT_EQ(a.Show(), B_OK);
	a.LookFor(4);
	ASSERT_EQ(b.Show(), B_OK);

	ASSERT_EQ(a.Choose(kEntryDot), B_OK);
	ASSERT_EQ(a.Click("FFlat Tool Bar"), B_OK);
	EXPECT_TRUE(b.WaitForLines(kFormatDotTaken, 1));
	EXPECT_TRUE(b.WaitForLines("ipc FlatToolBar 0 false", 1));

	ASSERT_EQ(a.Click("ButtonCancel"), B_OK);
	// Every application hears the states brought back before it hears that the window hid.
	EXPECT_TRUE(b.WaitForLines("iahd", 1));
	EXPECT_TRUE(a.WaitForLines("iahd", 1));
	EXPECT_EQ(b.Lines().back(), "iahd");
	EXPECT_EQ(a.Lines().back(), "iahd");
	EXPECT_TRUE(b.WaitForLines("ipc FlatToolBar 0 true", 1));
	EXPECT_EQ(LastChange(b, "AccKeyFormat2"), kFormatParenTaken);
	EXPECT_EQ(LastChange(a, "AccKeyFormat2"), kFormatParenTaken);
	BMessage look = a.Look();
	EXPECT_TRUE(look.GetBool("hidden", false));
	EXPECT_EQ(child_of(look, "AccKeyFormat2").shown, "(a)");
	EXPECT_EQ(child_of(look, "FlatToolBar").value, 1);

	// Asked again, the hidden window shows itself; OK keeps the change and sends nothing more.
	ASSERT_EQ(b.Show(), B_OK);
	LookShown(a, true);
	ASSERT_EQ(a.Choose(kEntryDash), B_OK);
	EXPECT_TRUE(b.WaitForLines(kFormatDashTaken, 1));
	size_t changes = b.CountLines("ipc ");
	ASSERT_EQ(a.Click("ButtonOK"), B_OK);
	EXPECT_TRUE(b.WaitForLines("iahd", 2));
	EXPECT_TRUE(LookShown(a, false).GetBool("hidden", false));
	EXPECT_EQ(b.CountLines("ipc "), changes);

	// Cancel now brings back what OK confirmed.
	ASSERT_EQ(b.Show(), B_OK);
	LookShown(a, true);
	ASSERT_EQ(a.Choose(kEntryBracket), B_OK);
	ASSERT_EQ(a.Click("ButtonCancel"), B_OK);
	EXPECT_TRUE(b.WaitForLines("iahd", 3));
	EXPECT_TRUE(b.WaitForLines(kFormatDashTaken, 2));
	EXPECT_EQ(LastChange(b, "AccKeyFormat2"), kFormatDashTaken);
	EXPECT_EQ(child_of(a.Look(), "AccKeyFormat2").shown, "a - ");
}

TEST_F(IAPWindowTest, DefaultsShowsAndSendsTheDefaultsAndTheWindowStays)
{
	Helper a(fRuntime, kSignatureA, "afl");
	Helper b(fRuntime, kSignatureB, "afl");
	ASSERT_EQ(a.Show(), B_OK);
	a.LookFor(4);
	ASSERT_EQ(a.Choose(kEntryNone), B_OK);
	ASSERT_EQ(a.Click("FFlat Tool Bar"), B_OK);
	ASSERT_EQ(a.Type("jaJP"), B_OK);
	EXPECT_TRUE(b.WaitForLines("ipc AccKeyFormat2 0 ", 1));
	EXPECT_TRUE(b.WaitForLines("ipc Locale 0 jaJP", 1));
	EXPECT_EQ(LastChange(b, "AccKeyFormat2"), "ipc AccKeyFormat2 0 ");
	EXPECT_EQ(child_of(a.Look(), "ButtonContainer").label, "Defaults");

	ASSERT_EQ(a.Click("ButtonDefaults"), B_OK);
	EXPECT_TRUE(b.WaitForLines(kFormatParenTaken, 1));
	EXPECT_TRUE(b.WaitForLines("ipc Locale 0 enUS", 1));
	EXPECT_EQ(LastChange(b, "FlatToolBar"), "ipc FlatToolBar 0 true");
	BMessage look = a.Look();
	EXPECT_FALSE(look.GetBool("hidden", true));
	EXPECT_EQ(child_of(look, "AccKeyFormat2").shown, "(a)");
	EXPECT_EQ(child_of(look, "FlatToolBar").value, 1);
	EXPECT_EQ(child_of(look, "Locale").text, "enUS");
	EXPECT_EQ(child_of(look, "ButtonContainer").label, "Defaults(D)");
	EXPECT_EQ(b.CountLines("iahd"), 0u);
}

TEST_F(IAPWindowTest, EscapeTheCloseBoxAndAQuitRequestThroughThePortCancel)
{
	Helper a(fRuntime, kSignatureA, "af");
	Helper b(fRuntime, kSignatureB, "af");
	ASSERT_EQ(a.Show(), B_OK);
	a.LookFor(3);

	ASSERT_EQ(a.Choose(kEntryBracket), B_OK);
	ASSERT_EQ(a.Key("escape"), B_OK);
	EXPECT_TRUE(b.WaitForLines("iahd", 1));
	EXPECT_TRUE(b.WaitForLines(kFormatParenTaken, 1));
	EXPECT_TRUE(a.Look().GetBool("hidden", false));

	ASSERT_EQ(b.Show(), B_OK);
	LookShown(a, true);
	ASSERT_EQ(a.Choose(kEntryDot), B_OK);
	ASSERT_EQ(a.Close(), B_OK);
	EXPECT_TRUE(b.WaitForLines("iahd", 2));
	EXPECT_TRUE(b.WaitForLines(kFormatParenTaken, 2));
	EXPECT_TRUE(a.Look().GetBool("hidden", false));

	ASSERT_EQ(b.Show(), B_OK);
	LookShown(a, true);
	ASSERT_EQ(a.Choose(kEntryDash), B_OK);
	BMessage quit(B_QUIT_REQUESTED);
	std::string bytes(quit.FlattenedSize(), '\0');
	ASSERT_EQ(quit.Flatten(bytes.data(), bytes.size()), B_OK);
	ASSERT_EQ(write_port(find_port(PORT_NAME), 0, bytes.data(), bytes.size()), B_OK);
	EXPECT_TRUE(b.WaitForLines("iahd", 3));
	EXPECT_TRUE(b.WaitForLines(kFormatParenTaken, 3));
	LookShown(a, false);
	// Hidden, not gone: the port still leads to it.
	EXPECT_GE(find_port(PORT_NAME), 0);
}

TEST_F(IAPWindowTest, WhenTheHostQuitsTheNextApplicationToAskMakesANewWindow)
{
	Helper a(fRuntime, kSignatureA, "af");
	Helper b(fRuntime, kSignatureB, "afl");
	ASSERT_EQ(a.Show(), B_OK);
	ASSERT_EQ(b.Show(), B_OK);
	a.LookFor(4);
	EXPECT_FALSE(b.Look().GetBool("exists", true));

	EXPECT_EQ(a.Quit(), 0);
	EXPECT_TRUE(b.WaitForLines("iahd", 1));
	ASSERT_TRUE(PortGone());
	ASSERT_EQ(b.Show(), B_OK);
	BMessage look = b.LookFor(4);
	EXPECT_TRUE(look.GetBool("exists", false));
	EXPECT_FALSE(look.GetBool("hidden", true));
	EXPECT_GE(find_port(PORT_NAME), 0);
}

TEST_F(IAPWindowTest, ThePreferencesApplicationOpensTheWindowOnRequestAndGivesItUpOnQuitting)
{
	std::unique_ptr<Process> zorvy = StartZorvy();
	BMessenger application(kZorvySignature);
	ASSERT_TRUE(application.IsValid());
	ASSERT_EQ(application.SendMessage('_Ssp'), B_OK);
	bigtime_t end = system_time() + 30000000;
	while (find_port(PORT_NAME) < 0 && system_time() < end)
		snooze(10000);
	ASSERT_GE(find_port(PORT_NAME), 0);

	// The second application adds only Locale to the window the first one shows.
	Helper a(fRuntime, kSignatureA, "afl");
	ASSERT_EQ(a.Show(), B_OK);
	EXPECT_FALSE(a.Look().GetBool("exists", true));
	std::string shot = ZorvyShots() + "/MOZELT Common Preferences.png";
	std::string reference = BEAPI_SOURCE_DIR "/tests/common_prefs/ref/three.png";
	double difference = -1;
	for (end = system_time() + 30000000; system_time() < end; snooze(20000)) {
		difference = png_difference(shot, reference, 48);
		if (difference >= 0 && difference < 0.01)
			break;
	}
	EXPECT_GE(difference, 0);
	EXPECT_LT(difference, 0.01);

	// Its window goes with it, and tells the others so.
	ASSERT_EQ(application.SendMessage(B_QUIT_REQUESTED), B_OK);
	EXPECT_EQ(zorvy->WaitForExit(), 0);
	EXPECT_TRUE(a.WaitForLines("iahd", 1));
	ASSERT_TRUE(PortGone());
	ASSERT_EQ(a.Show(), B_OK);
	EXPECT_TRUE(a.LookFor(4).GetBool("exists", false));
}

TEST_F(IAPWindowTest, ThePreferencesApplicationFollowsAWindowAnotherApplicationShows)
{
	Helper a(fRuntime, kSignatureA, "af");
	ASSERT_EQ(a.Show(), B_OK);
	a.LookFor(3);
	std::unique_ptr<Process> zorvy = StartZorvy();
	BMessenger application(kZorvySignature);
	ASSERT_EQ(application.SendMessage('_Ssp'), B_OK);
	ASSERT_TRUE(RoundTrip(kZorvySignature));
	// What it offered is shown already: nothing new, and no window of its own.
	ASSERT_EQ(a.Show(), B_OK);
	a.LookFor(3);
	EXPECT_FALSE(test_settings::fs::exists(ZorvyShots() + "/MOZELT Common Preferences.png"));

	ASSERT_EQ(a.Choose(kEntryBracket), B_OK);
	EXPECT_TRUE(a.WaitForLines(kFormatBracketTaken, 1));
	ASSERT_TRUE(RoundTrip(kZorvySignature));
	BMessage file;
	ASSERT_NE(ReadItemFile("AccKeyFormat2", &file), "");
	EXPECT_STREQ(file.GetString("IAP:SrcApp", ""), kSignatureA);

	ASSERT_EQ(application.SendMessage(B_QUIT_REQUESTED), B_OK);
	EXPECT_EQ(zorvy->WaitForExit(), 0);
	EXPECT_TRUE(a.Look().GetBool("exists", false));
	EXPECT_GE(find_port(PORT_NAME), 0);
}

} // namespace
