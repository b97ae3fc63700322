#pragma once
// An input module for the decoder that reads standard input after a few
// bytes the tool already took from it (to look at the stream's signature).

#include <cstdint>

#include "decoder/InputModule.h"

namespace zarnel::tools {

constexpr int32_t kPrefixBytes = 64;

// The bytes taken from standard input before the decoder reads it.
struct InputPrefix {
  uint8_t bytes[kPrefixBytes] = {};
  int32_t count = 0;
};

// Return: the module, which gives prefix first (prefix must outlive the
// decoder's use of it) and then the rest of standard input; it accepts only
// the name "-".
const InputModule& stdinInputModule(const InputPrefix& prefix);

}  // namespace zarnel::tools
