#include "ChildProcess.h"
#include "InterfaceTest.h"
#include "PngImage.h"

#include <AppDefs.h>
#include <InterfaceDefs.h>

#include <headless/EventScript.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <unistd.h>

using BPrivate::parse_event_script;
using BPrivate::run_event_script;
using BPrivate::ScriptCommand;
using BPrivate::tokenize_script_line;

namespace {

std::vector<std::string>
tokens(const std::string& line)
{
	std::vector<std::string> result;
	std::string reason;
	EXPECT_TRUE(tokenize_script_line(line, &result, &reason)) << reason;
	return result;
}

bool
viewdemo_built()
{
	return access(viewdemo_path().c_str(), X_OK) == 0;
}

} // namespace

TEST(EventScript, TokensSplitOnBlanksAndQuotesHoldThem)
{
	EXPECT_EQ(tokens("click \"Zorvy \xe7\x92\xb0\xe5\xa2\x83\xe8\xa8\xad\xe5\xae\x9a\" 70 55"),
			  (std::vector<std::string>{
				  "click", "Zorvy \xe7\x92\xb0\xe5\xa2\x83\xe8\xa8\xad\xe5\xae\x9a", "70", "55"}));
	EXPECT_EQ(tokens("  type\tT   \"a \\\"b\\\" \\\\ c\"  "),
			  (std::vector<std::string>{"type", "T", "a \"b\" \\ c"}));
	EXPECT_EQ(tokens("close \"\""), (std::vector<std::string>{"close", ""}));

	std::vector<std::string> out;
	std::string reason;
	EXPECT_FALSE(tokenize_script_line("close \"open", &out, &reason));
	EXPECT_FALSE(tokenize_script_line("close \"a\"b", &out, &reason));
	EXPECT_FALSE(tokenize_script_line("close \"a\\n\"", &out, &reason));
}

TEST(EventScript, BadLinesAreFoundWithTheirNumber)
{
	struct Case {
		const char* script;
		int line;
	} cases[] = {
		{"wait 10\n# fine\n\nbogus 1\n", 4},
		{"wait -1\n", 1},
		{"wait\n", 1},
		{"click T 1\n", 1},
		{"click T 1 2 0\n", 1},
		{"click T x 2\n", 1},
		{"move T 1 2 3\n", 1},
		{"drag T 1 2 3\n", 1},
		{"key T\n", 1},
		{"key T nosuchkey\n", 1},
		{"key T a hyper\n", 1},
		{"key T f13\n", 1},
		{"type T\n", 1},
		{"shot T\n", 1},
		{"close\n", 1},
		{"front\n", 1},
		{"front T U\n", 1},
		{"wait 1\nmodifiers 0xZZ\n", 2},
		{"wait 1\nclose \"unterminated\n", 2},
	};
	for (const Case& c : cases) {
		std::vector<ScriptCommand> commands;
		int line = 0;
		std::string reason;
		EXPECT_FALSE(parse_event_script(c.script, &commands, &line, &reason)) << c.script;
		EXPECT_EQ(line, c.line) << c.script;
		EXPECT_FALSE(reason.empty());
	}
	std::vector<ScriptCommand> commands;
	int line = 0;
	std::string reason;
	EXPECT_TRUE(parse_event_script("# all of them\nwait 0\nmodifiers 0x41\nmodifiers 0\n"
								   "click T 1 2\nclick T 1 2 2 2\nmove T 3 4\ndrag T 1 2 3 4\n"
								   "key T a shift control command option\nkey T enter\n"
								   "key T A\nkey T f12\ntype T \"x y\"\nshot T f.png\nclose T\n"
								   "front T\n",
								   &commands, &line, &reason))
		<< line << ": " << reason;
	EXPECT_EQ(commands.size(), 15u);
	EXPECT_EQ(commands[0].line, 2);
}

TEST(EventScript, CommandsDriveAWindowInProcess)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Script target");
	RecordingView* view = new RecordingView(BRect(0, 0, 99, 99), "view");
	window->AddChild(view);
	window->ShowAndWait();
	window->Lock();
	view->MakeFocus(true);
	window->Unlock();

	std::vector<ScriptCommand> commands;
	int line = 0;
	std::string reason;
	ASSERT_TRUE(parse_event_script("modifiers 0x4\n"
								   "key \"Script target\" b shift\n"
								   "modifiers 0\n"
								   "type \"Script target\" \"Hi \xe3\x81\x82\"\n"
								   "click \"Script target\" 5 6 2 2\n"
								   "drag \"Script target\" 10 10 14 12\n",
								   &commands, &line, &reason));
	ASSERT_TRUE(run_event_script(commands, &line, &reason)) << line << ": " << reason;

	window->Lock();
	std::vector<Seen> keys = view->Take("keydown");
	ASSERT_EQ(keys.size(), 5u);
	int32 modifiers = 0;
	keys[0].message.FindInt32("modifiers", &modifiers);
	EXPECT_EQ(uint32(modifiers), uint32(B_CONTROL_KEY | B_SHIFT_KEY | B_LEFT_SHIFT_KEY));
	const char* bytes = NULL;
	keys[1].message.FindString("bytes", &bytes);
	EXPECT_STREQ(bytes, "H");
	keys[4].message.FindString("bytes", &bytes);
	EXPECT_STREQ(bytes, "\xe3\x81\x82");

	std::vector<Seen> downs = view->Take("down");
	ASSERT_EQ(downs.size(), 3u);
	int32 value = 0;
	downs[1].message.FindInt32("clicks", &value);
	EXPECT_EQ(value, 2);
	downs[1].message.FindInt32("buttons", &value);
	EXPECT_EQ(value, B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(downs[2].where, BPoint(10, 10));
	// One pixel a step: four moves from (10,10) to (14,12) while the button is held.
	std::vector<Seen> moves = view->Take("moved");
	ASSERT_GE(moves.size(), 4u);
	EXPECT_EQ(moves.back().where, BPoint(14, 12));
	std::vector<Seen> ups = view->Take("up");
	EXPECT_EQ(ups.back().where, BPoint(14, 12));
	window->Unlock();

	ASSERT_TRUE(parse_event_script("close \"Script target\"\n", &commands, &line, &reason));
	ASSERT_TRUE(run_event_script(commands, &line, &reason)) << reason;
	EXPECT_EQ(BPrivate::headless::wait_for_window("Script target", 0), nullptr);
}

namespace {

// A view that holds its window's thread on a press until the test lets it go.
class HoldingView : public BView {
public:
	HoldingView() : BView(BRect(0, 0, 99, 99), "holding", B_FOLLOW_ALL, B_WILL_DRAW) {}

	virtual void MouseDown(BPoint)
	{
		std::unique_lock<std::mutex> lock(fLock);
		fReleased.wait(lock, [this] { return fGo; });
	}

	void Release()
	{
		std::lock_guard<std::mutex> lock(fLock);
		fGo = true;
		fReleased.notify_all();
	}

private:
	std::mutex fLock;
	std::condition_variable fReleased;
	bool fGo = false;
};

} // namespace

TEST(EventScript, AWindowThatDoesNotCatchUpEndsTheScriptInsteadOfBeingDrivenOn)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Busy target");
	HoldingView* view = new HoldingView();
	window->AddChild(view);
	window->ShowAndWait();
	setenv("BEAPI_EVENTS_WAIT", "1", 1);

	std::vector<ScriptCommand> commands;
	int line = 0;
	std::string reason;
	ASSERT_TRUE(parse_event_script("click \"Busy target\" 5 5\n"
								   "shot \"Busy target\" \"/nonexistent/never.png\"\n",
								   &commands, &line, &reason));
	EXPECT_FALSE(run_event_script(commands, &line, &reason));
	EXPECT_EQ(line, 1);
	EXPECT_EQ(reason, "the window \"Busy target\" did not catch up within 1 s");
	unsetenv("BEAPI_EVENTS_WAIT");

	view->Release();
	ASSERT_EQ(BPrivate::headless::sync(window), B_OK);
	TestWindow::Close(window);
}

TEST(EventScript, FrontWaitsForTheWindowInFrontAndFailsForOneBehind)
{
	Watchdog watchdog;
	TestWindow* back = new TestWindow("Behind");
	back->ShowAndWait();
	TestWindow* front = new TestWindow("In front");
	front->ShowAndWait();
	setenv("BEAPI_EVENTS_WAIT", "1", 1);

	std::vector<ScriptCommand> commands;
	int line = 0;
	std::string reason;
	ASSERT_TRUE(parse_event_script("front \"In front\"\n", &commands, &line, &reason));
	EXPECT_TRUE(run_event_script(commands, &line, &reason)) << reason;
	ASSERT_TRUE(
		parse_event_script("front \"In front\"\nfront Behind\n", &commands, &line, &reason));
	EXPECT_FALSE(run_event_script(commands, &line, &reason));
	EXPECT_EQ(line, 2);
	EXPECT_EQ(reason, "the window \"Behind\" is not in front");

	// It waits for a window that comes forward meanwhile, however slowly.
	unsetenv("BEAPI_EVENTS_WAIT");
	ASSERT_TRUE(parse_event_script("front Behind\n", &commands, &line, &reason));
	std::thread activate([back] {
		snooze(100000);
		back->Activate(true);
	});
	EXPECT_TRUE(run_event_script(commands, &line, &reason)) << reason;
	activate.join();
	TestWindow::Close(front);
	TestWindow::Close(back);
}

TEST(EventScript, AScriptDrivesViewdemoUntilItQuits)
{
	if (!viewdemo_built())
		GTEST_SKIP() << "viewdemo is not built";
	std::string folder = make_temporary_folder();
	std::string script = folder + "/script";
	write_text(script, "# every command\n"
					   "wait 10\n"
					   "modifiers 0\n"
					   "move \"View demo\" 10 10\n"
					   "click \"View demo\" 150 250\n"
					   "click \"View demo\" 60 250 2 2\n"
					   "drag \"View demo\" 10 10 20 15\n"
					   "key \"View demo\" a shift control\n"
					   "key \"View demo\" F\n"
					   "type \"View demo\" \"hello \xe6\x97\xa5\xe6\x9c\xac\"\n"
					   "shot \"View demo\" \"" +
						   folder +
						   "/after click.png\"\n"
						   "close \"View demo\"\n");
	ChildResult result =
		run_child(viewdemo_path(), {"BEAPI_DISPLAY=headless", "BEAPI_EVENTS=" + script,
									"BEAPI_SCREENSHOT_DIR=" + folder,
									"FONTCONFIG_FILE=" BEAPI_SOURCE_DIR "/tests/fonts.conf"});
	EXPECT_EQ(result.status, 0) << result.errors;

	PngImage shot;
	ASSERT_TRUE(load_png(folder + "/after click.png", &shot));
	EXPECT_EQ(shot.width, 400);
	EXPECT_EQ(shot.height, 300);
	// The last press (the drag's) left its mark.
	EXPECT_EQ(shot.pixels[10 * 400 + 10] & 0xffffff, 0xff00ffu);
	EXPECT_NE(shot.pixels[250 * 400 + 150] & 0xffffff, 0xff00ffu);
	// The display wrote the window under its title too.
	PngImage automatic;
	EXPECT_TRUE(load_png(folder + "/View demo.png", &automatic));
}

TEST(EventScript, ABadLineEndsTheProgramWithStatusThree)
{
	if (!viewdemo_built())
		GTEST_SKIP() << "viewdemo is not built";
	std::string folder = make_temporary_folder();
	std::string script = folder + "/script";
	write_text(script, "click \"View demo\" 5 5\n# comment\nkey \"View demo\" nokey\n");
	ChildResult result =
		run_child(viewdemo_path(), {"BEAPI_DISPLAY=headless", "BEAPI_EVENTS=" + script});
	EXPECT_EQ(result.status, 3);
	EXPECT_EQ(result.errors.rfind("BEAPI_EVENTS:3: ", 0), 0u) << result.errors;

	write_text(script, "wait 1\nclick \"No such window\" 5 5\n");
	result = run_child(viewdemo_path(),
					   {"BEAPI_DISPLAY=headless", "BEAPI_EVENTS=" + script, "BEAPI_EVENTS_WAIT=1"});
	EXPECT_EQ(result.status, 3);
	EXPECT_NE(result.errors.find("BEAPI_EVENTS:2: no shown window"), std::string::npos)
		<< result.errors;
}

TEST(EventScript, AForcedDisplayThatCannotStartEndsTheProgram)
{
	if (!viewdemo_built())
		GTEST_SKIP() << "viewdemo is not built";
	ChildResult result = run_child(viewdemo_path(), {"BEAPI_DISPLAY=nosuchdisplay"});
	EXPECT_EQ(result.status, 1);
	EXPECT_NE(result.errors.find("BEAPI_DISPLAY"), std::string::npos);
}

TEST(Screenshot, ViewdemoMatchesItsReference)
{
	if (!viewdemo_built())
		GTEST_SKIP() << "viewdemo is not built";
	std::string folder = make_temporary_folder();
	std::string script = folder + "/script";
	write_text(script, "shot \"View demo\" \"" + folder + "/viewdemo.png\"\nclose \"View demo\"\n");
	ChildResult result =
		run_child(viewdemo_path(), {"BEAPI_DISPLAY=headless", "BEAPI_EVENTS=" + script,
									"FONTCONFIG_FILE=" BEAPI_SOURCE_DIR "/tests/fonts.conf"});
	ASSERT_EQ(result.status, 0) << result.errors;

	PngImage shot;
	PngImage reference;
	ASSERT_TRUE(load_png(folder + "/viewdemo.png", &shot));
	ASSERT_TRUE(
		load_png(BEAPI_SOURCE_DIR "/tests/platform/interface/ref/viewdemo.png", &reference));
	ASSERT_EQ(shot.width, reference.width);
	ASSERT_EQ(shot.height, reference.height);
	// Font rendering may move a few edge pixels a little; anything else is a difference.
	size_t differing = 0;
	for (size_t i = 0; i < shot.pixels.size(); i++) {
		uint32 a = shot.pixels[i];
		uint32 b = reference.pixels[i];
		for (int shift = 0; shift < 24; shift += 8) {
			int da = int((a >> shift) & 0xff) - int((b >> shift) & 0xff);
			if (da > 40 || da < -40) {
				differing++;
				break;
			}
		}
	}
	EXPECT_LT(differing, shot.pixels.size() / 200) << differing << " pixels differ";
}
