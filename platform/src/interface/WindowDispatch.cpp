#include <Window.h>

#include <AppDefs.h>
#include <Message.h>
#include <View.h>

#include "Display.h"
#include "WindowPrivate.h"

#include <vector>

using BPrivate::WindowInternals;

namespace {

void
notify_activation(BView* view, bool active)
{
	view->WindowActivated(active);
	for (int32 i = 0; i < view->CountChildren(); i++)
		notify_activation(view->ChildAt(i), active);
}

bool
key_bytes(BMessage* message, const char** bytes, int32* length)
{
	const void* data;
	ssize_t size;
	if (message->FindData("bytes", B_STRING_TYPE, &data, &size) != B_OK || size < 1)
		return false;
	*bytes = static_cast<const char*>(data);
	*length = int32(size) - 1;
	return true;
}

} // namespace

BHandler*
BWindow::_DetermineTarget(BMessage* message, BHandler* target)
{
	switch (message->what) {
	case _UPDATE_:
		WindowInternals::HandleUpdate(this);
		return NULL;
	case BPrivate::kWindowSyncCode:
		WindowInternals::HandleSync(this, message);
		return NULL;
	case B_KEY_DOWN:
	case B_KEY_UP:
	case B_UNMAPPED_KEY_DOWN:
	case B_UNMAPPED_KEY_UP:
	case B_MODIFIERS_CHANGED:
		// Keys go to the focus view, or stay with the window when there is none.
		if (target == this && fFocus != NULL)
			return fFocus;
		return target;
	case B_MOUSE_DOWN:
	case B_MOUSE_UP:
	case B_MOUSE_MOVED:
		if (target == this)
			return WindowInternals::RouteMouse(this, message);
		return target;
	default:
		return target;
	}
}

BHandler*
WindowInternals::RouteMouse(BWindow* window, BMessage* message)
{
	WindowInternals& internals = Of(window);
	BPoint where;
	if (message->FindPoint("where", &where) != B_OK)
		return window;
	BView* under = ViewAt(window->fTopView, where);
	BView* target;
	if (message->what == B_MOUSE_DOWN) {
		internals.mouseMaskView = NULL;
		target = under;
	} else {
		target = internals.mouseMaskView != NULL ? internals.mouseMaskView : under;
	}
	BPoint local = where - target->_WindowOrigin();

	if (message->what == B_MOUSE_MOVED) {
		bool inside = target == under;
		BView* last = internals.lastMouseMovedView;
		uint32 transit;
		if (inside)
			transit = last == target ? B_INSIDE_VIEW : B_ENTERED_VIEW;
		else
			transit = last == target ? B_EXITED_VIEW : B_OUTSIDE_VIEW;
		if (internals.mouseMaskView != NULL) {
			// Only the view holding the pointer hears of it until the release.
			internals.lastMouseMovedView = inside ? target : NULL;
		} else if (last != under) {
			internals.lastMouseMovedView = under;
			// The view the pointer left hears of it, unless it hears through the message.
			if (last != NULL && last != target && last->Window() == window)
				last->MouseMoved(where - last->_WindowOrigin(), B_EXITED_VIEW, NULL);
		}
		message->RemoveName("be:transit");
		message->AddInt32("be:transit", int32(transit));
	} else {
		// Down and up carry the point in the view's coordinates.
		message->ReplacePoint("where", local);
	}
	message->RemoveName("be:view_where");
	message->AddPoint("be:view_where", local);
	return target;
}

void
BWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler == NULL)
		return;
	BView* view = dynamic_cast<BView*>(handler);
	switch (message->what) {
	case B_KEY_DOWN:
	case B_KEY_UP: {
		const char* bytes;
		int32 length;
		if (view != NULL && key_bytes(message, &bytes, &length)) {
			if (message->what == B_KEY_DOWN)
				view->KeyDown(bytes, length);
			else
				view->KeyUp(bytes, length);
		} else {
			handler->MessageReceived(message);
		}
		break;
	}
	case B_MOUSE_DOWN:
	case B_MOUSE_UP:
	case B_MOUSE_MOVED: {
		BPoint where;
		if (view == NULL || message->FindPoint("be:view_where", &where) != B_OK) {
			handler->MessageReceived(message);
			break;
		}
		if (message->what == B_MOUSE_DOWN) {
			view->MouseDown(where);
		} else if (message->what == B_MOUSE_UP) {
			view->MouseUp(where);
			fInternals->mouseMaskView = NULL;
		} else {
			int32 transit;
			if (message->FindInt32("be:transit", &transit) != B_OK)
				transit = B_INSIDE_VIEW;
			view->MouseMoved(where, uint32(transit), NULL);
		}
		break;
	}
	case B_WINDOW_ACTIVATED: {
		if (handler != this) {
			handler->MessageReceived(message);
			break;
		}
		bool active = false;
		message->FindBool("active", &active);
		if (fInternals->active.load() == active)
			break;
		fInternals->active.store(active);
		WindowActivated(active);
		notify_activation(fTopView, active);
		break;
	}
	case B_WINDOW_RESIZED: {
		if (handler != this) {
			handler->MessageReceived(message);
			break;
		}
		int32 width = 0;
		int32 height = 0;
		message->FindInt32("width", &width);
		message->FindInt32("height", &height);
		FrameResized(float(width), float(height));
		break;
	}
	case B_WINDOW_MOVED: {
		if (handler != this) {
			handler->MessageReceived(message);
			break;
		}
		BPoint where;
		message->FindPoint("where", &where);
		FrameMoved(where);
		break;
	}
	default:
		BLooper::DispatchMessage(message, handler);
		break;
	}
}

void
BWindow::MessageReceived(BMessage* message)
{
	if (message->what == B_KEY_DOWN) {
		// No view took the key: Tab still moves the focus and Enter presses the default button.
		const char* bytes;
		int32 length;
		int32 modifiers = 0;
		message->FindInt32("modifiers", &modifiers);
		if (key_bytes(message, &bytes, &length) && length == 1) {
			if (bytes[0] == B_TAB &&
				(modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0) {
				WindowInternals::Navigate(this, (modifiers & B_SHIFT_KEY) != 0);
				return;
			}
			if (bytes[0] == B_ENTER) {
				WindowInternals::PressDefaultButton(this, NULL, bytes, length);
				return;
			}
		}
	}
	BLooper::MessageReceived(message);
}

void
WindowInternals::HandleSync(BWindow* window, BMessage* message)
{
	// Wait for what the injected events set off (messages they posted) before reporting.
	int32 hops = 0;
	message->FindInt32("hops", &hops);
	if (window->IsMessageWaiting() && hops < 64) {
		BMessage again(*message);
		again.ReplaceInt32("hops", hops + 1);
		window->PostMessage(&again);
		return;
	}
	Update(window);
	int64 id = 0;
	message->FindInt64("id", &id);
	BPrivate::Display::Default()->SyncReached(id);
}

void
WindowInternals::ViewRemoved(BWindow* window, BView* view)
{
	WindowInternals& internals = Of(window);
	auto inside = [view](BView* candidate) {
		for (BView* v = candidate; v != NULL; v = v->fParent) {
			if (v == view)
				return true;
		}
		return false;
	};
	if (window->fFocus != NULL && inside(window->fFocus)) {
		window->fFocus = NULL;
		window->SetPreferredHandler(NULL);
	}
	if (internals.lastMouseMovedView != NULL && inside(internals.lastMouseMovedView))
		internals.lastMouseMovedView = NULL;
	if (internals.mouseMaskView != NULL && inside(internals.mouseMaskView))
		internals.mouseMaskView = NULL;
	const DefaultButtonHooks* hooks = default_button_hooks();
	if (window->fDefaultButton != NULL && hooks != NULL && hooks->view != NULL &&
		inside(hooks->view(window->fDefaultButton)))
		window->fDefaultButton = NULL;
}

void
WindowInternals::Navigate(BWindow* window, bool backward)
{
	std::vector<BView*> navigable;
	struct Collector {
		static void Run(BView* view, std::vector<BView*>* out)
		{
			if (view->fShowLevel > 0)
				return;
			if ((view->Flags() & B_NAVIGABLE) != 0)
				out->push_back(view);
			for (BView* child : view->fChildren)
				Run(child, out);
		}
	};
	Collector::Run(window->fTopView, &navigable);
	if (navigable.empty())
		return;
	int32 count = int32(navigable.size());
	int32 current = -1;
	for (int32 i = 0; i < count; i++) {
		if (navigable[size_t(i)] == window->fFocus)
			current = i;
	}
	int32 next;
	if (current < 0)
		next = backward ? count - 1 : 0;
	else
		next = (current + (backward ? count - 1 : 1)) % count;
	navigable[size_t(next)]->MakeFocus(true);
}

void
WindowInternals::PressDefaultButton(BWindow* window, BView* from, const char* bytes, int32 numBytes)
{
	const DefaultButtonHooks* hooks = default_button_hooks();
	if (window->fDefaultButton == NULL || hooks == NULL || hooks->view == NULL)
		return;
	BView* button = hooks->view(window->fDefaultButton);
	if (button == NULL || button == from)
		return;
	button->KeyDown(bytes, numBytes);
}
