#include <InterfaceDefs.h>

#include "ModifierState.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// The state given at start: a whole number, decimal or "0x" hexadecimal; anything else,
// or a value beyond 32 bits, means no modifier.
uint32
initial_modifiers()
{
	const char* text = getenv("BEAPI_MODIFIERS");
	if (text == nullptr || text[0] == '\0')
		return 0;
	int base = 10;
	if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
		base = 16;
		text += 2;
	}
	if (text[0] < '0' || (base == 10 && text[0] > '9'))
		return 0;
	char* end = nullptr;
	errno = 0;
	unsigned long long value = strtoull(text, &end, base);
	if (errno != 0 || end == text || *end != '\0' || value > 0xffffffffULL)
		return 0;
	return uint32(value);
}

std::atomic<uint32>&
state()
{
	static std::atomic<uint32> sModifiers(initial_modifiers());
	return sModifiers;
}

} // namespace

uint32
modifiers()
{
	return state().load(std::memory_order_relaxed);
}

namespace BPrivate {

void
set_modifiers(uint32 modifiers)
{
	state().store(modifiers, std::memory_order_relaxed);
}

} // namespace BPrivate
