// Reading the information block that the host shares with the effect.
#pragma once

#include <atomic>
#include <cstdint>

#include "plugins/ZarnelEffect.h"

namespace zarnel::effects {

// Return: parameter index (0..2) of the block, as the host last wrote it.
// The host may write parameters from its user-interface thread while the
// audio thread reads them; each is one 32-bit word, read whole (relaxed:
// no other data is published with it).
// Thread: any.
inline int32_t parameterOf(const ZarnelEffect& block, int index) {
  auto& word = const_cast<int32_t&>(block.parameters[index]);
  return std::atomic_ref<int32_t>(word).load(std::memory_order_relaxed);
}

// Asks the host to act on the desk (ZARNEL_EFFECT_PAUSE, ...).
// Return: the host's answer, or 0 when the host gave no callback.
// Thread: any; the host's callback may be called from process.
inline int32_t callHost(const ZarnelEffect& block, int32_t delay, int32_t command, int32_t value) {
  return block.callback != nullptr ? block.callback(delay, command, value) : 0;
}

}  // namespace zarnel::effects
