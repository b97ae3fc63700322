#pragma once
// Plays one or two tracks through the desks and the mode-0 engine on a
// virtual sound card, as fast as the machine allows: desk 1 starts, desk 2
// comes in at two thirds of desk 1's track while the crossfader moves slowly
// from desk 1 to desk 2.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace zarnel::tools {

struct OfflineMixResult {
  bool ok = false;
  std::string error;
  std::vector<int16_t> stereo;  // what the card played, from the first mixed frame
};

// Return: the rendered mix, or ok false with a message.
OfflineMixResult renderMix(const PlatformServices& services, const std::vector<std::string>& files,
                           bool showStatus);

}  // namespace zarnel::tools
