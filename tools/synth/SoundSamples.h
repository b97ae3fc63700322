#pragma once
// The short sounds shipped in the home folder's "samples" for the sample
// players: an air horn, a siren, a rewind, a clap and a synth stab, rendered
// at 44.1 kHz 16-bit stereo. Only +, -, *, / are used, so that the files
// come out bit for bit the same whatever the C library.

#include <cstdint>
#include <string>
#include <vector>

namespace zarnel::tools {

struct SoundSample {
  std::string name;             // the file name without ".wav"
  std::vector<int16_t> stereo;  // interleaved frames
};

// Return: every shipped sample, in a fixed order. Each is under 3 s and
// peaks at kSamplePeak.
std::vector<SoundSample> renderSoundSamples();

constexpr int32_t kSamplePeak = 26000;  // about -2 dBFS

}  // namespace zarnel::tools
