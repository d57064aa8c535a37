// The display thread's side of SdlDisplay: SDL's events as the platform's messages.

#include "SdlDisplay.h"

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include "DisplayScale.h"
#include "ModifierState.h"
#include "SdlKeys.h"

#include <cstring>

namespace BPrivate {

namespace {

uint32
platform_button(uint8 button)
{
	switch (button) {
	case SDL_BUTTON_LEFT:
		return B_PRIMARY_MOUSE_BUTTON;
	case SDL_BUTTON_RIGHT:
		return B_SECONDARY_MOUSE_BUTTON;
	case SDL_BUTTON_MIDDLE:
		return B_TERTIARY_MOUSE_BUTTON;
	default:
		return 0;
	}
}

uint32
platform_buttons(uint32 state)
{
	uint32 buttons = 0;
	if ((state & SDL_BUTTON_LMASK) != 0)
		buttons |= B_PRIMARY_MOUSE_BUTTON;
	if ((state & SDL_BUTTON_RMASK) != 0)
		buttons |= B_SECONDARY_MOUSE_BUTTON;
	if ((state & SDL_BUTTON_MMASK) != 0)
		buttons |= B_TERTIARY_MOUSE_BUTTON;
	return buttons;
}

// The key message for one typed character: the key's code and raw character, the text's bytes.
void
make_text_message(BMessage* message, const KeyStroke& stroke, uint32 modifiers,
				  const char* character, size_t length)
{
	make_key_message(message, B_KEY_DOWN, stroke, modifiers);
	message->RemoveName("byte");
	message->RemoveName("bytes");
	char bytes[8] = {};
	memcpy(bytes, character, length);
	for (size_t i = 0; i < length; i++)
		message->AddInt8("byte", int8(bytes[i]));
	message->AddString("bytes", bytes);
}

size_t
character_length(unsigned char lead)
{
	return lead < 0x80 ? 1 : lead < 0xc0 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
}

} // namespace

BWindow*
SdlDisplay::_WindowFor(uint32 id)
{
	std::lock_guard<std::mutex> guard(fLock);
	for (auto& entry : fWindows) {
		if (entry.second.sdl != nullptr && entry.second.id == id)
			return entry.first;
	}
	return nullptr;
}

SdlDisplay::Record*
SdlDisplay::_Find(BWindow* window)
{
	auto it = fWindows.find(window);
	return it != fWindows.end() ? &it->second : nullptr;
}

void
SdlDisplay::_Post(BWindow* window, BMessage* message)
{
	std::lock_guard<std::mutex> guard(fLock);
	// The window may have gone since the event was read.
	if (window != nullptr && fWindows.find(window) != fWindows.end())
		window->PostMessage(message);
}

void
SdlDisplay::_PostActivation(BWindow* window, bool active)
{
	BMessage message(B_WINDOW_ACTIVATED);
	message.AddInt64("when", system_time());
	message.AddBool("active", active);
	_Post(window, &message);
}

void
SdlDisplay::_BeginCall(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	fCalling = window;
}

void
SdlDisplay::_EndCall()
{
	std::lock_guard<std::mutex> guard(fLock);
	fCalling = nullptr;
	fChanged.notify_all();
}

void
SdlDisplay::_HandleEvent(const SDL_Event& event)
{
	if (fPending.waiting && event.type != SDL_TEXTINPUT)
		_FlushPendingKey();
	switch (event.type) {
	case SDL_WINDOWEVENT:
		_HandleWindowEvent(event.window);
		break;
	case SDL_KEYDOWN:
	case SDL_KEYUP:
		_HandleKey(event.key);
		break;
	case SDL_TEXTINPUT:
		_HandleText(event.text);
		break;
	case SDL_MOUSEBUTTONDOWN:
	case SDL_MOUSEBUTTONUP:
		_HandleButton(event.button);
		break;
	case SDL_MOUSEMOTION:
		_HandleMotion(event.motion);
		break;
	default:
		break;
	}
}

void
SdlDisplay::_HandleWindowEvent(const SDL_WindowEvent& event)
{
	BWindow* window = _WindowFor(event.windowID);
	if (window == nullptr)
		return;
	switch (event.event) {
	case SDL_WINDOWEVENT_EXPOSED: {
		std::lock_guard<std::mutex> guard(fLock);
		if (Record* record = _Find(window)) {
			record->newPixels = record->framesShown || _HasPicture(*record);
			// The server kept nothing: all of the picture goes again.
			record->changed = BRect();
		}
		break;
	}
	case SDL_WINDOWEVENT_FOCUS_GAINED:
	case SDL_WINDOWEVENT_FOCUS_LOST: {
		bool active = event.event == SDL_WINDOWEVENT_FOCUS_GAINED;
		{
			std::lock_guard<std::mutex> guard(fLock);
			Record* record = _Find(window);
			// A window that avoids the focus is never the active one, even when the desktop
			// gives it the keyboard for a moment.
			if (record == nullptr || record->active == active ||
				(active && (record->flags & B_AVOID_FOCUS) != 0))
				break;
			record->active = active;
		}
		_PostActivation(window, active);
		break;
	}
	case SDL_WINDOWEVENT_CLOSE: {
		BMessage request(B_QUIT_REQUESTED);
		_Post(window, &request);
		break;
	}
	case SDL_WINDOWEVENT_MOVED: {
		BPoint where;
		{
			std::lock_guard<std::mutex> guard(fLock);
			Record* record = _Find(window);
			if (record == nullptr)
				break;
			where = BPoint(platform_position(event.data1 + record->inset, Scale()),
						   platform_position(event.data2 + record->inset, Scale()));
			record->frame.OffsetTo(where);
			fCalling = window;
		}
		window->MoveTo(where);
		_EndCall();
		break;
	}
	case SDL_WINDOWEVENT_SIZE_CHANGED: {
		float width = 0;
		float height = 0;
		{
			std::lock_guard<std::mutex> guard(fLock);
			Record* record = _Find(window);
			if (record == nullptr)
				break;
			width = float(platform_length(event.data1 - 2 * record->inset, Scale()) - 1);
			height = float(platform_length(event.data2 - 2 * record->inset, Scale()) - 1);
			record->frame.right = record->frame.left + width;
			record->frame.bottom = record->frame.top + height;
			fCalling = window;
		}
		// Resizing touches the window's views; a window too busy to be locked soon keeps its
		// size until the desktop resizes it again.
		if (window->LockWithTimeout(100000) == B_OK) {
			window->ResizeTo(width, height);
			window->Unlock();
		}
		_EndCall();
		break;
	}
	default:
		break;
	}
}

void
SdlDisplay::_HandleKey(const SDL_KeyboardEvent& event)
{
	SDL_Scancode scancode = event.keysym.scancode;
	if (scancode == kMenuScancode)
		fMenuHeld = event.type == SDL_KEYDOWN;
	fModifiers = sdl_modifiers(event.keysym.mod, fMenuHeld);
	set_modifiers(fModifiers);
	KeyStroke stroke;
	if (!sdl_key_stroke(scancode, &stroke))
		return;
	BWindow* window = _WindowFor(event.windowID);
	BMessage message;
	if (event.type == SDL_KEYDOWN) {
		// A character key waits for its text, which says what the keyboard layout typed.
		if (sdl_key_types_text(scancode) &&
			(fModifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0) {
			fPending.waiting = true;
			fPending.window = window;
			fPending.stroke = stroke;
			fPending.modifiers = fModifiers;
			return;
		}
		make_key_message(&message, B_KEY_DOWN, stroke, fModifiers);
		if (event.repeat != 0)
			message.AddInt32("be:key_repeat", 1);
	} else {
		make_key_message(&message, B_KEY_UP, stroke, fModifiers);
	}
	_Post(window, &message);
}

void
SdlDisplay::_FlushPendingKey()
{
	if (!fPending.waiting)
		return;
	fPending.waiting = false;
	BMessage message;
	make_key_message(&message, B_KEY_DOWN, fPending.stroke, fPending.modifiers);
	_Post(fPending.window, &message);
}

void
SdlDisplay::_HandleText(const SDL_TextInputEvent& event)
{
	// With Command or Option held the key already went as a key message; its text is not typed.
	if ((fModifiers & (B_COMMAND_KEY | B_OPTION_KEY)) != 0) {
		fPending.waiting = false;
		return;
	}
	size_t total = strnlen(event.text, sizeof(event.text));
	BWindow* target = _WindowFor(event.windowID);
	for (size_t offset = 0; offset < total;) {
		size_t length = character_length(static_cast<unsigned char>(event.text[offset]));
		if (offset + length > total)
			break;
		const char* character = event.text + offset;
		offset += length;
		BMessage message;
		if (fPending.waiting) {
			fPending.waiting = false;
			make_text_message(&message, fPending.stroke, fPending.modifiers, character, length);
			_Post(fPending.window, &message);
			continue;
		}
		// Text without a key of its own (an input method's): a press and a release.
		KeyStroke stroke;
		if (!key_for_character(character, int32(length), &stroke))
			continue;
		make_text_message(&message, stroke, fModifiers, character, length);
		_Post(target, &message);
		make_key_message(&message, B_KEY_UP, stroke, fModifiers);
		_Post(target, &message);
	}
}

void
SdlDisplay::_HandleButton(const SDL_MouseButtonEvent& event)
{
	uint32 button = platform_button(event.button);
	if (button == 0)
		return;
	BWindow* window = _WindowFor(event.windowID);
	if (window == nullptr)
		return;
	bool down = event.type == SDL_MOUSEBUTTONDOWN;
	BMessage message;
	{
		std::lock_guard<std::mutex> guard(fLock);
		Record* found = _Find(window);
		if (found == nullptr)
			return;
		Record& record = *found;
		BPoint where(platform_coordinate(event.x - record.inset, Scale()),
					 platform_coordinate(event.y - record.inset, Scale()));
		if (down)
			record.buttons |= button;
		else
			record.buttons &= ~button;
		record.pointer = where;
		int32 clicks = down ? fClicks.Press(window, record.buttons, where, system_time()) : 0;
		make_mouse_message(&message, down ? B_MOUSE_DOWN : B_MOUSE_UP, where,
						   where + record.frame.LeftTop(), record.buttons, clicks, fModifiers);
		window->PostMessage(&message);
		// A press in a window that takes the focus brings it forward, as a window manager
		// would; without one nothing else does.
		if (down && !record.active && (record.flags & B_AVOID_FOCUS) == 0)
			record.raise = true;
	}
}

void
SdlDisplay::_HandleMotion(const SDL_MouseMotionEvent& event)
{
	BWindow* window = _WindowFor(event.windowID);
	if (window == nullptr)
		return;
	BMessage message;
	std::lock_guard<std::mutex> guard(fLock);
	Record* found = _Find(window);
	if (found == nullptr)
		return;
	Record& record = *found;
	BPoint where(platform_coordinate(event.x - record.inset, Scale()),
				 platform_coordinate(event.y - record.inset, Scale()));
	record.pointer = where;
	record.buttons = platform_buttons(event.state);
	make_mouse_message(&message, B_MOUSE_MOVED, where, where + record.frame.LeftTop(),
					   record.buttons, 0, fModifiers);
	window->PostMessage(&message);
}

} // namespace BPrivate
