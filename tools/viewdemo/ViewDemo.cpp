// viewdemo: a window titled "View demo" whose views draw lines, rectangles, Japanese text and a
// bitmap; a click leaves a mark. The program ends when the window is closed. With
// BEAPI_TRACE_INPUT=1 it prints each input message the window receives, one line each. With
// --bordered the window has the bordered look: no title bar, a line around it.

#include <AppDefs.h>
#include <Application.h>
#include <Message.h>
#include <MessageFilter.h>
#include <Window.h>

#include "DemoView.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

filter_result
trace_input(BMessage* message, BHandler**, BMessageFilter*)
{
	int32 modifiers = 0;
	message->FindInt32("modifiers", &modifiers);
	BPoint where;
	int32 buttons = 0;
	int32 clicks = 0;
	message->FindPoint("where", &where);
	message->FindInt32("buttons", &buttons);
	message->FindInt32("clicks", &clicks);
	const char* bytes = "";
	int32 rawChar = 0;
	int32 key = 0;
	if (message->FindString("bytes", &bytes) != B_OK)
		bytes = "";
	message->FindInt32("raw_char", &rawChar);
	message->FindInt32("key", &key);
	bool active = false;
	switch (message->what) {
	case B_MOUSE_DOWN:
	case B_MOUSE_UP:
		printf("%s where=%g,%g buttons=%d clicks=%d modifiers=0x%x\n",
			   message->what == B_MOUSE_DOWN ? "B_MOUSE_DOWN" : "B_MOUSE_UP", where.x, where.y,
			   int(buttons), int(clicks), unsigned(modifiers));
		break;
	case B_KEY_DOWN:
	case B_KEY_UP:
		printf("%s bytes=\"%s\" raw_char=%d key=0x%x modifiers=0x%x\n",
			   message->what == B_KEY_DOWN ? "B_KEY_DOWN" : "B_KEY_UP", bytes, int(rawChar),
			   unsigned(key), unsigned(modifiers));
		break;
	case B_WINDOW_ACTIVATED:
		message->FindBool("active", &active);
		printf("B_WINDOW_ACTIVATED active=%d\n", active ? 1 : 0);
		break;
	case B_QUIT_REQUESTED:
		printf("B_QUIT_REQUESTED\n");
		break;
	default:
		return B_DISPATCH_MESSAGE;
	}
	fflush(stdout);
	return B_DISPATCH_MESSAGE;
}

class DemoWindow : public BWindow {
public:
	explicit DemoWindow(bool bordered)
		: BWindow(BRect(100, 100, 499, 399), "View demo",
				  bordered ? B_BORDERED_WINDOW : B_TITLED_WINDOW,
				  B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_QUIT_ON_WINDOW_CLOSE)
	{
		AddChild(new DemoView(Bounds()));
		const char* trace = getenv("BEAPI_TRACE_INPUT");
		if (trace != NULL && strcmp(trace, "1") == 0)
			AddCommonFilter(new BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, trace_input));
	}
};

class DemoApplication : public BApplication {
public:
	explicit DemoApplication(bool bordered)
		: BApplication("application/x-vnd.beapi-viewdemo"), fBordered(bordered)
	{}

	virtual void ReadyToRun() { (new DemoWindow(fBordered))->Show(); }

private:
	bool fBordered;
};

} // namespace

int
main(int argc, char** argv)
{
	bool bordered = false;
	const char* usage = "usage: viewdemo [--bordered]\n"
						"Opens a window of the platform's drawing; a click leaves a mark. With\n"
						"--bordered the window has the bordered look. Exit status: 0, or 2 for an\n"
						"unknown argument.\n";
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--bordered") == 0) {
			bordered = true;
		} else if (strcmp(argv[i], "--help") == 0) {
			fputs(usage, stdout);
			return 0;
		} else {
			fprintf(stderr, "viewdemo: unknown argument %s\n%s", argv[i], usage);
			return 2;
		}
	}
	DemoApplication application(bordered);
	application.Run();
	return 0;
}
