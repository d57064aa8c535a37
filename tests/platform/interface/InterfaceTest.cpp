#include "InterfaceTest.h"

#include "HeadlessEnvironment.h"

namespace {

const HeadlessEnvironment sEnvironment;

} // namespace

RecordingView::RecordingView(BRect frame, const char* name, uint32 flags)
	: BView(frame, name, B_FOLLOW_LEFT | B_FOLLOW_TOP, flags)
{}

void
RecordingView::_Record(const char* what, BPoint where, uint32 transit)
{
	Seen entry;
	entry.what = what;
	entry.where = where;
	entry.transit = transit;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		entry.message = *Window()->CurrentMessage();
	seen.push_back(entry);
}

void
RecordingView::MouseDown(BPoint where)
{
	_Record("down", where);
	if (maskOnDown)
		SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
}

void
RecordingView::MouseUp(BPoint where)
{
	_Record("up", where);
}

void
RecordingView::MouseMoved(BPoint where, uint32 transit, const BMessage*)
{
	_Record("moved", where, transit);
}

void
RecordingView::KeyDown(const char* bytes, int32 numBytes)
{
	_Record("keydown", B_ORIGIN);
	BView::KeyDown(bytes, numBytes);
}

void
RecordingView::KeyUp(const char*, int32)
{
	_Record("keyup", B_ORIGIN);
}

void
RecordingView::WindowActivated(bool active)
{
	_Record(active ? "activated" : "deactivated", B_ORIGIN);
}

void
RecordingView::MessageReceived(BMessage* message)
{
	Seen entry;
	entry.what = "message";
	entry.message = *message;
	seen.push_back(entry);
	BView::MessageReceived(message);
}

std::vector<Seen>
RecordingView::Take(const char* what)
{
	std::vector<Seen> result;
	for (const Seen& entry : seen) {
		if (entry.what == what)
			result.push_back(entry);
	}
	return result;
}

TestWindow::TestWindow(const char* title, BRect frame, uint32 flags)
	: BWindow(frame, title, B_TITLED_WINDOW, flags)
{}

void
TestWindow::ShowAndWait()
{
	Show();
	ASSERT_EQ(BPrivate::headless::wait_for_window(Title()), this);
	ASSERT_EQ(BPrivate::headless::sync(this), B_OK);
}

void
TestWindow::Close(TestWindow* window)
{
	if (window->Lock())
		window->Quit();
}

void
TestWindow::MessageReceived(BMessage* message)
{
	received.push_back(*message);
	BWindow::MessageReceived(message);
}

Scene::Scene(const char* title)
{
	window = new TestWindow(title);
	left = new RecordingView(BRect(10, 10, 59, 59), "left");
	right = new RecordingView(BRect(70, 10, 169, 89), "right");
	inner = new RecordingView(BRect(20, 20, 39, 39), "inner");
	right->AddChild(inner);
	window->AddChild(left);
	window->AddChild(right);
	window->ShowAndWait();
}

Scene::~Scene()
{
	TestWindow::Close(window);
}
