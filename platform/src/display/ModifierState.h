#ifndef _MODIFIER_STATE_H
#define _MODIFIER_STATE_H

#include <SupportDefs.h>

// Not part of the platform's interface: how the display (and tests standing in for a user)
// tell the interface kit which modifier keys are held, so that modifiers() reports them.
namespace BPrivate {

void set_modifiers(uint32 modifiers);

} // namespace BPrivate

#endif
