#ifndef _SDL_KEYS_H
#define _SDL_KEYS_H

// The desktop keyboard in the platform's terms: SDL scancodes as the platform's key codes with
// what a US keyboard types, and SDL's modifier state as the platform's modifier bits.

#include <SupportDefs.h>

#include "InputEvents.h"

#include <SDL.h>

namespace BPrivate {

// The Menu key has no SDL modifier bit; it is tracked by scancode.
const SDL_Scancode kMenuScancode = SDL_SCANCODE_APPLICATION;

// The key a scancode names. Keys that only change modifiers give false: they reach the
// program as modifiers, not as key messages.
bool sdl_key_stroke(SDL_Scancode scancode, KeyStroke* stroke);
// Whether the key types a character (a letter, digit, sign, the space bar or the keypad's).
bool sdl_key_types_text(SDL_Scancode scancode);
// The modifier bits of an event's state, with the left and right bits.
uint32 sdl_modifiers(uint16 state, bool menuHeld);

} // namespace BPrivate

#endif
