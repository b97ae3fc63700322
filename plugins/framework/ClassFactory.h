// The one thing each effect library adds to the shared class factory.
#pragma once

#include "plugins/ZarnelEffect.h"

namespace zarnel::effects {

// Creates the library's effect object (EffectObject<...>::create()).
// Return: its information block, or null when memory ran out.
// Thread: the host's user-interface thread.
ZarnelEffect* createEffect();

}  // namespace zarnel::effects
