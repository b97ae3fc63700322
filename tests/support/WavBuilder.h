#pragma once
// Builds RIFF WAVE files and test signals in memory.

#include <cstdint>
#include <string>
#include <vector>

namespace zarnel::test {

struct WavSpec {
  uint16_t formatTag = 1;
  uint16_t channels = 2;
  uint32_t rate = 44100;
  uint16_t bits = 16;
};

// A complete WAV file holding data as the sample bytes. Extra chunks may be
// placed before "fmt " and between "fmt " and "data".
std::vector<uint8_t> makeWav(const WavSpec& spec, const std::vector<uint8_t>& data,
                             const std::vector<uint8_t>& chunkBeforeFmt = {},
                             const std::vector<uint8_t>& chunkBeforeData = {});

// Interleaved 16-bit samples as little-endian bytes.
std::vector<uint8_t> toBytes(const std::vector<int16_t>& samples);

// frames of a stereo sine: left at freqLeft, right at freqRight, amplitude amp.
std::vector<int16_t> stereoSine(int32_t frames, double freqLeft, double freqRight, double amp,
                                int32_t rate = 44100);

}  // namespace zarnel::test
