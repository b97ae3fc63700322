#pragma once
// What the decode tool checks of its input before decoding, so that its
// messages name the real cause.

#include <string>

#include "tools/decode/StdinInput.h"

namespace zarnel::tools {

// Looks at path ("-" for standard input, whose first bytes go to prefix).
// Return: empty when the input may be decoded, else the reason: "not found",
// "is a directory", "permission denied", "a WAV file, not MPEG audio", or
// the system's text.
std::string probeInput(const std::string& path, InputPrefix& prefix);

// Return: whether bytes begin a RIFF WAVE file whose format, as far as the
// bytes show it, is not MPEG audio.
bool isWavNotMpeg(const uint8_t* bytes, int32_t count);

}  // namespace zarnel::tools
