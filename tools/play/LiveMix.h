#pragma once
// Plays one or two tracks through the real sound output (mode 0 on the
// default device) with the tool's crossfade, until they end or stop is set.

#include <atomic>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace zarnel::tools {

// Return: 0 when the mix played to its end or was stopped, 1 on an error
// (with error set).
int playLive(const PlatformServices& services, const std::vector<std::string>& files,
             const std::atomic<bool>& stop, std::string& error);

}  // namespace zarnel::tools
