#ifndef INTERFACE_TEST_H
#define INTERFACE_TEST_H

// Shared by the interface kit's tests: a watchdog, windows on the headless display, and a view
// that writes down what reaches it.

#include "Watchdog.h"

#include <Message.h>
#include <OS.h>
#include <View.h>
#include <Window.h>

#include <headless/HeadlessInput.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// One event a view received, with the point in the view's coordinates.
struct Seen {
	std::string what;
	BPoint where;
	uint32 transit = 0;
	BMessage message;
};

class RecordingView : public BView {
public:
	RecordingView(BRect frame, const char* name, uint32 flags = B_WILL_DRAW | B_NAVIGABLE);

	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void KeyUp(const char* bytes, int32 numBytes);
	virtual void WindowActivated(bool active);
	virtual void MessageReceived(BMessage* message);

	// Asks for every pointer event until release on the next press.
	bool maskOnDown = false;
	std::vector<Seen> seen;

	std::vector<Seen> Take(const char* what);

private:
	void _Record(const char* what, BPoint where, uint32 transit = 0);
};

// A window that is shown on the headless display and quits when the test ends.
class TestWindow : public BWindow {
public:
	TestWindow(const char* title, BRect frame = BRect(100, 100, 299, 199),
			   uint32 flags = B_NOT_RESIZABLE);
	// Shows the window and waits until its first frame is there.
	void ShowAndWait();
	// Locks, quits and forgets the window.
	static void Close(TestWindow* window);

	std::vector<BMessage> received;
	virtual void MessageReceived(BMessage* message);
};

// Two views side by side, the second with a child: (10,10)-(59,59) and (70,10)-(169,89),
// in a window that is shown at once and closed at the end.
struct Scene {
	TestWindow* window;
	RecordingView* left;
	RecordingView* right;
	RecordingView* inner;

	explicit Scene(const char* title);
	~Scene();
};

#endif
