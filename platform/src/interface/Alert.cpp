#include <Alert.h>

#include <Button.h>
#include <Invoker.h>
#include <Message.h>
#include <Screen.h>
#include <TextView.h>

#include "ControlLook.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <string>

namespace BPrivate {

// What a waiting Go() shares with the alert, which may be gone when Go() reads it.
struct AlertState {
	std::mutex lock;
	std::condition_variable done;
	bool pressed = false;
	int32 index = -1;
};

} // namespace BPrivate

namespace {

const uint32 kButtonPressed = '_alb';
const float kMargin = 10;
const float kStripe = 30;

// The text with line breaks put in where a line would be wider than `width` in the view's font:
// at the last place that fits where a line may break (a blank, which goes, or beside a
// character outside ASCII: Japanese is written without blanks), else between any two
// characters (a long path).
std::string
wrapped_text(const BView* view, const std::string& text, float width)
{
	auto wide = [](char c) { return (uint8(c) & 0x80) != 0; };
	std::string result;
	size_t start = 0;
	for (;;) {
		size_t end = std::min(text.find('\n', start), text.size());
		std::string line = text.substr(start, end - start);
		while (view->StringWidth(line.c_str()) > width) {
			size_t fits = 0;
			size_t breakAt = 0;
			bool previousWide = false;
			for (size_t next = 0; next < line.size();) {
				size_t after = next + 1;
				while (after < line.size() && (uint8(line[after]) & 0xc0) == 0x80)
					after++;
				bool breakable =
					next > 0 && (line[next] == ' ' || wide(line[next]) || previousWide);
				if (fits > 0 && view->StringWidth(line.c_str(), int32(after)) > width) {
					if (breakable)
						breakAt = next;
					break;
				}
				if (breakable)
					breakAt = next;
				previousWide = wide(line[next]);
				fits = after;
				next = after;
			}
			size_t cut = breakAt > 0 ? breakAt : fits;
			result += line.substr(0, cut) + "\n";
			line.erase(0, cut < line.size() && line[cut] == ' ' ? cut + 1 : cut);
		}
		result += line;
		if (end == text.size())
			return result;
		result += '\n';
		start = end + 1;
	}
}

} // namespace

BAlert::BAlert(const char* title, const char* text, const char* button1, const char* button2,
			   const char* button3, button_width width, alert_type type)
	: BWindow(BRect(0, 0, 309, 99), title, B_MODAL_WINDOW,
			  B_NOT_CLOSABLE | B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE)
{
	_Init(text, button1, button2, button3, width, B_EVEN_SPACING, type);
}

BAlert::BAlert(const char* title, const char* text, const char* button1, const char* button2,
			   const char* button3, button_width width, button_spacing spacing, alert_type type)
	: BWindow(BRect(0, 0, 309, 99), title, B_MODAL_WINDOW,
			  B_NOT_CLOSABLE | B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE)
{
	_Init(text, button1, button2, button3, width, spacing, type);
}

void
BAlert::_Init(const char* text, const char* button1, const char* button2, const char* button3,
			  button_width width, button_spacing spacing, alert_type type)
{
	fState = std::make_shared<BPrivate::AlertState>();
	fInvoker = NULL;
	fType = type;
	const char* labels[3] = {button1, button2, button3};
	BView* back = new BView(Bounds(), "back", B_FOLLOW_ALL, B_WILL_DRAW);
	back->SetViewColor(BPrivate::panel_color());
	AddChild(back);

	float widest = 0;
	int32 count = 0;
	for (int32 i = 0; i < 3; i++) {
		fButtons[i] = NULL;
		fKeys[i] = 0;
		if (labels[i] == NULL || (i > 0 && fButtons[i - 1] == NULL))
			continue;
		BMessage* message = new BMessage(kButtonPressed);
		message->AddInt32("which", i);
		fButtons[i] = new BButton(BRect(0, 0, 10, 10), "", labels[i], message);
		float w;
		float h;
		fButtons[i]->GetPreferredSize(&w, &h);
		widest = std::max(widest, w);
		count++;
	}
	float buttonHeight = fButtons[0] != NULL ? BPrivate::line_height(fButtons[0]) + 12 : 24;
	float buttonsWidth = 0;
	for (int32 i = 0; i < count; i++) {
		float w;
		fButtons[i]->GetPreferredSize(&w, NULL);
		if (width != B_WIDTH_FROM_LABEL)
			w = width == B_WIDTH_FROM_WIDEST ? widest : std::max(w, 75.0f);
		fButtons[i]->ResizeTo(w, buttonHeight);
		buttonsWidth += w + (i > 0 ? 8 : 0);
	}
	if (spacing == B_OFFSET_SPACING && count > 1)
		buttonsWidth += 16;

	float left = type == B_EMPTY_ALERT ? kMargin : kStripe + kMargin + 10;
	float windowWidth = std::max(310.0f, left + buttonsWidth + kMargin);
	fTextView =
		new BTextView(BRect(left, kMargin, windowWidth - kMargin - 1, kMargin + 20), "_tv_",
					  BRect(0, 0, windowWidth - kMargin - left - 1, 20), B_FOLLOW_ALL, B_WILL_DRAW);
	// The alert keeps its width and grows downwards, as long as the text needs.
	fTextView->SetText(
		wrapped_text(fTextView, text != NULL ? text : "", windowWidth - kMargin - left - 1)
			.c_str());
	fTextView->MakeEditable(false);
	fTextView->MakeSelectable(false);
	fTextView->SetViewColor(BPrivate::panel_color());
	float textHeight = fTextView->TextHeight(0, fTextView->CountLines() - 1);
	fTextView->ResizeTo(windowWidth - kMargin - left - 1, textHeight);
	fTextView->SetTextRect(BRect(0, 0, windowWidth - kMargin - left - 1, textHeight));
	back->AddChild(fTextView);

	float windowHeight = kMargin + textHeight + kMargin + buttonHeight + kMargin;
	ResizeTo(windowWidth - 1, windowHeight);
	back->ResizeTo(windowWidth - 1, windowHeight);
	if (type != B_EMPTY_ALERT) {
		// The darker band down the left side that marks an alert.
		BView* stripe = new BView(BRect(0, 0, kStripe - 1, windowHeight), "stripe",
								  B_FOLLOW_TOP_BOTTOM | B_FOLLOW_LEFT, B_WILL_DRAW);
		stripe->SetViewColor(tint_color(BPrivate::panel_color(), B_DARKEN_1_TINT));
		back->AddChild(stripe);
	}
	float x = windowWidth - kMargin;
	for (int32 i = count - 1; i >= 0; i--) {
		x -= fButtons[i]->Bounds().Width();
		if (spacing == B_OFFSET_SPACING && i == 0 && count > 1)
			x -= 16;
		fButtons[i]->MoveTo(x, windowHeight - kMargin - buttonHeight);
		back->AddChild(fButtons[i]);
		x -= 8;
	}
	if (count > 0)
		fButtons[count - 1]->MakeDefault(true);
	BPoint where = AlertPosition(windowWidth, windowHeight);
	MoveTo(where);
}

BAlert::~BAlert()
{
	delete fInvoker;
}

void
BAlert::SetShortcut(int32 index, char key)
{
	if (index >= 0 && index < 3)
		fKeys[index] = key;
}

char
BAlert::Shortcut(int32 index) const
{
	return index >= 0 && index < 3 ? fKeys[index] : 0;
}

int32
BAlert::Go()
{
	std::shared_ptr<BPrivate::AlertState> state = fState;
	// A window that waits for the answer keeps drawing meanwhile.
	BWindow* waiting = dynamic_cast<BWindow*>(BLooper::LooperForThread(find_thread(NULL)));
	Show();
	std::unique_lock<std::mutex> guard(state->lock);
	while (!state->pressed) {
		if (waiting == NULL) {
			state->done.wait(guard);
			continue;
		}
		state->done.wait_for(guard, std::chrono::milliseconds(50));
		guard.unlock();
		waiting->UpdateIfNeeded();
		guard.lock();
	}
	return state->index;
}

status_t
BAlert::Go(BInvoker* invoker)
{
	fInvoker = invoker;
	Show();
	return B_OK;
}

void
BAlert::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_KEY_DOWN) {
		const char* bytes = NULL;
		if (message->FindString("bytes", &bytes) == B_OK && bytes != NULL && bytes[0] != '\0' &&
			bytes[1] == '\0') {
			for (int32 i = 0; i < 3; i++) {
				if (fButtons[i] == NULL || fKeys[i] == 0 || !fButtons[i]->IsEnabled())
					continue;
				if (tolower(uint8(fKeys[i])) == tolower(uint8(bytes[0]))) {
					// Pressed the way a click presses it.
					fButtons[i]->SetValue(B_CONTROL_ON);
					fButtons[i]->Invoke();
					return;
				}
			}
		}
	}
	BWindow::DispatchMessage(message, handler);
}

void
BAlert::MessageReceived(BMessage* message)
{
	if (message->what != kButtonPressed) {
		BWindow::MessageReceived(message);
		return;
	}
	int32 which;
	if (message->FindInt32("which", &which) != B_OK)
		which = -1;
	_Pressed(which);
}

void
BAlert::_Pressed(int32 index)
{
	if (fInvoker != NULL) {
		BMessage answer(fInvoker->Message() != NULL ? *fInvoker->Message() : BMessage());
		answer.AddInt32("which", index);
		fInvoker->Invoke(&answer);
	} else {
		std::lock_guard<std::mutex> guard(fState->lock);
		fState->index = index;
		fState->pressed = true;
		fState->done.notify_all();
	}
	Quit();
}

BButton*
BAlert::ButtonAt(int32 index) const
{
	return index >= 0 && index < 3 ? fButtons[index] : NULL;
}

BTextView*
BAlert::TextView() const
{
	return fTextView;
}

alert_type
BAlert::Type() const
{
	return fType;
}

BPoint
BAlert::AlertPosition(float width, float height)
{
	BRect screen = BScreen().Frame();
	return BPoint(std::floor(screen.left + (screen.Width() - width) / 2),
				  std::floor(screen.top + (screen.Height() - height) / 4));
}
