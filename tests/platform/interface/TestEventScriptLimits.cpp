// What an event script may hold and do is bounded: its size, its lines, where the pointer goes.
#include "ChildProcess.h"
#include "InterfaceTest.h"

#include <Screen.h>

#include <headless/EventScript.h>

#include <unistd.h>

using BPrivate::kMaxScriptBytes;
using BPrivate::kMaxScriptLine;
using BPrivate::parse_event_script;
using BPrivate::read_event_script;
using BPrivate::run_event_script;
using BPrivate::ScriptCommand;

TEST(EventScriptLimits, FoldersEndlessFilesAndHugeLinesAreRefused)
{
	std::string folder = make_temporary_folder();
	std::string text;
	std::string reason;
	EXPECT_FALSE(read_event_script(folder, &text, &reason));
	EXPECT_NE(reason.find("folder"), std::string::npos) << reason;
	// A device that never ends is read up to the limit, not until memory runs out.
	EXPECT_FALSE(read_event_script("/dev/zero", &text, &reason));
	EXPECT_NE(reason.find("larger than 1 MiB"), std::string::npos) << reason;
	EXPECT_TRUE(text.empty());

	std::string script = folder + "/script";
	std::string exact(kMaxScriptBytes, '\n');
	write_text(script, exact);
	ASSERT_TRUE(read_event_script(script, &text, &reason)) << reason;
	EXPECT_EQ(text.size(), kMaxScriptBytes);
	write_text(script, exact + "\n");
	EXPECT_FALSE(read_event_script(script, &text, &reason));

	std::vector<ScriptCommand> commands;
	int line = 0;
	std::string longest = "wait 1 #" + std::string(kMaxScriptLine - 8, ' ');
	ASSERT_EQ(longest.size(), kMaxScriptLine);
	EXPECT_FALSE(parse_event_script("wait 1\n" + longest + "\n", &commands, &line, &reason));
	EXPECT_EQ(reason, "usage: wait MS");
	EXPECT_FALSE(parse_event_script("wait 1\n" + longest + " \n", &commands, &line, &reason));
	EXPECT_EQ(line, 2);
	EXPECT_EQ(reason, "the line is longer than 64 KiB");
}

TEST(EventScriptLimits, ADragFarOffTheScreenStopsAtItsEdge)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Far drag");
	RecordingView* view = new RecordingView(BRect(0, 0, 99, 99), "view");
	window->AddChild(view);
	window->ShowAndWait();
	window->Lock();
	BRect screen = BScreen(window).Frame();
	BPoint origin = window->Frame().LeftTop();
	window->Unlock();
	auto pointer = [&] {
		BPoint where;
		uint32 buttons;
		window->Lock();
		view->GetMouse(&where, &buttons);
		window->Unlock();
		return where + origin;
	};

	// A pixel a step: a billion steps would never end.
	std::vector<ScriptCommand> commands;
	int line = 0;
	std::string reason;
	ASSERT_TRUE(
		parse_event_script("drag \"Far drag\" 10 10 1e9 -1e30\n", &commands, &line, &reason))
		<< reason;
	ASSERT_TRUE(run_event_script(commands, &line, &reason)) << line << ": " << reason;
	EXPECT_EQ(pointer(), BPoint(screen.right, screen.top));

	ASSERT_TRUE(parse_event_script("move \"Far drag\" -3e38 3e38\n", &commands, &line, &reason))
		<< reason;
	ASSERT_TRUE(run_event_script(commands, &line, &reason)) << line << ": " << reason;
	EXPECT_EQ(pointer(), BPoint(screen.left, screen.bottom));

	window->Lock();
	window->Quit();
}

TEST(EventScriptLimits, AFolderOrAnEndlessFileAsTheScriptEndsTheProgramWithStatusThree)
{
	if (access(viewdemo_path().c_str(), X_OK) != 0)
		GTEST_SKIP() << "viewdemo is not built";
	std::string folder = make_temporary_folder();
	for (const std::string& script : {folder, std::string("/dev/zero")}) {
		SCOPED_TRACE(script);
		ChildResult result =
			run_child(viewdemo_path(), {"BEAPI_DISPLAY=headless", "BEAPI_EVENTS=" + script});
		EXPECT_EQ(result.status, 3);
		EXPECT_EQ(result.errors.rfind("BEAPI_EVENTS:0: ", 0), 0u) << result.errors;
	}
}
